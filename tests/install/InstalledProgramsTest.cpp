#include <gtest/gtest.h>

#include <filesystem>

#include "StagedInstall.h"
#include "tools/contentserver/ContentServer.h"

namespace fs = std::filesystem;

namespace {

constexpr char kShown[] = "vantory: main window shown\n";

bool HasCaches(const fs::path& data)
{
    for (const std::string& file : FilesBelow(data))
        if (fs::path(file).filename().string().rfind("data_", 0) == 0)
            return true;
    return false;
}

TEST(InstalledProgramsTest, FirstStartFromTheDesktopEntrySeedsTheUsersDirectory)
{
    const Installation installed = Installation::Staged();
    User user(installed);
    const ProcessResult run = user.Run(installed.DesktopExec());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kShown);
    EXPECT_NE(run.err.find("vantory: made " + user.WorkDir().string()), std::string::npos) << run.err;
    EXPECT_TRUE(HoldsCopyOf(user.WorkDir() / "tpl", installed.Shared() / "tpl"));
    EXPECT_EQ(ReadFile(user.WorkDir() / "hint.js"), ReadFile(installed.Shared() / "hint.js"));
    EXPECT_TRUE(HoldsCopyOf(user.WorkDir() / "data", installed.Shared() / "sample/data"));
    // The program loaded the seeded catalog: the load wrote its caches there.
    EXPECT_TRUE(HasCaches(user.WorkDir() / "data"));
}

TEST(InstalledProgramsTest, LaterStartKeepsChangedFilesAndRestoresMissingTemplates)
{
    const Installation installed = Installation::Staged();
    User user(installed);
    ASSERT_EQ(user.Run({"vantoryctl", "load"}).status, 0);
    WriteFile(user.WorkDir() / "tpl/items.html", "<p>my items</p>");
    WriteFile(user.WorkDir() / "hint.js", "// mine");
    fs::remove(user.WorkDir() / "tpl/groups.html");
    fs::remove_all(user.WorkDir() / "data/logos");

    const ProcessResult run = user.Run({"vantory"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kShown);
    EXPECT_EQ(run.err.find("vantory: made"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(user.WorkDir() / "tpl/items.html"), "<p>my items</p>");
    EXPECT_EQ(ReadFile(user.WorkDir() / "hint.js"), "// mine");
    EXPECT_EQ(ReadFile(user.WorkDir() / "tpl/groups.html"), ReadFile(installed.Shared() / "tpl/groups.html"));
    EXPECT_FALSE(fs::exists(user.WorkDir() / "data/logos")) << "the catalog is the user's";
}

TEST(InstalledProgramsTest, CtlLoadWorksOnTheSeededCatalog)
{
    User user(Installation::Staged());
    const ProcessResult load = user.Run({"vantoryctl", "load"});
    EXPECT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(load.out, SampleCounts());
    EXPECT_TRUE(HasCaches(user.WorkDir() / "data"));
    const ProcessResult again = user.Run({"vantoryctl", "load"});
    EXPECT_EQ(again.out, SampleCounts());
    EXPECT_EQ(again.err, "") << "said once, on the first start";
}

TEST(InstalledProgramsTest, CtlUpdateFetchesTheInstalledSampleContent)
{
    const Installation installed = Installation::Staged();
    ContentServerOptions options;
    options.contentDir = installed.Shared() / "sample";
    ContentServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error();
    User user(installed);
    // The seeded listings name the pictures on the run script's port, and an
    // unchanged group is not fetched again: start from an empty catalog (an
    // empty data/ is the user's, not seeded again) so every address comes
    // from this server.
    ASSERT_EQ(user.Run({"vantoryctl", "load"}).status, 0);
    fs::remove_all(user.WorkDir() / "data");
    fs::create_directory(user.WorkDir() / "data");
    const ProcessResult update = user.Run({"vantoryctl", "update"}, {}, {{"VANTORY_CONTENT_SERVER", server.Address()}});
    EXPECT_EQ(update.status, 0) << update.err;
    EXPECT_EQ(update.out, SampleCounts());
    EXPECT_EQ(update.err.find("Error receiving"), std::string::npos) << update.err;
    // The pictures of logos, big logos and games the sample's listings name
    // have come down; the previews of wallpapers and screen savers are shown
    // from the server and never fetched.
    for (const char* key : {"logos", "logos_big", "java"})
        EXPECT_TRUE(HoldsCopyOf(user.WorkDir() / "data" / key, installed.Shared() / "sample/media" / key)) << key;
}

struct StartCase
{
    const char* name;
    const char* catalogDir;  // made in the start directory
};

TEST(InstalledProgramsTest, StartedBesideACatalogTheProgramsStayThere)
{
    const StartCase cases[] = {{"data/", "data"}, {"tpl/", "tpl"}};
    for (const StartCase& c : cases) {
        User user(Installation::Staged());
        const fs::path start = user.Home() / "shop";
        fs::create_directories(start / c.catalogDir);
        for (const std::vector<std::string>& command : {std::vector<std::string>{"vantoryctl", "load"}, {"vantory"}}) {
            const ProcessResult run = user.Run(command, start);
            EXPECT_EQ(run.status, 0) << c.name << " " << command[0] << ": " << run.err;
        }
        EXPECT_FALSE(fs::exists(user.WorkDir())) << c.name;
        EXPECT_EQ(fs::exists(start / "data"), std::string(c.catalogDir) == "data") << c.name;
    }
}

TEST(InstalledProgramsTest, NoPlaceForTheUsersDirectoryFailsLoudly)
{
    User user(Installation::Staged());
    WriteFile(user.Home() / "blocked", "a file, not a directory");
    const EnvironmentChanges blocked = {{"XDG_DATA_HOME", (user.Home() / "blocked").string()}};
    const ProcessResult load = user.Run({"vantoryctl", "load"}, {}, blocked);
    EXPECT_EQ(load.status, 1);
    EXPECT_EQ(load.out, "");
    EXPECT_EQ(load.err.rfind("vantoryctl: cannot make " + (user.Home() / "blocked/vantory").string(), 0), 0u) << load.err;
    // The program window still opens, on an empty catalog, and says why.
    const ProcessResult gui = user.Run({"vantory"}, {}, blocked);
    EXPECT_EQ(gui.status, 0);
    EXPECT_EQ(gui.out, kShown);
    EXPECT_NE(gui.err.find("vantory: cannot make"), std::string::npos) << gui.err;
}

TEST(InstalledProgramsTest, VersionAndHelpTouchNothing)
{
    User user(Installation::Staged());
    const ProcessResult version = user.Run({"vantoryctl", "--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Vantory 1.00\n");
    const ProcessResult help = user.Run({"vantoryctl", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    EXPECT_FALSE(fs::exists(user.WorkDir()));
}

} // namespace
