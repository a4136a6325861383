// The skin tests draw with real fonts and widgets on the offscreen platform.

#include <cstdlib>

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
