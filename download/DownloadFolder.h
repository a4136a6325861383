#pragma once

#include <filesystem>

// The user's download folder, as desktops name it: XDG_DOWNLOAD_DIR when
// it is set to an absolute path, else the one that user-dirs.dirs (in
// XDG_CONFIG_HOME, ~/.config by default) names, else ~/Downloads.
std::filesystem::path UserDownloadFolder();

// Where the program saves what it downloads: "Vantory" in that folder.
std::filesystem::path VantoryDownloadFolder();
