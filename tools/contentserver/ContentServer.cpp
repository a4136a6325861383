#include "tools/contentserver/ContentServer.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>

#include "tools/catgen/CatalogGenerator.h"
#include "tools/catgen/GeneratedCatalog.h"
#include "tools/contentserver/ContentStore.h"
#include "tools/contentserver/FaultResponse.h"
#include "tools/contentserver/HttpServer.h"
#include "tools/contentserver/UpdateQuery.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string OwnHost(const std::string& host)
{
    if (host.empty() || host == "0.0.0.0")
        return "127.0.0.1";
    if (host == "::")
        return "[::1]";
    return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

} // namespace

struct ContentServer::Impl
{
    explicit Impl(ContentServerOptions o)
        : options(std::move(o)),
          store(options.contentDir, options.mediaBase),
          http([this](HttpExchange& exchange) { Handle(exchange); })
    {
        store.SetHostileIds(options.hostileIds, options.hostileNulId);
    }

    void Handle(HttpExchange& exchange);
    ContentStore::Answer AnswerUpdate(const UpdateQuery& query);
    std::optional<FaultRule> TakeFault(const FaultRequest& request);
    long Arrive(const std::string& target);
    // Logs the request before its last bytes go out, so that a client that
    // holds the whole answer (or saw the connection close) finds it in Log().
    void Complete(int status, std::size_t bytes);
    void Send(HttpExchange& exchange, int status, const std::string& type, const std::string& body);

    // The request being answered on this thread.
    struct Current
    {
        RequestRecord record;
        Clock::time_point start;
        bool head = false;
    };
    static thread_local Current t_current;

    ContentServerOptions options;
    ContentStore store;
    HttpServer http;
    RequestLog log;
    std::FILE* logFile = nullptr;
    std::string error;
    int port = 0;

    mutable std::mutex mutex;  // guards what follows
    bool started = false;
    bool stopped = false;
    std::vector<FaultRule> faults;
    std::vector<std::string> requests;
};

thread_local ContentServer::Impl::Current ContentServer::Impl::t_current;

void ContentServer::Impl::Complete(int status, std::size_t bytes)
{
    RequestRecord& record = t_current.record;
    record.status = status;
    record.bytes = t_current.head ? 0 : bytes;
    record.milliseconds =
        std::chrono::duration<double, std::milli>(Clock::now() - t_current.start).count();
    log.Add(std::move(record));
}

void ContentServer::Impl::Send(HttpExchange& exchange, int status, const std::string& type,
                               const std::string& body)
{
    Complete(status, body.size());
    exchange.Send(status, type, body);
}

long ContentServer::Impl::Arrive(const std::string& target)
{
    std::lock_guard lock(mutex);
    requests.push_back(target);
    return static_cast<long>(requests.size());
}

std::optional<FaultRule> ContentServer::Impl::TakeFault(const FaultRequest& request)
{
    std::lock_guard lock(mutex);
    for (auto rule = faults.begin(); rule != faults.end(); ++rule) {
        if (!Matches(*rule, request))
            continue;
        FaultRule taken = *rule;
        if (rule->once)
            faults.erase(rule);
        return taken;
    }
    return std::nullopt;
}

ContentStore::Answer ContentServer::Impl::AnswerUpdate(const UpdateQuery& query)
{
    ContentStore::Answer refused;
    const auto refuse = [&refused](int status, std::string note) {
        refused.status = status;
        refused.body = (status == 400 ? "Bad request: " : "Not found: ") + note + "\n";
        refused.note = std::move(note);
        return refused;
    };
    const std::optional<int> code = query.type ? ParseQueryNumber(*query.type) : std::nullopt;
    if (!code || ContentTypeKey(*code).empty())
        return refuse(404, "unknown type '" + query.type.value_or("") + "'");
    const std::string act = query.act.value_or("");
    if (act == "CAT")
        return store.Index(*code);
    const char* listingAct = *code == 26 ? "GAMESCONT" : "CONT";
    if (act != "CONT" && act != "GAMESCONT")
        return refuse(404, "unknown act '" + act + "'");
    if (act != listingAct)
        return refuse(404, "act " + act + " is not for type " + std::to_string(*code) +
                               " (" + listingAct + ")");
    const auto page = query.page ? ParseQueryNumber(*query.page) : std::nullopt;
    if (!page)
        return refuse(400, "page '" + query.page.value_or("") + "' is not a number");
    const auto size = query.pageSize ? ParseQueryNumber(*query.pageSize) : std::nullopt;
    if (!size || *size < 1)
        return refuse(400, "page size '" + query.pageSize.value_or("") + "' is not a number from 1");
    if (!query.cat)
        return refuse(400, "no cat");
    return store.Listing(*code, *query.cat, *page, *size);
}

