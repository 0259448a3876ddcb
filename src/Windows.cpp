#include "Windows.h"

#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "documents/Udyxsd1.h"
#include "documents/Udyxsd2.h"
#include "documents/Udydbd1.h"
#include "documents/Udyrkd1.h"
#include "documents/Utjcgd1.h"
#include "finance/Udyfkfx1.h"
#include "finance/Udyszfx1.h"
#include "finance/Udysztj1.h"
#include "finance/Udyyffx1.h"
#include "finance/Ufkfx1.h"
#include "finance/Uszfx1.h"
#include "finance/Usztj1.h"
#include "finance/Uyffx1.h"
#include "queries/LedgerDetail.h"
#include "queries/LedgerStatistics.h"
#include "queries/Ucggl1.h"
#include "queries/Udbgl1.h"
#include "queries/Udydbgl1.h"
#include "queries/Udyrkgl1.h"
#include "queries/Udycgfx1.h"
#include "queries/Udycghz1.h"
#include "queries/Udycggl1.h"
#include "queries/Udykcfx1.h"
#include "queries/Udykctj1.h"
#include "queries/Udyxstj3.h"
#include "queries/Ukcfx1.h"
#include "queries/Urkgl1.h"
#include "queries/Ukctj1.h"
#include "queries/Uxsgl1.h"
#include "queries/Uxstj3.h"
#include "shell/Umain1.h"

void wireMenus(TFmain1& main)
{
    main.setOpener(main.N301, [] { openOrActivate(Ftjcgd1); });
    main.setOpener(main.N401, openPurchaseList);
    main.setOpener(main.N405, openSalesList);
    main.setOpener(main.N408, openCommissionTable);
    main.setOpener(main.N414, openStockTable);
    main.setOpener(main.N415, openStockBalanceTable);
    // Other income and expense, the comprehensive statistics.
    main.setOpener(main.N606, openOtherIncomeList);
    main.setOpener(main.N607, openComprehensiveStatistics);
    // The ledger detail and statistics tables.
    main.setOpener(main.N402, [] { openLedgerDetail(Ledger::Purchase); });
    main.setOpener(main.N406, [] { openLedgerDetail(Ledger::Sales); });
    main.setOpener(main.N411, [] { openLedgerDetail(Ledger::StockChange); });
    main.setOpener(main.N403, [] { openLedgerStatistics(Ledger::Purchase); });
    main.setOpener(main.N407, [] { openLedgerStatistics(Ledger::Sales); });
    main.setOpener(main.N412, [] { openLedgerStatistics(Ledger::StockChange); });
    // The movement and transfer document lists.
    main.setOpener(main.N410, openMovementList);
    main.setOpener(main.N420, openTransferList);
    // Payments and receipts.
    main.setOpener(main.N603, openPaymentList);
    main.setOpener(main.N604, openReceiptList);
    // Payables and receivables.
    main.setOpener(main.N601, openPayablesTable);
    main.setOpener(main.N602, openReceivablesTable);
}

void createReportForms()
{
    reportForm(Fdycgd1);
    reportForm(Fdycgd2);
    reportForm(Fdycggl1);
    reportForm(Fdyxsd1);
    reportForm(Fdyxsd2);
    reportForm(Fdyxstj3);
    reportForm(Fdykcfx1);
    reportForm(Fdykcfx2);
    reportForm(Fdykctj1);
    reportForm(Fdyszfx1);
    reportForm(Fdysztj1);
    reportForm(Fdycgfx1);
    reportForm(Fdycghz1);
    reportForm(Fdyfkfx1);
    reportForm(Fdyyffx1);
    // The movement and transfer documents and their lists.
    reportForm(Fdyrkd1);
    reportForm(Fdydbd1);
    reportForm(Fdyrkgl1);
    reportForm(Fdydbgl1);
}
