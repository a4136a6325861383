// Files that are not files: what stands at a cache's or a listing's path
// may be a directory, a FIFO or a link to a device, and what killed writers
// leave behind must not pile up. None of it may hang a load, take all
// memory or hide a type's groups for good.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CatalogSnapshot.h"
#include "TestDir.h"
#include "catalog/AtomicFileWriter.h"
#include "catalog/CacheReader.h"
#include "catalog/CatalogLoader.h"
#include "catalog/ContentCatalog.h"
#include "catalog/TextFile.h"
#include "catalog/WriteFailures.h"

namespace {

namespace fs = std::filesystem;

enum class Oddity
{
    EmptyDirectory,
    FullDirectory,
    Fifo,
    LinkToDevZero,
};

const char* Name(Oddity oddity)
{
    switch (oddity) {
    case Oddity::EmptyDirectory: return "EmptyDirectory";
    case Oddity::FullDirectory: return "FullDirectory";
    case Oddity::Fifo: return "Fifo";
    case Oddity::LinkToDevZero: return "LinkToDevZero";
    }
    return "";
}

void Make(Oddity oddity, const std::string& path)
{
    fs::remove_all(path);
    switch (oddity) {
    case Oddity::EmptyDirectory:
        fs::create_directories(path);
        break;
    case Oddity::FullDirectory:
        WriteFile(path + "/keep", "mine");
        break;
    case Oddity::Fifo:
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        break;
    case Oddity::LinkToDevZero:
        fs::create_symlink("/dev/zero", path);
        break;
    }
}

std::string Listing(const std::string& items)
{
    return "<?xml version=\"1.0\"?>\n<response max_page=\"1\" total_results=\"2\">\n" + items + "</response>\n";
}

std::string Item(const std::string& id, const std::string& lib)
{
    return Element("ressource", Element("id", id) + Element("lib", lib) + Element("url_download", "u" + id));
}

struct OddCase
{
    Oddity oddity;
    const char* path;  // below data/java/
};

class OddCacheTest : public testing::TestWithParam<OddCase>
{
protected:
    OddCacheTest()
    {
        WriteFile("data/java/cats.xml", IndexXml({{"g", "G"}, {"h", "H"}}));
        WriteFile("data/java/g/1.xml", Listing(Item("1", "one") + Item("2", "two")));
        WriteFile("data/java/h/1.xml", Listing(Item("3", "three")));
    }

    std::vector<std::string> Load(bool rebuild, WriteFailures* failures = nullptr)
    {
        LoadCatalog(m_catalog, "java", rebuild, failures);
        return Snapshot(m_catalog);
    }

    TestDir m_dir;
    ContentCatalog m_catalog;
};

// Whatever stands in a cache's place is no cache: the load reads the XML
// (it does not hang on a FIFO or read /dev/zero without end) and puts a
// cache in its place where it can; a directory with files in it stays, and
// a rebuild reports that it could not write there.
TEST_P(OddCacheTest, IsNoCacheAndIsReplacedWherePossible)
{
    const OddCase& c = GetParam();
    const std::vector<std::string> expected = Load(true);
    const std::string path = std::string("data/java/") + c.path;
    Make(c.oddity, path);

    EXPECT_EQ(Load(false), expected);
    if (c.oddity == Oddity::FullDirectory) {
        EXPECT_TRUE(fs::is_directory(path));
        WriteFailures failures;
        EXPECT_EQ(Load(true, &failures), expected);
        ASSERT_EQ(failures.Count(), 1u);
        EXPECT_EQ(failures.All()[0].path, path);
        EXPECT_EQ(failures.All()[0].error, EISDIR);
        EXPECT_EQ(ReadFile(path + "/keep"), "mine");
    } else {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path))) << path;
        EXPECT_EQ(Load(false), expected);
    }
    // No temporary left beside it.
    for (const fs::directory_entry& entry : fs::directory_iterator("data/java"))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}