void ContentServer::Impl::Handle(HttpExchange& exchange)
{
    const HttpExchange::Request& request = exchange.GetRequest();
    t_current = Current();
    t_current.start = Clock::now();
    t_current.head = request.method == "HEAD";
    RequestRecord& record = t_current.record;
    record.number = Arrive(request.target);
    record.method = request.method;
    record.target = request.target;

    FaultRequest facts;
    facts.number = record.number;
    facts.target = request.target;
    const std::string_view path = TargetPath(request.target);
    UpdateQuery query;
    ContentStore::Answer answer;
    if (request.malformed) {
        answer.status = 400;
        answer.body = "Bad request\n";
        answer.note = "malformed request";
    } else if (request.method != "GET" && request.method != "HEAD") {
        answer.status = 405;
        answer.body = "Method not allowed\n";
        answer.note = "method " + request.method;
    } else if (path == "/xml_act.php") {
        query = ParseUpdateQuery(TargetQuery(request.target));
        facts.isUpdate = true;
        facts.act = query.act ? std::string_view(*query.act) : std::string_view();
        facts.type = query.type ? ParseQueryNumber(*query.type) : std::nullopt;
        facts.trimmedGroup = query.cat ? TrimGroupId(*query.cat) : std::string_view();
        answer = AnswerUpdate(query);
    } else if (store.IsMediaPath(path)) {
        facts.isMedia = true;
        facts.mediaPath = path;
        answer = store.Media(path);
    } else {
        answer.status = 404;
        answer.body = "Not found\n";
        answer.note = "unknown path";
    }
    record.note = answer.note;

    const auto fault = request.malformed ? std::nullopt : TakeFault(facts);
    if (fault) {
        record.fault = DescribeFaultRule(*fault);
        RespondWithFault(*fault, answer, facts.isMedia, exchange,
                         [this](double seconds) { return http.Sleep(seconds); },
                         [this](int status, std::size_t bytes) { Complete(status, bytes); });
    } else {
        Send(exchange, answer.status, answer.contentType, answer.body);
    }
}

ContentServer::ContentServer(ContentServerOptions options)
    : m_impl(std::make_unique<Impl>(std::move(options)))
{
}

ContentServer::~ContentServer()
{
    Stop();
    if (m_impl->logFile)
        std::fclose(m_impl->logFile);
}

bool ContentServer::Start()
{
    Impl& impl = *m_impl;
    {
        std::lock_guard lock(impl.mutex);
        if (impl.started) {
            impl.error = "the server was started before";
            return false;
        }
        impl.started = true;
    }
    if (!impl.options.logFile.empty()) {
        impl.logFile = std::fopen(impl.options.logFile.c_str(), "a");
        if (!impl.logFile) {
            impl.error = "cannot open the log file '" + impl.options.logFile.string() +
                         "': " + std::strerror(errno);
            return false;
        }
        impl.log.SetFile(impl.logFile);
    } else if (impl.options.logToStderr) {
        impl.log.SetFile(stderr);
    }

    impl.error = impl.http.Listen(impl.options.host, impl.options.port);
    if (!impl.error.empty())
        return false;
    impl.port = impl.http.Port();
    impl.store.SetOwnOrigin(Origin(), impl.options.rewriteOwnAddresses);
    impl.log.Note("serving " + impl.options.contentDir.string() + " on " + Origin());
    impl.http.Start();
    return true;
}

void ContentServer::Stop()
{
    Impl& impl = *m_impl;
    {
        std::lock_guard lock(impl.mutex);
        if (impl.stopped)
            return;
        impl.stopped = true;
    }
    impl.http.Stop();
    if (impl.port != 0)
        impl.log.Note("stopped");
}

bool ContentServer::IsRunning() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->started && !m_impl->stopped;
}

const std::string& ContentServer::Error() const
{
    return m_impl->error;
}

int ContentServer::Port() const
{
    return m_impl->port;
}

std::string ContentServer::Address() const
{
    return OwnHost(m_impl->options.host) + ":" + std::to_string(m_impl->port);
}

std::string ContentServer::Origin() const
{
    return "http://" + Address();
}

void ContentServer::AddFault(const FaultRule& rule)
{
    std::lock_guard lock(m_impl->mutex);
    m_impl->faults.push_back(rule);
}

void ContentServer::ClearFaults()
{
    std::lock_guard lock(m_impl->mutex);
    m_impl->faults.clear();
}

void ContentServer::SetHostileIds(bool on, bool withNulId)
{
    m_impl->store.SetHostileIds(on, withNulId);
}

std::vector<std::string> ContentServer::Requests() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->requests;
}

std::vector<RequestRecord> ContentServer::Log() const
{
    return m_impl->log.Records();
}

void ContentServer::ClearRequests()
{
    std::lock_guard lock(m_impl->mutex);
    m_impl->requests.clear();
    m_impl->log.Clear();
}
