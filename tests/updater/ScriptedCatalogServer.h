#pragma once

#include <httplib.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A content server of the tests' own on cpp-httplib: it speaks the update
// protocol for a catalog the test sets and changes, and lets a test answer
// any request in its place (a fault, a lie, a body that never ends).
// Listings hold 30 items a page; the items of logos, big logos and Java
// games name a picture on this server.
class ScriptedCatalogServer
{
public:
    struct Group
    {
        std::string id;
        std::string lib;
        int items = 0;
        int version = 0;  // goes into the items' labels: another version, other pages
    };

    // What a request asked for, its values decoded.
    struct Request
    {
        std::string target;  // raw, as received
        int type = 0;
        std::string act;
        std::string cat;
        int page = 0;
        std::string np;
        bool isMedia = false;
    };

    // Answers the request in place of the catalog and returns true, or
    // returns false to let the catalog answer.
    using Override = std::function<bool(const Request&, httplib::Response&)>;

    ScriptedCatalogServer();
    ~ScriptedCatalogServer();
    ScriptedCatalogServer(const ScriptedCatalogServer&) = delete;
    ScriptedCatalogServer& operator=(const ScriptedCatalogServer&) = delete;

    // "127.0.0.1:port", for the updater.
    std::string Address() const;

    void SetGroups(int type, std::vector<Group> groups);
    void SetOverride(Override handler);

    // Raw targets of the requests received since the last call.
    std::vector<std::string> TakeTargets();

    // The documents as the catalog answers them.
    static std::string Index(const std::vector<Group>& groups);
    std::string ListingPage(int type, const Group& group, int page, int pageSize) const;

private:
    void Answer(const httplib::Request& request, httplib::Response& response);

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::map<int, std::vector<Group>> m_groups;
    Override m_override;
    std::vector<std::string> m_targets;
};
