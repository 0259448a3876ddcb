#include "Windows.h"

#include "shell/Umain1.h"

void wireMenus(TFmain1& main)
{
    (void)main;
}

void createReportForms()
{
}
