#include <gtest/gtest.h>

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "updater/HttpFetch.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + i % 26);
    return bytes;
}

// Every byte value, zero bytes included.
std::string Binary(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7) % 256);
    return bytes;
}

// Sleeps in small steps until the time is up or the client has gone.
void WaitWhileConnected(httplib::DataSink& sink, std::chrono::milliseconds total)
{
    const auto end = Clock::now() + total;
    while (Clock::now() < end && sink.is_writable())
        std::this_thread::sleep_for(10ms);
}

// An HTTP server on a free loopback port, answering the paths below.
class TestServer
{
public:
    TestServer()
    {
        m_server.Get("/empty", [](const httplib::Request&, httplib::Response& res) { res.set_content("", "text/xml"); });
        m_server.Get("/text2500", [](const httplib::Request&, httplib::Response& res) {
            // Three chunks of the transfer encoding, larger than a read.
            res.set_chunked_content_provider("text/xml", [](size_t offset, httplib::DataSink& sink) {
                const std::string body = Pattern(2500);
                if (offset < body.size()) {
                    const size_t size = std::min<size_t>(1200, body.size() - offset);
                    sink.write(body.data() + offset, size);
                } else {
                    sink.done();
                }
                return true;
            });
        });
        m_server.Get("/data3000", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(Binary(3000), "image/gif");
        });
        m_server.Get("/data", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content(Binary(std::stoul(req.get_param_value("size"))), "image/gif");
        });
        m_server.Get("/zero", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string("abc\0def", 7), "text/xml");
        });
        m_server.Get("/status", [](const httplib::Request& req, httplib::Response& res) {
            res.status = std::stoi(req.get_param_value("code"));
            res.set_content("status page", "text/plain");
        });
        m_server.Get("/dropped", [](const httplib::Request&, httplib::Response& res) {
            // Announces 5000 bytes and hangs up after 2000.
            res.set_content_provider(5000, "image/gif", [](size_t offset, size_t, httplib::DataSink& sink) {
                if (offset > 0)
                    return false;
                const std::string part = Binary(2000);
                sink.write(part.data(), part.size());
                return true;
            });
        });
        m_server.Get("/slow", [](const httplib::Request&, httplib::Response& res) {
            // A first chunk, then nothing for three seconds.
            res.set_chunked_content_provider("text/xml", [](size_t offset, httplib::DataSink& sink) {
                if (offset == 0) {
                    sink.write("<response>", 10);
                    return true;
                }
                WaitWhileConnected(sink, 3000ms);
                sink.done();
                return true;
            });
        });
        m_server.Get("/pause", [](const httplib::Request& req, httplib::Response& res) {
            const auto pause = std::chrono::milliseconds(std::stoi(req.get_param_value("ms")));
            res.set_chunked_content_provider("text/xml", [pause](size_t offset, httplib::DataSink& sink) {
                if (offset == 0) {
                    sink.write("<response>", 10);
                    return true;
                }
                WaitWhileConnected(sink, pause);
                sink.write("</response>", 11);
                sink.done();
                return true;
            });
        });
        m_server.Get("/late", [this](const httplib::Request&, httplib::Response& res) {
            // No status line for three seconds.
            const auto end = Clock::now() + 3000ms;
            while (Clock::now() < end && !m_stopping)
                std::this_thread::sleep_for(10ms);
            res.set_content("late", "text/xml");
        });
        m_server.set_logger([this](const httplib::Request& req, const httplib::Response&) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_log.push_back(req);
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(1ms);
    }

    ~TestServer()
    {
        m_stopping = true;
        m_server.stop();
        m_thread.join();
    }

    std::string Url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }

    std::vector<httplib::Request> Log()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_log;
    }

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<httplib::Request> m_log;
    std::atomic<bool> m_stopping{false};
};

// One server for the whole suite: starting one per test costs more than the tests.
TestServer& Server()
{
    static TestServer server;
    return server;
}

// A port on which nobody listens: bound for a moment, then closed.
int ClosedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

class ChunkRecorder : public HttpBodySink
{
public:
    void OnAccepted() override { ++accepted; }
    bool OnChunk(const char* data, size_t size) override
    {
        sizes.push_back(size);
        body.append(data, size);
        return true;
    }

    int accepted = 0;
    std::vector<size_t> sizes;
    std::string body;
};

TEST(HttpFetchTest, BodyArrivesWholeInChunksOfAtMost1024Bytes)
{
    HttpSession session;
    ChunkRecorder recorder;
    EXPECT_EQ(session.Get(Server().Url("/text2500"), nullptr, recorder), FETCH_OK);
    EXPECT_EQ(recorder.accepted, 1);
    EXPECT_EQ(recorder.body, Pattern(2500));
    ASSERT_GE(recorder.sizes.size(), 3u);
    for (size_t size : recorder.sizes)
        EXPECT_LE(size, 1024u);
}

