#include "tools/contentserver/HttpDaemon.h"

#include <chrono>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <netdb.h>
#include <utility>

#include <microhttpd.h>

#include "tools/contentserver/ReplyBody.h"

namespace {

constexpr unsigned kMaxConnections = 256;  // a thread each
constexpr unsigned kIdleTimeoutSeconds = 30;
constexpr std::size_t kConnectionMemory = 160 * 1024;  // room for a 64 KiB request head
constexpr std::size_t kBodyBlock = 32 * 1024;

// One request on its way through the library.
struct Exchange
{
    std::string target;
    bool headersSeen = false;
};

std::string OriginForm(std::string target)
{
    if (target.rfind("http://", 0) != 0)
        return target;
    const auto path = target.find('/', 7);
    return path == std::string::npos ? "/" : target.substr(path);
}

} // namespace

struct HttpDaemon::Impl
{
    explicit Impl(Handler h) : handler(std::move(h)) {}

    bool Sleep(double seconds);
    MHD_Daemon* StartOn(const addrinfo& address);
    MHD_Result Answer(MHD_Connection* connection, const HttpRequest& request);

    // The target as sent, kept before the library splits and decodes it.
    static void* OnUri(void*, const char* uri, MHD_Connection*);
    static void OnCompleted(void*, MHD_Connection*, void** context, MHD_RequestTerminationCode);
    static MHD_Result OnRequest(void* cls, MHD_Connection* connection, const char* url,
                                const char* method, const char* version, const char* upload,
                                size_t* uploadSize, void** context);
    static ssize_t ReadBody(void* body, uint64_t position, char* buffer, size_t max);
    static void FreeBody(void* body);
    static void OnLog(void* cls, const char* format, va_list args);

    const Handler handler;
    int port = 0;

    std::mutex mutex;  // guards what follows
    std::condition_variable changed;
    MHD_Daemon* daemon = nullptr;
    bool serving = false;
    bool stopping = false;
    bool starting = false;
    std::string startError;  // the library's first complaint while starting
};

bool HttpDaemon::Impl::Sleep(double seconds)
{
    std::unique_lock lock(mutex);
    return !changed.wait_for(lock, std::chrono::duration<double>(seconds), [this] { return stopping; });
}

void* HttpDaemon::Impl::OnUri(void*, const char* uri, MHD_Connection*)
{
    return new Exchange{OriginForm(uri)};
}

void HttpDaemon::Impl::OnCompleted(void*, MHD_Connection*, void** context,
                                   MHD_RequestTerminationCode)
{
    delete static_cast<Exchange*>(*context);
    *context = nullptr;
}

MHD_Result HttpDaemon::Impl::OnRequest(void* cls, MHD_Connection* connection, const char*,
                                       const char* method, const char*, const char*,
                                       size_t* uploadSize, void** context)
{
    auto* exchange = static_cast<Exchange*>(*context);
    if (!exchange)
        return MHD_NO;
    // Answering in the first call, before a body could be read, would cost
    // the connection its keep-alive.
    if (!exchange->headersSeen) {
        exchange->headersSeen = true;
        return MHD_YES;
    }
    if (*uploadSize != 0) {
        *uploadSize = 0;
        return MHD_YES;
    }
    return static_cast<Impl*>(cls)->Answer(connection, {method, exchange->target});
}

MHD_Result HttpDaemon::Impl::Answer(MHD_Connection* connection, const HttpRequest& request)
{
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return serving || stopping; });
        if (stopping)
            return MHD_NO;
    }
    auto body = std::make_unique<ReplyBody>(handler(request),
                                            [this](double seconds) { return Sleep(seconds); });
    const HttpReply& reply = body->Reply();
    if (reply.silence > 0 && !Sleep(reply.silence))
        return MHD_NO;  // closes the connection; the body finishes with 0 bytes
    // The library reads no body for these.
    if (request.method == "HEAD" || reply.body.empty())
        body->Finish(0);

    MHD_Response* response = MHD_create_response_from_callback(reply.body.size(), kBodyBlock,
                                                               &ReadBody, body.get(), &FreeBody);
    if (!response)
        return MHD_NO;
    body.release();  // the response owns it now
    MHD_add_response_header(response, "Server", "vantory-content-server");
    if (!reply.contentType.empty())
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, reply.contentType.c_str());
    if (!reply.disposition.empty())
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_DISPOSITION,
                                reply.disposition.c_str());
    const MHD_Result queued = MHD_queue_response(connection, static_cast<unsigned>(reply.status),
                                                 response);
    MHD_destroy_response(response);
    return queued;
}

