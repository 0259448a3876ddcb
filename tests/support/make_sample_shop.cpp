// make_sample_shop <path>: creates a database at path and fills it with the sample shop.
#include "SampleShop.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_shop <path>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s already exists\n", argv[1]);
        return 1;
    }
    try {
        TDM1 dm(path);
        buildSampleShop(dm);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("sample shop written to %s\n", argv[1]);
    return 0;
}
