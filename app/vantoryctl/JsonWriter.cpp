#include "app/vantoryctl/JsonWriter.h"

namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool NeedsCare(unsigned char c)
{
    return c < 0x20 || c == '"' || c == '\\' || c >= 0x80;
}

// Bytes of the well-formed UTF-8 sequence at text[i], or 0 with `invalid`
// set to the length of the maximal invalid subsequence there.
size_t ValidSequence(std::string_view text, size_t i, size_t& invalid)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;  // range of the second byte; later ones are 80..BF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;  // no overlong forms
        if (lead == 0xED)
            high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;  // nothing above U+10FFFF
    } else {
        invalid = 1;
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if (i + k >= text.size()) {
            invalid = k;
            return 0;
        }
        const auto c = static_cast<unsigned char>(text[i + k]);
        const bool ok = k == 1 ? c >= low && c <= high : c >= 0x80 && c <= 0xBF;
        if (!ok) {
            invalid = k;
            return 0;
        }
    }
    return length;
}

} // namespace

JsonWriter::JsonWriter(std::FILE* out)
    : m_out(out)
{
    m_buffer.reserve(kBufferSize + 1024);
}

JsonWriter::~JsonWriter()
{
    Flush();
}

void JsonWriter::BeforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasMember.empty()) {
        if (m_hasMember.back())
            m_buffer += ',';
        m_hasMember.back() = true;
    }
}

void JsonWriter::Open(char bracket)
{
    BeforeValue();
    m_buffer += bracket;
    m_hasMember.push_back(false);
}

void JsonWriter::Close(char bracket)
{
    if (!m_hasMember.empty())
        m_hasMember.pop_back();
    Put(std::string_view(&bracket, 1));
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Key(std::string_view name)
{
    BeforeValue();
    Quoted(name);
    m_buffer += ':';
    m_afterKey = true;
}

void JsonWriter::String(std::string_view value)
{
    BeforeValue();
    Quoted(value);
}

void JsonWriter::Number(long long value)
{
    BeforeValue();
    Put(std::to_string(value));
}

void JsonWriter::Newline()
{
    Put("\n");
}

void JsonWriter::Quoted(std::string_view text)
{
    m_buffer += '"';
    size_t plain = 0;  // start of the run of bytes copied as they are
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!NeedsCare(c)) {
            ++i;
            continue;
        }
        if (c >= 0x80) {
            size_t invalid = 0;
            if (const size_t length = ValidSequence(text, i, invalid)) {
                i += length;
                continue;
            }
            m_buffer.append(text, plain, i - plain);
            m_buffer += kReplacement;
            i += invalid;
        } else {
            m_buffer.append(text, plain, i - plain);
            if (c == '"' || c == '\\') {
                m_buffer += '\\';
                m_buffer += static_cast<char>(c);
            } else {
                static constexpr char kHex[] = "0123456789abcdef";
                m_buffer += "\\u00";
                m_buffer += kHex[c >> 4];
                m_buffer += kHex[c & 0xF];
            }
            ++i;
        }
        plain = i;
    }
    m_buffer.append(text, plain, text.size() - plain);
    m_buffer += '"';
    if (m_buffer.size() >= kBufferSize)
        Drain();
}

void JsonWriter::Put(std::string_view bytes)
{
    m_buffer += bytes;
    if (m_buffer.size() >= kBufferSize)
        Drain();
}

void JsonWriter::Drain()
{
    if (!m_buffer.empty() && !m_failed
        && std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_out) != m_buffer.size())
        m_failed = true;
    m_buffer.clear();
}

bool JsonWriter::Flush()
{
    Drain();
    if (std::fflush(m_out) != 0)
        m_failed = true;
    return !m_failed;
}