TEST(HttpFetchTest, StatusDecidesWhetherTheBodyIsRead)
{
    struct Case
    {
        int status;
        int result;
    };
    const Case cases[] = {{200, FETCH_OK}, {201, 201}, {204, 204}, {302, 302}, {404, 404}, {500, 500}};
    HttpSession session;
    for (const Case& c : cases) {
        const std::string url = Server().Url("/status?code=" + std::to_string(c.status));
        std::string text = "old";
        EXPECT_EQ(FetchText(session, url, text, nullptr), c.result) << c.status;
        EXPECT_EQ(text, c.result == FETCH_OK ? "status page" : "") << c.status;

        unsigned char buffer[64];
        int32_t received = -7;
        EXPECT_EQ(FetchData(session, url, buffer, &received, 64, nullptr), c.result) << c.status;
        // A refused response leaves the count as the caller set it.
        EXPECT_EQ(received, c.result == FETCH_OK ? 11 : -7) << c.status;
    }
}

TEST(HttpFetchTest, TextBodiesAsReceived)
{
    struct Case
    {
        const char* path;
        std::string text;
    };
    const Case cases[] = {
        {"/empty", ""},
        {"/zero", "abc"},  // a chunk ends at its first zero byte
        {"/text2500", Pattern(2500)},
    };
    for (const Case& c : cases) {
        std::string text = "old";
        EXPECT_EQ(FetchText(Server().Url(c.path), text, nullptr), FETCH_OK) << c.path;
        EXPECT_EQ(text, c.text) << c.path;
    }
}

TEST(HttpFetchTest, DataArrivesAsSentAndNeverPastTheCapacity)
{
    struct Case
    {
        int32_t size;
        int32_t capacity;
        int result;
        int32_t received;
    };
    const Case cases[] = {
        {3000, 50000, FETCH_OK, 3000},
        {0, 50000, FETCH_OK, 0},
        {50000, 50000, FETCH_OK, 50000},    // exactly full
        {50001, 50000, FETCH_FAILED, 0},    // one byte over: nothing to store
        {120000, 50000, FETCH_FAILED, 0},
    };
    HttpSession session;
    for (const Case& c : cases) {
        // Guard bytes after the capacity must stay untouched.
        std::vector<unsigned char> buffer(static_cast<size_t>(c.capacity) + 4096, 0xEE);
        int32_t received = 0;
        const std::string url = Server().Url("/data?size=" + std::to_string(c.size));
        EXPECT_EQ(FetchData(session, url, buffer.data(), &received, c.capacity, nullptr), c.result) << c.size;
        EXPECT_EQ(received, c.received) << c.size;
        const std::string expected = Binary(static_cast<size_t>(c.received));
        EXPECT_EQ(std::memcmp(buffer.data(), expected.data(), expected.size()), 0) << c.size;
        for (size_t i = static_cast<size_t>(c.capacity); i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], 0xEE) << c.size << " at " << i;
    }
}

TEST(HttpFetchTest, BodyCutShortIsAFailureWithNothingReceived)
{
    std::vector<unsigned char> buffer(50000);
    int32_t received = 0;
    EXPECT_EQ(FetchData(Server().Url("/dropped"), buffer.data(), &received, 50000, nullptr), FETCH_FAILED);
    EXPECT_EQ(received, 0);

    std::string text;
    EXPECT_EQ(FetchText(Server().Url("/dropped"), text, nullptr), FETCH_FAILED);
    EXPECT_EQ(text, "");
}

TEST(HttpFetchTest, CancelSetBeforeTheFetchSendsTheRequestAndReadsNoBody)
{
    HttpSession session;
    session.SetCancelledWait(5000ms);  // slow machines still get the status in
    const bool cancel = true;
    const size_t before = Server().Log().size();

    std::string text = "old";
    EXPECT_EQ(FetchText(session, Server().Url("/text2500"), text, &cancel), FETCH_OK);
    EXPECT_EQ(text, "");

    unsigned char buffer[4000];
    int32_t received = 99;
    EXPECT_EQ(FetchData(session, Server().Url("/data3000"), buffer, &received, 4000, &cancel), FETCH_OK);
    EXPECT_EQ(received, 0);

    // The status still counts.
    EXPECT_EQ(FetchText(session, Server().Url("/status?code=404"), text, &cancel), 404);

    // The server saw all three requests.
    for (int wait = 0; wait < 200 && Server().Log().size() < before + 3; ++wait)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(Server().Log().size(), before + 3);

    // A status that does not come is not waited for long.
    HttpSession impatient;
    const auto start = Clock::now();
    EXPECT_EQ(FetchText(impatient, Server().Url("/late"), text, &cancel), FETCH_FAILED);
    EXPECT_LT(SecondsSince(start), 0.5);
}

