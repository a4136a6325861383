#include "app/startup/WorkingDirectory.h"

#include <cstdlib>
#include <string>

#include <pwd.h>
#include <unistd.h>

#include "app/startup/WorkingDirectorySeed.h"

namespace fs = std::filesystem;

namespace {

bool IsAbsolute(const char* path)
{
    return path && path[0] == '/';
}

// $HOME, or the password database's entry when it is not set.
const char* HomeDirectory()
{
    if (const char* home = std::getenv("HOME"); IsAbsolute(home))
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry ? entry->pw_dir : nullptr;
}

bool IsDirectory(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

} // namespace

fs::path UserWorkingDirectory(const char* xdgDataHome, const char* home)
{
    // The XDG rules: a relative $XDG_DATA_HOME is invalid and ignored.
    if (IsAbsolute(xdgDataHome))
        return fs::path(xdgDataHome) / "vantory";
    if (IsAbsolute(home))
        return fs::path(home) / ".local" / "share" / "vantory";
    return {};
}

fs::path InstalledDataDirectory(const fs::path& executable)
{
    const fs::path shared = (executable.parent_path() / VANTORY_DATA_FROM_BIN).lexically_normal();
    return IsDirectory(shared / "tpl") ? shared : fs::path();
}

bool HoldsCatalog(const fs::path& dir)
{
    return IsDirectory(dir / "data") || IsDirectory(dir / "tpl");
}

bool EnterWorkingDirectory(const char* program, std::FILE* err)
{
    std::error_code error;
    const fs::path current = fs::current_path(error);
    if (!error && HoldsCatalog(current))
        return true;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    const fs::path shared = error ? fs::path() : InstalledDataDirectory(executable);
    if (shared.empty())
        return true;

    const fs::path user = UserWorkingDirectory(std::getenv("XDG_DATA_HOME"), HomeDirectory());
    if (user.empty()) {
        std::fprintf(err, "%s: no home directory to keep the catalog in\n", program);
        return false;
    }
    const bool fresh = !fs::exists(fs::symlink_status(user, error));
    fs::create_directories(user, error);
    if (error) {
        std::fprintf(err, "%s: cannot make %s: %s\n", program, user.c_str(), error.message().c_str());
        return false;
    }
    const SeedResult seeded = SeedWorkingDirectory(shared, user);
    if (!seeded.error.empty())
        std::fprintf(err, "%s: %s\n", program, seeded.error.c_str());
    fs::current_path(user, error);
    if (error) {
        std::fprintf(err, "%s: cannot work in %s: %s\n", program, user.c_str(), error.message().c_str());
        return false;
    }
    if (fresh && seeded.catalogAdded)
        std::fprintf(err, "%s: made %s with the templates and the sample catalog\n", program, user.c_str());
    return seeded.error.empty();
}
