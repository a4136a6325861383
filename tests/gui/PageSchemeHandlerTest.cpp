#include <gtest/gtest.h>

#include <filesystem>

#include "GuiTestSupport.h"
#include "pages/browser/PageSchemeHandler.h"

namespace {

namespace fs = std::filesystem;

// Which addresses of the page scheme name a file that may be served.
TEST(PageSchemeHandlerTest, ServesRegularFilesBelowTheRootsOnly)
{
    TestDir outside;
    WriteFile("secret.txt", "no");
    const fs::path secret = outside.Path() / "secret.txt";
    TestDir dir;
    const fs::path root = dir.Path();
    WriteFile("a.txt", "a");
    WriteFile("sub/b.txt", "b");
    WriteFile("with space é.txt", "c");
    fs::create_directories("empty");
    fs::create_symlink(secret, "link.txt");
    fs::create_symlink(root / "a.txt", "inner-link.txt");

    const std::string base = "vantory://app" + root.string();
    const struct
    {
        std::string url;
        bool served;
        fs::path file;
    } cases[] = {
        {base + "/a.txt", true, root / "a.txt"},
        {base + "//sub/b.txt", true, root / "sub/b.txt"},
        {base + "/sub/../a.txt", true, root / "a.txt"},
        {base + "/with%20space%20%C3%A9.txt", true, root / "with space é.txt"},
        {base + "/a.txt?v=2#top", true, root / "a.txt"},
        {base + "/inner-link.txt", true, root / "a.txt"},
        {base + "/link.txt", false, {}},
        {base + "/../" + outside.Path().filename().string() + "/secret.txt", false, {}},
        {"vantory://app" + secret.string(), false, {}},
        {base + "/empty", false, {}},
        {base + "/missing.txt", false, {}},
        {"file://" + (root / "a.txt").string(), false, {}},
        {"vantory://app/", false, {}},
    };
    for (const auto& c : cases) {
        const auto file = PageSchemeHandler::ServableFile(QUrl(QString::fromStdString(c.url)), {root});
        EXPECT_EQ(file.has_value(), c.served) << c.url;
        if (file && c.served) {
            EXPECT_EQ(*file, fs::canonical(c.file)) << c.url;
        }
    }
}

TEST(PageSchemeHandlerTest, AWorkingDirectoryAtTheRootReadsTheHostAsAPathPart)
{
    TestDir dir;
    WriteFile("x.txt", "x");
    // "//tmp/..." behind the working directory "/" parses as host "tmp".
    const fs::path relative = fs::relative(dir.Path() / "x.txt", "/");
    const auto first = *relative.begin();
    const fs::path rest = fs::relative(relative, first);
    const QUrl url(QString::fromStdString("vantory://" + first.string() + "/" + rest.string()));
    const auto file = PageSchemeHandler::ServableFile(url, {"/"});
    ASSERT_TRUE(file.has_value()) << url.toString().toStdString();
    EXPECT_EQ(*file, fs::canonical(dir.Path() / "x.txt"));
}

} // namespace
