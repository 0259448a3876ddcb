#include "Windows.h"

#include "shell/Umain1.h"
#include "queries/Ucggl1.h"

void wireMenus(TFmain1& main)
{
    (void)main;
    main.setOpener(main.N401, openPurchaseList);
}

void createReportForms()
{
}
