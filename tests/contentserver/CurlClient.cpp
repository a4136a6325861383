#include "CurlClient.h"

#include <curl/curl.h>
#include <poll.h>
#include <sys/socket.h>

namespace {

const bool g_curlReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user)
{
    auto& reply = *static_cast<FetchReply*>(user);
    const std::string line(data, size * count);
    if (line.rfind("HTTP/", 0) == 0)
        reply.headers.clear();  // a new response (after 100 Continue)
    const auto colon = line.find(':');
    if (colon != std::string::npos) {
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        value.erase(value.find_last_not_of("\r\n") + 1);
        reply.headers[Lower(line.substr(0, colon))] = value;
    }
    return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    static_cast<FetchReply*>(user)->body.append(data, size * count);
    return size * count;
}

} // namespace

CurlClient::CurlClient(int port) : m_easy(g_curlReady ? curl_easy_init() : nullptr), m_port(port)
{
}

CurlClient::~CurlClient()
{
    if (m_easy)
        curl_easy_cleanup(m_easy);
}

FetchReply CurlClient::Get(const std::string& target, const FetchOptions& options)
{
    FetchReply reply;
    if (!m_easy)
        return reply;
    const std::string url = "http://127.0.0.1:" + std::to_string(m_port) + "/";
    curl_slist* headers = nullptr;
    for (const std::string& header : options.headers)
        headers = curl_slist_append(headers, header.c_str());
    curl_easy_setopt(m_easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(m_easy, CURLOPT_REQUEST_TARGET, target.c_str());
    curl_easy_setopt(m_easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(m_easy, CURLOPT_HTTP_VERSION,
                     options.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    if (options.post.empty()) {
        curl_easy_setopt(m_easy, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(m_easy, CURLOPT_NOBODY, options.head ? 1L : 0L);
    } else {
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDSIZE, static_cast<long>(options.post.size()));
        curl_easy_setopt(m_easy, CURLOPT_COPYPOSTFIELDS, options.post.c_str());
    }
    curl_easy_setopt(m_easy, CURLOPT_TIMEOUT_MS, static_cast<long>(options.timeout * 1000));
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_easy, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_easy_setopt(m_easy, CURLOPT_HEADERDATA, &reply);
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, &reply);

    const CURLcode result = curl_easy_perform(m_easy);
    curl_slist_free_all(headers);
    long status = 0;
    long connects = 0;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(m_easy, CURLINFO_NUM_CONNECTS, &connects);
    reply.status = static_cast<int>(status);
    reply.connected = result != CURLE_COULDNT_CONNECT;
    reply.timedOut = result == CURLE_OPERATION_TIMEDOUT;
    reply.closedEarly = result == CURLE_PARTIAL_FILE;
    reply.whole = result == CURLE_OK && status != 0;
    if (const auto it = reply.headers.find("content-length"); it != reply.headers.end())
        reply.contentLength = std::stol(it->second);
    m_reused = reply.connected && connects == 0;
    return reply;
}

bool CurlClient::Connect()
{
    const std::string url = "http://127.0.0.1:" + std::to_string(m_port) + "/";
    curl_easy_setopt(m_easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(m_easy, CURLOPT_CONNECT_ONLY, 1L);
    return m_easy && curl_easy_perform(m_easy) == CURLE_OK;
}

// libcurl tells of a closed connection only at the next request; so the
// connection's socket is asked directly, without taking a byte from it.
bool CurlClient::ClosedByServer(double timeout)
{
    curl_socket_t socket = CURL_SOCKET_BAD;
    if (!m_easy || curl_easy_getinfo(m_easy, CURLINFO_ACTIVESOCKET, &socket) != CURLE_OK)
        return false;
    if (socket == CURL_SOCKET_BAD)
        return true;  // libcurl found it closed already
    pollfd fd{socket, POLLIN, 0};
    if (::poll(&fd, 1, static_cast<int>(timeout * 1000)) <= 0)
        return false;
    char byte;
    return ::recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
}

FetchReply Fetch(int port, const std::string& target, double timeout)
{
    FetchOptions options;
    options.timeout = timeout;
    return CurlClient(port).Get(target, options);
}
