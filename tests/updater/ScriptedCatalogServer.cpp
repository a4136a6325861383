#include "ScriptedCatalogServer.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kPageSize = 30;

bool HasPictures(int type)
{
    return type == 1 || type == 3 || type == 26;
}

int Number(const httplib::Request& request, const char* name)
{
    try {
        return std::stoi(request.get_param_value(name));
    } catch (...) {
        return 0;
    }
}

} // namespace

ScriptedCatalogServer::ScriptedCatalogServer()
{
    m_server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        Answer(request, response);
    });
    // Headers and body go out in separate writes: without this, delayed
    // acknowledgements hold every response back.
    m_server.set_tcp_nodelay(true);
    m_port = m_server.bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    while (!m_server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

ScriptedCatalogServer::~ScriptedCatalogServer()
{
    m_server.stop();
    m_thread.join();
}

std::string ScriptedCatalogServer::Address() const
{
    return "127.0.0.1:" + std::to_string(m_port);
}

void ScriptedCatalogServer::SetGroups(int type, std::vector<Group> groups)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_groups[type] = std::move(groups);
}

void ScriptedCatalogServer::SetOverride(Override handler)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_override = std::move(handler);
}

std::vector<std::string> ScriptedCatalogServer::TakeTargets()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_targets, {});
}

std::string ScriptedCatalogServer::Index(const std::vector<Group>& groups)
{
    std::string xml = "<?xml version=\"1.0\"?>\n<response>\n";
    for (const Group& group : groups)
        xml += "<ressource><id>" + group.id + "</id><lib>" + group.lib + "</lib></ressource>\n";
    return xml + "</response>\n";
}

std::string ScriptedCatalogServer::ListingPage(int type, const Group& group, int page, int pageSize) const
{
    const int pages = (group.items + kPageSize - 1) / kPageSize;
    std::string xml = "<?xml version=\"1.0\"?>\n<response max_page=\"" + std::to_string(pages)
        + "\" total_results=\"" + std::to_string(group.items) + "\">\n";
    const int first = (page - 1) * pageSize;
    for (int i = std::max(first, 0); i < std::min(first + pageSize, group.items); ++i) {
        const std::string id = group.id + "-" + std::to_string(i);
        xml += "<ressource><id>" + id + "</id><lib>Item " + std::to_string(i) + " v"
            + std::to_string(group.version) + "</lib><url_download>http://get.example/" + id
            + "</url_download>";
        if (HasPictures(type)) {
            const std::string element = type == 26 ? "screenbox" : "file";
            xml += "<" + element + ">http://" + Address() + "/pic/" + id + ".gif</" + element + ">";
        }
        xml += "</ressource>\n";
    }
    return xml + "</response>\n";
}

void ScriptedCatalogServer::Answer(const httplib::Request& http, httplib::Response& response)
{
    Request request;
    request.target = http.target;
    request.isMedia = http.path.rfind("/pic/", 0) == 0;
    request.type = Number(http, "t");
    request.act = http.get_param_value("act");
    request.cat = http.get_param_value("cat");
    request.page = Number(http, "p");
    request.np = http.get_param_value("np");

    Override handler;
    std::vector<Group> groups;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_targets.push_back(http.target);
        handler = m_override;
        groups = m_groups[request.type];
    }
    if (handler && handler(request, response))
        return;

    if (request.isMedia) {
        response.set_content("GIF89a" + http.path, "image/gif");
        return;
    }
    if (request.act == "CAT") {
        response.set_content(Index(groups), "text/xml");
        return;
    }
    for (const Group& group : groups) {
        if (group.id == request.cat) {
            const int pageSize = request.np.empty() ? kPageSize : std::max(Number(http, "np"), 1);
            response.set_content(ListingPage(request.type, group, request.page, pageSize), "text/xml");
            return;
        }
    }
    response.status = 404;
    response.set_content("no such group", "text/plain");
}
