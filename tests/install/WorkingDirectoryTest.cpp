#include <gtest/gtest.h>

#include <filesystem>

#include "InstallTestSupport.h"
#include "app/startup/WorkingDirectory.h"
#include "app/startup/WorkingDirectorySeed.h"

namespace fs = std::filesystem;

namespace {

struct XdgCase
{
    const char* xdgDataHome;
    const char* home;
    const char* expected;
};

TEST(WorkingDirectoryTest, UserDirectoryFollowsTheXdgRules)
{
    const XdgCase cases[] = {
        {"/data/alice", "/home/alice", "/data/alice/vantory"},
        {nullptr, "/home/alice", "/home/alice/.local/share/vantory"},
        {"", "/home/alice", "/home/alice/.local/share/vantory"},
        // A relative XDG_DATA_HOME is invalid, not relative to anything.
        {"data", "/home/alice", "/home/alice/.local/share/vantory"},
        {"/data/alice", nullptr, "/data/alice/vantory"},
        {nullptr, nullptr, ""},
        {nullptr, "alice", ""},
    };
    for (const XdgCase& c : cases)
        EXPECT_EQ(UserWorkingDirectory(c.xdgDataHome, c.home), fs::path(c.expected))
            << (c.xdgDataHome ? c.xdgDataHome : "(unset)") << ", " << (c.home ? c.home : "(unset)");
}

TEST(WorkingDirectoryTest, InstalledDataIsFoundBesideTheProgramsPrefix)
{
    TestDir prefix{false};
    const fs::path program = prefix.Path() / INSTALL_BINDIR / "vantory";
    fs::create_directories(program.parent_path());
    EXPECT_EQ(InstalledDataDirectory(program), fs::path()) << "nothing installed yet";
    const fs::path shared = prefix.Path() / INSTALL_DATA_DIR;
    fs::create_directories(shared / "tpl");
    EXPECT_EQ(InstalledDataDirectory(program), shared.lexically_normal());
}

// Installed files as share/vantory holds them.
class SeedTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteFile(Shared() / "tpl/items.html", "<items/>");
        WriteFile(Shared() / "tpl/img/dot.gif", "GIF89a");
        WriteFile(Shared() / "hint.js", "hint();");
        WriteFile(Shared() / "sample/data/logos/cats.xml", "<cats/>");
        WriteFile(Shared() / "sample/data/logos/7/1.xml", "<list/>");
    }

    fs::path Shared() const { return m_shared.Path(); }
    fs::path Target() const { return m_target.Path() / "vantory"; }

    // No temporary copy is left behind.
    ::testing::AssertionResult NoPartLeft() const
    {
        for (const std::string& file : FilesBelow(m_target.Path()))
            if (file.find(".part-") != std::string::npos)
                return ::testing::AssertionFailure() << file << " is left";
        for (const auto& entry : fs::directory_iterator(Target()))
            if (entry.path().filename().string().find(".part-") != std::string::npos)
                return ::testing::AssertionFailure() << entry.path() << " is left";
        return ::testing::AssertionSuccess();
    }

private:
    TestDir m_shared{false};
    TestDir m_target{false};
};

TEST_F(SeedTest, FirstSeedCopiesTemplatesAndSampleCatalog)
{
    const SeedResult result = SeedWorkingDirectory(Shared(), Target());
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.filesAdded, 3);
    EXPECT_TRUE(result.catalogAdded);
    EXPECT_TRUE(HoldsCopyOf(Target() / "tpl", Shared() / "tpl"));
    EXPECT_EQ(ReadFile(Target() / "hint.js"), "hint();");
    EXPECT_TRUE(HoldsCopyOf(Target() / "data", Shared() / "sample/data"));
    EXPECT_EQ(FilesBelow(Target()).size(), 5u);
    EXPECT_TRUE(NoPartLeft());
}

TEST_F(SeedTest, LaterSeedAddsWhatIsMissingAndReplacesNothing)
{
    ASSERT_EQ(SeedWorkingDirectory(Shared(), Target()).error, "");
    WriteFile(Target() / "tpl/items.html", "<my items/>");
    WriteFile(Target() / "hint.js", "mine();");
    fs::remove(Target() / "tpl/img/dot.gif");
    fs::remove(Target() / "data/logos/7/1.xml");
    WriteFile(Target() / "data/logos/9/1.xml", "<updated/>");
    // A newer version ships one more template, and changes one.
    WriteFile(Shared() / "tpl/item_new.html", "<new/>");
    WriteFile(Shared() / "tpl/items.html", "<items version=2/>");

    const SeedResult result = SeedWorkingDirectory(Shared(), Target());
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.filesAdded, 2);
    EXPECT_FALSE(result.catalogAdded);
    EXPECT_EQ(ReadFile(Target() / "tpl/items.html"), "<my items/>");
    EXPECT_EQ(ReadFile(Target() / "hint.js"), "mine();");
    EXPECT_EQ(ReadFile(Target() / "tpl/img/dot.gif"), "GIF89a");
    EXPECT_EQ(ReadFile(Target() / "tpl/item_new.html"), "<new/>");
    // The catalog is the user's once it is there: an update may have
    // removed listings, and none come back.
    EXPECT_FALSE(fs::exists(Target() / "data/logos/7/1.xml"));
    EXPECT_EQ(ReadFile(Target() / "data/logos/9/1.xml"), "<updated/>");
    EXPECT_TRUE(NoPartLeft());
}

TEST_F(SeedTest, MissingCatalogComesBackAndNothingElseIsTouched)
{
    ASSERT_EQ(SeedWorkingDirectory(Shared(), Target()).error, "");
    fs::remove_all(Target() / "data");
    const SeedResult result = SeedWorkingDirectory(Shared(), Target());
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.filesAdded, 0);
    EXPECT_TRUE(result.catalogAdded);
    EXPECT_TRUE(HoldsCopyOf(Target() / "data", Shared() / "sample/data"));
}

TEST_F(SeedTest, FailureIsReportedWithItsPath)
{
    WriteFile(Target() / "tpl", "a file where the templates belong");
    const SeedResult result = SeedWorkingDirectory(Shared(), Target());
    EXPECT_NE(result.error.find((Target() / "tpl").string()), std::string::npos) << result.error;
    EXPECT_FALSE(result.catalogAdded) << "the seed stops at the first failure";
}

} // namespace
