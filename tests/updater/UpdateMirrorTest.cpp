// The local copy follows the server exactly: a changed group is stored
// whole or not at all, a shrinking group loses its old pages, and nothing a
// server sends (a lie, a cut document, a body that never ends) is stored
// or can hold the update.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "RecordingProgress.h"
#include "ScriptedCatalogServer.h"
#include "TestDir.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/DatabaseLoader.h"
#include "updater/CatalogUpdater.h"
#include "updater/HttpFetch.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Group = ScriptedCatalogServer::Group;
using Request = ScriptedCatalogServer::Request;

constexpr int kLogos = 1;

// A working directory with an empty data/, and the scripted server.
class MirrorTest : public testing::Test
{
protected:
    MirrorTest() { fs::create_directory("data"); }

    // One update; the failures it reported by address.
    std::vector<std::string> Update(const std::function<void(CatalogUpdater&)>& prepare = {})
    {
        RecordingProgress progress;
        CatalogUpdater updater(progress, m_server.Address());
        updater.Session().SetPumpInterval(std::chrono::hours(1));
        std::vector<std::string> reported;
        updater.SetFailureHandler([&](const std::string& address) { reported.push_back(address); });
        if (prepare)
            prepare(updater);
        updater.RunUpdate();
        m_writeFailures = updater.Failures().Count();
        return reported;
    }

    // Every file below data/ by relative path.
    static std::map<std::string, std::string> DataFiles()
    {
        std::map<std::string, std::string> files;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator("data"))
            if (entry.is_regular_file())
                files[entry.path().generic_string()] = ReadFile(entry.path());
        return files;
    }

    static const ContentCatalog& LoadedLogos()
    {
        LoadAllCatalogs(true);
        return *CatalogForType(kLogos);
    }

    TestDir m_dir;
    ScriptedCatalogServer m_server;
    size_t m_writeFailures = 0;
};

bool IsPage(const Request& request, const std::string& cat, int page)
{
    return request.act == "CONT" && request.cat == cat && request.page == page && request.np == "30";
}

TEST_F(MirrorTest, AShrinkingGroupLosesThePagesItNoLongerHas)
{
    m_server.SetGroups(kLogos, {{"12", "Twelve", 90, 0}});
    Update();
    ASSERT_TRUE(fs::exists("data/logos/12/3.xml"));

    m_server.SetGroups(kLogos, {{"12", "Twelve", 60, 1}});
    Update();
    EXPECT_TRUE(fs::exists("data/logos/12/2.xml"));
    EXPECT_FALSE(fs::exists("data/logos/12/3.xml"));
    // The pictures of the items that stayed are kept, not fetched again.
    EXPECT_TRUE(fs::exists("data/logos/12/12-0.gif"));
    const ContentCatalog& logos = LoadedLogos();
    ASSERT_EQ(logos.GetGroupCount(), 1);
    EXPECT_EQ(logos.GetItemCount(0), 60);
}

// How page 2 of a changed group fails.
struct PageFault
{
    const char* name;
    std::function<void(httplib::Response&, const std::string& page)> answer;
    bool reported;  // an empty 200 says nothing went wrong
};

std::vector<PageFault> PageFaults()
{
    return {
        {"Status500", [](httplib::Response& r, const std::string&) { r.status = 500; }, true},
        {"Empty", [](httplib::Response& r, const std::string&) { r.set_content("", "text/xml"); }, false},
        {"NotXml",
         [](httplib::Response& r, const std::string&) { r.set_content("<html>busy</html>", "text/html"); }, true},
        {"CutDocument",
         [](httplib::Response& r, const std::string& page) {
             r.set_content(page.substr(0, page.size() * 2 / 3), "text/xml");
         },
         true},
        {"DroppedConnection",
         [](httplib::Response& r, const std::string& page) {
             r.set_content_provider(page.size(), "text/xml",
                                    [page](size_t offset, size_t, httplib::DataSink& sink) {
                                        if (offset > 0)
                                            return false;
                                        sink.write(page.data(), page.size() / 2);
                                        return true;
                                    });
         },
         true},
        {"OverTheTextLimit",
         [](httplib::Response& r, const std::string& page) {
             // A whole document, padded past the limit inside its root.
             std::string huge = page;
             huge.insert(huge.find("<ressource>"), MAX_TEXT_BODY, ' ');
             r.set_content(huge, "text/xml");
         },
         true},
    };
}

