#include "download/FileDownload.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <optional>
#include <random>

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include "download/DownloadName.h"

namespace {

void InitLibcurlOnce()
{
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string_view TrimLine(std::string_view text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

constexpr std::string_view kPartPrefix = ".vantory-download-";

// A temporary file that a killed download left: a running one is written
// to at least every 30 seconds or fails, so one untouched for ten minutes
// is nobody's.
void RemoveStalePartFiles(const std::filesystem::path& folder)
{
    std::error_code error;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(kPartPrefix) || !entry.is_regular_file(error))
            continue;
        const auto written = entry.last_write_time(error);
        if (!error && now - written > std::chrono::minutes(10))
            std::filesystem::remove(entry.path(), error);
    }
}

// The temporary file of a download: hidden in the target folder, so that
// the rename that completes it stays on one file system. Removed unless
// committed.
class PartFile
{
public:
    explicit PartFile(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    ~PartFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // Opens the file when not yet open; false with the reason when it cannot.
    bool Open(std::string& reason)
    {
        if (m_fd >= 0)
            return true;
        std::error_code error;
        std::filesystem::create_directories(m_folder, error);
        RemoveStalePartFiles(m_folder);
        // Made with the user's umask as any saved file is, which mkstemp's
        // 0600 is not.
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "%08x", random());
            const std::filesystem::path path = m_folder / (std::string(kPartPrefix) + suffix);
            m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0) {
                m_path = path;
                return true;
            }
            if (errno != EEXIST)
                break;
        }
        reason = "cannot write in " + m_folder.string() + ": " + std::strerror(errno);
        return false;
    }

    bool Write(const char* data, size_t size, std::string& reason)
    {
        while (size > 0) {
            const ssize_t written = ::write(m_fd, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                reason = std::string("cannot write the file: ") + std::strerror(written < 0 ? errno : ENOSPC);
                return false;
            }
            data += written;
            size -= static_cast<size_t>(written);
        }
        return true;
    }

    // Closes the file and gives it the name, or the first numbered one
    // that is free; never replaces a file.
    bool Commit(const std::string& name, std::filesystem::path& saved, std::string& reason)
    {
        if (::close(m_fd) != 0) {
            m_fd = -1;
            reason = std::string("cannot write the file: ") + std::strerror(errno);
            return false;
        }
        m_fd = -1;
        for (int n = 1; n <= 10000; ++n) {
            const std::filesystem::path target = m_folder / NumberedFileName(name, n);
            if (::renameat2(AT_FDCWD, m_path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0 ||
                (errno == EINVAL && ::link(m_path.c_str(), target.c_str()) == 0)) {
                ::unlink(m_path.c_str());  // still there after link(); gone after the rename
                m_path.clear();
                saved = target;
                return true;
            }
            if (errno != EEXIST) {
                reason = "cannot name the file " + target.filename().string() + ": " + std::strerror(errno);
                return false;
            }
        }
        reason = "too many files named " + name;
        return false;
    }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_path;
    int m_fd = -1;
};

struct Transfer
{
    const std::atomic<bool>* cancel = nullptr;
    const DownloadProgress* progress = nullptr;
    const DownloadLimits* limits = nullptr;
    PartFile* part = nullptr;
    // Of the response being read; a redirect's are replaced by the next.
    std::string statusLine;
    std::string disposition;
    std::string contentType;
    int64_t announced = -1;
    uint64_t received = 0;
    std::optional<std::string> failure;  // why the transfer was stopped from here
};

