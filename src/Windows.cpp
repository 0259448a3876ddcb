#include "Windows.h"

#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "queries/Udycggl1.h"
#include "shell/Umain1.h"

void wireMenus(TFmain1& main)
{
    (void)main;
}

void createReportForms()
{
    reportForm(Fdycgd1);
    reportForm(Fdycgd2);
    reportForm(Fdycggl1);
}
