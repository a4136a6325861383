#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "StagedInstall.h"

namespace fs = std::filesystem;

namespace {

const char* const kPrograms[] = {"vantory", "vantoryctl", "vantory-catgen", "vantory-content-server"};

TEST(InstalledFilesTest, DesktopEntryAndMetainfoValidate)
{
    const Installation installed = Installation::Staged();
    const ProcessResult desktop = RunProcess({"desktop-file-validate", installed.DesktopEntry().string()}, ".");
    EXPECT_EQ(desktop.status, 0) << desktop.out << desktop.err;
    EXPECT_EQ(desktop.out + desktop.err, "") << "hints and warnings count too";

    const fs::path metainfo = installed.DataRoot() / "metainfo" / (std::string(VANTORY_APP_ID) + ".metainfo.xml");
    const ProcessResult appstream = RunProcess({"appstreamcli", "validate", "--no-net", metainfo.string()}, ".");
    EXPECT_EQ(appstream.status, 0) << appstream.out << appstream.err;
    // The component launches the installed entry, whose program is installed.
    EXPECT_NE(ReadFile(metainfo).find("<launchable type=\"desktop-id\">" + installed.DesktopEntry().filename().string()),
              std::string::npos);
    const std::vector<std::string> exec = installed.DesktopExec();
    ASSERT_FALSE(exec.empty());
    EXPECT_TRUE(fs::is_regular_file(installed.Bin() / exec[0])) << exec[0];
}

// Width and height from a PNG's header chunk.
std::pair<uint32_t, uint32_t> PngSize(const fs::path& path)
{
    const std::string bytes = ReadFile(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    auto at = [&](size_t offset) {
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
        return value;
    };
    return {at(16), at(20)};
}

TEST(InstalledFilesTest, IconIsInTheThemeAtItsSizes)
{
    const Installation installed = Installation::Staged();
    const std::string entry = ReadFile(installed.DesktopEntry());
    ASSERT_NE(entry.find("\nIcon=vantory\n"), std::string::npos);
    for (const uint32_t size : {16u, 22u, 24u, 32u, 48u, 64u, 128u, 256u}) {
        const std::string dir = std::to_string(size) + "x" + std::to_string(size);
        const fs::path icon = installed.DataRoot() / "icons/hicolor" / dir / "apps/vantory.png";
        EXPECT_EQ(PngSize(icon), std::make_pair(size, size)) << icon;
    }
}

TEST(InstalledFilesTest, EveryProgramHasAManPageThatFormatsCleanly)
{
    const Installation installed = Installation::Staged();
    for (const char* program : kPrograms) {
        EXPECT_TRUE(fs::is_regular_file(installed.Bin() / program)) << program;
        const fs::path page = installed.DataRoot() / "man/man1" / (std::string(program) + ".1.gz");
        ASSERT_TRUE(fs::is_regular_file(page)) << page;
        const ProcessResult format =
            RunProcess({"sh", "-c", "gzip -dc \"$1\" | groff -man -ww -z -t", "sh", page.string()}, ".");
        EXPECT_EQ(format.status, 0) << page;
        EXPECT_EQ(format.err, "") << page;
    }
}

TEST(InstalledFilesTest, SharedFilesAreTheTemplatesAndTheSampleContent)
{
    const Installation installed = Installation::Staged();
    EXPECT_TRUE(HoldsCopyOf(installed.Shared(), fs::path(VANTORY_SOURCE_DIR) / "templates"));
    const fs::path sample = fs::path(VANTORY_BINARY_DIR) / "sample";
    EXPECT_TRUE(HoldsCopyOf(installed.Shared() / "sample/data", sample / "data"));
    EXPECT_TRUE(HoldsCopyOf(installed.Shared() / "sample/media", sample / "media"));
}

} // namespace
