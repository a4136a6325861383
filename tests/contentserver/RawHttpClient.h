#pragma once

#include <cstddef>
#include <map>
#include <string>

// A minimal HTTP client on a plain socket, so that tests see exactly what
// the server sends: a target goes out byte for byte, and a body cut short
// or a stall shows as such instead of as a library's error.
struct RawReply
{
    bool connected = false;
    int status = 0;                           // 0: no status line arrived
    std::map<std::string, std::string> headers;  // names in lower case
    std::string body;                         // what arrived of it
    long contentLength = -1;                  // -1: no Content-Length
    bool timedOut = false;                    // the reply stopped arriving
    bool complete() const { return contentLength >= 0 && body.size() == static_cast<std::size_t>(contentLength); }
};

// Sends `request` verbatim and reads the reply (one, up to its
// Content-Length, or until the server closes), giving up after `timeout`
// seconds without a byte.
RawReply RawExchange(int port, const std::string& request, double timeout = 5);

// GET of the target, with Host and Connection: close.
RawReply RawGet(int port, const std::string& target, double timeout = 5);

// A connection that stays open between requests, for keep-alive and for
// what the server does with connections that have nothing to say.
class HeldConnection
{
public:
    explicit HeldConnection(int port);
    ~HeldConnection();
    HeldConnection(const HeldConnection&) = delete;
    HeldConnection& operator=(const HeldConnection&) = delete;

    bool Connected() const { return m_socket >= 0; }
    // Sends a GET of the target without "Connection: close" and reads the reply.
    RawReply Get(const std::string& target, double timeout = 5);
    // Whether the server closes the connection within `timeout` seconds.
    bool ClosedByServer(double timeout);

private:
    int m_socket = -1;
};
