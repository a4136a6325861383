#include "download/DownloadFolder.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::filesystem::path Home()
{
    const char* home = std::getenv("HOME");
    return home && *home ? std::filesystem::path(home) : std::filesystem::path("/");
}

// The XDG_DOWNLOAD_DIR line of user-dirs.dirs: a quoted path that may
// start with "$HOME"; "" when there is none.
std::filesystem::path FromUserDirs()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::filesystem::path dir = config && *config == '/' ? std::filesystem::path(config) : Home() / ".config";
    std::ifstream file(dir / "user-dirs.dirs");
    std::string line;
    while (std::getline(file, line)) {
        constexpr std::string_view kKey = "XDG_DOWNLOAD_DIR=\"";
        if (!line.starts_with(kKey) || line.back() != '"')
            continue;
        std::string value = line.substr(kKey.size(), line.size() - kKey.size() - 1);
        if (value.starts_with("$HOME"))
            return Home() / std::filesystem::path(value.substr(5)).relative_path();
        if (value.starts_with("/"))
            return value;
    }
    return {};
}

} // namespace

std::filesystem::path UserDownloadFolder()
{
    const char* set = std::getenv("XDG_DOWNLOAD_DIR");
    if (set && *set == '/')
        return set;
    std::filesystem::path named = FromUserDirs();
    return named.empty() ? Home() / "Downloads" : named;
}

std::filesystem::path VantoryDownloadFolder()
{
    return UserDownloadFolder() / "Vantory";
}
