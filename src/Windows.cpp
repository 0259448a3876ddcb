#include "Windows.h"

#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "documents/Utjcgd1.h"
#include "finance/Udyfkfx1.h"
#include "finance/Ufkfx1.h"
#include "queries/Ucggl1.h"
#include "queries/Udycggl1.h"
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
    // Payments and receipts.
    main.setOpener(main.N603, openPaymentList);
    main.setOpener(main.N604, openReceiptList);
}

void createReportForms()
{
    reportForm(Fdycgd1);
    reportForm(Fdycgd2);
    reportForm(Fdycggl1);
    reportForm(Fdyfkfx1);
}
