#pragma once
// A shop database of purchase headers for the list window tests: the two headers every
// list test starts from, helpers to add lines, goods, ledger and payment rows, and access
// to the open purchase list.

#include "data/Clock.h"
#include "data/DM1.h"
#include "queries/Ucggl1.h"
#include "ui/Controls.h"

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

struct ListShop {
    QTemporaryDir dir;
    std::unique_ptr<TDM1> dm;
    TDM1* saved = DM1;

    explicit ListShop(bool headers = true)
    {
        Clock::pin(QDateTime(QDate(2024, 2, 15), QTime(10, 0)));
        dm = std::make_unique<TDM1>(dir.filePath(QStringLiteral("TRZData1.db")));
        DM1 = dm.get();
        if (headers) {
            header(QStringLiteral("CG20240101001"), QStringLiteral("2024-01-01"), QStringLiteral("华南电器"),
                   QStringLiteral("已审核"), QStringLiteral("3"), QStringLiteral("100.25"), QStringLiteral("100.25"),
                   QStringLiteral("100.25"), QStringLiteral("0"));
            header(QStringLiteral("CG20240102001"), QStringLiteral("2024-01-02"), QStringLiteral("北方电子"),
                   QStringLiteral("未审核"), QStringLiteral("2"), QStringLiteral("50.25"), QStringLiteral("50.25"),
                   QStringLiteral("20"), QStringLiteral("30.25"));
        }
    }
    ~ListShop()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (Fcggl1)
            delete Fcggl1.data();
        DM1 = saved;
        Clock::unpin();
    }

    void exec(const QString& sql) { dm->ADOC1.exec(sql); }
    QString scalar(const QString& sql)
    {
        RecordSet rs = dm->ADOC1.execute(sql);
        return rs.isEmpty() ? QStringLiteral("<none>") : rs.rows[0].value(0).toString();
    }
    int count(const QString& sql) { return scalar(QStringLiteral("SELECT count(*) FROM ") + sql).toInt(); }

    void header(const QString& dh, const QString& rq, const QString& ghs, const QString& shbj,
                const QString& hjsl, const QString& hjje, const QString& yfe, const QString& sfe,
                const QString& qk, const QString& ck = QStringLiteral("总仓"))
    {
        exec(QStringLiteral("INSERT INTO cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) "
                            "VALUES (%1,%2,%2,%3,'系统管理员',%4,%5,'张三','',%6,%7,0,%8,%9,%10)")
                 .arg(sqlQuote(dh), sqlQuote(rq), sqlQuote(shbj), sqlQuote(ck), sqlQuote(ghs), hjsl, hjje, yfe, sfe, qk));
    }

    // The purchase list, opened as the menu opens it.
    TFcggl1& list()
    {
        openPurchaseList();
        QApplication::processEvents();
        return *Fcggl1;
    }
};
