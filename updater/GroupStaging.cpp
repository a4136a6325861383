#include "updater/GroupStaging.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "catalog/TextFile.h"
#include "updater/UpdateFiles.h"

namespace fs = std::filesystem;

namespace {

// The "*" keeps these names apart from every group's directory: group ids
// are stored under SafeFileName, which has no "*". One staging directory a
// type is enough, since groups are updated one after the other.
constexpr const char* kStagingName = ".staging*";
constexpr const char* kRetiredName = ".retired*";

// "<n>.xml" with n a page number as the update writes it.
bool IsPageName(const std::string& name)
{
    if (name.size() < 5 || !name.ends_with(".xml") || name[0] < '1' || name[0] > '9')
        return false;
    for (size_t i = 1; i + 4 < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9')
            return false;
    return true;
}

void RemoveTree(const std::string& path)
{
    std::error_code error;
    fs::remove_all(path, error);
}

bool Exists(const std::string& path)
{
    struct stat info{};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

GroupStaging::GroupStaging(std::string typeDir, std::string dirName, FailureReport report)
    : m_groupDir(typeDir + PATH_SEPARATOR + dirName),
      m_stagingDir(typeDir + PATH_SEPARATOR + kStagingName),
      m_retiredDir(typeDir + PATH_SEPARATOR + kRetiredName),
      m_report(std::move(report))
{
}

GroupStaging::~GroupStaging()
{
    if (m_prepared && !m_committed)
        RemoveTree(m_stagingDir);
}

bool GroupStaging::Prepare()
{
    if (m_prepared)
        return true;
    RemoveTree(m_stagingDir);
    if (::mkdir(m_stagingDir.c_str(), 0777) != 0) {
        Report("", errno);
        return false;
    }
    m_prepared = true;
    return true;
}

bool GroupStaging::WritePage(long long page, std::string_view text)
{
    if (!Prepare())
        return false;
    const std::string name = std::to_string(page) + ".xml";
    int error = 0;
    if (!WriteWholeFile(m_stagingDir + PATH_SEPARATOR + name, text, &error)) {
        Report(name, error);
        return false;
    }
    return true;
}

bool GroupStaging::CarryOverOtherFiles()
{
    std::error_code error;
    for (fs::directory_iterator it(m_groupDir, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (IsPageName(name))
            continue;
        const std::string from = m_groupDir + PATH_SEPARATOR + name;
        const std::string to = m_stagingDir + PATH_SEPARATOR + name;
        // A link keeps the picture where it was should anything stop here;
        // where links cannot be made it moves.
        if (::link(from.c_str(), to.c_str()) != 0 && std::rename(from.c_str(), to.c_str()) != 0) {
            Report(name, errno);
            return false;
        }
    }
    // A directory that cannot be listed is carried over as far as it could.
    return true;
}

bool GroupStaging::Commit()
{
    if (!m_prepared)
        return false;
    if (!Exists(m_groupDir)) {
        if (std::rename(m_stagingDir.c_str(), m_groupDir.c_str()) != 0) {
            Report("", errno);
            return false;
        }
        m_committed = true;
        return true;
    }
    if (!CarryOverOtherFiles())
        return false;
    if (::renameat2(AT_FDCWD, m_stagingDir.c_str(), AT_FDCWD, m_groupDir.c_str(), RENAME_EXCHANGE) == 0) {
        m_committed = true;
        RemoveTree(m_stagingDir);  // now the old directory
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        Report("", errno);
        return false;
    }
    RemoveTree(m_retiredDir);
    if (std::rename(m_groupDir.c_str(), m_retiredDir.c_str()) != 0) {
        Report("", errno);
        return false;
    }
    if (std::rename(m_stagingDir.c_str(), m_groupDir.c_str()) != 0) {
        const int error = errno;
        std::rename(m_retiredDir.c_str(), m_groupDir.c_str());
        Report("", error);
        return false;
    }
    m_committed = true;
    RemoveTree(m_retiredDir);
    return true;
}

void GroupStaging::Report(const std::string& name, int error)
{
    m_report(name.empty() ? m_groupDir : m_groupDir + PATH_SEPARATOR + name, error);
}

void RemoveLeftStaging(const std::string& typeDir)
{
    RemoveTree(typeDir + PATH_SEPARATOR + kStagingName);
    RemoveTree(typeDir + PATH_SEPARATOR + kRetiredName);
}
