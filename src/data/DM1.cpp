#include "DM1.h"
#include "Schema.h"

#include <QFileInfo>

TDM1* DM1 = nullptr;

namespace {
const char* const StartupText = "数据库文件丢失，软件无法运行，请重新复制本软件！";
}

TDM1::TDM1(const QString& path)
try
    : fresh_(!QFileInfo::exists(path))
    , ADOC1(path)
    , AQ1(ADOC1, QStringLiteral("AQ1"))
    , AQcgz1(ADOC1, QStringLiteral("AQcgz1"), QStringLiteral("SELECT * FROM cgglz"))
    , AQcgc1(ADOC1, QStringLiteral("AQcgc1"), QStringLiteral("SELECT * FROM cgglc"))
    , AQxsz1(ADOC1, QStringLiteral("AQxsz1"), QStringLiteral("SELECT * FROM xsglz"))
    , AQxsc1(ADOC1, QStringLiteral("AQxsc1"), QStringLiteral("SELECT * FROM xsglc"))
    , AQrkz1(ADOC1, QStringLiteral("AQrkz1"), QStringLiteral("SELECT * FROM rkglz"))
    , AQrkc1(ADOC1, QStringLiteral("AQrkc1"), QStringLiteral("SELECT * FROM rkglc"))
    , AQdbz1(ADOC1, QStringLiteral("AQdbz1"), QStringLiteral("SELECT * FROM dbglz"))
    , AQdbc1(ADOC1, QStringLiteral("AQdbc1"), QStringLiteral("SELECT * FROM dbglc"))
    , AQsp1(ADOC1, QStringLiteral("AQsp1"), QStringLiteral("SELECT * FROM sp"))
    , AQkcfx1(ADOC1, QStringLiteral("AQkcfx1"), QStringLiteral("SELECT * FROM sp"))
    , AQcgfx1(ADOC1, QStringLiteral("AQcgfx1"), QStringLiteral("SELECT * FROM cgfx"))
    , AQxsfx1(ADOC1, QStringLiteral("AQxsfx1"), QStringLiteral("SELECT * FROM xsfx"))
    , AQrkfx1(ADOC1, QStringLiteral("AQrkfx1"), QStringLiteral("SELECT * FROM rkfx"))
    , AQcghz1(ADOC1, QStringLiteral("AQcghz1"), QStringLiteral("SELECT * FROM cghz"))
    , AQxshz1(ADOC1, QStringLiteral("AQxshz1"), QStringLiteral("SELECT * FROM xshz"))
    , AQrkhz1(ADOC1, QStringLiteral("AQrkhz1"), QStringLiteral("SELECT * FROM rkhz"))
    , AQxstj3(ADOC1, QStringLiteral("AQxstj3"), QStringLiteral("SELECT * FROM xstj3"))
    , AQkctj1(ADOC1, QStringLiteral("AQkctj1"), QStringLiteral("SELECT * FROM kctj"))
    , AQfkfx1(ADOC1, QStringLiteral("AQfkfx1"), QStringLiteral("SELECT * FROM fkfx"))
    , AQskfx1(ADOC1, QStringLiteral("AQskfx1"), QStringLiteral("SELECT * FROM skfx"))
    , AQszfx1(ADOC1, QStringLiteral("AQszfx1"), QStringLiteral("SELECT * FROM szfx"))
    , AQszxm1(ADOC1, QStringLiteral("AQszxm1"), QStringLiteral("SELECT * FROM szxm"))
    , AQzu1(ADOC1, QStringLiteral("AQzu1"), QStringLiteral("SELECT * FROM zu"))
    , AQchai1(ADOC1, QStringLiteral("AQchai1"), QStringLiteral("SELECT * FROM chai"))
    , AQlb1(ADOC1, QStringLiteral("AQlb1"), QStringLiteral("SELECT * FROM lb"))
    , AQyg1(ADOC1, QStringLiteral("AQyg1"), QStringLiteral("SELECT * FROM yg"))
    , AQck1(ADOC1, QStringLiteral("AQck1"), QStringLiteral("SELECT * FROM ck"))
    , AQghs1(ADOC1, QStringLiteral("AQghs1"), QStringLiteral("SELECT * FROM ghs"))
    , AQkh1(ADOC1, QStringLiteral("AQkh1"), QStringLiteral("SELECT * FROM kh"))
    , ATdanwei1(ADOC1, QStringLiteral("ATdanwei1"), QStringLiteral("SELECT * FROM danwei"))
{
    // Errors here reach the handlers below, as those of opening the file do.
    if (fresh_) {
        Schema::create(ADOC1);
        Schema::seed(ADOC1);
    } else {
        if (ADOC1.execute(QStringLiteral("SELECT id FROM danwei")).isEmpty())
            throw StartupError(StartupText);
        Schema::create(ADOC1); // adds what an older file lacks
    }
} catch (const StartupError&) {
    throw;
} catch (const std::exception&) {
    throw StartupError(StartupText);
}

TDM1::~TDM1()
{
    if (DM1 == this)
        DM1 = nullptr;
}

QString TDM1::printName()
{
    if (!ATdanwei1.isOpen())
        ATdanwei1.open();
    return ATdanwei1.text(QStringLiteral("mcdy"));
}

Query* TDM1::query(const QString& name)
{
    Query* all[] = {&AQ1, &AQcgz1, &AQcgc1, &AQxsz1, &AQxsc1, &AQrkz1, &AQrkc1, &AQdbz1, &AQdbc1,
                    &AQsp1, &AQkcfx1, &AQcgfx1, &AQxsfx1, &AQrkfx1, &AQcghz1, &AQxshz1, &AQrkhz1,
                    &AQxstj3, &AQkctj1, &AQfkfx1, &AQskfx1, &AQszfx1, &AQszxm1, &AQzu1, &AQchai1,
                    &AQlb1, &AQyg1, &AQck1, &AQghs1, &AQkh1, &ATdanwei1};
    for (Query* q : all)
        if (q->name() == name)
            return q;
    return nullptr;
}
