// vantoryctl as a user meets the worst: a disk that is full or read-only,
// a kill at any moment, a server that sends without end. It tells what it
// could not store, never leaves a copy that drifts, and never aborts.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include <sys/mount.h>
#include <unistd.h>

#include "CtlProcess.h"
#include "ScriptedCatalogServer.h"
#include "TestContent.h"
#include "TestDir.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

int RunCtl(const std::vector<std::string>& args, const std::string& server = "")
{
    CtlProcess ctl(args, {server, 0});
    return ctl.Wait();
}

std::string Dump()
{
    CtlProcess dump({"dump"});
    EXPECT_EQ(dump.Wait(), 0) << dump.Err();
    return dump.Out();
}

// Where two dumps part, with a little of each: a whole dump is too long to
// read in a failure message.
std::string FirstDifference(const std::string& actual, const std::string& expected)
{
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    if (at == actual.size() && at == expected.size())
        return "";
    const size_t from = at > 80 ? at - 80 : 0;
    return "at byte " + std::to_string(at) + ":\n  actual:   ..." + actual.substr(from, 200)
        + "\n  expected: ..." + expected.substr(from, 200);
}

// Every listing page of data/ made to look older than the server's (another
// total), so that the next update fetches every group again.
void MakeEveryGroupStale()
{
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator("data"))
        if (entry.path().filename() == "1.xml") {
            const std::string page = ReadFile(entry.path());
            WriteFile(entry.path(), std::regex_replace(page, std::regex("total_results=\"[0-9]+\""),
                                                       "total_results=\"99999\"",
                                                       std::regex_constants::format_first_only));
        }
}

// A tmpfs of its own at data/, mounted where the test may (as root).
class MountedData
{
public:
    explicit MountedData(const std::string& size)
    {
        fs::create_directory("data");
        m_mounted = ::mount("tmpfs", "data", "tmpfs", 0, ("size=" + size).c_str()) == 0;
    }
    ~MountedData()
    {
        if (m_mounted)
            ::umount2("data", MNT_DETACH);
    }

