#include <gtest/gtest.h>

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "TestDir.h"
#include "download/FileDownload.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kTone = std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14) + "MTrk";

// A server of downloads and of the ways they go wrong.
class DownloadServer
{
public:
    DownloadServer()
    {
        m_server.Get("/files/tone", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("Content-Disposition", "attachment; filename=\"Snow Angel.mid\"");
            response.set_content(kTone, "audio/midi");
        });
        m_server.Get("/media/Blue.*", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("GIF89a", "image/gif");
        });
        m_server.Get("/media/", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("GIF89a", "image/gif");
        });
        m_server.Get("/hostile", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("Content-Disposition", "attachment; filename=\"../../x\"");
            response.set_content("d=4,o=5,b=63:c", "text/x-rtttl");
        });
        m_server.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
            response.status = 404;
            response.set_content("<html>not here</html>", "text/html");
        });
        m_server.Get("/broken", [](const httplib::Request&, httplib::Response& response) {
            response.status = 500;
            response.set_content("oops", "text/plain");
        });
        m_server.Get("/big", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::string(5000, 'x'), "image/gif");
        });
        m_server.Get("/bigchunked", [](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider("image/gif", [](size_t offset, httplib::DataSink& sink) {
                if (offset >= 5000)
                    sink.done();
                else
                    sink.write(std::string(500, 'x').data(), 500);
                return true;
            });
        });
        m_server.Get("/drop", [](const httplib::Request&, httplib::Response& response) {
            response.set_content_provider(1000, "image/gif", [](size_t, size_t, httplib::DataSink& sink) {
                sink.write(std::string(100, 'x').data(), 100);
                return false;  // closes the connection
            });
        });
        m_server.Get("/stall", [](const httplib::Request&, httplib::Response& response) {
            // The headers, then nothing.
            response.set_content_provider(1000, "image/gif", [](size_t, size_t, httplib::DataSink&) {
                std::this_thread::sleep_for(4s);
                return false;
            });
        });
        m_server.Get("/slow", [](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider("image/gif", [](size_t offset, httplib::DataSink& sink) {
                if (offset > 100000)
                    return false;
                std::this_thread::sleep_for(20ms);
                sink.write(std::string(100, 'x').data(), 100);
                return true;
            });
        });
        m_server.Get("/loop", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/loop");
        });
        m_server.Get("/toftp", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("ftp://127.0.0.1/x.mid");
        });
        m_server.Get("/nowhere", [](const httplib::Request&, httplib::Response& response) {
            response.status = 302;  // no Location
            response.set_content("moved", "text/plain");
        });
        m_server.Get(R"(/hop/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            const int left = std::stoi(request.matches[1]);
            if (left == 0)
                response.set_redirect("/files/tone");
            else
                response.set_redirect("/hop/" + std::to_string(left - 1));
        });
        m_server.set_tcp_nodelay(true);
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(1ms);
    }
    ~DownloadServer()
    {
        m_server.stop();
        m_thread.join();
    }

    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

