#include "data/DM1.h"
#include "shell/Udl1.h"
#include "support/Recorder.h"
#include "support/SampleShop.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {
TFdl1& login(QDialog& d) { return dynamic_cast<TFdl1&>(d); }
}

// An operator whose name and password hold quotes; Enter in the password field presses OK;
// Cancel and Esc end the dialog.
TEST(Login, RefusesAWrongPasswordAcceptsTheExactOneAndEndsOnCancelOrEsc)
{
    TempShop shop;
    DM1->ADOC1.exec(QStringLiteral("INSERT INTO yhsz (yhm, mm) VALUES ('O''Neil', 'x''y')"));
    MessageRecorder rec;
    ModalScript modal;
    QStringList shown;
    bool stillOpen = false;
    modal.next([&](QDialog& d) {
        TFdl1& f = login(d);
        for (int i = 0; i < f.ComboBox1->count(); ++i) shown << f.ComboBox1->itemText(i);
        f.ComboBox1->setCurrentText(QStringLiteral("O'Neil"));
        for (const char* wrong : {"x'Y", "x'y ", ""}) {
            f.Edit1->setText(QString::fromLatin1(wrong));
            f.BitBtn1->click();
        }
        stillOpen = f.isVisible();
        f.Edit1->setText(QStringLiteral("x'y"));
        sendKey(f.Edit1, Qt::Key_Return);
    });
    modal.next([](QDialog& d) { login(d).BitBtn2->click(); });
    modal.next([](QDialog& d) { sendKey(login(d).Edit1, Qt::Key_Escape); });
    TFdl1 dlg, cancelled, escaped;
    EXPECT_EQ(runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.operatorName(), QStringLiteral("O'Neil"));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(shown, QStringList({"系统管理员", "O'Neil"}));
    ASSERT_EQ(rec.count(), 3);
    EXPECT_EQ(rec.last().text, QStringLiteral("密码错误，请重新输入！"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("提示"));
    EXPECT_EQ(runModal(cancelled), QDialog::Rejected);
    EXPECT_EQ(runModal(escaped), QDialog::Rejected);
    EXPECT_EQ(rec.count(), 3);
    EXPECT_FALSE(TFdl1::passwordMatches(QStringLiteral("nobody"), QString())) << "no such operator";
}
