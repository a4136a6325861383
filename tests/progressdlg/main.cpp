#include <QApplication>

#include <gtest/gtest.h>

// The dialog tests need a QApplication. They run offscreen, also when
// CTest lists them before setting the test's environment.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
