#pragma once
// The purchase list tests' shop: the sample shop with two purchase headers (1 CG20240101001
// 华南电器 audited and settled; 2 CG20240102001 北方电子 held, 30.25 owed), the message
// recorder, the modal script, and helpers that drive the open purchase list.

#include "data/Clock.h"
#include "data/DM1.h"
#include "queries/Ucggl1.h"
#include "queries/Ucxcg1.h"
#include "support/Recorder.h"
#include "support/SampleShop.h"
#include "ui/Controls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>

// The five totals of a purchase or sales list: panels 2, 3, 5, 6, 7.
inline QStringList documentTotals(const QueryWindow& w)
{
    QStringList out;
    for (int i : {2, 3, 5, 6, 7})
        out << w.StatusBar1->panelText(i);
    return out;
}

// Opens a document list's condition dialog through SB77 and hands it to step.
template <class Dialog>
void runConditionDialog(ModalScript& modal, DocumentList& w, std::function<void(Dialog&)> step)
{
    modal.next([step](QDialog& d) { step(static_cast<Dialog&>(d)); });
    w.SB77->click();
}

// The list shows dh as audited while the database holds it held, then no longer at all
// (table: its header table; the list stands on dh): each 反审 asks, then says so, and the
// database stays as it was.
inline void expectStaleUnauditsSaid(TDM1& dm, MessageRecorder& rec, DocumentList& w, const QString& table,
                                    const QString& dh)
{
    const struct { QString change; const char* warning; } stale[] = {
        {"UPDATE " + table + " SET shbj='未审核' WHERE dh=" + sqlQuote(dh), "本单据已经反审！"},
        {"DELETE FROM " + table + " WHERE dh=" + sqlQuote(dh), "本单据已不存在，请重新查询！"},
    };
    for (const auto& s : stale) {
        dm.ADOC1.exec(s.change);
        const QString before = dumpDatabase(dm);
        rec.clear();
        w.SB44->click();
        EXPECT_EQ(rec.texts(), (QStringList{"确定要反审此单据么？", s.warning})) << s.warning;
        EXPECT_EQ(dumpDatabase(dm), before);
    }
}

struct ListShop {
    TempShop shop;
    TDM1* dm = shop.dm.get();
    MessageRecorder rec;
    ModalScript modal;

    ListShop()
    {
        Clock::pin(QDateTime(QDate(2024, 2, 15), QTime(10, 0)));
        header("CG20240101001", "2024-01-01", "华南电器", "已审核", "3", "100.25", "100.25");
        header("CG20240102001", "2024-01-02", "北方电子", "未审核", "2", "50.25", "20");
    }
    ~ListShop()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete Fcggl1.data();
        Clock::unpin();
    }

    void exec(const QString& sql) { dm->ADOC1.exec(sql); }
    QString scalar(const QString& sql) { return sqlScalar(*dm, sql); }
    int count(const QString& from) { return sqlCount(*dm, QStringLiteral("SELECT count(*) FROM ") + from); }

    // A header paying yfe = hjje and owing qk = yfe - sfe.
    void header(const QString& dh, const QString& rq, const QString& ghs, const QString& shbj,
                const QString& hjsl, const QString& hjje, const QString& sfe)
    {
        exec(QStringLiteral("INSERT INTO cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) "
                            "VALUES (%1,%2,%2,%3,'系统管理员','总仓',%4,'张三','',%5,%6,0,%6,%7,%6-%7)")
                 .arg(sqlQuote(dh), sqlQuote(rq), sqlQuote(shbj), sqlQuote(ghs), hjsl, hjje, sfe));
    }

    // The purchase list, opened as the menu opens it.
    TFcggl1& list()
    {
        openPurchaseList();
        return *Fcggl1;
    }
    // Opens the condition dialog through SB77 and hands it to step.
    void dialog(std::function<void(TFcxcg1&)> step) { runConditionDialog(modal, *Fcggl1, step); }
    // The list with every header, by id.
    TFcggl1& listAll()
    {
        list();
        dialog([](TFcxcg1& d) { d.BitBtn1->click(); });
        return *Fcggl1;
    }
    // Panels 2, 3, 5, 6, 7.
    QStringList panels() const { return documentTotals(*Fcggl1); }
    QStringList column(const QString& field) const { return columnTexts(dm->AQcgz1, field); }
    bool moveTo(const QString& dh) { return dm->AQcgz1.locate({QStringLiteral("dh")}, {dh}); }
};
