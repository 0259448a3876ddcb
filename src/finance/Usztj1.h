#pragma once
// The comprehensive purchase-sales-stock-finance statistics (进销存财综合统计表): an MDI
// child with the date range at the top and seventeen read-only figures. 统计 runs the nine
// blocks and shows every figure only when all of them have run; 打印 prints the figures as
// they stand, headed by the period of the run that gave them.

#include "finance/comprehensive_statistics.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class DatePicker;
class KeyPreview;

class TFsztj1 : public QWidget {
    Q_OBJECT
public:
    explicit TFsztj1(QWidget* parent = nullptr);

    QCheckBox* CheckBox1 = nullptr;       // 日期范围
    DatePicker* DateTimePicker1 = nullptr;
    DatePicker* DateTimePicker2 = nullptr;
    QPushButton* BB1 = nullptr;           // 统计
    QPushButton* BB2 = nullptr;           // 打印
    QPushButton* BB3 = nullptr;           // 关闭

    // The figure edit of a name ("cgsl" ... "sz"); nullptr for another name.
    QLineEdit* figure(const QString& name) const;
    // The seventeen texts in screen order.
    QStringList figureTexts() const;
    // The period the controls give now.
    StatisticsPeriod period() const;

    void BB1Click();
    void BB2Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void buildUi();

    QHash<QString, QLineEdit*> figures_;
    KeyPreview* keys_ = nullptr;
    std::optional<StatisticsPeriod> lastRun_;   // the period of the figures shown
    bool shown_ = false;
};

extern QPointer<TFsztj1> Fsztj1;

// The main menu's 进销存财综合统计表: brings the open window to the front or creates it.
void openComprehensiveStatistics();
