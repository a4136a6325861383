#include "catalog/CacheLines.h"

#include <algorithm>
#include <cstring>

#include "catalog/AtomicFileWriter.h"
#include "catalog/CacheReader.h"

std::string ReadCacheLine(CacheReader& file)
{
    if (!file.IsOpen() || file.AtEnd())
        return {};
    std::string_view piece = file.ReadPiece();
    // What fgets stored is read back as a C string.
    if (file.HasNul()) {
        if (const void* nul = std::memchr(piece.data(), '\0', piece.size()))
            piece = piece.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - piece.data()));
    }
    // A line feed can only be the last byte of a piece.
    if (!piece.empty() && piece.back() == '\n')
        piece.remove_suffix(1);
    std::string line(piece);
    if (file.HasCr())
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    return line;
}

void WriteCacheLine(AtomicFileWriter& file, std::string_view text)
{
    if (!file.IsOpen())
        return;
    file.Write(text);
    file.Write("\n");
}