    bool Mounted() const { return m_mounted; }
    bool MakeReadOnly()
    {
        return ::mount("tmpfs", "data", "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    bool m_mounted = false;
};

TEST(UpdateCommandFaultTest, ARunThatCouldNotStoreSaysWhatAndWhyAndExitsWithOne)
{
    TestDir work;
    MountedData data("64m");
    if (!data.Mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here (not root)";
    ServedContent served(SmallContent({1, 15}, 2, 40));
    ASSERT_EQ(RunCtl({"update"}, served.server.Address()), 0);
    MakeEveryGroupStale();
    ASSERT_TRUE(data.MakeReadOnly());

    CtlProcess update({"update"}, {served.server.Address(), 0});
    EXPECT_EQ(update.Wait(), 1) << update.Err();
    // The counts are there, then what could not be written.
    EXPECT_NE(update.Out().find("logos         Logos                  2 groups"), std::string::npos);
    EXPECT_TRUE(std::regex_search(update.Err(), std::regex("vantoryctl: cannot write data/(logos|wallpapers)/"
                                                           "[^\n]*: Read-only file system\n")))
        << update.Err();
    EXPECT_TRUE(std::regex_search(update.Err(), std::regex("vantoryctl: [0-9]+ files could not be written")))
        << update.Err();

    CtlProcess rebuild({"load", "--rebuild"});
    EXPECT_EQ(rebuild.Wait(), 1);
    EXPECT_NE(rebuild.Err().find("vantoryctl: cannot write data/"), std::string::npos) << rebuild.Err();
    EXPECT_NE(rebuild.Err().find("Read-only file system"), std::string::npos) << rebuild.Err();

    // A plain load owes nothing to the disk.
    CtlProcess load({"load"});
    EXPECT_EQ(load.Wait(), 0);
    EXPECT_EQ(load.Err(), "");
}

TEST(UpdateCommandFaultTest, AFullDiskIsReported)
{
    TestDir work;
    MountedData data("96k");
    if (!data.Mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here (not root)";
    ServedContent served(SmallContent({1}, 3, 60));
    CtlProcess update({"update"}, {served.server.Address(), 0});
    EXPECT_EQ(update.Wait(), 1);
    EXPECT_NE(update.Err().find("No space left on device"), std::string::npos) << update.Err();
    // No temporary is left to fill the disk further.
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator("data"))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}

// Waits until the server has had `count` requests more than `start`, or
// until the reload has begun when `count` is 0, or the process has ended.
void WaitForPoint(const CtlProcess& update, ContentServer& server, size_t start, size_t count)
{
    const auto reached = [&] {
        if (count == 0)
            return update.ErrSoFar().find("Reading database") != std::string::npos;
        return server.Requests().size() >= start + count;
    };
    while (!reached() && update.Running())
        std::this_thread::sleep_for(1ms);
}

// Killed at any moment, an update leaves a copy from which the next
// complete update makes exactly what an uninterrupted one makes.
TEST(UpdateCommandFaultTest, AKilledUpdateIsMadeGoodByTheNextOne)
{
    ServedContent served(SmallContent({1, 26, 15}, 3, 45));
    std::string reference;
    {
        TestDir clean;
        fs::create_directory("data");
        ASSERT_EQ(RunCtl({"update"}, served.server.Address()), 0);
        reference = Dump();
    }
    struct KillPoint
    {
        bool staleStart;  // a copy on disk whose every group changed
        size_t requests;  // killed once the server had this many; 0: in the reload
    };
    // An update from an empty data/ makes about 130 requests, one from the
    // stale copy 34.
    const KillPoint points[] = {{false, 2}, {false, 9}, {false, 23}, {false, 40}, {false, 90}, {false, 0},
                                {true, 3},  {true, 12}, {true, 21},  {true, 30},  {true, 0}};
    for (const KillPoint& point : points) {
        SCOPED_TRACE((point.staleStart ? "stale start, " : "empty start, ") + std::to_string(point.requests));
        TestDir work;
        fs::create_directory("data");
        if (point.staleStart) {
            ASSERT_EQ(RunCtl({"update"}, served.server.Address()), 0);
            MakeEveryGroupStale();
        }
        const size_t start = served.server.Requests().size();
        {
            CtlProcess update({"update"}, {served.server.Address(), 0});
            WaitForPoint(update, served.server, start, point.requests);
            update.Signal(SIGKILL);
            update.Wait();
        }
        ASSERT_EQ(RunCtl({"update"}, served.server.Address()), 0);
        EXPECT_EQ(FirstDifference(Dump(), reference), "");
        // Nothing of the killed run is left.
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator("data")) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name.find('*') == std::string::npos && !name.ends_with(".tmp")) << entry.path();
        }
    }
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The group caches below data/ written after `since`.
int CachesWrittenSince(fs::file_time_type since)
{
    int count = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it("data", error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with("data_") && name.ends_with(".dat") && fs::last_write_time(it->path(), error) > since)
            ++count;
    }
    return count;
}

// After an update the caches are older than the files. A rebuild removes
// them all before it writes the first new one: killed anywhere after that,
// it leaves no old cache for a plain load to serve.
TEST(UpdateCommandFaultTest, AKilledRebuildLeavesNoOldCacheBehind)
{
    CatalogGeneratorOptions options = SmallContent({}, 40, 30);
    options.pictures = false;
    TemporaryContent content(options);
    const auto past = fs::file_time_type::clock::now() - 1h;
    std::string reference;
    const auto prepare = [&] {
        fs::copy(content.Dir() / "data", "data", fs::copy_options::recursive);
        ASSERT_EQ(RunCtl({"load"}), 0);  // caches of the files as they were
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator("data")) {
            const fs::path& path = entry.path();
            if (path.extension() == ".dat")
                fs::last_write_time(path, past);
            // The files change as an update changes them.
            if (path.extension() == ".xml" && path.filename() != "cats.xml")
                WriteFile(path, ReplaceAll(ReadFile(path), "<lib>", "<lib>New "));
        }
    };
    {
        TestDir clean;
        prepare();
        ASSERT_EQ(RunCtl({"load", "--rebuild"}), 0);
        reference = Dump();
        ASSERT_NE(reference.find("\"New "), std::string::npos);
    }
    // 280 group caches in all.
    for (const int written : {1, 10, 60, 140, 275}) {
        SCOPED_TRACE("killed after " + std::to_string(written) + " new caches");
        TestDir work;
        prepare();
        {
            CtlProcess rebuild({"load", "--rebuild"});
            while (CachesWrittenSince(past + 1min) < written && rebuild.Running())
                std::this_thread::sleep_for(1ms);
            rebuild.Signal(SIGKILL);
            rebuild.Wait();
        }
        EXPECT_EQ(FirstDifference(Dump(), reference), "");
    }
}

