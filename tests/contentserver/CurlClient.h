#pragma once

#include <map>
#include <string>
#include <vector>

// What a request brought back, as libcurl saw it.
struct FetchReply
{
    bool connected = false;                      // a connection was made
    int status = 0;                              // 0: no status line arrived
    std::map<std::string, std::string> headers;  // names in lower case
    std::string body;                            // what arrived of it
    long contentLength = -1;                     // -1: no Content-Length
    bool timedOut = false;                       // gave up waiting
    bool closedEarly = false;                    // the server closed before the whole body
    bool whole = false;                          // the response arrived as announced
    bool complete() const { return whole; }
};

// Anything but a plain GET.
struct FetchOptions
{
    double timeout = 5;                // seconds for the whole exchange
    std::string post;                  // not empty: a POST of this body
    bool head = false;                 // a HEAD
    std::vector<std::string> headers;  // extra "Name: value" lines
    bool http10 = false;
};

// A libcurl handle for one local server. Targets go out exactly as given
// (CURLOPT_REQUEST_TARGET): blanks, control bytes and a second "?" that a
// URL would refuse or normalise. The connection is kept between requests.
class CurlClient
{
public:
    explicit CurlClient(int port);
    ~CurlClient();
    CurlClient(const CurlClient&) = delete;
    CurlClient& operator=(const CurlClient&) = delete;

    FetchReply Get(const std::string& target, const FetchOptions& options = {});
    // Whether the last request went over the connection of the one before.
    bool Reused() const { return m_reused; }
    // Connects without sending anything.
    bool Connect();
    // Whether the server closes the connection within `timeout` seconds.
    bool ClosedByServer(double timeout);

private:
    void* m_easy;  // CURL
    int m_port;
    bool m_reused = false;
};

// A GET on a connection of its own.
FetchReply Fetch(int port, const std::string& target, double timeout = 5);
