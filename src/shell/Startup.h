#pragma once
// Start-up of the program: title, data module, main window, report forms, login, loop.
int runProgram(int argc, char** argv);
