#include "tools/contentserver/RequestLog.h"

RequestLog::RequestLog(std::FILE* file) : m_file(file)
{
}

void RequestLog::SetFile(std::FILE* file)
{
    std::lock_guard lock(m_mutex);
    m_file = file;
}

void RequestLog::Add(RequestRecord record)
{
    const std::string line = FormatLine(record);
    std::lock_guard lock(m_mutex);
    m_records.push_back(std::move(record));
    if (m_file) {
        std::fputs(line.c_str(), m_file);
        std::fflush(m_file);
    }
}

void RequestLog::Note(const std::string& text)
{
    std::lock_guard lock(m_mutex);
    if (m_file) {
        std::fprintf(m_file, "# %s\n", text.c_str());
        std::fflush(m_file);
    }
}

std::vector<RequestRecord> RequestLog::Records() const
{
    std::lock_guard lock(m_mutex);
    return m_records;
}

void RequestLog::Clear()
{
    std::lock_guard lock(m_mutex);
    m_records.clear();
}

std::string RequestLog::FormatLine(const RequestRecord& record)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string target;
    for (const char c : record.target) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            target += "\\x";
            target += kHex[byte >> 4];
            target += kHex[byte & 15];
        } else {
            target += c;
        }
    }
    char figures[96];
    std::snprintf(figures, sizeof figures, " %d %zu bytes %.2f ms", record.status, record.bytes,
                  record.milliseconds);
    std::string line = "#" + std::to_string(record.number) + " " + record.method + " " + target +
                       figures;
    if (!record.fault.empty())
        line += " fault=" + record.fault;
    if (!record.note.empty())
        line += " (" + record.note + ")";
    line += '\n';
    return line;
}
