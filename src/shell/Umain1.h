#pragma once
// The main window: an MDI frame with the menus, the toolbar, the status bar and the hidden
// labels other windows read (STyhm1 operator, STkcjg prices shown, STkcsc stock reset).

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QTimer;
class PanelBar;

class TFmain1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TFmain1(QWidget* parent = nullptr);
    ~TFmain1() override;

    // The operator who logged in (written into STyhm1 when the window first shows).
    void setOperator(const QString& name);

    QMdiArea* mdi = nullptr;
    PanelBar* StatusBar1 = nullptr;
    QLabel* STyhm1 = nullptr;   // hidden: operator name
    QLabel* STkcjg = nullptr;   // hidden: "显示价格" / "不显价格"
    QLabel* STkcsc = nullptr;   // hidden: "归零" / "不归零"
    QTimer* Timer1 = nullptr;

    QAction* Nexit = nullptr;   // 系统 > 退出
    QAction *N301 = nullptr;
    QAction *N401 = nullptr, *N402 = nullptr, *N403 = nullptr, *N405 = nullptr, *N406 = nullptr,
            *N407 = nullptr, *N408 = nullptr, *N410 = nullptr, *N411 = nullptr, *N412 = nullptr,
            *N414 = nullptr, *N415 = nullptr, *N420 = nullptr;
    QAction *N601 = nullptr, *N602 = nullptr, *N603 = nullptr, *N604 = nullptr, *N606 = nullptr,
            *N607 = nullptr;
    QAction* ToolButtonCg = nullptr;    // toolbar 采购 (clicks N301)
    QAction* ToolButtonKc = nullptr;    // toolbar 商品库存明细表 (clicks N414)

    // Enables a menu item and makes it open its window.
    void setOpener(QAction* item, std::function<void()> open);

    // The clock panel's text: "现在时刻：" + date, weekday and time.
    static QString clockText(const QDateTime& t);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void tick();
    void applyOperator();   // the operator's name and permissions into the labels

    QString operator_;
    bool shown_ = false;
};

extern QPointer<TFmain1> Fmain1;

// What other windows read of the main window's hidden labels. Without a main window (tests
// that build none) they give the built-in operator with every permission.
QString currentOperatorName();   // STyhm1
QString stockPriceMode();        // STkcjg
QString stockResetMode();        // STkcsc
