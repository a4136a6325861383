#include "StagedInstall.h"

#include <cstdlib>
#include <sstream>

namespace fs = std::filesystem;

fs::path Installation::DesktopEntry() const
{
    return DataRoot() / "applications" / (std::string(VANTORY_APP_ID) + ".desktop");
}

std::vector<std::string> Installation::DesktopExec() const
{
    std::istringstream lines(ReadFile(DesktopEntry()));
    std::vector<std::string> argv;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Exec=", 0) != 0)
            continue;
        std::istringstream fields(line.substr(5));
        for (std::string field; fields >> field;)
            if (field.size() != 2 || field[0] != '%')
                argv.push_back(field);
    }
    return argv;
}

ProcessResult User::Run(const std::vector<std::string>& argv, const fs::path& directory,
                        const EnvironmentChanges& changes) const
{
    const char* path = std::getenv("PATH");
    EnvironmentChanges environment = {
        {"HOME", Home().string()},
        {"XDG_DATA_HOME", std::nullopt},
        {"PATH", m_installation.Bin().string() + ":" + (path ? path : "/usr/bin:/bin")},
        {"QT_QPA_PLATFORM", "offscreen"},
        {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
        {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"},
        {"VANTORY_EXIT_WHEN_SHOWN", "1"},
    };
    for (const auto& [name, value] : changes)
        environment[name] = value;
    return RunProcess(argv, directory.empty() ? Home() : directory, environment);
}

std::string SampleCounts()
{
    static const std::string counts = [] {
        TestDir copy{false};
        fs::copy(fs::path(VANTORY_BINARY_DIR) / "sample/data", copy.Path() / "data", fs::copy_options::recursive);
        return RunProcess({BUILT_VANTORYCTL, "load"}, copy.Path()).out;
    }();
    return counts;
}
