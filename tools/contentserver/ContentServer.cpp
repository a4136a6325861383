#include "tools/contentserver/ContentServer.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>

#include "catalog/CatalogPaths.h"
#include "tools/catgen/CatalogGenerator.h"
#include "tools/catgen/GeneratedCatalog.h"
#include "tools/contentserver/ContentStore.h"
#include "tools/contentserver/DownloadQuery.h"
#include "tools/contentserver/FaultResponse.h"
#include "tools/contentserver/HttpDaemon.h"
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
          http([this](const HttpRequest& request) { return Handle(request); })
    {
        store.SetHostileIds(options.hostileIds, options.hostileNulId);
    }

    HttpReply Handle(const HttpRequest& request);
    ContentStore::Answer AnswerUpdate(const UpdateQuery& query);
    std::optional<FaultRule> TakeFault(const FaultRequest& request);
    long Arrive(const std::string& target);

    ContentServerOptions options;
    ContentStore store;
    RequestLog log;
    std::FILE* logFile = nullptr;
    std::string error;
    int port = 0;

    mutable std::mutex mutex;  // guards what follows
    bool started = false;
    bool stopped = false;
    std::vector<FaultRule> faults;
    std::vector<std::string> requests;

    HttpDaemon http;  // last: stopped before what its handler uses goes
};

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

HttpReply ContentServer::Impl::Handle(const HttpRequest& request)
{
    const Clock::time_point start = Clock::now();
    RequestRecord record;
    record.number = Arrive(request.target);
    record.method = request.method;
    record.target = request.target;

    FaultRequest facts;
    facts.number = record.number;
    facts.target = request.target;
    const std::string_view path = TargetPath(request.target);
    const bool malformed = path.empty() || path[0] != '/';
    UpdateQuery query;
    std::string downloadId;  // what facts.downloadId views
    ContentStore::Answer answer;
    if (malformed) {
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
        facts.trimmedGroup = query.cat ? TrimBlanks(*query.cat) : std::string_view();
        answer = AnswerUpdate(query);
    } else if (path == kDownloadPath) {
        const DownloadQuery download = ParseDownloadQuery(TargetQuery(request.target));
        facts.isDownload = true;
        downloadId = download.id.value_or("");
        facts.downloadId = downloadId;
        answer = store.Download(TargetQuery(request.target));
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

    HttpReply reply;
    if (const auto fault = malformed ? std::nullopt : TakeFault(facts)) {
        record.fault = DescribeFaultRule(*fault);
        reply = FaultReply(*fault, answer, facts.isMedia || facts.isDownload);
    } else {
        reply.status = answer.status;
        reply.contentType = std::move(answer.contentType);
        reply.disposition = std::move(answer.disposition);
        reply.body = std::move(answer.body);
    }
    record.status = reply.status;
    reply.onDone = [this, record = std::move(record), start,
                    head = request.method == "HEAD"](std::size_t bytes) mutable {
        record.bytes = head ? 0 : bytes;
        record.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        log.Add(std::move(record));
    };
    return reply;
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
    impl.http.Serve();
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
