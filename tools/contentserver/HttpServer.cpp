#include "tools/contentserver/HttpServer.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::size_t kMaxHead = 64 * 1024;
constexpr int kIdleTimeoutMs = 30000;
constexpr std::size_t kMaxConnections = 256;  // a thread each

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

// The end of the head: after the empty line, CR LF or a bare LF.
std::size_t HeadEnd(const std::string& buffer)
{
    const auto crlf = buffer.find("\r\n\r\n");
    const auto lf = buffer.find("\n\n");
    if (crlf != std::string::npos && (lf == std::string::npos || crlf + 1 < lf))
        return crlf + 4;
    return lf == std::string::npos ? std::string::npos : lf + 2;
}

// Lenient on the target, which runs from the first blank to the last: the
// program sends ids unencoded, blanks inside included.
HttpExchange::Request ParseHead(std::string_view head)
{
    HttpExchange::Request request;
    std::size_t lineEnd = head.find('\n');
    std::string_view line = head.substr(0, lineEnd);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const auto first = line.find(' ');
    const auto last = line.rfind(' ');
    if (first == std::string_view::npos || first == last) {
        request.malformed = true;
        return request;
    }
    request.method = std::string(line.substr(0, first));
    request.target = std::string(line.substr(first + 1, last - first - 1));
    request.version = std::string(line.substr(last + 1));
    if (request.target.rfind("http://", 0) == 0) {  // absolute form, as through a proxy
        const auto path = request.target.find('/', 7);
        request.target = path == std::string::npos ? "/" : request.target.substr(path);
    }
    if (request.method.empty() || request.version.rfind("HTTP/1.", 0) != 0 ||
        request.target.empty() || request.target[0] != '/')
        request.malformed = true;

    while (lineEnd != std::string_view::npos && lineEnd + 1 < head.size()) {
        const std::size_t start = lineEnd + 1;
        lineEnd = head.find('\n', start);
        const std::string_view header = head.substr(start, lineEnd - start);
        const auto colon = header.find(':');
        if (colon == std::string_view::npos) {
            if (!Trimmed(header).empty())
                request.malformed = true;
            continue;
        }
        request.headers.emplace_back(Lower(std::string(header.substr(0, colon))),
                                     Trimmed(header.substr(colon + 1)));
    }
    return request;
}

std::string HeaderValue(const HttpExchange::Request& request, const std::string& name)
{
    for (const auto& [key, value] : request.headers)
        if (key == name)
            return value;
    return {};
}

} // namespace

HttpServer::HttpServer(Handler handler) : m_handler(std::move(handler))
{
}

HttpServer::~HttpServer()
{
    Stop();
    if (m_listener >= 0)
        ::close(m_listener);
    if (m_wake >= 0)
        ::close(m_wake);
}

std::string HttpServer::Listen(const std::string& host, int port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (const int error = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found))
        return "cannot resolve '" + host + "': " + ::gai_strerror(error);

    std::string error = "no address for '" + host + "'";
    for (addrinfo* address = found; address; address = address->ai_next) {
        const int s = ::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC,
                               address->ai_protocol);
        if (s < 0) {
            error = std::strerror(errno);
            continue;
        }
        const int on = 1;
        ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (::bind(s, address->ai_addr, address->ai_addrlen) == 0 && ::listen(s, 128) == 0) {
            m_listener = s;
            break;
        }
        error = std::strerror(errno);
        ::close(s);
    }
    ::freeaddrinfo(found);
    if (m_listener < 0)
        return "cannot listen on " + host + ":" + service + ": " + error;

    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&bound), &length);
    m_port = bound.ss_family == AF_INET6
                 ? ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port)
                 : ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    m_wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wake < 0)
        return std::string("cannot create an eventfd: ") + std::strerror(errno);
    return {};
}

void HttpServer::Start()
{
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

void HttpServer::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_stopping = true;
        if (m_wake >= 0) {
            const std::uint64_t one = 1;
            [[maybe_unused]] const auto written = ::write(m_wake, &one, sizeof one);
        }
        // Wakes reads and writes that block; each connection closes its own socket.
        for (const auto& connection : m_connections)
            if (connection->socket >= 0)
                ::shutdown(connection->socket, SHUT_RDWR);
    }
    m_stopped.notify_all();
    if (m_acceptor.joinable())
        m_acceptor.join();
    if (m_listener >= 0) {  // refuse new connections from now on
        ::close(m_listener);
        m_listener = -1;
    }
    Reap(true);
}

