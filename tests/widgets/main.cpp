// The widgets without the browser engine (framework, tree, document), on
// Qt's offscreen platform; the settings go to a directory of the run's own.

#include <cstdlib>

#include <gtest/gtest.h>

#include <QApplication>

#include "TestDir.h"

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const TestDir config(false);
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);

    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
