// The widgets without the browser engine (framework, tree, document), on
// Qt's offscreen platform; the settings go to a directory of the run's own.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string config = (std::filesystem::temp_directory_path() / "vantory-widgets-config-XXXXXX").string();
    if (!::mkdtemp(config.data()))
        return 2;
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    testing::InitGoogleTest(&argc, argv);
    int result = 0;
    {
        QApplication application(argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    return result;
}
