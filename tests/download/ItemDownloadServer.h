#pragma once

#include <httplib.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

// The download addresses of a generated catalog ("/dl.php?t=..&id=..") on a
// server of the tests' own: a small file named after the item, a 404, or a
// body that trickles on until the client goes.
class ItemDownloadServer
{
public:
    enum class Mode
    {
        File,
        Missing,
        Slow,
    };

    ItemDownloadServer();
    ~ItemDownloadServer();
    ItemDownloadServer(const ItemDownloadServer&) = delete;
    ItemDownloadServer& operator=(const ItemDownloadServer&) = delete;

    // "http://127.0.0.1:port", the origin of the catalog's media base.
    std::string Origin() const;
    // The bytes and the file name the server gives the item.
    static std::string Body(const std::string& id) { return "GIF89a " + id; }
    static std::string FileName(const std::string& id) { return "item " + id + ".gif"; }
    // "t/id" of the last request.
    std::string LastQuery();

    std::atomic<Mode> m_mode{Mode::File};

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::string m_query;
};
