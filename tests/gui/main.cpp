// The GUI tests run real widgets and the real browser engine, by default
// on the offscreen platform; the settings go to a directory of the run's own.

#include <cstdlib>

#include <gtest/gtest.h>

#include <QApplication>

#include "TestDir.h"
#include "pages/browser/BrowserEngine.h"

namespace {

void SetDefault(const char* name, const char* value)
{
    if (!std::getenv(name))
        ::setenv(name, value, 1);
}

} // namespace

int main(int argc, char** argv)
{
    SetDefault("QT_QPA_PLATFORM", "offscreen");
    SetDefault("QTWEBENGINE_DISABLE_SANDBOX", "1");
    SetDefault("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");

    const TestDir config(false);
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);

    testing::InitGoogleTest(&argc, argv);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    PrepareBrowserEngine();
    int result = 0;
    {
        QApplication application(argc, argv);
        result = RUN_ALL_TESTS();
    }
    return result;
}
