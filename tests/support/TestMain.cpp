// Test entry point: one QApplication for the whole run (widgets need it),
// offscreen unless the caller chose a platform, and pinned regional settings.

#include "base/RegionalSettings.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    twl::setRegionalSettings(twl::RegionalSettings{});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
