#include "tools/catgen/ZipWriter.h"

#include <stdexcept>

#include <zlib.h>

namespace {

// 2006-06-01 12:00:00 in MS-DOS form.
constexpr std::uint16_t kDosTime = 12 << 11;
constexpr std::uint16_t kDosDate = ((2006 - 1980) << 9) | (6 << 5) | 1;
constexpr std::uint16_t kVersionNeeded = 10;  // stored entries only

void Put16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

bool IsAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

void ZipWriter::Add(std::string_view name, std::string_view data)
{
    if (name.empty() || name.size() > 0xFFFF || data.size() > 0x7FFFFFFF ||
        m_entries.size() > 0x7FFFFFFF || m_count == 0xFFFF)
        throw std::length_error("zip entry too large for an archive without zip64");
    const auto crc = static_cast<std::uint32_t>(
        crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.data()),
              static_cast<uInt>(data.size())));
    const auto size = static_cast<std::uint32_t>(data.size());
    const auto offset = static_cast<std::uint32_t>(m_entries.size());
    // Bit 11: the name is UTF-8.
    const std::uint16_t flags = IsAscii(name) ? 0 : 0x0800;

    Put32(m_entries, 0x04034b50);
    Put16(m_entries, kVersionNeeded);
    Put16(m_entries, flags);
    Put16(m_entries, 0);  // stored
    Put16(m_entries, kDosTime);
    Put16(m_entries, kDosDate);
    Put32(m_entries, crc);
    Put32(m_entries, size);
    Put32(m_entries, size);
    Put16(m_entries, static_cast<std::uint32_t>(name.size()));
    Put16(m_entries, 0);  // no extra field
    m_entries += name;
    m_entries += data;

    Put32(m_directory, 0x02014b50);
    Put16(m_directory, (3 << 8) | 20);  // made by: Unix, zip 2.0
    Put16(m_directory, kVersionNeeded);
    Put16(m_directory, flags);
    Put16(m_directory, 0);
    Put16(m_directory, kDosTime);
    Put16(m_directory, kDosDate);
    Put32(m_directory, crc);
    Put32(m_directory, size);
    Put32(m_directory, size);
    Put16(m_directory, static_cast<std::uint32_t>(name.size()));
    Put16(m_directory, 0);  // extra field
    Put16(m_directory, 0);  // comment
    Put16(m_directory, 0);  // disk
    Put16(m_directory, 0);  // internal attributes
    const bool directory = name.back() == '/';
    Put32(m_directory, (directory ? 040755u : 0100644u) << 16 | (directory ? 0x10 : 0));
    Put32(m_directory, offset);
    m_directory += name;
    ++m_count;
}

std::string ZipWriter::Finish()
{
    std::string archive = std::move(m_entries);
    const auto directoryOffset = static_cast<std::uint32_t>(archive.size());
    const auto directorySize = static_cast<std::uint32_t>(m_directory.size());
    archive += m_directory;
    Put32(archive, 0x06054b50);
    Put16(archive, 0);  // this disk
    Put16(archive, 0);  // disk of the directory
    Put16(archive, m_count);
    Put16(archive, m_count);
    Put32(archive, directorySize);
    Put32(archive, directoryOffset);
    Put16(archive, 0);  // no comment
    m_entries.clear();
    m_directory.clear();
    m_count = 0;
    return archive;
}
