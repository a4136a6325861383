#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CatalogSnapshot.h"
#include "TestDir.h"
#include "catalog/CatalogLoader.h"
#include "catalog/ContentCatalog.h"

namespace {

namespace fs = std::filesystem;

std::string Item(const std::string& id, const std::string& lib, const std::string& extra = "")
{
    return Element("ressource", Element("id", id) + Element("lib", lib)
                   + Element("url_download", "http://x/" + id) + extra);
}

std::string Page(const std::string& items)
{
    return "<?xml version=\"1.0\"?>\n<items max_page=\"1\">\n" + items + "\n</items>\n";
}

class CatalogLoaderTest : public testing::Test
{
protected:
    std::vector<std::string> Load(bool rebuild)
    {
        LoadCatalog(m_catalog, "java", rebuild);
        return Snapshot(m_catalog);
    }

    // The rebuild and the cache load after it agree, and are returned.
    std::vector<std::string> LoadTwice()
    {
        const std::vector<std::string> fromXml = Load(true);
        EXPECT_EQ(Load(false), fromXml);
        return fromXml;
    }

    TestDir m_dir;
    ContentCatalog m_catalog;
};

TEST_F(CatalogLoaderTest, WritesExactCacheBytes)
{
    WriteFile("data/java/cats.xml", IndexXml({{"7", "Action"}, {"a/b?c", "R &amp; R"}}));
    WriteFile("data/java/7/1.xml", Page(Item("2", "zeta", Element("file", "z.jar")
                                             + Element("desc", "x &lt;b&gt;y&lt;/b&gt;"))
                                        + Item("1", "alpha", Element("screenbox", "s.png"))));
    WriteFile("data/java/7/2.xml", Page(Item("3", "Beta", Element("author", "Ann")
                                             + Element("file", "") + Element("screenbox", "no"))));
    WriteFile("data/java/a_b_c/1.xml", Page(Item("9", "rock &amp; roll", Element("author", ""))));
    LoadTwice();
    EXPECT_EQ(ReadFile("data/java/cats.dat"), "2\n7\nAction\na/b?c\nR &amp; R\n");
    // Both pages, sorted together; author prefix; screenbox only without file.
    EXPECT_EQ(ReadFile("data/java/data_7.dat"),
              "Alpha\n1\nhttp://x/1\ns.png\n\n"
              "Ann - Beta\n3\nhttp://x/3\n\n\n"
              "Zeta\n2\nhttp://x/2\nz.jar\nx  y \n");
    EXPECT_EQ(ReadFile("data/java/data_a_b_c.dat"), "Rock &amp; roll\n9\nhttp://x/9\n\n\n");
    // Nothing else was left behind: no temporary files.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("data/java"))
        ++files;
    EXPECT_EQ(files, 6);  // cats.xml, cats.dat, two caches, two page directories
}

TEST_F(CatalogLoaderTest, CachesAreAuthoritativeUntilRebuild)
{
    WriteFile("data/java/cats.xml", IndexXml({{"g", "G"}}));
    WriteFile("data/java/g/1.xml", Page(Item("1", "new")));
    WriteFile("data/java/cats.dat", "1\ng\nOld group\n");
    WriteFile("data/java/data_g.dat", "Old\n1\nu\nf\nd");  // last line without line break
    EXPECT_EQ(Load(false), (std::vector<std::string>{"group 0 lib=Old group id=g", "  Old | 1 | u | f | d"}));
    EXPECT_EQ(Load(true), (std::vector<std::string>{"group 0 lib=G id=g", "  New | 1 | http://x/1 |  | "}));
    EXPECT_EQ(ReadFile("data/java/data_g.dat"), "New\n1\nhttp://x/1\n\n\n");
    // A missing group cache is rebuilt alone even though the index is cached.
    WriteFile("data/java/cats.dat", "1\ng\nCached\n");
    fs::remove("data/java/data_g.dat");
    EXPECT_EQ(Load(false), (std::vector<std::string>{"group 0 lib=Cached id=g", "  New | 1 | http://x/1 |  | "}));
    EXPECT_TRUE(fs::exists("data/java/data_g.dat"));
}

struct CutCache
{
    const char* name;
    std::string index;
    std::string group;  // data_g.dat
    std::vector<std::string> snapshot;
};

class CutCacheTest : public CatalogLoaderTest, public testing::WithParamInterface<CutCache> {};

TEST_P(CutCacheTest, MissingLinesReadAsEmpty)
{
    WriteFile("data/java/cats.dat", GetParam().index);
    WriteFile("data/java/data_g.dat", GetParam().group);
    WriteFile("data/java/data_.dat", "");
    EXPECT_EQ(Load(false), GetParam().snapshot);
}

INSTANTIATE_TEST_SUITE_P(Cases, CutCacheTest, testing::Values(
    CutCache{"RecordCutShort", "1\ng\nG\n", "A\n1\nu\nf\nd\nB\n2",
             {"group 0 lib=G id=g", "  A | 1 | u | f | d", "  B | 2 |  |  | "}},
    CutCache{"LabelAloneAtTheEnd", "1\ng\nG\n", "A\n1\nu\nf\nd\nB",
             {"group 0 lib=G id=g", "  A | 1 | u | f | d"}},
    // One group past the last complete one still reads as empty lines; then
    // the end of the file stops even a count of 2^31.
    CutCache{"CountLargerThanFile", "2147483648\ng\nG\n", "",
             {"group 0 lib=G id=g", "group 1 lib= id="}},
    CutCache{"IdWithoutLib", "5\ng", "", {"group 0 lib= id=g"}},
    CutCache{"NegativeAndJunkCounts", " -3\ng\nG\n", "", {}},
    CutCache{"EmptyIndexCache", "", "", {}}),
    [](const testing::TestParamInfo<CutCache>& p) { return std::string(p.param.name); });

TEST_F(CatalogLoaderTest, GroupsSharingAnIdShareOneCache)
{
    WriteFile("data/java/cats.xml", IndexXml({{"d", "First"}, {"d", "Second"}, {"x?y", "Q"}, {"x*y", "S"}}));
    WriteFile("data/java/d/1.xml", Page(Item("2", "b") + Item("1", "a")));
    WriteFile("data/java/x_y/1.xml", Page(Item("5", "e")));
    const std::vector<std::string> expected = {
        "group 0 lib=First id=d", "  A | 1 | http://x/1 |  | ", "  B | 2 | http://x/2 |  | ",
        "  A | 1 | http://x/1 |  | ", "  B | 2 | http://x/2 |  | ",
        "group 1 lib=Second id=d",
        "group 2 lib=Q id=x?y", "  E | 5 | http://x/5 |  | ",
        "group 3 lib=S id=x*y", "  E | 5 | http://x/5 |  | "};
    EXPECT_EQ(LoadTwice(), expected);
    EXPECT_EQ(ReadFile("data/java/data_d.dat"), "A\n1\nhttp://x/1\n\n\nB\n2\nhttp://x/2\n\n\n");
    // Without rebuild and without the group caches the same holds.
    fs::remove("data/java/data_d.dat");
    fs::remove("data/java/data_x_y.dat");
    EXPECT_EQ(Load(false), expected);
}

TEST_F(CatalogLoaderTest, MissingFiles)
{
    // No directory: nothing to read, nothing written.
    EXPECT_TRUE(Load(false).empty());
    EXPECT_FALSE(fs::exists("data"));
    // A directory without an index: an index cache with the count 0.
    fs::create_directories("data/java");
    EXPECT_TRUE(Load(false).empty());
    EXPECT_EQ(ReadFile("data/java/cats.dat"), "0\n");
    WriteFile("data/java/cats.xml", IndexXml({{"g", "G"}}));
    EXPECT_TRUE(Load(false).empty());  // the cached count stays until a rebuild
    // A group without pages gets an empty cache.
    EXPECT_EQ(LoadTwice(), (std::vector<std::string>{"group 0 lib=G id=g"}));
    EXPECT_TRUE(fs::exists("data/java/data_g.dat"));
    EXPECT_EQ(ReadFile("data/java/data_g.dat"), "");
}

TEST_F(CatalogLoaderTest, UnwritableCachesAreSkipped)
{
    WriteFile("data/java/cats.xml", IndexXml({{"g", "G"}}));
    WriteFile("data/java/g/1.xml", Page(Item("1", "a")));
    // A directory that holds something is not replaced.
    fs::create_directories("data/java/cats.dat/x");
    fs::create_directories("data/java/data_g.dat/x");
    EXPECT_EQ(Load(true), (std::vector<std::string>{"group 0 lib=G id=g", "  A | 1 | http://x/1 |  | "}));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("data/java"))
        ++entries;
    EXPECT_EQ(entries, 4);  // no temporary files left
}

