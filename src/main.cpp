#include "Windows.h"
#include "shell/Startup.h"

int main(int argc, char** argv)
{
    return runProgram(argc, argv, {.wireMenus = wireMenus, .createReportForms = createReportForms});
}
