// The main of every test program: an offscreen application that routes handler errors to
// the (recorded) error box, then GoogleTest. The program's temporary folder (where exports
// go too) is a fresh one of its own, so test programs running side by side share no file; it
// serves as the runtime folder too when the session names none.
#include "support/Recorder.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    const QTemporaryDir temp;
    if (!temp.isValid())
        return 1;
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(temp.path()));
    ::testing::InitGoogleTest(&argc, argv);
    ShopApplication app(argc, argv);
    installTestFallbacks();
    return RUN_ALL_TESTS();
}
