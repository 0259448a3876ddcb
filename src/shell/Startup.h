#pragma once
// Start-up of the program: title, data module, main window, report forms, login, loop.
#include <QString>

#include <functional>

class QCoreApplication;
class TFmain1;

// What start-up needs of the windows above the shell: which window each menu item opens, and
// the report forms to create hidden before the login. The program's composition root hands
// them down, so the shell knows no window of the business folders.
struct ShellWiring {
    std::function<void(TFmain1&)> wireMenus;
    std::function<void()> createReportForms;
};

int runProgram(int argc, char** argv, const ShellWiring& wiring);

// Qt's own texts (the print and page-setup dialogs, the edits' context menus, the standard
// buttons) in Chinese: loads Qt's Chinese translation from Qt's translations folder into the
// application. False when it is not installed (the texts then stay English).
bool installQtChinese(QCoreApplication& app);

// Everything after the application object exists, on the database at dbPath: the lock that
// keeps a second copy of the program off the same database, the data module, the main window,
// the report forms, the login and the message loop. Returns the program's exit code (0 also
// when the login is cancelled).
int runShell(const QString& dbPath, const ShellWiring& wiring = {});
