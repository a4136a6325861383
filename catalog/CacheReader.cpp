#include "catalog/CacheReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads everything from fd into data, reusing its capacity; the buffer
// grows if the file is larger than fstat said (or is not a regular file).
void ReadAll(int fd, size_t sizeHint, std::unique_ptr<char[]>& data, size_t& capacity, size_t& size)
{
    // One byte more than the file, so that its end is seen in the same read.
    if (capacity < sizeHint + 1) {
        capacity = std::max<size_t>(sizeHint + 1, 4096);
        data = std::make_unique_for_overwrite<char[]>(capacity);
    }
    size = 0;
    for (;;) {
        if (size == capacity) {
            auto bigger = std::make_unique_for_overwrite<char[]>(capacity * 2);
            std::memcpy(bigger.get(), data.get(), size);
            data = std::move(bigger);
            capacity *= 2;
        }
        const ssize_t got = ::read(fd, data.get() + size, capacity - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return;  // a read error ends the data like the end of the file
        size += static_cast<size_t>(got);
    }
}

} // namespace

bool CacheReader::Open(const std::string& path)
{
    Close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info{};
    const size_t hint = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)
        ? static_cast<size_t>(info.st_size) : 0;
    ReadAll(fd, hint, m_data, m_capacity, m_size);
    ::close(fd);
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
