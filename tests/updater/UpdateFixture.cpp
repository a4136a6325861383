#include "UpdateFixture.h"

#include <algorithm>
#include <cstdio>
#include <regex>
#include <stdexcept>

#include "RecordingProgress.h"
#include "catalog/CatalogPaths.h"
#include "updater/CatalogUpdater.h"

namespace fs = std::filesystem;

namespace {

constexpr int kUpdateOrder[] = {3, 1, 26, 15, 24, 14, 2};
constexpr const char* kContentOrigin = "http://127.0.0.1:8642";

std::unique_ptr<ContentServer> StartServer(const fs::path& contentDir, bool hostileIds)
{
    ContentServerOptions options;
    options.contentDir = contentDir;
    options.hostileIds = hostileIds;
    auto server = std::make_unique<ContentServer>(options);
    if (!server->Start())
        throw std::runtime_error("content server: " + server->Error());
    return server;
}

} // namespace

UpdateFixture::UpdateFixture(const CatalogGeneratorOptions& content, bool hostileIds)
    : m_model(GenerateCatalogModel(content)), m_content(content),
      m_server(StartServer(m_content.Dir(), hostileIds))
{
    fs::create_directory("data");
}

UpdateFixture::~UpdateFixture()
{
    m_server->Stop();
}

UpdateFixture::MediaList UpdateFixture::Update(RecordingProgress& progress,
                                               const std::function<void(CatalogUpdater&)>& prepare)
{
    CatalogUpdater updater(progress, m_server->Address());
    updater.Session().SetPumpInterval(std::chrono::hours(1));
    // The requests after a cancel get their status in however slowly the
    // machine runs, so that the requests a test sees do not depend on it.
    updater.Session().SetCancelledWait(std::chrono::seconds(2));
    if (prepare)
        prepare(updater);
    updater.RunUpdate();
    MediaList list;
    list.urls = updater.m_mediaUrls;
    const std::string base = updater.m_baseDir;
    for (const std::string& path : updater.m_mediaPaths)
        list.paths.push_back(path.rfind(base, 0) == 0 ? path.substr(base.size()) : path);
    return list;
}

UpdateFixture::MediaList UpdateFixture::Update()
{
    RecordingProgress progress;
    return Update(progress);
}

std::vector<std::string> UpdateFixture::TakeRequests()
{
    std::vector<std::string> requests = m_server->Requests();
    m_server->ClearRequests();
    return requests;
}

std::map<std::string, std::string> UpdateFixture::DataFiles() const
{
    std::map<std::string, std::string> files;
    if (!fs::exists("data"))
        return files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator("data"))
        if (entry.is_regular_file())
            files[entry.path().generic_string()] = ReadFile(entry.path());
    return files;
}

std::vector<std::string> UpdateFixture::PathsOutsideData() const
{
    std::vector<std::string> paths;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_work.Path()))
        if (entry.path().filename() != "data")
            paths.push_back(entry.path().string());
    return paths;
}

std::string UpdateTarget(int type, const std::string& act, const std::string& cat, int page,
                         const std::string& np)
{
    char query[1024];
    std::snprintf(query, sizeof query, "a=vantory&t=%d&l=EN&act=%s&cat=%s&p=%d&np=%s&q=&c=US&h=1", type,
                  act.c_str(), cat.c_str(), page, np.c_str());
    return std::string("/xml_act.php?") + query;
}

std::vector<std::string> FreshInstallRequests(const GeneratedCatalog& model)
{
    std::vector<std::string> requests;
    for (int code : kUpdateOrder) {
        requests.push_back(UpdateTarget(code, "CAT", "", 1, ""));
        const GeneratedType* type = FindGeneratedType(model, code);
        if (!type)
            continue;
        const std::string act = code == 26 ? "GAMESCONT" : "CONT";
        for (const GeneratedGroup& group : type->groups) {
            const std::string id(TrimBlanks(group.id));
            requests.push_back(UpdateTarget(code, act, id, 1, "1"));
            const int pages = std::max<int>(1, static_cast<int>((group.items.size() + 29) / 30));
            for (int page = 1; page <= pages; ++page)
                requests.push_back(UpdateTarget(code, act, id, page, "30"));
        }
    }
    for (int code : {3, 1, 26}) {
        const GeneratedType* type = FindGeneratedType(model, code);
        if (!type)
            continue;
        for (const GeneratedGroup& group : type->groups)
            for (const GeneratedItem& item : group.items) {
                const std::optional<std::string>& address = code == 26 ? item.screenbox : item.file;
                if (address && address->rfind(kContentOrigin, 0) == 0)
                    requests.push_back(address->substr(std::string(kContentOrigin).size()));
            }
    }
    return requests;
}

void MakeStale(const fs::path& pageFile)
{
    const std::string page = ReadFile(pageFile);
    const std::string stale = std::regex_replace(page, std::regex("total_results=\"[0-9]+\""),
                                                 "total_results=\"99999\"", std::regex_constants::format_first_only);
    if (stale == page)
        throw std::runtime_error("no total_results in " + pageFile.string());
    WriteFile(pageFile, stale);
}
