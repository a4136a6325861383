#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ItemDownloadServer.h"
#include "TestDir.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentTypeTable.h"
#include "catalog/DatabaseLoader.h"
#include "tools/catgen/CatalogGenerator.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct RunResult
{
    int status = -1;
    std::string out;
    std::string err;
};

// vantoryctl in the working directory; Ctrl+C after `interruptAfter` when given.
RunResult RunCtl(const std::vector<std::string>& args, std::chrono::milliseconds interruptAfter = 0ms)
{
    std::vector<std::string> copies = args;
    std::vector<char*> argv;
    std::string program = VANTORYCTL_PATH;
    argv.push_back(program.data());
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open("ctl.out", O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        ::dup2(::open("ctl.err", O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (interruptAfter > 0ms) {
        std::this_thread::sleep_for(interruptAfter);
        ::kill(pid, SIGINT);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    RunResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile("ctl.out"), ReadFile("ctl.err")};
    fs::remove("ctl.out");
    fs::remove("ctl.err");
    return result;
}

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored))
        names.push_back(entry.path().filename().string());
    return names;
}

class DownloadCommandTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CatalogGeneratorOptions options;
        options.outDir = m_dir.Path();
        options.groupsPerType = 2;
        options.itemsPerGroup = 3;
        options.mediaBase = m_server.Origin() + "/media/";
        GenerateCatalog(options);
        LoadAllCatalogs(false);
        m_id = CatalogForType(CT_WALLPAPERS)->Group(1)->ids[2];
    }
    void TearDown() override
    {
        for (int type : CONTENT_TYPE_LOAD_ORDER)
            CatalogForType(type)->Clear();
    }

    TestDir m_dir;
    ItemDownloadServer m_server;
    std::string m_id;
};

TEST_F(DownloadCommandTest, TheItemLandsInTheFolderAndItsPathIsPrinted)
{
    const RunResult run = RunCtl({"download", "wallpapers", m_id, "--to", "out"});
    ASSERT_EQ(run.status, 0) << run.err;
    const fs::path saved = m_dir.Path() / "out" / ItemDownloadServer::FileName(m_id);
    EXPECT_EQ(run.out, saved.string() + "\n");
    EXPECT_EQ(ReadFile(saved), ItemDownloadServer::Body(m_id));
    // The catalog's "&amp;" went out as "&".
    EXPECT_EQ(m_server.LastQuery(), std::to_string(CT_WALLPAPERS) + "/" + m_id);

    // By default into Vantory in the user's download folder.
    ::setenv("XDG_DOWNLOAD_DIR", (m_dir.Path() / "dl").c_str(), 1);
    const RunResult byDefault = RunCtl({"download", "wallpapers", m_id});
    ::unsetenv("XDG_DOWNLOAD_DIR");
    ASSERT_EQ(byDefault.status, 0) << byDefault.err;
    EXPECT_EQ(byDefault.out, (m_dir.Path() / "dl" / "Vantory" / ItemDownloadServer::FileName(m_id)).string() + "\n");
}

TEST_F(DownloadCommandTest, UsageErrorsUnknownItemsAndFailuresHaveTheirStatus)
{
    const struct
    {
        std::vector<std::string> args;
        int status;
        const char* err;
    } cases[] = {
        {{"download"}, 2, "vantoryctl: 'download' needs a type and an item id\n"},
        {{"download", "wallpapers"}, 2, "vantoryctl: download needs a type and an item id\n"},
        {{"download", "posters", "1"}, 2, "vantoryctl: unknown type 'posters'\n"},
        {{"download", "wallpapers", "nope"}, 1, "vantoryctl: no item 'nope' in wallpapers\n"},
    };
    for (const auto& c : cases) {
        const RunResult run = RunCtl(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.size();
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), c.err);
    }
    m_server.m_mode = ItemDownloadServer::Mode::Missing;
    const RunResult missing = RunCtl({"download", "wallpapers", m_id, "--to", "out"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("vantoryctl: download failed: 404 Not Found\n"), std::string::npos) << missing.err;
    EXPECT_EQ(Names("out"), std::vector<std::string>{});
}

TEST_F(DownloadCommandTest, CtrlCLeavesNothingBehind)
{
    m_server.m_mode = ItemDownloadServer::Mode::Slow;
    const RunResult run = RunCtl({"download", "wallpapers", m_id, "--to", "out"}, 700ms);
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_EQ(Names("out"), std::vector<std::string>{});
}

} // namespace
