#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "tools/contentserver/HttpExchange.h"

// A small HTTP/1.1 server: a thread per connection, keep-alive, GET and
// HEAD. It takes request targets as they come, where common libraries
// refuse a second "?" (the program sends group ids unencoded), and hands
// the handler the raw socket writes that fault injection needs. Stop()
// wakes every waiting connection at once.
class HttpServer
{
public:
    using Handler = std::function<void(HttpExchange&)>;

    explicit HttpServer(Handler handler);
    ~HttpServer();  // stops
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds host:port (0: any free port) and listens. "" or why not.
    std::string Listen(const std::string& host, int port);
    int Port() const { return m_port; }
    // Accepts connections on a thread of its own. Listen first.
    void Start();
    // Closes the listening socket and every connection, and waits for all
    // threads. Safe to call more than once.
    void Stop();

    // Waits `seconds` unless the server stops first; false when it stopped.
    bool Sleep(double seconds);

private:
    struct Connection
    {
        int socket = -1;  // -1 once the connection closed it
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void AcceptLoop();
    void Serve(Connection& connection);
    bool WaitReadable(int socket, int timeoutMs);
    void Reap(bool all);

    Handler m_handler;
    int m_listener = -1;
    int m_wake = -1;  // an eventfd, readable from the moment the server stops
    int m_port = 0;
    std::thread m_acceptor;
    std::mutex m_mutex;  // guards what follows
    std::condition_variable m_stopped;
    bool m_stopping = false;
    std::list<std::unique_ptr<Connection>> m_connections;
};