ssize_t HttpDaemon::Impl::ReadBody(void* body, uint64_t position, char* buffer, size_t max)
{
    const long count = static_cast<ReplyBody*>(body)->Read(position, buffer, max);
    return count < 0 ? MHD_CONTENT_READER_END_WITH_ERROR : count;
}

void HttpDaemon::Impl::FreeBody(void* body)
{
    delete static_cast<ReplyBody*>(body);
}

void HttpDaemon::Impl::OnLog(void* cls, const char* format, va_list args)
{
    auto& impl = *static_cast<Impl*>(cls);
    char text[512];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::vsnprintf(text, sizeof text, format, args);
#pragma GCC diagnostic pop
    std::string message = text;
    while (!message.empty() && (message.back() == '\n' || message.back() == '.'))
        message.pop_back();
    std::lock_guard lock(impl.mutex);
    if (impl.starting && impl.startError.empty())
        impl.startError = message;
}

MHD_Daemon* HttpDaemon::Impl::StartOn(const addrinfo& address)
{
    unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_THREAD_PER_CONNECTION |
                     MHD_USE_ERROR_LOG;
    if (address.ai_family == AF_INET6)
        flags |= MHD_USE_DUAL_STACK;  // as a socket bound to "::" is by default
    return MHD_start_daemon(
        flags, 0, nullptr, nullptr, &OnRequest, this,
        MHD_OPTION_EXTERNAL_LOGGER, &OnLog, this,
        MHD_OPTION_SOCK_ADDR, address.ai_addr,
        MHD_OPTION_URI_LOG_CALLBACK, &OnUri, nullptr,
        MHD_OPTION_NOTIFY_COMPLETED, &OnCompleted, nullptr,
        // Blanks in the target, as the program sends them, and no Host needed.
        MHD_OPTION_STRICT_FOR_CLIENT, -1,
        MHD_OPTION_CONNECTION_LIMIT, kMaxConnections,
        MHD_OPTION_CONNECTION_TIMEOUT, kIdleTimeoutSeconds,
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, kConnectionMemory,
        MHD_OPTION_END);
}

HttpDaemon::HttpDaemon(Handler handler) : m_impl(std::make_unique<Impl>(std::move(handler)))
{
}

HttpDaemon::~HttpDaemon()
{
    Stop();
}

std::string HttpDaemon::Listen(const std::string& host, int port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (const int error = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found))
        return "cannot resolve '" + host + "': " + ::gai_strerror(error);

    Impl& impl = *m_impl;
    std::string error = "no address for '" + host + "'";
    MHD_Daemon* daemon = nullptr;
    for (const addrinfo* address = found; address && !daemon; address = address->ai_next) {
        {
            std::lock_guard lock(impl.mutex);
            impl.starting = true;
            impl.startError.clear();
        }
        daemon = impl.StartOn(*address);
        std::lock_guard lock(impl.mutex);
        impl.starting = false;
        if (!daemon)
            error = impl.startError.empty() ? "the HTTP library refused" : impl.startError;
    }
    ::freeaddrinfo(found);
    if (!daemon)
        return "cannot listen on " + host + ":" + service + ": " + error;

    const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon, MHD_DAEMON_INFO_BIND_PORT);
    impl.port = info ? info->port : port;
    std::lock_guard lock(impl.mutex);
    impl.daemon = daemon;
    return {};
}

int HttpDaemon::Port() const
{
    return m_impl->port;
}

void HttpDaemon::Serve()
{
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->serving = true;
    }
    m_impl->changed.notify_all();
}

void HttpDaemon::Stop()
{
    MHD_Daemon* daemon = nullptr;
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->stopping = true;
        daemon = std::exchange(m_impl->daemon, nullptr);
    }
    m_impl->changed.notify_all();
    if (daemon)
        MHD_stop_daemon(daemon);
}
