#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Streams compact JSON to a C stream through a buffer of its own. Strings
// are taken as UTF-8: each maximal invalid subsequence is written as one
// U+FFFD, quotes, backslashes and control characters are escaped.
// The caller keeps the structure valid (a Key before each object member).
class JsonWriter
{
public:
    explicit JsonWriter(std::FILE* out);
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view name);
    void String(std::string_view value);
    void Number(long long value);
    // A line break between documents, or at the end.
    void Newline();

    // Writes what is buffered; false if any write failed.
    bool Flush();

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);
    void Quoted(std::string_view text);
    void Put(std::string_view bytes);
    void Drain();  // hands the buffer to the stream

    std::FILE* m_out;
    std::string m_buffer;
    std::vector<bool> m_hasMember;  // per open container: a comma is due before the next
    bool m_afterKey = false;
    bool m_failed = false;
};
