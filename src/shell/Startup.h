#pragma once
// Start-up of the program: title, data module, main window, report forms, login, loop.
#include <QString>

int runProgram(int argc, char** argv);

// Everything after the application object exists, on the database at dbPath: the lock that
// keeps a second copy of the program off the same database, the data module, the main window,
// the report forms, the login and the message loop. Returns the program's exit code (0 also
// when the login is cancelled).
int runShell(const QString& dbPath);
