#pragma once
// A report form: its report QuickRep1 with named labels and data texts, filled by its
// caller before each preview. Report forms are created hidden at start-up and kept for
// the whole run; reportForm() creates one on first use when start-up has not.

#include "QuickRep.h"

class TReportForm {
public:
    virtual ~TReportForm() = default;

    QuickRep QuickRep1;

    // The report's data set and that of every data text.
    void bindTo(Query* q);
    // Opens the shared preview on the report.
    void preview() { QuickRep1.preview(); }
};

template <class T>
T& reportForm(T*& instance)
{
    if (!instance)
        instance = new T;   // kept for the whole run
    return *instance;
}
