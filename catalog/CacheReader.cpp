#include "catalog/CacheReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads exactly `size` bytes from fd into data, reusing its capacity; false
// on a read error or when the file ends early (it shrank while being read).
// What the file may have grown by since its size was taken is not read.
bool ReadAll(int fd, size_t size, std::unique_ptr<char[]>& data, size_t& capacity)
{
    if (capacity < size || !data) {
        capacity = std::max<size_t>(size, 4096);
        data = std::make_unique_for_overwrite<char[]>(capacity);
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data.get() + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

} // namespace

bool CacheReader::Open(const std::string& path)
{
    Close();
    // Not blocking: a FIFO in a cache's place must not hang the load.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    // Only a regular file is a cache: a directory, a FIFO or a device (a
    // link to /dev/zero) is none, and the load rebuilds the cache instead.
    struct stat info{};
    bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (read) {
        m_size = static_cast<size_t>(info.st_size);
        read = ReadAll(fd, m_size, m_data, m_capacity);
    }
    ::close(fd);
    if (!read) {
        m_size = 0;
        return false;
    }
    m_hasNul = std::memchr(m_data.get(), '\0', m_size) != nullptr;
    m_hasCr = std::memchr(m_data.get(), '\r', m_size) != nullptr;
    m_open = true;
    return true;
}

void CacheReader::Close()
{
    // The buffer stays for the next file.
    m_size = 0;
    m_position = 0;
    m_open = false;
    m_atEnd = false;
}

size_t CacheReader::CountLineFeeds() const
{
    // Eight bytes at a time; the high bit of each byte of `equal` is set
    // exactly for the bytes that are line feeds.
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr uint64_t kLineFeeds = 0x0A0A0A0A0A0A0A0AULL;
    const char* p = m_data.get();
    size_t count = 0;
    size_t i = 0;
    for (; i + 8 <= m_size; i += 8) {
        uint64_t word;
        std::memcpy(&word, p + i, 8);
        word ^= kLineFeeds;
        const uint64_t equal = ~(((word & kLow7) + kLow7) | word | kLow7);
        // Sums the eight 0/1 flags in the top byte (no popcount instruction
        // on the baseline x86-64).
        count += static_cast<size_t>(((equal >> 7) * 0x0101010101010101ULL) >> 56);
    }
    for (; i < m_size; ++i)
        count += p[i] == '\n';
    return count;
}

std::string_view CacheReader::ReadPiece()
{
    if (!m_open)
        return {};
    const size_t left = m_size - m_position;
    const size_t window = std::min(left, MAX_READ);
    const char* start = m_data.get() + m_position;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', window));
    size_t length = window;
    if (lf)
        length = static_cast<size_t>(lf - start) + 1;
    else if (window < MAX_READ)
        m_atEnd = true;  // the read ran out of data before a line feed or a full buffer
    m_position += length;
    return {start, length};
}
