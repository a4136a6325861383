#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One request on a connection and the means to answer it. The handler
// writes the response itself, all at once (Send) or piece by piece
// (SendHead, SendBytes), and may cut the connection short (Close).
class HttpExchange
{
public:
    struct Request
    {
        bool malformed = false;  // the request line or headers could not be read
        std::string method;
        std::string target;      // raw, as received: never decoded or normalised
        std::string version;     // "HTTP/1.1"
        std::vector<std::pair<std::string, std::string>> headers;
    };

    HttpExchange(int socket, Request request, bool keepAlive);

    const Request& GetRequest() const { return m_request; }

    // The whole response: headers with Content-Length, then the body (none
    // for HEAD). False when the connection failed.
    bool Send(int status, std::string_view contentType, std::string_view body);
    // The headers alone, promising contentLength body bytes.
    bool SendHead(int status, std::string_view contentType, std::size_t contentLength);
    // Body bytes after SendHead (nothing is written for HEAD).
    bool SendBytes(std::string_view bytes);
    // The connection is closed once the handler returns, however much of
    // the promised body went out.
    void Close() { m_keepAlive = false; }

    int Status() const { return m_status; }
    std::size_t BodyBytesSent() const { return m_bodySent; }
    // Whether the connection can take the next request: kept alive, and
    // the promised body sent whole.
    bool Reusable() const;

private:
    bool WriteAll(std::string_view bytes);
    std::string Head(int status, std::string_view contentType, std::size_t contentLength) const;

    int m_socket;
    Request m_request;
    bool m_keepAlive;
    bool m_failed = false;
    bool m_headSent = false;
    int m_status = 0;
    std::size_t m_promised = 0;
    std::size_t m_bodySent = 0;
};

// The reason phrase of a status code ("Not Found"); "Unknown" for others.
std::string_view ReasonPhrase(int status);
