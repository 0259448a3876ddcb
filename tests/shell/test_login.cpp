#include "data/DM1.h"
#include "shell/Udl1.h"
#include "support/Recorder.h"
#include "support/SampleShop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {
void addOperator(const QString& name, const QString& password)
{
    DM1->ADOC1.exec(QStringLiteral("INSERT INTO yhsz (yhm, mm) VALUES (") + sqlQuote(name) + QStringLiteral(", ")
                    + sqlQuote(password) + QStringLiteral(")"));
}

TFdl1& login(QDialog& d) { return dynamic_cast<TFdl1&>(d); }
}

TEST(Login, RefusesAWrongPasswordAndAcceptsTheExactOne)
{
    TempShop shop;
    addOperator(QStringLiteral("张三"), QStringLiteral("abc"));
    MessageRecorder rec;
    ModalScript modal;
    QStringList shown;
    bool stillOpen = false;
    modal.next([&](QDialog& d) {
        TFdl1& f = login(d);
        for (int i = 0; i < f.ComboBox1->count(); ++i) shown << f.ComboBox1->itemText(i);
        f.ComboBox1->setCurrentText(QStringLiteral("张三"));
        for (const char* wrong : {"abd", "ABC", "abc ", ""}) {
            f.Edit1->setText(QString::fromLatin1(wrong));
            f.BitBtn1->click();
        }
        stillOpen = f.isVisible();
        f.Edit1->setText(QStringLiteral("abc"));
        f.BitBtn1->click();
    });
    TFdl1 dlg;
    EXPECT_EQ(runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.operatorName(), QStringLiteral("张三"));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(shown.value(0), QStringLiteral("系统管理员"));
    EXPECT_TRUE(shown.contains(QStringLiteral("张三")));
    ASSERT_EQ(rec.count(), 4);
    EXPECT_EQ(rec.last().text, QStringLiteral("密码错误，请重新输入！"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("提示"));
}

TEST(Login, CancelAndEscEndIt)
{
    TempShop shop;
    MessageRecorder rec;
    ModalScript modal;
    modal.next([](QDialog& d) { login(d).BitBtn2->click(); });
    modal.next([](QDialog& d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(login(d).Edit1, &esc);
    });
    TFdl1 a, b;
    EXPECT_EQ(runModal(a), QDialog::Rejected);
    EXPECT_EQ(runModal(b), QDialog::Rejected);
    EXPECT_FALSE(b.isVisible());
    EXPECT_TRUE(rec.empty());
}

TEST(Login, BuiltInOperatorAndAQuoteInAName)
{
    TempShop shop;
    addOperator(QStringLiteral("O'Neil"), QStringLiteral("x'y"));
    EXPECT_TRUE(TFdl1::passwordMatches(QStringLiteral("系统管理员"), QString()));
    EXPECT_FALSE(TFdl1::passwordMatches(QStringLiteral("系统管理员"), QStringLiteral("1")));
    EXPECT_TRUE(TFdl1::passwordMatches(QStringLiteral("O'Neil"), QStringLiteral("x'y")));
    EXPECT_FALSE(TFdl1::passwordMatches(QStringLiteral("nobody"), QString()));

    // Enter in the password field presses OK.
    MessageRecorder rec;
    ModalScript modal;
    modal.next([](QDialog& d) {
        TFdl1& f = login(d);
        f.ComboBox1->setCurrentText(QStringLiteral("O'Neil"));
        f.Edit1->setText(QStringLiteral("x'y"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(f.Edit1, &enter);
    });
    TFdl1 dlg;
    EXPECT_EQ(runModal(dlg), QDialog::Accepted);
    EXPECT_TRUE(rec.empty());
}
