#include "Windows.h"

#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "documents/Udyxsd1.h"
#include "documents/Udyxsd2.h"
#include "documents/Utjcgd1.h"
#include "finance/Udyszfx1.h"
#include "finance/Udysztj1.h"
#include "finance/Uszfx1.h"
#include "finance/Usztj1.h"
#include "queries/Ucggl1.h"
#include "queries/Udycggl1.h"
#include "queries/Udykcfx1.h"
#include "queries/Ukcfx1.h"
#include "queries/Uxsgl1.h"
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
    main.setOpener(main.N405, openSalesList);
    main.setOpener(main.N414, openStockTable);
    // Other income and expense, the comprehensive statistics.
    main.setOpener(main.N606, openOtherIncomeList);
    main.setOpener(main.N607, openComprehensiveStatistics);
}

void createReportForms()
{
    reportForm(Fdycgd1);
    reportForm(Fdycgd2);
    reportForm(Fdycggl1);
    reportForm(Fdyxsd1);
    reportForm(Fdyxsd2);
    reportForm(Fdykcfx1);
    reportForm(Fdykcfx2);
    reportForm(Fdyszfx1);
    reportForm(Fdysztj1);
}
