#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

#include <gtest/gtest.h>

#include "TestDir.h"
#include "tools/catgen/CatgenCommandLine.h"

TEST(CatgenCommandLine, ReadsEveryOptionInBothSpellings)
{
    CatgenCommandLine line;
    ASSERT_EQ(ParseCatgenCommandLine({"--out", "dir", "--groups=12", "--items", "0", "--vary",
                                      "--seed", "18446744073709551615", "--types=26,1",
                                      "--media-base", "http://m.test/x/", "--unsafe-ids",
                                      "--pictures"},
                                     line),
              "");
    EXPECT_EQ(line.options.outDir, "dir");
    EXPECT_EQ(line.options.groupsPerType, 12);
    EXPECT_EQ(line.options.itemsPerGroup, 0);
    EXPECT_TRUE(line.options.varyItems);
    EXPECT_EQ(line.options.seed, 18446744073709551615ull);
    EXPECT_EQ(line.options.types, (std::vector<int>{26, 1}));
    EXPECT_EQ(line.options.mediaBase, "http://m.test/x/");
    EXPECT_TRUE(line.options.unsafeIds);
    EXPECT_TRUE(line.options.pictures);
    EXPECT_FALSE(line.help);

    ASSERT_EQ(ParseCatgenCommandLine({"--out", "d"}, line), "");
    EXPECT_EQ(line.options.groupsPerType, 8);
    EXPECT_EQ(line.options.itemsPerGroup, 45);
    EXPECT_TRUE(line.options.types.empty());
    EXPECT_FALSE(line.options.pictures);
    ASSERT_EQ(ParseCatgenCommandLine({"--help"}, line), "");
    EXPECT_TRUE(line.help);
}

TEST(CatgenCommandLine, RejectsWhatItCannotUse)
{
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {"unknown option", {"--out", "d", "--frobnicate"}, "unknown option '--frobnicate'"},
        {"positional argument", {"--out", "d", "extra"}, "unknown option 'extra'"},
        {"no output directory", {"--groups", "3"}, "missing --out DIR"},
        {"value missing at the end", {"--out", "d", "--items"}, "needs a value"},
        {"count not a number", {"--out", "d", "--groups", "ten"}, "bad value 'ten' for --groups"},
        {"negative count", {"--out", "d", "--items=-1"}, "bad value '-1' for --items"},
        {"count too large", {"--out", "d", "--groups", "100001"}, "for --groups"},
        {"unknown type", {"--out", "d", "--types", "1,4"}, "bad value '1,4' for --types"},
        {"empty type list entry", {"--out", "d", "--types", "1,,2"}, "for --types"},
        {"seed out of range", {"--out", "d", "--seed", "18446744073709551616"}, "for --seed"},
        {"media base not http", {"--out", "d", "--media-base", "media/"}, "for --media-base"},
        {"flag with a value", {"--out", "d", "--vary=yes"}, "takes no value"},
    };
    for (const auto& c : cases) {
        CatgenCommandLine line;
        const std::string error = ParseCatgenCommandLine(c.args, line);
        EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": '" << error << "'";
    }
}

namespace {

struct RunResult
{
    int status = -1;
    std::string output;
};

RunResult RunCatgen(const std::string& arguments)
{
    const std::string command =
        std::string(VANTORY_BINARY_DIR) + "/tools/catgen/vantory-catgen " + arguments + " 2>&1";
    RunResult result;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        result.output += buffer;
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace

TEST(CatgenProgram, ExitStatusAndSummarySayWhatHappened)
{
    RunResult run = RunCatgen("--bogus");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("unknown option '--bogus'"), std::string::npos) << run.output;

    run = RunCatgen("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("--media-base URL"), std::string::npos);

    TestDir dir{false};
    run = RunCatgen("--out '" + dir.Path().string() + "' --groups 2 --items 31 --types 3,26");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("2 types, 4 groups, 124 items, 10 files, "), std::string::npos)
        << run.output;
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "data" / "java" / "cats.xml"));

    const std::filesystem::path blocker = dir.Path() / "blocker";
    std::fclose(std::fopen(blocker.c_str(), "w"));
    run = RunCatgen("--out '" + blocker.string() + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("cannot create directory"), std::string::npos) << run.output;
}
