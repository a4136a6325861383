#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TestContent.h"
#include "TestDir.h"
#include "tools/catgen/CatalogGenerator.h"
#include "tools/contentserver/ContentServer.h"
#include "tools/contentserver/TemporaryContent.h"

class CatalogUpdater;
class RecordingProgress;

// Generated content served on a loopback port, and an empty data/ in a
// fresh working directory (the previous one comes back at the end).
class UpdateFixture
{
public:
    explicit UpdateFixture(const CatalogGeneratorOptions& content, bool hostileIds = false);
    ~UpdateFixture();

    ContentServer& Server() { return *m_server; }
    const GeneratedCatalog& Model() const { return m_model; }
    const std::filesystem::path& WorkDir() const { return m_work.Path(); }

    // One RunUpdate against the server; `prepare` may set up the updater
    // (timeouts, pump interval) before it runs. The pump inside a fetch is
    // off unless `prepare` turns it on, so that the pumps counted are the
    // update's own.
    // Returns the media list the update built.
    struct MediaList
    {
        std::vector<std::string> urls;
        std::vector<std::string> paths;  // relative to the working directory
    };
    MediaList Update(RecordingProgress& progress, const std::function<void(CatalogUpdater&)>& prepare = {});
    // The same with a progress target that records nothing of interest.
    MediaList Update();

    // Request targets the server received since the last call.
    std::vector<std::string> TakeRequests();

    // Every file below data/, by path relative to the working directory.
    std::map<std::string, std::string> DataFiles() const;
    // Every path below the working directory that is not below data/.
    std::vector<std::string> PathsOutsideData() const;

private:
    GeneratedCatalog m_model;
    TemporaryContent m_content;
    std::unique_ptr<ContentServer> m_server;
    TestDir m_work;
};

// "/xml_act.php?" + the query, formatted as the protocol states it.
std::string UpdateTarget(int type, const std::string& act, const std::string& cat, int page,
                         const std::string& np);

// Every request of an update into an empty data/ for this model, in order.
std::vector<std::string> FreshInstallRequests(const GeneratedCatalog& model);

// Page 1 of the group as the local copy, made to look older than the
// server's (another total), so that the next update fetches the group again.
void MakeStale(const std::filesystem::path& pageFile);
