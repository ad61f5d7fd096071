// Test entry: a Qt application object for the whole run, headless unless told otherwise.
#include <gtest/gtest.h>

#include <cstdlib>

#ifdef LODGERA_TEST_GUI
#include "widgets/accessibility.h"

#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    // gtest_discover_tests may run the binary outside the test environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LODGERA_SHORT_DATE", "d.M.yyyy", 0);
    setenv("LODGERA_LONG_TIME", "H:mm:ss", 0);
    TestApplication app(argc, argv);
#ifdef LODGERA_TEST_GUI
    // As the programs do at start-up: the owner-drawn controls are visible to assistive technology.
    installControlAccessibility();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
