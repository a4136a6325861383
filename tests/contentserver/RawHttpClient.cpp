#include "RawHttpClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

void ParseHead(const std::string& head, RawReply& reply)
{
    std::size_t start = 0;
    bool first = true;
    while (start < head.size()) {
        const auto end = head.find("\r\n", start);
        const std::string line = head.substr(start, end - start);
        start = end == std::string::npos ? head.size() : end + 2;
        if (first) {
            first = false;
            if (line.rfind("HTTP/1.", 0) == 0 && line.size() >= 12)
                reply.status = std::stoi(line.substr(9, 3));
            continue;
        }
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        reply.headers[Lower(line.substr(0, colon))] = value;
    }
    if (const auto it = reply.headers.find("content-length"); it != reply.headers.end())
        reply.contentLength = std::stol(it->second);
}

int Connect(int port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (s >= 0 && ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return s;
    if (s >= 0)
        ::close(s);
    return -1;
}

RawReply Exchange(int s, const std::string& request, double timeout)
{
    RawReply reply;
    reply.connected = true;
    ::send(s, request.data(), request.size(), MSG_NOSIGNAL);

    std::string data;
    std::size_t headEnd = std::string::npos;
    for (;;) {
        if (headEnd != std::string::npos && reply.contentLength >= 0 &&
            data.size() - headEnd >= static_cast<std::size_t>(reply.contentLength))
            break;
        pollfd fd{s, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(timeout * 1000)) <= 0) {
            reply.timedOut = true;
            break;
        }
        char chunk[16384];
        const ssize_t n = ::recv(s, chunk, sizeof chunk, 0);
        if (n <= 0)
            break;
        data.append(chunk, static_cast<std::size_t>(n));
        if (headEnd == std::string::npos) {
            const auto at = data.find("\r\n\r\n");
            if (at != std::string::npos) {
                headEnd = at + 4;
                ParseHead(data.substr(0, at), reply);
            }
        }
    }
    if (headEnd != std::string::npos)
        reply.body = data.substr(headEnd);
    return reply;
}

} // namespace

RawReply RawExchange(int port, const std::string& request, double timeout)
{
    const int s = Connect(port);
    if (s < 0)
        return {};
    RawReply reply = Exchange(s, request, timeout);
    ::close(s);
    return reply;
}

RawReply RawGet(int port, const std::string& target, double timeout)
{
    return RawExchange(port,
                       "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                           "\r\nConnection: close\r\n\r\n",
                       timeout);
}

HeldConnection::HeldConnection(int port) : m_socket(Connect(port))
{
}

HeldConnection::~HeldConnection()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

RawReply HeldConnection::Get(const std::string& target, double timeout)
{
    if (m_socket < 0)
        return {};
    return Exchange(m_socket, "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", timeout);
}

bool HeldConnection::ClosedByServer(double timeout)
{
    pollfd fd{m_socket, POLLIN, 0};
    if (m_socket < 0 || ::poll(&fd, 1, static_cast<int>(timeout * 1000)) <= 0)
        return false;
    char byte;
    return ::recv(m_socket, &byte, 1, MSG_PEEK) == 0;
}
