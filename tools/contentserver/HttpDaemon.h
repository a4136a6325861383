#pragma once

#include <functional>
#include <memory>
#include <string>

#include "tools/contentserver/HttpReply.h"

// A request as its handler sees it.
struct HttpRequest
{
    std::string method;
    // Byte for byte as sent: never decoded or normalised, blanks, a second
    // "?", backslashes, control and UTF-8 bytes included (the program sends
    // group ids as they are). Only the absolute form of a proxy request is
    // reduced to its path.
    std::string target;
};

// An HTTP/1.1 server on libmicrohttpd: a thread per connection, keep-alive,
// any method (a request body is read and dropped). Requests that the
// library cannot read it answers itself, 400 or a closed connection,
// without the handler.
class HttpDaemon
{
public:
    using Handler = std::function<HttpReply(const HttpRequest&)>;

    explicit HttpDaemon(Handler handler);
    ~HttpDaemon();  // stops
    HttpDaemon(const HttpDaemon&) = delete;
    HttpDaemon& operator=(const HttpDaemon&) = delete;

    // Binds host:port (0: any free port) and takes connections; their
    // requests wait for Serve(). "" or why not.
    std::string Listen(const std::string& host, int port);
    int Port() const;
    // Hands the requests to the handler from now on.
    void Serve();
    // Ends every wait of a reply (silence, pause), closes the listening
    // socket and every connection and waits for their threads. Safe to
    // call more than once.
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