std::vector<OddCase> OddCases()
{
    std::vector<OddCase> cases;
    for (Oddity oddity : {Oddity::EmptyDirectory, Oddity::FullDirectory, Oddity::Fifo, Oddity::LinkToDevZero})
        for (const char* path : {"cats.dat", "data_g.dat"})
            cases.push_back({oddity, path});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Caches, OddCacheTest, testing::ValuesIn(OddCases()),
                         [](const testing::TestParamInfo<OddCase>& param) {
                             return std::string(Name(param.param.oddity))
                                 + (std::string(param.param.path) == "cats.dat" ? "AsIndexCache" : "AsGroupCache");
                         });

// The same things at the XML's paths read as missing files.
TEST(OddXmlTest, ReadAsMissing)
{
    for (Oddity oddity : {Oddity::EmptyDirectory, Oddity::Fifo, Oddity::LinkToDevZero}) {
        SCOPED_TRACE(Name(oddity));
        TestDir dir;
        fs::create_directories("data/java/g");
        Make(oddity, "data/java/cats.xml");
        EXPECT_EQ(ReadTextFile("data/java/cats.xml"), "");
        ContentCatalog catalog;
        LoadCatalog(catalog, "java", true);
        EXPECT_EQ(catalog.GetGroupCount(), 0);

        fs::remove_all("data/java/cats.xml");
        WriteFile("data/java/cats.xml", IndexXml({{"g", "G"}}));
        Make(oddity, "data/java/g/1.xml");
        LoadCatalog(catalog, "java", true);
        ASSERT_EQ(catalog.GetGroupCount(), 1);
        EXPECT_EQ(catalog.GetItemCount(0), 0);

        CacheReader reader;
        EXPECT_FALSE(reader.Open("data/java/g/1.xml"));
    }
}

// A pid that no process has now: a child that has been waited for.
pid_t GonePid()
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return pid;
}

TEST(StaleTemporariesTest, TheLoadRemovesThoseOfWritersThatAreGone)
{
    TestDir dir;
    fs::create_directories("data/java/g");
    const std::string gone = ".cats.dat." + std::to_string(GonePid()) + "-3.tmp";
    const std::string mine = ".data_g.dat." + std::to_string(::getpid()) + "-0.tmp";
    const std::string alive = ".cats.xml.1-7.tmp";  // pid 1 is always there
    const std::vector<std::string> kept = {alive, ".hidden", "x.tmp", ".a.b-c.tmp", "g"};
    for (const std::string& name : {gone, mine})
        WriteFile("data/java/" + name, "half");
    for (const std::string& name : kept)
        if (name != "g")
            WriteFile("data/java/" + name, "keep");

    ContentCatalog catalog;
    LoadCatalog(catalog, "java", false);
    EXPECT_FALSE(fs::exists("data/java/" + gone));
    EXPECT_FALSE(fs::exists("data/java/" + mine));
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists("data/java/" + name)) << name;
}

// A rebuild removes every cache of the type before it writes the new ones,
// so that caches of groups that left the index go, and a rebuild that is
// cut short never leaves old caches beside new ones.
TEST(RebuildTest, RemovesTheOldCachesFirst)
{
    TestDir dir;
    WriteFile("data/java/cats.xml", IndexXml({{"g", "G"}}));
    WriteFile("data/java/g/1.xml", Listing(Item("1", "one")));
    WriteFile("data/java/data_gone.dat", "Old\n1\nu\nf\nd\n");
    WriteFile("data/java/data.dat", "not a cache");
    WriteFile("data/java/data_g.dat.bak", "not a cache");
    ContentCatalog catalog;
    WriteFailures failures;
    LoadCatalog(catalog, "java", true, &failures);
    EXPECT_TRUE(failures.Empty());
    EXPECT_FALSE(fs::exists("data/java/data_gone.dat"));
    EXPECT_TRUE(fs::exists("data/java/data_g.dat"));
    EXPECT_TRUE(fs::exists("data/java/data.dat"));
    EXPECT_TRUE(fs::exists("data/java/data_g.dat.bak"));
}

TEST(RebuildTest, FailuresAreNotReportedWhereThereIsNoTypeDirectory)
{
    TestDir dir;
    ContentCatalog catalog;
    WriteFailures failures;
    LoadCatalog(catalog, "java", true, &failures);
    EXPECT_TRUE(failures.Empty());
    EXPECT_FALSE(fs::exists("data"));
}

} // namespace