class FailedPageTest : public MirrorTest, public testing::WithParamInterface<PageFault>
{
};

// The group changes from 45 to 60 items, and page 2 of the new listing
// fails: the group's files stay exactly as they were, the failure is
// reported, and the next update stores the new listing whole.
TEST_P(FailedPageTest, KeepsTheGroupAsItWasAndTheNextUpdateRepairsIt)
{
    const PageFault& fault = GetParam();
    m_server.SetGroups(kLogos, {{"100", "Hundred", 45, 0}, {"200", "Two hundred", 30, 0}});
    Update();
    const std::map<std::string, std::string> before = DataFiles();

    const Group changed{"100", "Hundred", 60, 1};
    m_server.SetGroups(kLogos, {changed, {"200", "Two hundred", 30, 0}});
    const std::string page2 = m_server.ListingPage(kLogos, changed, 2, 30);
    m_server.SetOverride([&](const Request& request, httplib::Response& response) {
        if (!IsPage(request, "100", 2))
            return false;
        fault.answer(response, page2);
        return true;
    });
    const std::vector<std::string> reported = Update();

    std::map<std::string, std::string> after = DataFiles();
    EXPECT_EQ(after, before);
    for (const fs::directory_entry& entry : fs::directory_iterator("data/logos"))
        EXPECT_TRUE(entry.path().filename() == "cats.xml" || entry.is_directory()) << entry.path();
    EXPECT_EQ(fs::exists("data/logos/.staging*"), false);
    const auto pageReports = std::count_if(reported.begin(), reported.end(), [](const std::string& a) {
        return a.find("cat=100&p=2&np=30") != std::string::npos;
    });
    EXPECT_EQ(pageReports, fault.reported ? 1 : 0);
    // The group that failed still has its pictures listed, and the next
    // group was updated as ever.
    EXPECT_EQ(LoadedLogos().GetItemCount(0), 45);

    m_server.SetOverride({});
    Update();
    Update();
    EXPECT_EQ(ReadFile("data/logos/100/1.xml"), m_server.ListingPage(kLogos, changed, 1, 30));
    EXPECT_EQ(ReadFile("data/logos/100/2.xml"), page2);
    const ContentCatalog& logos = LoadedLogos();
    ASSERT_EQ(logos.GetGroupCount(), 2);
    EXPECT_EQ(logos.GetItemCount(0), 60);
    EXPECT_NE(logos.Group(0)->labels.front().find(" v1"), std::string::npos);
    EXPECT_TRUE(fs::exists("data/logos/100/100-59.gif"));
}

INSTANTIATE_TEST_SUITE_P(Faults, FailedPageTest, testing::ValuesIn(PageFaults()),
                         [](const testing::TestParamInfo<PageFault>& param) { return std::string(param.param.name); });

TEST_F(MirrorTest, AFreshGroupWhosePageFailsLeavesNothingBehind)
{
    m_server.SetGroups(kLogos, {{"7", "Seven", 75, 0}});
    m_server.SetOverride([](const Request& request, httplib::Response& response) {
        if (!IsPage(request, "7", 2))
            return false;
        response.status = 503;
        return true;
    });
    Update();
    // No page 1 without page 2 and 3, no staging, no picture.
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator("data/logos"))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"cats.xml"});
    // The next update sees the group as changed and fetches it.
    m_server.SetOverride({});
    Update();
    EXPECT_EQ(LoadedLogos().GetItemCount(0), 75);
}