TEST(HttpFetchTest, CancelSetByThePumpStopsAFetchWithinASecond)
{
    // During a body and while waiting for the status.
    for (const char* path : {"/slow", "/late"}) {
        HttpSession session;
        bool cancel = false;
        std::vector<Clock::time_point> pumps;
        const auto start = Clock::now();
        session.SetPump([&] {
            pumps.push_back(Clock::now());
            if (SecondsSince(start) > 0.3)
                cancel = true;
        });
        std::string text;
        EXPECT_EQ(FetchText(session, Server().Url(path), text, &cancel), FETCH_FAILED) << path;
        EXPECT_EQ(text, "") << path;
        EXPECT_LT(SecondsSince(start), 1.0) << path;
        // Input is handled at least every 100 ms while the fetch waits (one
        // late pump is let pass: a loaded machine may not run us on time).
        ASSERT_GE(pumps.size(), 3u) << path;
        int late = 0;
        for (size_t i = 1; i < pumps.size(); ++i) {
            const double gap = std::chrono::duration<double>(pumps[i] - pumps[i - 1]).count();
            late += gap > 0.1;
            EXPECT_LE(gap, 0.3) << path;
        }
        EXPECT_LE(late, 1) << path;
    }

    HttpSession session;
    bool cancel = false;
    session.SetPump([&] { cancel = true; });
    std::vector<unsigned char> buffer(50000);
    int32_t received = 0;
    EXPECT_EQ(FetchData(session, Server().Url("/slow"), buffer.data(), &received, 50000, &cancel), FETCH_FAILED);
    EXPECT_EQ(received, 0);
}

TEST(HttpFetchTest, LowSpeedLimitEndsAFetchThatReceivesNothing)
{
    for (const char* path : {"/slow", "/late"}) {
        HttpSession session;
        session.SetLowSpeedLimit(1024, 1s);
        std::string text;
        const auto start = Clock::now();
        EXPECT_EQ(FetchText(session, Server().Url(path), text, nullptr), FETCH_FAILED) << path;
        const double seconds = SecondsSince(start);
        EXPECT_GE(seconds, 0.9) << path;
        EXPECT_LT(seconds, 2.5) << path;
    }
}

TEST(HttpFetchTest, ConnectTimeoutEndsAConnectionThatIsNotTaken)
{
    // A listener whose queue is full: the kernel drops further SYNs, so a
    // connect neither succeeds nor fails.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers.push_back(fd);
    }
    std::this_thread::sleep_for(50ms);

    HttpSession session;
    session.SetConnectTimeout(300ms);
    session.SetLowSpeedLimit(1024, 5s);
    std::string text;
    const auto start = Clock::now();
    EXPECT_EQ(FetchText(session, "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/", text, nullptr),
              FETCH_FAILED);
    const double seconds = SecondsSince(start);
    EXPECT_GE(seconds, 0.25);
    EXPECT_LT(seconds, 1.5);
    for (int fd : fillers)
        ::close(fd);
    ::close(listener);
}

TEST(HttpFetchTest, UnreachableOrUnsupportedAddressesFail)
{
    const std::string addresses[] = {
        "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/x",
        "file:///etc/passwd",  // only http: a listing cannot point the update at local files
        "ftp://127.0.0.1/x",
        "",
        "not an address",
    };
    HttpSession session;
    for (const std::string& address : addresses) {
        std::string text = "old";
        EXPECT_EQ(FetchText(session, address, text, nullptr), FETCH_FAILED) << address;
        EXPECT_EQ(text, "") << address;
        unsigned char buffer[16];
        int32_t received = 0;
        EXPECT_EQ(FetchData(session, address, buffer, &received, 16, nullptr), FETCH_FAILED) << address;
        EXPECT_EQ(received, 0) << address;
    }
}

TEST(HttpFetchTest, RequestsAskForNoCacheAndReuseTheConnection)
{
    HttpSession session;
    const size_t before = Server().Log().size();
    std::string text;
    ASSERT_EQ(FetchText(session, Server().Url("/empty"), text, nullptr), FETCH_OK);
    ASSERT_EQ(FetchText(session, Server().Url("/data3000"), text, nullptr), FETCH_OK);
    const std::vector<httplib::Request> log = Server().Log();
    ASSERT_EQ(log.size(), before + 2);
    for (size_t i = before; i < log.size(); ++i) {
        EXPECT_EQ(log[i].get_header_value("Cache-Control"), "no-cache");
        EXPECT_EQ(log[i].get_header_value("Pragma"), "no-cache");
    }
    EXPECT_EQ(log[before].remote_port, log[before + 1].remote_port);
}

TEST(HttpFetchTest, AFetchFromInsideThePumpOfAnotherFails)
{
    HttpSession session;
    int nested = -1;
    session.SetPump([&] {
        std::string inner;
        if (nested == -1)
            nested = FetchText(session, Server().Url("/empty"), inner, nullptr);
    });
    std::string text;
    EXPECT_EQ(FetchText(session, Server().Url("/pause?ms=300"), text, nullptr), FETCH_OK);
    EXPECT_EQ(text, "<response></response>");
    EXPECT_EQ(nested, FETCH_FAILED);
}

} // namespace
