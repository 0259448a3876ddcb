#pragma once
// Start-up of the program: title, data module, main window, report forms, login, loop.
#include <QString>

class QCoreApplication;

int runProgram(int argc, char** argv);

// Qt's own texts (the print and page-setup dialogs, the edits' context menus, the standard
// buttons) in Chinese: loads Qt's Chinese translation from Qt's translations folder into the
// application. False when it is not installed (the texts then stay English).
bool installQtChinese(QCoreApplication& app);

// Everything after the application object exists, on the database at dbPath: the lock that
// keeps a second copy of the program off the same database, the data module, the main window,
// the report forms, the login and the message loop. Returns the program's exit code (0 also
// when the login is cancelled).
int runShell(const QString& dbPath);