std::string Read(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The names in the folder, hidden ones too.
std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FileDownloadTest : public testing::Test
{
protected:
    DownloadResult Get(const std::string& path, const std::string& label = "Label",
                       const DownloadLimits& limits = {})
    {
        return DownloadFile(m_server.Url(path), Folder(), label, m_cancel, {}, limits);
    }
    fs::path Folder() const { return m_dir.Path() / "Downloads" / "Vantory"; }

    TestDir m_dir;
    DownloadServer m_server;
    std::atomic<bool> m_cancel{false};
};

TEST_F(FileDownloadTest, TheServedBytesLandUnderTheServersNameAndNeverReplaceAFile)
{
    const DownloadResult first = Get("/files/tone");
    ASSERT_EQ(first.end, DownloadEnd::Finished) << first.reason;
    EXPECT_EQ(first.path, Folder() / "Snow Angel.mid");
    EXPECT_EQ(Read(first.path), kTone);
    EXPECT_EQ(first.bytes, kTone.size());

    const DownloadResult second = Get("/hop/2");  // redirects are followed
    ASSERT_EQ(second.end, DownloadEnd::Finished) << second.reason;
    EXPECT_EQ(second.path, Folder() / "Snow Angel (2).mid");
    EXPECT_EQ(Names(Folder()), (std::vector<std::string>{"Snow Angel (2).mid", "Snow Angel.mid"}));
    // As the user's other files are: the umask decides.
    EXPECT_EQ(fs::status(first.path).permissions() & fs::perms::others_read, fs::perms::others_read);
}

TEST_F(FileDownloadTest, TemporaryFilesThatAKilledDownloadLeftAreRemoved)
{
    fs::create_directories(Folder());
    WriteFile(Folder() / ".vantory-download-old", "half");
    WriteFile(Folder() / ".vantory-download-new", "half");
    WriteFile(Folder() / ".other", "kept");
    fs::last_write_time(Folder() / ".vantory-download-old", fs::file_time_type::clock::now() - 11min);
    ASSERT_EQ(Get("/files/tone").end, DownloadEnd::Finished);
    EXPECT_EQ(Names(Folder()), (std::vector<std::string>{".other", ".vantory-download-new", "Snow Angel.mid"}));
}

TEST_F(FileDownloadTest, WithoutADispositionTheAddressOrTheLabelNamesTheFile)
{
    const struct
    {
        const char* path;
        const char* label;
        const char* name;
    } cases[] = {
        {"/media/Blue%20Sky", "Label", "Blue Sky.gif"},
        {"/media/", "Kid Cosmo - Blue", "Kid Cosmo - Blue.gif"},
        {"/hostile", "Label", "x.rtttl"},
    };
    for (const auto& c : cases) {
        const DownloadResult result = Get(c.path, c.label);
        ASSERT_EQ(result.end, DownloadEnd::Finished) << c.path << ": " << result.reason;
        EXPECT_EQ(result.path, Folder() / c.name) << c.path;
    }
    EXPECT_EQ(Names(Folder()).size(), 3u);
    EXPECT_EQ(Names(m_dir.Path() / "Downloads"), std::vector<std::string>{"Vantory"});
}

TEST_F(FileDownloadTest, EveryFaultFailsWithItsReasonAndLeavesNothing)
{
    DownloadLimits small;
    small.maxBytes = 1000;
    small.stall = 1s;
    const struct
    {
        const char* path;
        const char* reason;
    } cases[] = {
        {"/missing", "404 Not Found"},
        {"/broken", "500 Internal Server Error"},
        {"/big", "too large"},
        {"/bigchunked", "too large"},
        {"/drop", "the server closed the connection early"},
        {"/stall", "the server stopped sending"},
        {"/loop", "too many redirects"},
        {"/hop/6", "too many redirects"},
        {"/toftp", "redirected to an address that is not http or https"},
        {"/nowhere", "302 Found"},
    };
    for (const auto& c : cases) {
        const DownloadResult result = Get(c.path, "Label", small);
        EXPECT_EQ(result.end, DownloadEnd::Failed) << c.path;
        EXPECT_EQ(result.reason, c.reason) << c.path;
        EXPECT_EQ(Names(Folder()), std::vector<std::string>{}) << c.path;
    }
    const DownloadResult closed = DownloadFile("http://127.0.0.1:1/x", Folder(), "L", m_cancel);
    EXPECT_EQ(closed.reason, "cannot connect to the server");
    const DownloadResult file = DownloadFile("file:///etc/passwd", Folder(), "L", m_cancel);
    EXPECT_EQ(file.reason, "not an http or https address");
    EXPECT_EQ(Names(Folder()), std::vector<std::string>{});
}

TEST_F(FileDownloadTest, CancelStopsTheTransferAndLeavesNothing)
{
    std::atomic<uint64_t> seen{0};
    const auto progress = [&](uint64_t received, int64_t) {
        seen = received;
        if (received >= 500)
            m_cancel = true;
    };
    const auto start = std::chrono::steady_clock::now();
    const DownloadResult result = DownloadFile(m_server.Url("/slow"), Folder(), "L", m_cancel, progress);
    EXPECT_EQ(result.end, DownloadEnd::Cancelled);
    EXPECT_GE(seen.load(), 500u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_EQ(Names(Folder()), std::vector<std::string>{});
}

TEST_F(FileDownloadTest, AFolderThatCannotBeMadeIsAReason)
{
    WriteFile("Downloads", "a file where the folder would be");
    const DownloadResult result = Get("/files/tone");
    EXPECT_EQ(result.end, DownloadEnd::Failed);
    EXPECT_NE(result.reason.find("cannot write in"), std::string::npos) << result.reason;
}

TEST(FormatBytesTest, SizesForPeople)
{
    EXPECT_EQ(FormatBytes(1), "1 byte");
    EXPECT_EQ(FormatBytes(512), "512 bytes");
    EXPECT_EQ(FormatBytes(1536), "1.5 KB");
    EXPECT_EQ(FormatBytes(64ull << 20), "64 MB");
}

} // namespace
