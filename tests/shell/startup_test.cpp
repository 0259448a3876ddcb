#include "data/DM1.h"
#include "shell/Startup.h"
#include "shell/Udl1.h"
#include "shell/Umain1.h"
#include "support/Recorder.h"
#include "support/SampleShop.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QSysInfo>
#include <QTimer>
#include <QTranslator>

// A file that is no database or lacks a table, or one another copy runs on (whatever path
// names it: a link, "..") ends the program before the login; a copy that crashed leaves no stuck lock, and a
// missing file is created.
TEST(Startup, AnUnreadableDatabaseOrASecondCopyRefusesAndACrashedOneLeavesNoStuckLock)
{
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("junk.db")), path = dir.filePath(QStringLiteral("TRZData1.db"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    const QString damaged = dir.filePath(QStringLiteral("damaged.db"));
    TDM1(damaged).ADOC1.exec(QStringLiteral("DROP TABLE sp"));
    QTemporaryDir copy;   // a second copy whose database is a link to the first one's
    const QString link = copy.filePath(QStringLiteral("TRZData1.db"));
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    QLockFile running(path + QStringLiteral(".lock"));   // another copy runs on this database
    ASSERT_TRUE(running.tryLock(0));
    const char* const twice = "本软件已经在使用此数据库，不能重复运行！";
    for (const auto& [db, text] : {std::pair{junk, "数据库文件丢失，软件无法运行，请重新复制本软件！"},
                                   {damaged, "数据库文件已损坏（缺少数据表 sp），软件无法运行！"}, {path, twice},
                                   {link, twice}, {dir.filePath(QStringLiteral("sub/../TRZData1.db")), twice}}) {
        MessageRecorder rec;
        ModalScript modal;
        EXPECT_EQ(runShell(db), 1);
        EXPECT_EQ(rec.texts(), QStringList{QString::fromUtf8(text)});
        EXPECT_EQ(rec.last().caption, QStringLiteral("错误"));
        EXPECT_EQ(rec.last().icon, MsgIcon::Error);
        EXPECT_EQ(modal.opened(), 0) << "no login";
        EXPECT_EQ(DM1, nullptr);
    }
    EXPECT_FALSE(QFile::exists(path)) << "the database is not opened";
    running.unlock();

    // A copy that crashed left its lock behind, naming a process that is gone.
    QProcess gone;
    gone.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
    ASSERT_TRUE(gone.waitForFinished());
    QFile stale(path + QStringLiteral(".lock"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(gone.readAllStandardOutput().trimmed() + "\n" + QCoreApplication::applicationName().toUtf8() + "\n"
                + QSysInfo::machineHostName().toLocal8Bit() + "\n");
    stale.close();
    MessageRecorder rec;
    ModalScript modal;   // no step: the login is closed as with Esc
    EXPECT_EQ(runShell(path), 0);
    EXPECT_TRUE(rec.empty()) << rec.texts().join(',').toStdString();
    EXPECT_EQ(modal.classes(), QStringList({"TFdl1"}));
    EXPECT_TRUE(Fmain1.isNull());
    EXPECT_TRUE(QFile::exists(path)) << "a missing file is created";
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".lock"))) << "released when the program ends";
}

// A copy that ended without closing its purchase form left pending line marks behind: once the
// lock is held they are rolled back as closing the form does, whatever their document.
TEST(Startup, PendingPurchaseLineMarksAreRolledBackOnceTheLockIsHeld)
{
    TempShop shop(false);
    shop.dm->ADOC1.exec(QStringLiteral("insert into cgglc(dh,bj,txm) values ('CG1','yz','A'),('CG1','dz','B'),"
                                       "('CG1','ds','C'),('CG2','dz','D'),('CG3','ds','E')"));
    const QString path = shop.path();
    shop.dm.reset();
    MessageRecorder rec;
    ModalScript modal;   // the login closed as with Esc
    EXPECT_EQ(runShell(path), 0);
    TDM1 again(path);
    EXPECT_EQ(sqlScalar(again, QStringLiteral("SELECT group_concat(dh||bj||txm, ' ') FROM cgglc")), "CG1yzA CG1yzC CG3yzE");
}

TEST(Startup, LoginShowsTheMainWindowAndClosingItEndsTheLoop)
{
    QTemporaryDir dir;
    MessageRecorder rec;
    ModalScript modal;
    QString label;
    bool shown = false;
    modal.next([&](QDialog& d) {
        static_cast<TFdl1&>(d).BitBtn1->click();   // the built-in operator, empty password
        QTimer::singleShot(0, [&] {
            shown = Fmain1 && Fmain1->isVisible();
            label = Fmain1->STyhm1->text();
            Fmain1->close();   // answered OK
        });
    });
    QTimer guard;   // a loop that does not end fails instead of hanging
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    EXPECT_EQ(runShell(dir.filePath(QStringLiteral("TRZData1.db"))), 0);
    EXPECT_TRUE(shown);
    EXPECT_EQ(label, QStringLiteral("系统管理员"));
    EXPECT_EQ(rec.texts(), QStringList({"确定要退出本系统吗？"}));
    EXPECT_TRUE(Fmain1.isNull());
    EXPECT_EQ(DM1, nullptr);
}

TEST(Startup, QtsOwnDialogsSpeakChinese)
{
    ASSERT_TRUE(installQtChinese(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("打印"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Paste"), QStringLiteral("粘贴(&P)"));
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(t);
}

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
