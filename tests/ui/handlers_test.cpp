// The guard around every handler connected to a signal.
#include "support/Recorder.h"
#include "ui/Handlers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <stdexcept>

namespace {
struct Receiver : QObject {
    int plain = 0;
    QString lastText;
    void count() { ++plain; }
    void takeText(const QString& t)
    {
        lastText = t;
        if (t == QLatin1String("1-2"))
            throw std::runtime_error("'1-2' is not a valid floating point value");
    }
};
}

// An error leaving an event handler is shown in the program's error box and later events
// still run; one in a connected handler stops there, and the signal's other handlers run.
TEST(ConnectHandler, AnErrorStopsAtItsHandlerAndIsShown)
{
    MessageRecorder rec;
    int after = 0;
    QTimer::singleShot(0, [] { throw std::runtime_error("no such column: qk2"); });
    QTimer::singleShot(0, [&] { ++after; });
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(rec.texts(), QStringList{"no such column: qk2"});
    EXPECT_EQ(rec.last().caption, QStringLiteral("禾岚货栈通家电行业版"));
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_EQ(after, 1);
    rec.clear();

    QLineEdit edit;
    Receiver r;
    int afterwards = 0;
    connectHandler(&edit, &QLineEdit::textChanged, &r, &Receiver::takeText);   // a member with the signal's argument
    connectHandler(&edit, &QLineEdit::textChanged, &r, &Receiver::count);      // a member with none
    connectHandler(&edit, &QLineEdit::textChanged, &edit, [&] { ++afterwards; });
    edit.setText(QStringLiteral("1-2"));   // emitted outside any event: no catch-all above it
    EXPECT_EQ(rec.texts(), QStringList{"'1-2' is not a valid floating point value"});
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_EQ(r.lastText + QString::number(r.plain) + QString::number(afterwards), QStringLiteral("1-211"))
        << "the other handlers of the signal still run";

    // An error that is no standard exception; a receiver that is gone ends its connection.
    QPushButton b;
    auto* gone = new Receiver;
    connectHandler(&b, &QPushButton::clicked, gone, &Receiver::count);
    connectHandler(&b, &QPushButton::clicked, &b, [] { throw 42; });
    delete gone;
    b.click();
    EXPECT_EQ(rec.last().text, QStringLiteral("未知错误"));
    EXPECT_EQ(rec.count(), 2);
}

// No handler is connected past the guard: the sources call QObject::connect only inside it.
TEST(ConnectHandler, EveryConnectInTheProgramGoesThroughIt)
{
    const QRegularExpression plain(QStringLiteral(R"((?<![\w:])(QObject::)?connect\s*\()"));
    QStringList offenders;
    QDirIterator it(QStringLiteral(SHOP_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                    QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        if (path.endsWith(QLatin1String("/ui/Handlers.h")))
            continue;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i)
            if (!lines[i].trimmed().startsWith(QLatin1String("//")) && lines[i].contains(plain))
                offenders << QStringLiteral("%1:%2").arg(QDir(QStringLiteral(SHOP_SOURCE_DIR)).relativeFilePath(path)).arg(i + 1);
    }
    EXPECT_GT(files, 50);
    EXPECT_TRUE(offenders.isEmpty()) << offenders.join(QLatin1Char(' ')).toStdString();
}
