#include "tools/contentserver/HttpExchange.h"

#include <cerrno>
#include <sys/socket.h>

HttpExchange::HttpExchange(int socket, Request request, bool keepAlive)
    : m_socket(socket), m_request(std::move(request)), m_keepAlive(keepAlive)
{
}

bool HttpExchange::Send(int status, std::string_view contentType, std::string_view body)
{
    std::string message = Head(status, contentType, body.size());
    m_headSent = true;
    m_status = status;
    m_promised = body.size();
    if (m_request.method != "HEAD") {
        message += body;
        m_bodySent = body.size();
    } else {
        m_promised = 0;
    }
    return WriteAll(message);
}

bool HttpExchange::SendHead(int status, std::string_view contentType, std::size_t contentLength)
{
    m_headSent = true;
    m_status = status;
    m_promised = m_request.method == "HEAD" ? 0 : contentLength;
    return WriteAll(Head(status, contentType, contentLength));
}

bool HttpExchange::SendBytes(std::string_view bytes)
{
    if (m_request.method == "HEAD")
        return !m_failed;
    if (!WriteAll(bytes))
        return false;
    m_bodySent += bytes.size();
    return true;
}

bool HttpExchange::Reusable() const
{
    return m_keepAlive && !m_failed && m_headSent && m_bodySent == m_promised;
}

bool HttpExchange::WriteAll(std::string_view bytes)
{
    while (!m_failed && !bytes.empty()) {
        const ssize_t n = ::send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_failed = true;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return !m_failed;
}

std::string HttpExchange::Head(int status, std::string_view contentType,
                               std::size_t contentLength) const
{
    std::string head = "HTTP/1.1 " + std::to_string(status) + " " +
                       std::string(ReasonPhrase(status)) + "\r\n";
    head += "Server: vantory-content-server\r\n";
    if (!contentType.empty()) {
        head += "Content-Type: ";
        head += contentType;
        head += "\r\n";
    }
    head += "Content-Length: " + std::to_string(contentLength) + "\r\n";
    head += m_keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
    head += "\r\n";
    return head;
}

std::string_view ReasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 414: return "URI Too Long";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return "Unknown";
    }
}
