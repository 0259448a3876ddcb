#pragma once
// A test on a fresh shop database (the sample shop, or an empty one when the fixture says
// so), with the message recorder, the modal script and helpers that write and read rows.

#include "support/Recorder.h"
#include "support/SampleShop.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <ostream>

// Texts as text in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// The text of the label placed just before field: left of it in a grid, before it in a row
// ("<none>": no label there).
inline QString labelOf(QWidget* field)
{
    QLayout* layout = field->parentWidget()->layout();
    const int i = layout ? layout->indexOf(field) : -1;
    QLayoutItem* before = nullptr;
    if (auto* grid = qobject_cast<QGridLayout*>(layout); grid && i >= 0) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(i, &row, &column, &rows, &columns);
        before = column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr;
    } else if (i > 0) {
        before = layout->itemAt(i - 1);
    }
    auto* label = before ? qobject_cast<QLabel*>(before->widget()) : nullptr;
    return label ? label->text() : QStringLiteral("<none>");
}
// The items of a combo box, in order.
inline QStringList itemsOf(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

class ShopTest : public ::testing::Test {
protected:
    explicit ShopTest(bool sample = true) : shop(sample) {}
    void exec(const QString& sql) { dm->ADOC1.exec(sql); }
    QString scalar(const QString& sql) { return sqlScalar(*dm, sql); }
    int count(const QString& from) { return sqlCount(*dm, "SELECT count(*) FROM " + from); }

    TempShop shop;
    TDM1* dm = shop.dm.get();
    MessageRecorder rec;
    ModalScript modal;
};
