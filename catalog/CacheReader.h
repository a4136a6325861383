#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// A cache file read with the line semantics of fgets on a 9999-byte buffer
// and feof, but held in memory whole (one read) and scanned there.
class CacheReader
{
public:
    // Bytes one read returns at most: the buffer less its terminating NUL.
    static constexpr size_t MAX_READ = 9998;

    CacheReader() = default;
    CacheReader(const CacheReader&) = delete;
    CacheReader& operator=(const CacheReader&) = delete;

    // Reads the whole file (as large as it was when opened); false when it
    // cannot be opened, is no regular file or cannot be read. The memory of
    // the previous file is reused.
    bool Open(const std::string& path);
    void Close();

    bool IsOpen() const { return m_open; }
    // Set once a read has run into the end of the file.
    bool AtEnd() const { return m_atEnd; }

    // What one fgets would store: the bytes up to and including the next LF,
    // at most MAX_READ of them. A read that stops at the end of the file
    // before either sets AtEnd. Empty with AtEnd set when nothing was left.
    std::string_view ReadPiece();

    // Line feeds in the whole file: what a caller reserves room for.
    size_t CountLineFeeds() const;

    // Whether the file holds a NUL or a CR anywhere: lines of a file without
    // either need no scan for them.
    bool HasNul() const { return m_hasNul; }
    bool HasCr() const { return m_hasCr; }

private:
    std::unique_ptr<char[]> m_data;
    size_t m_capacity = 0;
    size_t m_size = 0;
    size_t m_position = 0;
    bool m_open = false;
    bool m_atEnd = false;
    bool m_hasNul = false;
    bool m_hasCr = false;
};
