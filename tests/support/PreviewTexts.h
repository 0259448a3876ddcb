#pragma once
// What a print shows, read from the preview it opens: for each named element of the report's
// one page, "name=" + its placed texts joined by "|" (one per row for a data text).

#include "report/QuickRep.h"
#include "support/Recorder.h"

#include <gtest/gtest.h>

#include <functional>

inline QStringList previewTexts(ModalScript& modal, const QuickRep& rep, const QStringList& names,
                                const std::function<void()>& print)
{
    QStringList out;
    modal.next([&](QDialog&) {
        const auto rows = rep.dataRows();
        const QuickRep::Layout layout = rep.layout(*rows);
        EXPECT_EQ(layout.pageCount(), 1);
        const PageContent p = layout.page(0);
        for (const QString& n : names) {
            QStringList texts;
            for (const PlacedText& t : p.named(n))
                texts << t.text;
            out << n + QLatin1Char('=') + texts.join(QLatin1Char('|'));
        }
    });
    print();
    return out;
}