// What no server may do: an index without end, a listing page of hundreds
// of megabytes. The update fails those fetches, reports them, and goes on;
// it never holds more than a bounded part of them.
TEST(UpdateCommandFaultTest, EndlessAndHugeBodiesTakeBoundedMemory)
{
    ScriptedCatalogServer server;
    server.SetGroups(1, {{"1", "One", 3, 0}, {"2", "Two", 3, 0}});
    constexpr size_t kHugePage = 300u << 20;
    server.SetOverride([](const ScriptedCatalogServer::Request& request, httplib::Response& response) {
        if (request.act == "CAT" && request.type == 26) {
            response.set_chunked_content_provider("text/xml", [](size_t offset, httplib::DataSink& sink) {
                const std::string part = offset == 0 ? "<response>" : std::string(256 * 1024, ' ');
                return sink.write(part.data(), part.size());
            });
            return true;
        }
        if (request.act == "CONT" && request.cat == "1" && request.np == "30") {
            // A listing as valid as it is long.
            response.set_content_provider(
                kHugePage, "text/xml", [](size_t offset, size_t length, httplib::DataSink& sink) {
                    static const std::string head = "<response max_page=\"1\" total_results=\"1\">";
                    static const std::string tail = "</response>";
                    std::string part;
                    if (offset == 0)
                        part = head;
                    part.resize(std::min<size_t>(length, 256 * 1024), ' ');
                    if (offset + part.size() >= kHugePage) {
                        part.resize(kHugePage - offset);
                        part.replace(part.size() - tail.size(), tail.size(), tail);
                    }
                    return sink.write(part.data(), part.size());
                });
            return true;
        }
        return false;
    });
    TestDir work;
    fs::create_directory("data");
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer reserves terabytes of address space, and its leak check
    // traces the process at exit, which a tracer of ours would prevent.
    const long limitMb = 0;
    const bool measure = false;
#else
    const long limitMb = 512;
    const bool measure = true;
#endif
    const auto start = Clock::now();
    CtlProcess update({"update"}, {server.Address(), limitMb, measure});
    const int status = update.Wait();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_EQ(status, 0) << "signal " << update.Signaled() << "\n" << update.Err();
    EXPECT_NE(update.Err().find("act=CAT&cat=&p=1&np=&q=&c=US&h=1'!"), std::string::npos);
    EXPECT_NE(update.Err().find("act=CONT&cat=1&p=1&np=30&q=&c=US&h=1'!"), std::string::npos);
    EXPECT_NE(update.Out().find("logos         Logos                  2 groups         3 items"), std::string::npos)
        << update.Out();
    RecordProperty("peak_resident_kb", std::to_string(update.PeakResidentKb()));
    RecordProperty("seconds", std::to_string(seconds));
    std::printf("endless index and %zu MB page: peak %ld kB resident, %.1f s\n", kHugePage >> 20,
                update.PeakResidentKb(), seconds);
    // Where the process may not be traced, the limit alone is the test.
    if (update.PeakResidentKb() > 0) {
        EXPECT_LT(update.PeakResidentKb(), 100 * 1024);
    }
}

} // namespace