TEST_F(MirrorTest, PagesAskedForAreBoundedByTheItemsAndStopAtTheFirstFailure)
{
    struct Case
    {
        const char* name;
        int total;
        long long maxPage;
        int failingPage;  // 0: none
        int expectedPages;
    };
    const Case cases[] = {
        {"MaxPageLie", 45, 2147483647LL, 0, 2},
        {"NoItems", 0, 5, 0, 1},
        {"FewerPagesThanItems", 90, 2, 0, 2},
        {"FailureStopsTheLoop", 300, 10, 4, 4},
        {"TotalLieIsCappedAtTenThousandPages", 2147483647, 2147483647LL, 0, 10000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all("data");
        fs::create_directory("data");
        m_server.SetGroups(kLogos, {{"5", "Five", 1, 0}});
        m_server.SetOverride([&](const Request& request, httplib::Response& response) {
            if (request.act != "CONT" || request.cat != "5")
                return false;
            if (request.page == c.failingPage && request.np == "30") {
                response.status = 500;
                return true;
            }
            response.set_content("<response max_page=\"" + std::to_string(c.maxPage) + "\" total_results=\""
                                     + std::to_string(c.total) + "\"><ressource><id>i"
                                     + std::to_string(request.page) + "</id><lib>Item</lib></ressource></response>",
                                 "text/xml");
            return true;
        });
        m_server.TakeTargets();
        Update();
        const std::vector<std::string> targets = m_server.TakeTargets();
        const auto pages = std::count_if(targets.begin(), targets.end(), [](const std::string& t) {
            return t.find("act=CONT&cat=5&") != std::string::npos && t.find("&np=30&") != std::string::npos;
        });
        EXPECT_EQ(pages, c.expectedPages);
        EXPECT_EQ(fs::exists("data/logos/5/1.xml"), c.failingPage == 0);
    }
    m_server.SetOverride({});
}

TEST_F(MirrorTest, AnIdWithABlankIsSentEncodedAndStoredAsItIs)
{
    m_server.SetGroups(kLogos, {{"rock and roll", "Rock", 3, 0}, {"tab\there", "Tab", 2, 0}, {"été", "Summer", 1, 0}});
    Update();
    const std::vector<std::string> targets = m_server.TakeTargets();
    const auto asked = [&](const std::string& cat) {
        return std::find(targets.begin(), targets.end(),
                         "/xml_act.php?a=vantory&t=1&l=EN&act=CONT&cat=" + cat + "&p=1&np=30&q=&c=US&h=1")
            != targets.end();
    };
    EXPECT_TRUE(asked("rock%20and%20roll"));
    EXPECT_TRUE(asked("tab%09here"));
    // Every other byte goes out as it always did.
    EXPECT_TRUE(asked("été"));
    EXPECT_TRUE(fs::exists("data/logos/rock and roll/1.xml"));
    EXPECT_TRUE(fs::exists("data/logos/tab\there/1.xml"));
    const ContentCatalog& logos = LoadedLogos();
    ASSERT_EQ(logos.GetGroupCount(), 3);
    EXPECT_EQ(logos.GetItemCount(0), 3);
    EXPECT_EQ(logos.GetItemCount(1), 2);
    EXPECT_EQ(logos.GetItemCount(2), 1);
}

// A document that ends before its root does is refused wherever it comes:
// the index and the information request as much as a page.
TEST_F(MirrorTest, ACutIndexIsRefusedAndTheIndexOnDiskStands)
{
    m_server.SetGroups(kLogos, {{"1", "One", 40, 0}, {"2", "Two", 40, 0}, {"3", "Three", 40, 0}});
    Update();
    const std::map<std::string, std::string> before = DataFiles();

    const std::string index = ScriptedCatalogServer::Index({{"1", "One", 40, 1}, {"2", "Two", 40, 1}});
    m_server.SetOverride([&](const Request& request, httplib::Response& response) {
        if (request.act == "CAT" && request.type == kLogos) {
            response.set_content(index.substr(0, index.size() - 4), "text/xml");
            return true;
        }
        return false;
    });
    const std::vector<std::string> reported = Update();
    EXPECT_EQ(DataFiles(), before);
    EXPECT_EQ(std::count_if(reported.begin(), reported.end(),
                            [](const std::string& a) { return a.find("t=1&l=EN&act=CAT") != std::string::npos; }),
              1);
    const ContentCatalog& logos = LoadedLogos();
    ASSERT_EQ(logos.GetGroupCount(), 3);
    EXPECT_EQ(logos.GetItemCount(2), 40);
}

TEST_F(MirrorTest, ABodyThatNeverEndsOrDripsFailsAndTheUpdateGoesOn)
{
    m_server.SetGroups(kLogos, {{"1", "One", 3, 0}, {"2", "Two", 3, 0}});
    Update();
    const std::map<std::string, std::string> before = DataFiles();
    m_server.SetGroups(kLogos, {{"1", "One", 4, 1}, {"2", "Two", 4, 1}});
    m_server.SetOverride([](const Request& request, httplib::Response& response) {
        if (request.act == "CAT" && request.type == kLogos) {
            // An index that never ends.
            response.set_chunked_content_provider("text/xml", [](size_t offset, httplib::DataSink& sink) {
                const std::string part = offset == 0 ? "<response>" : std::string(64 * 1024, ' ');
                sink.write(part.data(), part.size());
                return true;
            });
            return true;
        }
        if (IsPage(request, "1", 1)) {
            // One byte now and then: no timer that a byte restarts may hold it.
            response.set_chunked_content_provider("text/xml", [](size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(300ms);
                return sink.is_writable() && sink.write("<", 1);
            });
            return true;
        }
        return false;
    });
    const auto start = std::chrono::steady_clock::now();
    Update([](CatalogUpdater& updater) { updater.Session().SetLowSpeedLimit(1024, 2s); });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 30.0);
    // The index on disk stood, group 1 kept its pages, group 2 was updated.
    std::map<std::string, std::string> after = DataFiles();
    EXPECT_EQ(after["data/logos/cats.xml"], before.at("data/logos/cats.xml"));
    EXPECT_EQ(after["data/logos/1/1.xml"], before.at("data/logos/1/1.xml"));
    EXPECT_NE(after["data/logos/2/1.xml"], before.at("data/logos/2/1.xml"));
    EXPECT_TRUE(after.count("data/logos/2/2-3.gif"));
}

