#include "Udyxsd1.h"

#include <utility>

TFdyxsd1* Fdyxsd1 = nullptr;

DocumentBlocks salesBlocks()
{
    return {.leftBlock = {{.caption = "客户:", .label = "QRLkh2"}, {.caption = "备注:", .label = "QRLbz2"}},
            .summary = {{.name = "QRLyh1", .caption = "优惠额:", .left = 0.5, .top = 7.4},
                        {.name = "QRLyh2", .left = 12.7, .top = 7.4},
                        {.name = "QRLss1", .caption = "实收额:", .left = 40.0, .top = 7.4},
                        {.name = "QRLss2", .left = 52.0, .top = 7.4},
                        {.name = "QRLqk1", .left = 0.5, .top = 11.9},
                        {.name = "QRLqk2", .left = 12.7, .top = 11.9},
                        {.name = "xx1", .left = 0.5, .top = 16.4},
                        {.name = "xx2", .left = 0.5, .top = 20.9}},
            .summaryHeight = 25.4};
}

TFdyxsdLayout::TFdyxsdLayout(const DocumentColumns& columns) : TFdycgdLayout(columns, salesBlocks())
{
    const std::pair<QRLabel**, const char*> labels[] = {{&QRLkh2, "QRLkh2"}, {&QRLyh2, "QRLyh2"}, {&QRLss2, "QRLss2"},
                                                        {&QRLqk1, "QRLqk1"}, {&QRLqk2, "QRLqk2"}, {&xx1, "xx1"},
                                                        {&xx2, "xx2"}};
    for (const auto& [label, name] : labels)
        *label = item(QString::fromLatin1(name));
}

TFdyxsd1::TFdyxsd1() : TFdyxsdLayout(columnsWithoutCodes()) {}
