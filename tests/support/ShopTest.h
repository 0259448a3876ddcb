#pragma once
// A test on a fresh shop database (the sample shop, or an empty one when the fixture says
// so), with the message recorder, the modal script and helpers that write and read rows.

#include "support/Recorder.h"
#include "support/SampleShop.h"

#include <gtest/gtest.h>

#include <ostream>

// Texts as text in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class ShopTest : public ::testing::Test {
protected:
    explicit ShopTest(bool sample = true) : shop(sample) {}
    void exec(const QString& sql) { dm->ADOC1.exec(sql); }
    QString scalar(const QString& sql) { return sqlScalar(*dm, sql); }
    int count(const QString& from) { return sqlCount(*dm, "SELECT count(*) FROM " + from); }

    TempShop shop;
    TDM1* dm = shop.dm.get();
    MessageRecorder rec;
    ModalScript modal;
};
