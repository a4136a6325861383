#include "updater/HttpSession.h"

#include <curl/curl.h>

namespace {

using Clock = std::chrono::steady_clock;

// The poll wakes at least this often, so that a silent server cannot hold
// off the pump, the cancel test or libcurl's low-speed check.
constexpr int kPollMilliseconds = 25;

void InitLibcurlOnce()
{
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

// Why a transfer ended before libcurl finished it.
enum class Stop
{
    None,
    Refused,        // status above 200: the body is left unread
    BodySkipped,    // cancel flag set at the start: status read, body not
    Cancelled,      // cancel flag became set during the fetch
    CancelledWait,  // flag set at the start and the status did not come in time
    SinkRefused,    // the sink took no more (a body larger than its buffer)
};

} // namespace

struct HttpSession::Transfer
{
    HttpSession* session = nullptr;
    const bool* cancel = nullptr;
    HttpBodySink* sink = nullptr;
    bool cancelledAtStart = false;
    bool headersDone = false;
    long status = 0;
    Stop stop = Stop::None;
    Clock::time_point start;
    Clock::time_point lastPump;
};

HttpSession::HttpSession()
{
    InitLibcurlOnce();
    m_easy = curl_easy_init();
    m_multi = curl_multi_init();
    m_headers = curl_slist_append(m_headers, "Cache-Control: no-cache");
    m_headers = curl_slist_append(m_headers, "Pragma: no-cache");
}

HttpSession::~HttpSession()
{
    if (m_multi)
        curl_multi_cleanup(m_multi);
    if (m_easy)
        curl_easy_cleanup(m_easy);
    curl_slist_free_all(m_headers);
}

int HttpSession::Get(const std::string& address, const bool* cancel, HttpBodySink& sink)
{
    if (!m_easy || !m_multi || m_busy)
        return FETCH_FAILED;
    Transfer transfer;
    transfer.session = this;
    transfer.cancel = cancel;
    transfer.sink = &sink;
    transfer.cancelledAtStart = cancel && *cancel;
    transfer.start = transfer.lastPump = Clock::now();

    CURL* easy = m_easy;
    curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, m_headers);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, static_cast<long>(HTTP_CHUNK_SIZE));
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_connectTimeout.count()));
    // libcurl's average over the period, not a timer that any byte restarts.
    const long period = static_cast<long>(m_lowSpeedPeriod.count());
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, period);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, period > 0 ? (m_lowSpeedBytes + period - 1) / period : 0L);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpSession::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpSession::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &HttpSession::OnProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &transfer);

    m_busy = true;
    const int result = Perform(transfer);
    m_busy = false;
    return result;
}

int HttpSession::Perform(Transfer& transfer)
{
    if (curl_multi_add_handle(m_multi, m_easy) != CURLM_OK)
        return FETCH_FAILED;
    bool stoppedHere = false;
    CURLcode code = CURLE_OK;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(m_multi, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            int left = 0;
            code = CURLE_RECV_ERROR;
            while (CURLMsg* message = curl_multi_info_read(m_multi, &left))
                if (message->msg == CURLMSG_DONE && message->easy_handle == m_easy)
                    code = message->data.result;
            break;
        }
        // libcurl calls the progress function only when it has something to
        // do, so a silent peer is watched from here too.
        if (Tick(transfer)) {
            stoppedHere = true;
            break;
        }
        curl_multi_poll(m_multi, nullptr, 0, kPollMilliseconds, nullptr);
    }
    // Removing a transfer that is still running closes its connection.
    curl_multi_remove_handle(m_multi, m_easy);

    switch (transfer.stop) {
    case Stop::Refused:
        return static_cast<int>(transfer.status);
    case Stop::BodySkipped:
        return FETCH_OK;
    case Stop::None:
        break;
    default:
        return FETCH_FAILED;
    }
    if (stoppedHere || code != CURLE_OK || !transfer.headersDone)
        return FETCH_FAILED;
    return FETCH_OK;
}

size_t HttpSession::OnHeader(char* data, size_t size, size_t count, void* user)
{
    Transfer& transfer = *static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    const bool endOfHeaders = (bytes == 2 && data[0] == '\r' && data[1] == '\n') || (bytes == 1 && data[0] == '\n');
    if (!endOfHeaders)
        return bytes;
    long status = 0;
    curl_easy_getinfo(transfer.session->m_easy, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 100 && status < 200)
        return bytes;  // an interim response; the final one follows
    transfer.status = status;
    transfer.headersDone = true;
    // The status taken as unsigned: anything above 200 is refused.
    if (static_cast<unsigned long>(status) > 200) {
        transfer.stop = Stop::Refused;
        return 0;
    }
    transfer.sink->OnAccepted();
    if (transfer.cancelledAtStart) {
        transfer.stop = Stop::BodySkipped;
        return 0;
    }
    return bytes;
}

size_t HttpSession::OnBody(char* data, size_t size, size_t count, void* user)
{
    Transfer& transfer = *static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (!transfer.headersDone)
        return 0;
    for (size_t done = 0; done < bytes; done += HTTP_CHUNK_SIZE) {
        const size_t chunk = bytes - done < HTTP_CHUNK_SIZE ? bytes - done : HTTP_CHUNK_SIZE;
        if (!transfer.sink->OnChunk(data + done, chunk)) {
            transfer.stop = Stop::SinkRefused;
            return 0;
        }
    }
    return bytes;
}

int HttpSession::OnProgress(void* user, long long, long long, long long, long long)
{
    Transfer& transfer = *static_cast<Transfer*>(user);
    return transfer.session->Tick(transfer) ? 1 : 0;
}

bool HttpSession::Tick(Transfer& transfer)
{
    if (transfer.stop != Stop::None)
        return true;
    Clock::time_point now = Clock::now();
    if (m_pump && now - transfer.lastPump >= m_pumpInterval) {
        transfer.lastPump = now;
        m_pump();
        now = Clock::now();
    }
    if (transfer.cancel && *transfer.cancel && !transfer.cancelledAtStart) {
        transfer.stop = Stop::Cancelled;
        return true;
    }
    if (transfer.cancelledAtStart && !transfer.headersDone && now - transfer.start > m_cancelledWait) {
        transfer.stop = Stop::CancelledWait;
        return true;
    }
    return false;
}
