#pragma once

#include <cstddef>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

// One served request, as the server logs it.
struct RequestRecord
{
    long number = 0;            // from 1, in order of arrival
    std::string method;
    std::string target;         // raw, as received
    int status = 0;
    std::size_t bytes = 0;      // body bytes sent
    double milliseconds = 0;    // from arrival to the last byte sent
    std::string fault;          // the injected fault (DescribeFaultRule), "" for none
    std::string note;           // why the server refused it, "" when it did not
};

// Keeps the records and writes one line per request, as it completes:
//     #12 GET /xml_act.php?a=vantory&t=1&... 200 1523 bytes 0.41 ms
//     #13 GET /media/logos/52/10017.gif 200 60000 bytes 0.20 ms fault=oversize=60000
//     #14 GET /xml_act.php?...&cat=77&... 404 38 bytes 0.05 ms (no group '77' in type 1)
// Control bytes of the target are written as \xHH. Thread-safe.
class RequestLog
{
public:
    // Lines go to `file` (not owned; null: none) and are flushed at once.
    explicit RequestLog(std::FILE* file = nullptr);
    void SetFile(std::FILE* file);

    void Add(RequestRecord record);
    // A line of its own ("listening on ..."), prefixed with "# ".
    void Note(const std::string& text);

    std::vector<RequestRecord> Records() const;
    void Clear();

    static std::string FormatLine(const RequestRecord& record);

private:
    std::FILE* m_file;
    mutable std::mutex m_mutex;
    std::vector<RequestRecord> m_records;
};
