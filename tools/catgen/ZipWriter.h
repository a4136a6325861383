#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A zip archive of stored (uncompressed) entries, built in memory: what a
// phone's Java installer reads as a JAR. Entries keep the order added; every
// entry carries one fixed time, so equal entries give equal bytes.
class ZipWriter
{
public:
    // Adds a file; a name ending in "/" adds a directory (with no data).
    // Names are relative, "/"-separated.
    void Add(std::string_view name, std::string_view data);
    // The archive: the local entries, the central directory and its end.
    // The writer is empty again afterwards.
    std::string Finish();

private:
    std::string m_entries;
    std::string m_directory;
    std::uint16_t m_count = 0;
};
