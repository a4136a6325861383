#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CatalogSnapshot.h"
#include "TestDir.h"
#include "app/vantoryctl/JsonWriter.h"
#include "tools/catgen/CatalogGenerator.h"
#include "tools/catgen/GeneratedCatalog.h"

namespace {

namespace fs = std::filesystem;

struct RunResult
{
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built vantoryctl in the working directory.
RunResult RunCtl(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    std::string program = VANTORYCTL_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open("ctl.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open("ctl.err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    RunResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFile("ctl.out");
    result.err = ReadFile("ctl.err");
    fs::remove("ctl.out");
    fs::remove("ctl.err");
    return result;
}

struct UsageCase
{
    std::vector<std::string> args;
    std::string message;
};

TEST(VantoryctlTest, UsageErrorsExitWithTwo)
{
    TestDir dir;
    const UsageCase cases[] = {
        {{"--x"}, "vantoryctl: unknown option '--x'\n"},
        {{"load", "--x"}, "vantoryctl: unknown option '--x'\n"},
        {{"dump", "--rebuild"}, "vantoryctl: unknown option '--rebuild'\n"},
        {{"frob"}, "vantoryctl: unknown command 'frob'\n"},
        {{"dump", "more"}, "vantoryctl: unexpected argument 'more'\n"},
        {{"search"}, "vantoryctl: 'search' needs words to look for\n"},
        {{"search", "--limit"}, "vantoryctl: option '--limit' needs a value\n"},
        {{"search", "--json", "--x", "a"}, "vantoryctl: unknown option '--x'\n"},
        {{}, "vantoryctl: no command given\n"},
    };
    for (const UsageCase& c : cases) {
        const RunResult result = RunCtl(c.args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, c.message + "Try 'vantoryctl --help' for more information.\n");
    }
    const RunResult help = RunCtl({"load", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: vantoryctl", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("  dump "), std::string::npos);
    EXPECT_FALSE(fs::exists("data"));  // nothing was loaded
}

// A generated catalog, searched as the window searches it.
TEST(VantoryctlTest, SearchPrintsGroupsThenItemsAndTellsWhetherAnythingWasFound)
{
    TestDir dir;
    CatalogGeneratorOptions options;
    options.outDir = dir.Path();
    options.groupsPerType = 3;
    options.itemsPerGroup = 20;
    GenerateCatalog(options);
    const GeneratedCatalog model = GenerateCatalogModel(options);
    // A group's label finds the group; the first item of a group finds itself.
    const GeneratedType& type = model.types.front();
    const GeneratedGroup& group = type.groups.front();
    const GeneratedItem& item = group.items.front();

    const RunResult byGroup = RunCtl({"search", group.lib});
    EXPECT_EQ(byGroup.status, 0) << byGroup.err;
    EXPECT_EQ(byGroup.out.rfind(type.key + "\t" + group.id + "\t\t", 0), 0u) << byGroup.out;

    const RunResult json = RunCtl({"search", "--json", "--type", type.key, item.lib});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"groups\":[", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("\"type\":\"" + type.key + "\",\"group\":\"" + group.id + "\",\"id\":\"" + item.id + "\""),
              std::string::npos)
        << json.out;

    const RunResult limited = RunCtl({"search", "--limit", "1", "a"});
    EXPECT_EQ(limited.status, 0);
    EXPECT_EQ(std::count(limited.out.begin(), limited.out.end(), '\n'), 1);

    const RunResult none = RunCtl({"search", "zqxjzqxj"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"search", "--type", "nope", "a"},
                                                std::vector<std::string>{"search", "--limit", "0", "a"}})
        EXPECT_EQ(RunCtl(bad).status, 2) << bad[2];
}

TEST(VantoryctlTest, LoadPrintsCountsAndWritesCaches)
{
    TestDir dir;
    WriteFile("data/java/cats.xml", IndexXml({{"1", "Puzzle"}, {"2", "Sport"}}));
    WriteFile("data/java/1/1.xml", "<items><ressource><lib>a</lib></ressource><ressource><lib>b</lib></ressource></items>");
    const RunResult result = RunCtl({"load"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "rt_mono       Ringtones (mono)       0 groups         0 items\n"
              "rt_poly       Ringtones (poly)       0 groups         0 items\n"
              "java          Java games             2 groups         2 items\n"
              "logos         Logos                  0 groups         0 items\n"
              "logos_big     Logos (big)            0 groups         0 items\n"
              "wallpapers    Wallpapers             0 groups         0 items\n"
              "screensavers  Screen savers          0 groups         0 items\n");
    EXPECT_EQ(ReadFile("data/java/data_1.dat"), "A\n\n\n\n\nB\n\n\n\n\n");
    // Without --rebuild the caches win; with it the XML does.
    WriteFile("data/java/cats.xml", IndexXml({{"1", "Puzzle"}}));
    EXPECT_NE(RunCtl({"load"}).out.find("java          Java games             2 groups"), std::string::npos);
    EXPECT_NE(RunCtl({"load", "--rebuild"}).out.find("java          Java games             1 groups"),
              std::string::npos);
}

TEST(VantoryctlTest, DumpWritesEveryStringAsValidJson)
{
    TestDir dir;
    WriteFile("data/logos/cats.dat", "1\ng\"1\nQuote\" back\\slash\ttab\x01\n");
    WriteFile("data/logos/data_g\"1.dat",
              "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 ok\n"                   // valid: kept
              "\xFF|\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xE2\x82x|\xC3\n"  // invalid forms
              "u\nf\n\x7F d\n");
    const RunResult result = RunCtl({"dump"});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string empty = "\"groups\":[]}";
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(result.out,
              "{\"types\":["
              "{\"code\":2,\"key\":\"rt_mono\",\"title\":\"Ringtones (mono)\"," + empty + ","
              "{\"code\":14,\"key\":\"rt_poly\",\"title\":\"Ringtones (poly)\"," + empty + ","
              "{\"code\":26,\"key\":\"java\",\"title\":\"Java games\"," + empty + ","
              "{\"code\":1,\"key\":\"logos\",\"title\":\"Logos\",\"groups\":["
              "{\"lib\":\"Quote\\\" back\\\\slash\\u0009tab\\u0001\",\"id\":\"g\\\"1\",\"items\":["
              "{\"label\":\"\xC3\x89\xE2\x82\xAC\xF0\x9F\x98\x80 ok\",\"id\":\""
              + fffd + "|" + fffd + fffd + "|" + fffd + fffd + fffd + "|" + fffd + fffd + fffd + fffd
              + "|" + fffd + "x|" + fffd + "\",\"file\":\"f\",\"url_download\":\"u\",\"desc\":\"\x7F d\"}"
              "]}]},"
              "{\"code\":3,\"key\":\"logos_big\",\"title\":\"Logos (big)\"," + empty + ","
              "{\"code\":15,\"key\":\"wallpapers\",\"title\":\"Wallpapers\"," + empty + ","
              "{\"code\":24,\"key\":\"screensavers\",\"title\":\"Screen savers\"," + empty + "]}\n");
}

TEST(VantoryctlTest, WriteErrorsAreReported)
{
    TestDir dir;
    // A full device: the dump cannot be written and says so.
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int full = ::open("/dev/full", O_WRONLY);
        const int err = ::open("ctl.err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(full, 1);
        ::dup2(err, 2);
        ::execl(VANTORYCTL_PATH, VANTORYCTL_PATH, "dump", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_EQ(ReadFile("ctl.err"), "vantoryctl: cannot write the output\n");
}

TEST(JsonWriterTest, NestingAndLargeOutput)
{
    char* data = nullptr;
    size_t size = 0;
    std::FILE* memory = ::open_memstream(&data, &size);
    ASSERT_NE(memory, nullptr);
    {
        JsonWriter json(memory);
        json.BeginObject();
        json.Key("a");
        json.BeginArray();
        json.BeginArray();
        json.EndArray();
        json.Number(-5);
        json.BeginObject();
        json.EndObject();
        json.String(std::string(200000, '\x1F'));
        json.EndArray();
        json.Key("");
        json.String("");
        json.EndObject();
        EXPECT_TRUE(json.Flush());
    }
    std::fclose(memory);
    std::string expected = "{\"a\":[[],-5,{},\"";
    for (int i = 0; i < 200000; ++i)
        expected += "\\u001f";
    expected += "\"],\"\":\"\"}";
    EXPECT_EQ(std::string(data, size), expected);
    std::free(data);
}

} // namespace
