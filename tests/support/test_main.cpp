// Runs every test binary in a throw-away home so no test can touch the user's
// settings or shared file, with a QApplication for the code that needs one.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "test_support.h"

int main(int argc, char **argv)
{
    QTemporaryDir home(QDir::tempPath() + "/pellix-test-XXXXXX");
    if (!home.isValid())
        return 2;
    pellix::test::useHome(home.path());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
