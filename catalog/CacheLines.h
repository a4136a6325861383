#pragma once

#include <string>
#include <string_view>

class AtomicFileWriter;
class CacheReader;

// The next line of a cache: "" when the reader is not open, when an earlier
// read reached the end of the file, or when nothing is left. Otherwise one
// read of the reader, cut at an embedded NUL, with every LF and then every
// CR removed. A line longer than the read limit comes back in pieces.
std::string ReadCacheLine(CacheReader& file);

// Writes the text and a line break, if the writer is open.
void WriteCacheLine(AtomicFileWriter& file, std::string_view text);
