#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

// Result codes of a fetch.
inline constexpr int FETCH_OK = 0;      // body read, or skipped because the cancel flag was set at the start
inline constexpr int FETCH_FAILED = 1;  // cannot open, transfer error, timeout, cancel, body too large
// Any value above 200 is the status of a refused response, whose body was not read.

// The body of an accepted response, as it arrives.
class HttpBodySink
{
public:
    virtual ~HttpBodySink() = default;
    // The status was accepted (0 to 200); called once, before any chunk.
    virtual void OnAccepted() = 0;
    // At most HTTP_CHUNK_SIZE bytes. False stops the transfer as a failure.
    virtual bool OnChunk(const char* data, size_t size) = 0;
};

inline constexpr size_t HTTP_CHUNK_SIZE = 1024;

struct curl_slist;

// One libcurl handle kept from fetch to fetch, so that the connection to
// the content server is reused. A GET of an absolute http:// address, no
// cache, no redirects, nothing but http. While a fetch waits, the pump runs
// at least every 100 ms and the cancel flag is watched.
class HttpSession
{
public:
    HttpSession();
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    // A connection not made within this time fails the fetch (10 s).
    void SetConnectTimeout(std::chrono::milliseconds timeout) { m_connectTimeout = timeout; }
    // A transfer that receives fewer than `bytes` in `period` fails (1024
    // bytes in 30 s): a server that sends nothing, or a byte now and then,
    // cannot hold the update.
    void SetLowSpeedLimit(long bytes, std::chrono::seconds period)
    {
        m_lowSpeedBytes = bytes;
        m_lowSpeedPeriod = period;
    }
    // A fetch that starts with its cancel flag set still sends the request
    // and reads the status, but gives up when the status takes longer than
    // this (25 ms), so that the requests an update sends after Cancel cannot
    // keep the user waiting on a slow server.
    void SetCancelledWait(std::chrono::milliseconds wait) { m_cancelledWait = wait; }
    // Handles pending user input; it may set the cancel flag of the fetch.
    void SetPump(std::function<void()> pump) { m_pump = std::move(pump); }
    // How often the pump runs while a fetch waits (50 ms). Tests that count
    // the pumps of the update itself set it beyond the length of a fetch.
    void SetPumpInterval(std::chrono::milliseconds interval) { m_pumpInterval = interval; }

    // Sends the request and hands an accepted body to the sink. Returns
    // FETCH_OK, FETCH_FAILED or the refused status. Status 0 to 200 is
    // accepted. A cancel flag that is set when the fetch starts leaves the
    // body unread (FETCH_OK after the sink's OnAccepted); one that becomes
    // set while the fetch runs stops it with FETCH_FAILED. A null flag never
    // cancels. A fetch started from inside the pump of another fails.
    int Get(const std::string& address, const bool* cancel, HttpBodySink& sink);

private:
    struct Transfer;

    static size_t OnHeader(char* data, size_t size, size_t count, void* user);
    static size_t OnBody(char* data, size_t size, size_t count, void* user);
    static int OnProgress(void* user, long long, long long, long long, long long);
    // Pump and cancel; true when the transfer must stop.
    bool Tick(Transfer& transfer);
    int Perform(Transfer& transfer);

    void* m_easy = nullptr;   // CURL (libcurl declares it void)
    void* m_multi = nullptr;  // CURLM: holds the connection cache
    curl_slist* m_headers = nullptr;
    std::chrono::milliseconds m_connectTimeout{10000};
    long m_lowSpeedBytes = 1024;
    std::chrono::seconds m_lowSpeedPeriod{30};
    std::chrono::milliseconds m_cancelledWait{25};
    std::chrono::milliseconds m_pumpInterval{50};
    std::function<void()> m_pump;
    bool m_busy = false;
};
