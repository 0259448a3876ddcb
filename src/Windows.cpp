#include "Windows.h"

#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "documents/Utjcgd1.h"
#include "queries/Ucggl1.h"
#include "queries/Udycggl1.h"
#include "queries/Udykcfx1.h"
#include "queries/Udykctj1.h"
#include "queries/Udyxstj3.h"
#include "queries/Ukcfx1.h"
#include "queries/Ukctj1.h"
#include "queries/Uxstj3.h"
#include "shell/Umain1.h"
#include "ui/Forms.h"

void wireMenus(TFmain1& main)
{
    main.setOpener(main.N301, [] {
        if (!ActivateIfOpen(Ftjcgd1)) {
            Ftjcgd1 = new TFtjcgd1();
            showMdiChild(Ftjcgd1);
        }
    });
    main.setOpener(main.N401, openPurchaseList);
    main.setOpener(main.N408, openCommissionTable);
    main.setOpener(main.N414, openStockTable);
    main.setOpener(main.N415, openStockBalanceTable);
}

void createReportForms()
{
    reportForm(Fdycgd1);
    reportForm(Fdycgd2);
    reportForm(Fdycggl1);
    reportForm(Fdyxstj3);
    reportForm(Fdykcfx1);
    reportForm(Fdykcfx2);
    reportForm(Fdykctj1);
}
