#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "TestDir.h"
#include "catalog/AtomicFileWriter.h"
#include "catalog/CacheLines.h"
#include "catalog/CacheReader.h"
#include "catalog/CatalogPaths.h"
#include "catalog/TextFile.h"

namespace {

namespace fs = std::filesystem;

// Each ReadCacheLine result with the end flag after it, until the reader
// gives "" with the flag set.
std::string Trace(const std::string& bytes)
{
    WriteFile("cache.dat", bytes);
    CacheReader reader;
    EXPECT_TRUE(reader.Open("cache.dat"));
    std::string trace;
    for (int i = 0; i < 8; ++i) {
        const std::string line = ReadCacheLine(reader);
        trace += "[" + (line.size() > 20 ? std::to_string(line.size()) + "b" : line) + "]";
        trace += reader.AtEnd() ? "E" : "";
        if (reader.AtEnd())
            break;
    }
    return trace;
}

TEST(CacheLinesTest, ReadsLikeFgetsWithTheEndFlag)
{
    TestDir dir;
    struct Case { std::string bytes, trace; };
    const std::string full(CacheReader::MAX_READ - 1, 'x');
    const Case cases[] = {
        {"", "[]E"},
        {"a\nb\n", "[a][b][]E"},
        {"a\nb", "[a][b]E"},                     // last line without a line break
        {"\n\n", "[][][]E"},
        {"a\r\nb\rc\n", "[a][bc][]E"},           // every CR goes, not just one before LF
        {std::string("a\0b\nc\n", 6), "[a][c][]E"},  // a piece ends at a NUL as a C string does
        {full + "\n", "[9997b][]E"},             // the longest value that is read whole
        {full + "y\n", "[9998b][][]E"},          // one byte more: the LF is a read of its own
        {full + "y", "[9998b][]E"},              // a full buffer at the end does not hit it
    };
    for (const Case& c : cases)
        EXPECT_EQ(Trace(c.bytes), c.trace) << c.bytes.substr(0, 12);
}

TEST(CacheLinesTest, ClosedReaderAndMissingFile)
{
    TestDir dir;
    CacheReader reader;
    EXPECT_FALSE(reader.Open("missing.dat"));
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(ReadCacheLine(reader), "");
    AtomicFileWriter writer;
    WriteCacheLine(writer, "ignored");  // not open: nothing happens
    EXPECT_FALSE(writer.Commit());
}

TEST(AtomicFileWriterTest, ReplacesOnlyOnCommit)
{
    TestDir dir;
    WriteFile("f.dat", "old\n");
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open("f.dat"));
        WriteCacheLine(writer, "new");
        EXPECT_EQ(ReadFile("f.dat"), "old\n");
        EXPECT_TRUE(fs::exists(writer.TemporaryPath()));
        EXPECT_EQ(fs::path(writer.TemporaryPath()).parent_path(), fs::path());
    }  // destroyed without Commit
    EXPECT_EQ(ReadFile("f.dat"), "old\n");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);

    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open("f.dat"));
    WriteCacheLine(writer, std::string(300000, 'z'));  // more than one flush
    WriteCacheLine(writer, "");
    EXPECT_TRUE(writer.Commit());
    EXPECT_EQ(ReadFile("f.dat"), std::string(300000, 'z') + "\n\n");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

TEST(AtomicFileWriterTest, FailuresLeaveTheOldFile)
{
    TestDir dir;
    AtomicFileWriter writer;
    EXPECT_FALSE(writer.Open("no/such/dir/f.dat"));
    // A target that cannot be replaced: the temporary goes again.
    fs::create_directory("taken");
    WriteFile("taken/x", "");
    ASSERT_TRUE(writer.Open("taken"));
    writer.Write("data");
    EXPECT_FALSE(writer.Commit());
    EXPECT_TRUE(fs::is_directory("taken"));
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

TEST(AtomicFileWriterTest, NewFileModeFollowsTheUmask)
{
    TestDir dir;
    const mode_t old = ::umask(027);
    AtomicFileWriter writer;
    const bool opened = writer.Open("m.dat");
    const bool committed = writer.Commit();
    ::umask(old);
    ASSERT_TRUE(opened && committed);
    struct stat info{};
    ASSERT_EQ(::stat("m.dat", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(TextFileTest, ReadTextFileAndTrailingSeparator)
{
    TestDir dir;
    WriteFile("t.txt", std::string("a\r\nb\r\rc\r\n\r") + std::string(5000, 'q') + std::string(1, '\0') + "z");
    EXPECT_EQ(ReadTextFile("t.txt"),
              std::string("a\nb\r\rc\n\r") + std::string(5000, 'q') + std::string(1, '\0') + "z");
    EXPECT_EQ(ReadTextFile("missing.txt"), "");
    EXPECT_EQ(ReadTextFile("."), "");

    EXPECT_EQ(WithTrailingBackslash(""), "/");
    EXPECT_EQ(WithTrailingBackslash("/a/b/"), "/a/b/");
    EXPECT_EQ(WithTrailingBackslash("/a/b"), "/a/b/");
    EXPECT_EQ(WithTrailingBackslash("a\\"), "a\\/");
}

TEST(CatalogPathsTest, SafeFileNameAndGroupPaths)
{
    EXPECT_EQ(SafeFileName("a/b?c"), "a_b_c");
    EXPECT_EQ(SafeFileName("*\\?/ x.y:z"), "____ x.y:z");
    EXPECT_EQ(GroupCachePath(TypeDirectory("java"), "a/b?c"), "data/java/data_a_b_c.dat");
    EXPECT_EQ(ListingPagePath(TypeDirectory("java"), "a/b?c", 12), "data/java/a_b_c/12.xml");

    // Blanks around an id are not part of the names: the update stores " 12 " under 12.
    EXPECT_EQ(GroupFileName(" 12 "), "12");
    EXPECT_EQ(GroupFileName("\t12 "), "\t12");  // only blanks are trimmed
    EXPECT_EQ(GroupFileName("   "), "");
    EXPECT_EQ(ListingPagePath(TypeDirectory("logos"), " 12 ", 1), "data/logos/12/1.xml");
    EXPECT_EQ(GroupCachePath(TypeDirectory("logos"), " a/b "), "data/logos/data_a_b.dat");
}

} // namespace