// A server that answers every request with the same raw bytes and hangs up:
// for what HTTP lets a cut body look like, which no library server sends.
class RawResponder
{
public:
    explicit RawResponder(std::string response) : m_response(std::move(response))
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 16);
        socklen_t length = sizeof address;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~RawResponder()
    {
        ::shutdown(m_listener, SHUT_RDWR);
        ::close(m_listener);
        m_thread.join();
    }

    std::string Address() const { return "127.0.0.1:" + std::to_string(m_port); }

private:
    void Serve()
    {
        for (;;) {
            const int connection = ::accept(m_listener, nullptr, nullptr);
            if (connection < 0)
                return;
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t got = ::read(connection, buffer, sizeof buffer);
                if (got <= 0)
                    break;
                request.append(buffer, static_cast<size_t>(got));
            }
            (void)!::write(connection, m_response.data(), m_response.size());
            ::close(connection);
        }
    }

    std::string m_response;
    int m_listener = -1;
    int m_port = 0;
    std::thread m_thread;
};

// The two ways a body ends early that look like a whole transfer: a
// Content-Length shorter than the document, and an HTTP/1.0 body without
// one whose connection drops. libcurl takes both as complete; the update
// refuses the cut documents.
TEST_F(MirrorTest, DocumentsCutByTheTransportAreRefused)
{
    const std::string index = ScriptedCatalogServer::Index({{"1", "One", 40, 0}, {"2", "Two", 40, 0}});
    const std::string shortLength = "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: "
        + std::to_string(index.size() - 30) + "\r\n\r\n" + index;
    const std::string droppedHttp10 =
        "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n\r\n" + index.substr(0, index.size() - 30);
    for (const std::string& response : {shortLength, droppedHttp10}) {
        SCOPED_TRACE(response.substr(0, 8));
        RawResponder server(response);
        std::string text;
        EXPECT_EQ(FetchText("http://" + server.Address() + "/", text, nullptr), FETCH_OK);
        EXPECT_EQ(text, index.substr(0, index.size() - 30));

        WriteFile("data/logos/cats.xml", "<response></response>");
        RecordingProgress progress;
        CatalogUpdater updater(progress, server.Address());
        std::vector<std::string> reported;
        updater.SetFailureHandler([&](const std::string& address) { reported.push_back(address); });
        updater.RunUpdate();
        EXPECT_EQ(ReadFile("data/logos/cats.xml"), "<response></response>");
        EXPECT_EQ(reported.size(), 7u);  // each type's index
    }
}

} // namespace
