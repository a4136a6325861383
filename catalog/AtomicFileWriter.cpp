#include "catalog/AtomicFileWriter.h"

#include <atomic>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "catalog/TextFile.h"

namespace {

constexpr size_t kFlushSize = 1 << 18;
constexpr int kNameAttempts = 100;

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
        + std::to_string(::getpid()) + "-" + std::to_string(n) + ".tmp";
}

} // namespace

AtomicFileWriter::~AtomicFileWriter()
{
    Abandon();
}

bool AtomicFileWriter::Open(const std::string& path)
{
    Abandon();
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
        if (wrote <= 0)
            m_failed = true;
        else
            done += static_cast<size_t>(wrote);
    }
    m_buffer.clear();
}

bool AtomicFileWriter::Commit()
{
    if (m_fd < 0)
        return false;
    Flush();
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (m_failed || !closed || std::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        std::remove(m_tempPath.c_str());
        m_tempPath.clear();
        return false;
    }
    m_tempPath.clear();
    return true;
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
