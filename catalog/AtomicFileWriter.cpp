#include "catalog/AtomicFileWriter.h"

#include <atomic>
#include <charconv>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "catalog/TextFile.h"

namespace {

constexpr size_t kFlushSize = 1 << 18;
constexpr int kNameAttempts = 100;
constexpr std::string_view kTemporarySuffix = ".tmp";

std::atomic<unsigned> g_tempCounter{0};

// At most this much of the target's name goes into the temporary's, so that
// a target whose name is near the file system's limit still gets one.
constexpr size_t kNameKept = 100;

// ".<name>.<pid>-<n>.tmp" beside the target, so that the rename stays on
// one file system.
std::string TemporaryName(const std::string& path, unsigned n)
{
    const size_t slash = path.rfind(PATH_SEPARATOR);
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameStart) + "." + path.substr(nameStart, kNameKept) + "."
        + std::to_string(::getpid()) + "-" + std::to_string(n) + std::string(kTemporarySuffix);
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The writer's pid in a name TemporaryName made; 0 for any other name.
long WriterOfTemporary(std::string_view name)
{
    if (name.size() < 2 || name[0] != '.' || !name.ends_with(kTemporarySuffix))
        return 0;
    name.remove_suffix(kTemporarySuffix.size());
    const size_t dash = name.rfind('-');
    const size_t dot = name.rfind('.', dash);
    if (dash == std::string_view::npos || dot == std::string_view::npos || dot == 0)
        return 0;
    const std::string_view pid = name.substr(dot + 1, dash - dot - 1);
    if (!AllDigits(pid) || pid.size() > 9 || !AllDigits(name.substr(dash + 1)))
        return 0;
    // Not strtol: the first load runs while the program sets its locale.
    long value = 0;
    std::from_chars(pid.data(), pid.data() + pid.size(), value);
    return value;
}

bool ProcessIsGone(long pid)
{
    if (pid == ::getpid())
        return true;  // pids are reused: a killed run may have had ours
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

AtomicFileWriter::~AtomicFileWriter()
{
    Abandon();
}

bool AtomicFileWriter::Open(const std::string& path)
{
    Abandon();
    m_error = 0;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string temp = TemporaryName(path, g_tempCounter.fetch_add(1));
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_path = path;
            m_tempPath = std::move(temp);
            m_fd = fd;
            m_failed = false;
            return true;
        }
        m_error = errno;
        // A name taken, say by a run that had our pid and died: try the next.
        if (errno != EEXIST)
            return false;
    }
    return false;
}

void AtomicFileWriter::Write(std::string_view bytes)
{
    if (m_fd < 0 || m_failed)
        return;
    m_buffer.append(bytes);
    if (m_buffer.size() >= kFlushSize)
        Flush();
}

void AtomicFileWriter::Flush()
{
    size_t done = 0;
    while (done < m_buffer.size() && !m_failed) {
        const ssize_t wrote = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            m_failed = true;
            m_error = wrote < 0 ? errno : ENOSPC;
        } else {
            done += static_cast<size_t>(wrote);
        }
    }
    m_buffer.clear();
}

bool AtomicFileWriter::Commit()
{
    if (m_fd < 0)
        return false;
    Flush();
    const bool closed = ::close(m_fd) == 0;
    if (!closed && !m_failed) {
        m_failed = true;
        m_error = errno;
    }
    m_fd = -1;
    bool renamed = false;
    if (!m_failed) {
        renamed = std::rename(m_tempPath.c_str(), m_path.c_str()) == 0;
        if (!renamed)
            m_error = errno;
        // A directory where the file belongs: an empty one gives way.
        if (!renamed && m_error == EISDIR && ::rmdir(m_path.c_str()) == 0) {
            renamed = std::rename(m_tempPath.c_str(), m_path.c_str()) == 0;
            if (!renamed)
                m_error = errno;
        }
    }
    if (!renamed)
        std::remove(m_tempPath.c_str());
    m_tempPath.clear();
    return renamed;
}

void AtomicFileWriter::Abandon()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        std::remove(m_tempPath.c_str());
        m_tempPath.clear();
    }
    m_buffer.clear();
    m_failed = false;
}

void RemoveStaleTemporaries(const std::string& directory)
{
    DIR* dir = ::opendir(directory.c_str());
    if (!dir)
        return;
    // Collected first: what readdir returns after an unlink is unspecified.
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const long pid = WriterOfTemporary(entry->d_name);
        if (pid > 0 && ProcessIsGone(pid))
            stale.emplace_back(entry->d_name);
    }
    for (const std::string& name : stale)
        ::unlinkat(::dirfd(dir), name.c_str(), 0);
    ::closedir(dir);
}
