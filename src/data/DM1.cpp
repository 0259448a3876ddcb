#include "DM1.h"
#include "Schema.h"


TDM1* DM1 = nullptr;

namespace {
const char* const StartupText = "数据库文件丢失，软件无法运行，请重新复制本软件！";

// Whether the file at path is a new database to be given the schema. A file of the program's
// own is opened as it is; one that cannot serve is refused before anything is written to it.
bool newDatabase(const QString& path)
{
    const Schema::FileCheck check = Schema::checkFile(path);
    switch (check.state) {
    case Schema::FileCheck::New: return true;
    case Schema::FileCheck::Ours: return false;
    case Schema::FileCheck::Unreadable: break;
    case Schema::FileCheck::Incomplete: {
        QStringList missing;
        if (!check.missingTables.isEmpty())
            missing << QStringLiteral("数据表 ") + check.missingTables.join(QStringLiteral("、"));
        if (!check.missingColumns.isEmpty())
            missing << QStringLiteral("字段 ") + check.missingColumns.join(QStringLiteral("、"));
        throw StartupError((QStringLiteral("数据库文件已损坏（缺少") + missing.join(QStringLiteral("；"))
                            + QStringLiteral("），软件无法运行！")).toStdString());
    }
    }
    throw StartupError(StartupText);
}
}

TDM1::TDM1(const QString& path)
try
    : fresh_(newDatabase(path))
    , ADOC1(path)
{
    // Errors here reach the handlers below, as those of opening the file do.
    if (fresh_) {
        Schema::create(ADOC1);
        Schema::seed(ADOC1);
    } else {
        if (ADOC1.execute(QStringLiteral("SELECT id FROM danwei")).isEmpty())
            throw StartupError(StartupText);
        Schema::create(ADOC1); // adds the indexes an older file of ours lacks
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

std::span<Query TDM1::* const> TDM1::sharedQueries()
{
#define DM1_MEMBER(name, sql) &TDM1::name,
    static constexpr Query TDM1::* members[] = {DM1_SHARED_QUERIES(DM1_MEMBER)};
#undef DM1_MEMBER
    return members;
}

Query* TDM1::query(const QString& name)
{
    for (Query TDM1::* member : sharedQueries())
        if ((this->*member).name() == name)
            return &(this->*member);
    return nullptr;
}

Query& sharedQuery(Query TDM1::*member)
{
    if (!DM1 || !member)
        throw std::logic_error("no shared query");
    return DM1->*member;
}