size_t OnHeader(char* data, size_t size, size_t count, void* user)
{
    Transfer& t = *static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    const std::string_view line = TrimLine(std::string_view(data, bytes));
    if (line.empty()) {
        // The end of a response's headers. A redirect is followed (or fails
        // below when it cannot be); an error status is refused before any
        // of its body is kept.
        const int status = std::atoi(t.statusLine.c_str());
        if ((status >= 200 && status < 400) || (status >= 100 && status < 200))
            return bytes;
        t.failure = t.statusLine.empty() ? std::string("no answer") : t.statusLine;
        return 0;
    }
    if (line.starts_with("HTTP/")) {
        const size_t space = line.find(' ');
        t.statusLine = space == std::string_view::npos ? std::string() : std::string(TrimLine(line.substr(space)));
        t.disposition.clear();
        t.contentType.clear();
        t.announced = -1;
    } else if (StartsWithIgnoringCase(line, "content-disposition:")) {
        t.disposition = std::string(TrimLine(line.substr(20)));
    } else if (StartsWithIgnoringCase(line, "content-type:")) {
        t.contentType = std::string(TrimLine(line.substr(13)));
    }
    return bytes;
}

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    Transfer& t = *static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    t.received += bytes;
    if (t.received > t.limits->maxBytes) {
        t.failure = "too large";
        return 0;
    }
    std::string reason;
    if (!t.part->Open(reason) || !t.part->Write(data, bytes, reason)) {
        t.failure = reason;
        return 0;
    }
    return bytes;
}

int OnProgress(void* user, curl_off_t total, curl_off_t, curl_off_t, curl_off_t)
{
    Transfer& t = *static_cast<Transfer*>(user);
    if (t.cancel->load())
        return 1;
    if (*t.progress)
        (*t.progress)(t.received, total > 0 ? static_cast<int64_t>(total) : t.announced);
    return 0;
}

// A libcurl failure in the words of the downloads list.
std::string ReasonOf(CURLcode code, const Transfer& t, long redirects)
{
    switch (code) {
    case CURLE_FILESIZE_EXCEEDED:
        return "too large";
    case CURLE_OPERATION_TIMEDOUT:
        return t.statusLine.empty() ? "the server did not answer" : "the server stopped sending";
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
        return "the server closed the connection early";
    case CURLE_TOO_MANY_REDIRECTS:
        return "too many redirects";
    case CURLE_UNSUPPORTED_PROTOCOL:
        return redirects > 0 ? "redirected to an address that is not http or https"
                             : "not an http or https address";
    case CURLE_URL_MALFORMAT:
        return "not a valid address";
    case CURLE_COULDNT_RESOLVE_HOST:
        return "the server's name is unknown";
    case CURLE_COULDNT_CONNECT:
        return "cannot connect to the server";
    default:
        return curl_easy_strerror(code);
    }
}

} // namespace

DownloadResult DownloadFile(const std::string& address, const std::filesystem::path& folder,
                            const std::string& label, const std::atomic<bool>& cancel,
                            const DownloadProgress& progress, const DownloadLimits& limits)
{
    InitLibcurlOnce();
    DownloadResult result;
    CURL* easy = curl_easy_init();
    if (!easy) {
        result.reason = "cannot start the transfer";
        return result;
    }
    PartFile part(folder);
    Transfer t;
    t.cancel = &cancel;
    t.progress = &progress;
    t.limits = &limits;
    t.part = &part;

    curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, limits.maxRedirects);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 0L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits.connect.count()));
    // Not one byte in the period: libcurl's average, which any byte does
    // not restart.
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.stall.count()));
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &OnProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, "Vantory");

    const CURLcode code = curl_easy_perform(easy);
    long redirects = 0;
    curl_easy_getinfo(easy, CURLINFO_REDIRECT_COUNT, &redirects);
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(easy);

    result.bytes = t.received;
    if (cancel.load()) {
        result.end = DownloadEnd::Cancelled;
        return result;
    }
    if (t.failure) {
        result.reason = *t.failure;
        return result;
    }
    if (code != CURLE_OK) {
        result.reason = ReasonOf(code, t, redirects);
        return result;
    }
    if (status >= 300) {
        // A redirect without a place to go.
        result.reason = t.statusLine;
        return result;
    }
    const std::string name = ChooseFileName(t.disposition, address, label, t.contentType);
    if (!part.Open(result.reason) || !part.Commit(name, result.path, result.reason))
        return result;
    result.end = DownloadEnd::Finished;
    return result;
}

std::string FormatBytes(uint64_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    const char* units[] = {"KB", "MB", "GB"};
    double value = static_cast<double>(bytes) / 1024.0;
    size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < std::size(units)) {
        value /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, value < 10 ? "%.1f %s" : "%.0f %s", value, units[unit]);
    return text;
}
