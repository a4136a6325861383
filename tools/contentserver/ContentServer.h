#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tools/contentserver/FaultRule.h"
#include "tools/contentserver/RequestLog.h"

// An HTTP content server for the program's update, serving a content
// directory made by vantory-catgen (data/<key>/cats.xml,
// data/<key>/<dir>/<n>.xml, media/<key>/<dir>/<id>.gif) by the update
// protocol:
//
//   GET /xml_act.php?a=vantory&t=<code>&l=EN&act=<act>&cat=<id>&p=<page>&np=<size>&q=&c=US&h=1
//     act=CAT        the type index, the bytes of cats.xml
//     act=CONT       page p of the group's listing at np items a page, with
//                    max_page and total_results (GAMESCONT instead for type 26)
//   GET <media base path><key>/<group id>/<file>
//     the media file below media/ ("/media/logos/52/10017.gif")
//   GET /dl.php?t=<code>&id=<item id>[&f=jad]
//     the item's download, the address its url_download names, with a
//     Content-Type and a Content-Disposition that names the file after the
//     item ("Kid Cosmo - Blue Sky.mid"): a MIDI file, RTTTL text, a GIF or
//     a Java game's JAR; with f=jad the game's JAD (f=jar: the JAR too)
//
// A 30-item page is byte for byte the generator's page file; other page
// sizes are cut from the same items. The group id is matched without its
// leading and trailing blanks, as sent or percent-decoded. Anything else
// (unknown path, type, act or group) is answered 404, a bad page number or
// size 400, a method other than GET or HEAD 405; the log line says why.
//
// Addresses: the content's picture addresses name the host and port it was
// generated for (the generator's default is 127.0.0.1:8642). A server on
// another port answers them with its own host and port, so a catalog
// generated once works on any port (rewriteOwnAddresses). Or generate the
// content for the server's port (GenerateContent): files are read when
// first asked for, so content may be written after Start(), once Port() is
// known, and it is read again when it changes.
//
// Use from tests, in-process, any number of servers at once:
//     ContentServerOptions options;
//     options.contentDir = dir;
//     ContentServer server(options);          // port 0: any free port
//     ASSERT_TRUE(server.Start()) << server.Error();
//     fetch("http://" + server.Address() + "/xml_act.php?...");
//     server.AddFault(FaultRule::Status(503).ForAct("CAT").Once());
//     server.Requests();                      // the targets, in order
//     server.Stop();                          // or let it go out of scope
//
// Every member is thread-safe. Stop() returns at once, also while
// responses stall or connections wait for their next request.

inline constexpr int kDefaultContentPort = 8642;

struct ContentServerOptions
{
    std::filesystem::path contentDir;  // holds data/ (and media/ for the pictures)
    std::string host = "127.0.0.1";    // address to listen on
    int port = 0;                      // 0: any free port; Port() tells which
    std::string mediaBase;             // address prefix of the content's media files;
                                       // "": taken from the content's first picture
                                       // address (the generator's default base if none)
    bool rewriteOwnAddresses = true;   // see Addresses above
    bool hostileIds = false;           // add the groups of HostileGroups() to every index
    bool hostileNulId = true;          // ... the one whose id holds a NUL byte included (a
                                       // reader that stops at the NUL has no whole index)
    std::filesystem::path logFile;     // one line per request (RequestLog); "": no file
    bool logToStderr = false;          // the same lines on stderr (when no logFile)
};

class ContentServer
{
public:
    explicit ContentServer(ContentServerOptions options);
    ~ContentServer();  // stops the server
    ContentServer(const ContentServer&) = delete;
    ContentServer& operator=(const ContentServer&) = delete;

    // Binds and serves on threads of its own. False, with Error() saying
    // why, when the address cannot be bound or the log file not opened. A
    // server starts once; a stopped one cannot be started again.
    bool Start();
    // Closes every connection, stalled ones included, and waits for the
    // threads. Safe to call twice or without Start().
    void Stop();
    bool IsRunning() const;
    const std::string& Error() const;

    int Port() const;             // the bound port, 0 before Start()
    std::string Address() const;  // "127.0.0.1:8642": what VANTORY_CONTENT_SERVER takes
    std::string Origin() const;   // "http://127.0.0.1:8642"

    // Rules are tried in the order added; the first that matches applies.
    void AddFault(const FaultRule& rule);
    void ClearFaults();
    // As ContentServerOptions::hostileIds and hostileNulId.
    void SetHostileIds(bool on, bool withNulId = true);

    // The raw targets of the requests received, in order of arrival, and
    // the completed requests with status, size and time. Request numbers
    // (FaultRule::ForRequestNumber) count from 1 since Start() or the last
    // ClearRequests(), which empties both.
    std::vector<std::string> Requests() const;
    std::vector<RequestRecord> Log() const;
    void ClearRequests();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
