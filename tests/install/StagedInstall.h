#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "InstallTestSupport.h"
#include "ProcessRun.h"

// The installation that `cmake --install` made below the staging directory
// (the fixture test install_stage), or one unpacked from the package.
class Installation
{
public:
    explicit Installation(std::filesystem::path prefix) : m_prefix(std::move(prefix)) {}

    static Installation Staged() { return Installation(STAGE_DIR); }

    const std::filesystem::path& Prefix() const { return m_prefix; }
    std::filesystem::path Bin() const { return m_prefix / INSTALL_BINDIR; }
    std::filesystem::path Shared() const { return m_prefix / INSTALL_DATA_DIR; }
    std::filesystem::path DataRoot() const { return m_prefix / INSTALL_DATAROOTDIR; }
    std::filesystem::path DesktopEntry() const;
    // The command line of the desktop entry's Exec key, field codes dropped.
    std::vector<std::string> DesktopExec() const;

private:
    std::filesystem::path m_prefix;
};

// A user with a home of their own, who starts the installed programs as
// the desktop does: by name, through a PATH that leads to them.
class User
{
public:
    explicit User(const Installation& installation) : m_installation(installation) {}

    std::filesystem::path Home() const { return m_home.Path(); }
    // Where the programs keep this user's catalog (XDG_DATA_HOME unset).
    std::filesystem::path WorkDir() const { return Home() / ".local/share/vantory"; }

    // Runs a program of the installation in `directory` (the home when
    // empty) with this user's environment plus `changes`. The program
    // window, if any, goes to the offscreen platform and quits once shown.
    ProcessResult Run(const std::vector<std::string>& argv, const std::filesystem::path& directory = {},
                      const EnvironmentChanges& changes = {}) const;

private:
    const Installation m_installation;
    TestDir m_home{false};
};

// The per-type counts that `vantoryctl load` prints for the build's sample
// catalog, by the build tree's vantoryctl on a copy of it.
std::string SampleCounts();
