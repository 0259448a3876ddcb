#pragma once
// What the window benchmarks share: their program (offscreen, the size from the first
// argument, a fresh database as DM1) and what they compare with, SQLite alone stepping
// through a statement.

#include "data/DM1.h"
#include "ui/Forms.h"

#include "sqlite_alone.h"

#include <QString>
#include <QTemporaryDir>
#include <cstdlib>

struct BenchShop {
    long long size;
    int qtArgc = 1;
    ShopApplication app;
    QTemporaryDir dir;
    TDM1 dm{dir.filePath(QStringLiteral("TRZData1.db"))};

    BenchShop(int argc, char** argv, long long defaultSize)
        : size(offscreen(argc > 1 ? std::atoll(argv[1]) : defaultSize)), app(qtArgc, argv)
    {
        DM1 = &dm;
    }
    ~BenchShop() { DM1 = nullptr; }

private:
    static long long offscreen(long long n)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return n;
    }
};
