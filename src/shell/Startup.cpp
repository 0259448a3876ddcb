#include "Startup.h"

#include "Udl1.h"
#include "Umain1.h"
#include "data/DM1.h"
#include "rules/purchase_line_marks.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QScreen>
#include <QTranslator>
#include <memory>

namespace {
// The file a path names, with symbolic links and "." and ".." resolved, so that every path to
// one database gives one lock. Of a file still to be created (a new database, or a link to
// one) what exists is resolved.
QString canonicalPath(const QString& path, int links = 0)
{
    const QFileInfo file(path);
    if (file.exists())
        return file.canonicalFilePath();
    if (file.isSymLink() && links < 40)
        return canonicalPath(file.symLinkTarget(), links + 1);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return QDir(folder.isEmpty() ? file.absolutePath() : folder).filePath(file.fileName());
}
}

int runShell(const QString& dbPath, const ShellWiring& wiring)
{
    // Numbering and the pending line marks assume one copy of the program per database file,
    // whatever path names it: the lock file beside the file names the running copy's process,
    // so a copy that crashed leaves a lock the next start finds stale and takes over. It is
    // never stale by age alone.
    QLockFile lock(canonicalPath(dbPath) + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) {
        showMessage(QStringLiteral("本软件已经在使用此数据库，不能重复运行！"), QStringLiteral("错误"), MsgIcon::Error);
        return 1;
    }
    // A folder where no lock can be written is left to the database's own opening.

    std::unique_ptr<TDM1> dm;
    try {
        dm = std::make_unique<TDM1>(dbPath);
    } catch (const StartupError& e) {
        // The file cannot serve as the shop's database: lost, or damaged (what is missing named).
        showMessage(QString::fromUtf8(e.what()), QStringLiteral("错误"), MsgIcon::Error);
        return 1;
    }
    DM1 = dm.get();
    // With the lock held no other copy is entering a purchase document: the line marks that a
    // copy which ended without closing its entry form left behind are rolled back.
    runGuarded([&dm] { rollbackPurchaseLineMarks(*dm, std::nullopt, true); });

    int result = 0;
    {
        auto main = std::make_unique<TFmain1>();
        Fmain1 = main.get();
        if (wiring.wireMenus)
            wiring.wireMenus(*main);
        if (wiring.createReportForms)
            wiring.createReportForms();

        bool loggedIn = false;
        QString name;
        try {
            TFdl1 login;
            loggedIn = runModal(login) == QDialog::Accepted;
            name = login.operatorName();
        } catch (const std::exception& e) {
            showErrorBox(QString::fromUtf8(e.what()));
        }
        if (loggedIn) {
            main->setOperator(name);
            if (const QScreen* s = main->screen())
                main->setGeometry(s->availableGeometry());   // also where no window manager maximises
            main->showMaximized();
            result = QApplication::exec();
        }
        // The main window and its children go before the connection does.
    }
    DM1 = nullptr;
    return result;
}

bool installQtChinese(QCoreApplication& app)
{
    auto* qt = new QTranslator(&app);
    if (!qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    return QCoreApplication::installTranslator(qt);
}

int runProgram(int argc, char** argv, const ShellWiring& wiring)
{
    ShopApplication app(argc, argv);
    installQtChinese(app);
    return runShell(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("TRZData1.db")), wiring);
}