bool HttpServer::Sleep(double seconds)
{
    std::unique_lock lock(m_mutex);
    return !m_stopped.wait_for(lock, std::chrono::duration<double>(seconds),
                               [this] { return m_stopping; });
}

bool HttpServer::WaitReadable(int socket, int timeoutMs)
{
    pollfd fds[2] = {{socket, POLLIN, 0}, {m_wake, POLLIN, 0}};
    for (;;) {
        const int n = ::poll(fds, 2, timeoutMs);
        if (n < 0 && errno == EINTR)
            continue;
        return n > 0 && fds[1].revents == 0;
    }
}

void HttpServer::AcceptLoop()
{
    for (;;) {
        if (!WaitReadable(m_listener, -1))
            return;
        const int s = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (s < 0)
            continue;
        const int on = 1;
        ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        Reap(false);
        std::lock_guard lock(m_mutex);
        if (m_stopping) {
            ::close(s);
            return;
        }
        if (m_connections.size() >= kMaxConnections) {
            ::close(s);
            continue;
        }
        auto connection = std::make_unique<Connection>();
        connection->socket = s;
        Connection* raw = connection.get();
        m_connections.push_back(std::move(connection));
        raw->thread = std::thread([this, raw] { Serve(*raw); });
    }
}

void HttpServer::Reap(bool all)
{
    std::list<std::unique_ptr<Connection>> finished;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_connections.begin(); it != m_connections.end();) {
            if (all || (*it)->done) {
                finished.push_back(std::move(*it));
                it = m_connections.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const auto& connection : finished)
        if (connection->thread.joinable())
            connection->thread.join();
}

void HttpServer::Serve(Connection& connection)
{
    const int s = connection.socket;
    std::string buffer;
    bool open = true;
    while (open) {
        std::size_t headEnd;
        while ((headEnd = HeadEnd(buffer)) == std::string::npos) {
            if (buffer.size() > kMaxHead || !WaitReadable(s, kIdleTimeoutMs)) {
                open = false;
                break;
            }
            char chunk[8192];
            const ssize_t n = ::recv(s, chunk, sizeof chunk, 0);
            if (n <= 0) {
                open = false;
                break;
            }
            buffer.append(chunk, static_cast<std::size_t>(n));
        }
        if (!open && buffer.size() <= kMaxHead)
            break;

        HttpExchange::Request request;
        if (open) {
            request = ParseHead(std::string_view(buffer).substr(0, headEnd));
            buffer.erase(0, headEnd);
        } else {
            request.malformed = true;  // a head too long to be a request of ours
        }
        // A body is read and dropped: the protocol has none.
        std::size_t body = 0;
        if (const std::string length = HeaderValue(request, "content-length"); !length.empty())
            body = std::strtoull(length.c_str(), nullptr, 10);
        while (open && buffer.size() < body) {
            char chunk[8192];
            const ssize_t n = WaitReadable(s, kIdleTimeoutMs) ? ::recv(s, chunk, sizeof chunk, 0) : 0;
            if (n <= 0)
                open = false;
            else
                buffer.append(chunk, static_cast<std::size_t>(n));
        }
        buffer.erase(0, std::min(body, buffer.size()));

        const std::string connectionHeader = Lower(HeaderValue(request, "connection"));
        const bool keepAlive = open && !request.malformed &&
                               (request.version == "HTTP/1.1" ? connectionHeader != "close"
                                                              : connectionHeader == "keep-alive");
        HttpExchange exchange(s, std::move(request), keepAlive);
        m_handler(exchange);
        if (exchange.Status() == 0)
            exchange.Send(500, "text/plain", "The handler gave no answer\n");
        open = exchange.Reusable();
    }
    std::lock_guard lock(m_mutex);
    ::close(s);
    connection.socket = -1;
    connection.done = true;
}