TEST_F(CatalogLoaderTest, MoreGroupsThanTheInitialTable)
{
    std::vector<std::pair<std::string, std::string>> groups;
    for (int i = 0; i < MAX_GROUPS + 50; ++i)
        groups.emplace_back("g" + std::to_string(i), "G" + std::to_string(i));
    WriteFile("data/java/cats.xml", IndexXml(groups));
    WriteFile("data/java/g340/1.xml", Page(Item("1", "last")));
    const std::vector<std::string> loaded = LoadTwice();
    ASSERT_EQ(m_catalog.GetGroupCount(), MAX_GROUPS + 50);
    EXPECT_EQ(m_catalog.GetItemLib(340, 0), "Last");
    EXPECT_EQ(loaded.size(), static_cast<size_t>(MAX_GROUPS + 51));
}

TEST_F(CatalogLoaderTest, ValuesWithLineBreaksAndLongValuesStayInStep)
{
    const std::string longLib(12000, 'l');
    WriteFile("data/java/cats.xml", IndexXml({{"g\n1", "two\r\nlines\rend"}}));
    WriteFile("data/java/g\n1/1.xml",
              Page(Item("1\n2", "x\ny", Element("desc", "<![CDATA[c\nd]]>") + Element("file", longLib))));
    const std::vector<std::string> loaded = LoadTwice();
    EXPECT_EQ(loaded[0], "group 0 lib=two lines end id=g 1");
    EXPECT_EQ(m_catalog.GetGroupCount(), 1);
    EXPECT_EQ(m_catalog.GetItemCount(0), 0);  // the pages of "g 1", not "g\n1", are read
    WriteFile("data/java/g 1/1.xml",
              Page(Item("1\n2", "x\ny", Element("desc", "<![CDATA[c\nd]]>") + Element("file", longLib))));
    LoadTwice();
    ASSERT_EQ(m_catalog.GetItemCount(0), 1);
    std::string id, file, url, desc;
    m_catalog.GetItemDetails(0, 0, id, file, url, desc);
    EXPECT_EQ(m_catalog.GetItemLib(0, 0), "X y");
    EXPECT_EQ(id, "1 2");
    EXPECT_EQ(desc, "c d");
    EXPECT_EQ(file, std::string(9997, 'l'));
}

} // namespace
