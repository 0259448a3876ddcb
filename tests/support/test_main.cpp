// The main of every test program: an offscreen application that routes handler errors to
// the (recorded) error box, then GoogleTest.
#include "support/Recorder.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <QLocale>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    ::testing::InitGoogleTest(&argc, argv);
    ShopApplication app(argc, argv);
    installTestFallbacks();
    return RUN_ALL_TESTS();
}
