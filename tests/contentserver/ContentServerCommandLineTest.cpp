#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "CurlClient.h"
#include "ServedContent.h"
#include "tools/contentserver/ContentServerCommandLine.h"

TEST(FaultRuleText, ReadsEveryFaultAndCondition)
{
    const struct {
        const char* text;
        const char* described;  // DescribeFaultRule of what was read
    } cases[] = {
        {"status=503", "status=503"},
        {"empty act=CAT", "empty act=CAT"},
        {"html type=26 once", "html type=26 once"},
        {"drop", "drop"},
        {"drop=100 group=12", "drop=100 group=12"},
        {"stall=30", "stall=30/0"},
        {"stall=1.5/200 media", "stall=1.5/200 media"},
        {"stall-silent=2 media=/logos/", "stall-silent=2 media=/logos/"},
        {"oversize", "oversize=60000"},
        {"  oversize=70000   n=4 ", "oversize=70000 n=4"},
        {"all status=404 target=&p=2&", "status=404 target=&p=2&"},
        {"disposition", "disposition=../../x"},
        {"disposition=/etc/passwd download=10017 once", "disposition=/etc/passwd download=10017 once"},
        {"stall=2 download", "stall=2/0 download"},
    };
    for (const auto& c : cases) {
        FaultRule rule;
        EXPECT_EQ(ParseFaultRule(c.text, rule), "") << c.text;
        EXPECT_EQ(DescribeFaultRule(rule), c.described) << c.text;
        FaultRule again;  // what the log says reads back as the same rule
        EXPECT_EQ(ParseFaultRule(DescribeFaultRule(rule), again), "") << c.text;
        EXPECT_EQ(DescribeFaultRule(again), c.described) << c.text;
    }
    const struct {
        const char* text;
        const char* message;
    } bad[] = {
        {"", "empty fault rule"},
        {"act=CAT", "no fault"},
        {"status=503 empty", "more than one fault"},
        {"status=42", "status=N"},
        {"drop=-1", "drop=BYTES"},
        {"stall", "stall=SECONDS"},
        {"stall=1/x", "SECONDS/BYTES"},
        {"stall-silent=1/5", "SECONDS/BYTES"},
        {"stall=1.2345", "stall=SECONDS"},
        {"status=500 n=0", "n=NUMBER"},
        {"status=500 colour=red", "bad fault rule word 'colour=red'"},
        {"empty=1", "bad fault rule word"},
        {"disposition=", "disposition=NAME"},
        {"disposition=a\tb", "bad fault rule word 'b'"},
        {"disposition=a\x01b", "disposition=NAME"},
        {"drop disposition", "more than one fault"},
    };
    for (const auto& c : bad) {
        FaultRule rule;
        const std::string error = ParseFaultRule(c.text, rule);
        EXPECT_NE(error.find(c.message), std::string::npos) << c.text << ": " << error;
    }
}

TEST(ContentServerCommandLine, ReadsOptionsAndRefusesMistakes)
{
    ContentServerCommandLine line;
    ASSERT_EQ(ParseContentServerCommandLine({"--content", "d"}, line), "");
    EXPECT_EQ(line.options.port, 8642);
    EXPECT_EQ(line.options.host, "127.0.0.1");
    EXPECT_TRUE(line.options.logToStderr);
    EXPECT_TRUE(line.options.mediaBase.empty());
    EXPECT_TRUE(line.options.rewriteOwnAddresses);

    ASSERT_EQ(ParseContentServerCommandLine(
                  {"--content=d", "--host", "0.0.0.0", "--port=0", "--log", "l.txt",
                   "--media-base", "http://h:1/m/", "--no-rewrite", "--hostile-ids",
                   "--fault", "drop act=CONT", "--fault=status=503 once"},
                  line),
              "");
    EXPECT_EQ(line.options.contentDir, "d");
    EXPECT_EQ(line.options.host, "0.0.0.0");
    EXPECT_EQ(line.options.port, 0);
    EXPECT_EQ(line.options.logFile, "l.txt");
    EXPECT_EQ(line.options.mediaBase, "http://h:1/m/");
    EXPECT_FALSE(line.options.rewriteOwnAddresses);
    EXPECT_TRUE(line.options.hostileIds);
    ASSERT_EQ(line.faults.size(), 2u);
    EXPECT_EQ(DescribeFaultRule(line.faults[1]), "status=503 once");

    const struct {
        std::vector<std::string> args;
        const char* message;
    } bad[] = {
        {{"--port", "1"}, "missing --content DIR"},
        {{"--content", "d", "--port", "65536"}, "for --port"},
        {{"--content", "d", "--fault", "explode"}, "for --fault"},
        {{"--content", "d", "--media-base", "ftp://x/"}, "http://"},
        {{"--content", "d", "--hostile-ids=1"}, "takes no value"},
        {{"--content"}, "needs a value"},
        {{"--content", "d", "extra"}, "unknown option 'extra'"},
    };
    for (const auto& c : bad) {
        const std::string error = ParseContentServerCommandLine(c.args, line);
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

// The program itself: it prints where it listens, serves, takes its
// faults from the command line and ends on SIGTERM.
TEST(ContentServerProgram, ServesUntilTerminated)
{
    TemporaryContent content;
    CatalogGeneratorOptions catalog;
    catalog.types = {2};
    catalog.groupsPerType = 1;
    content.Generate(catalog, 8642);
    const std::string log = (content.Dir() / "server.log").string();
    const std::string program =
        std::string(VANTORY_BINARY_DIR) + "/tools/contentserver/vantory-content-server";

    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::execl(program.c_str(), program.c_str(), "--content", content.Dir().c_str(), "--port",
                "0", "--log", log.c_str(), "--fault", "status=503 act=CAT once",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::FILE* output = ::fdopen(out[0], "r");
    char line[512] = {};
    ASSERT_TRUE(std::fgets(line, sizeof line, output));
    const std::string announced = line;
    const auto colon = announced.rfind(':');
    ASSERT_EQ(announced.rfind("vantory-content-server: serving ", 0), 0u) << announced;
    const int port = std::stoi(announced.substr(colon + 1));

    EXPECT_EQ(Fetch(port, UpdateTarget(2, "CAT", "", 1, "")).status, 503);
    EXPECT_EQ(Fetch(port, UpdateTarget(2, "CAT", "", 1, "")).status, 200);

    const auto start = std::chrono::steady_clock::now();
    ::kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::fclose(output);

    const std::string text = ReadFile(log);
    EXPECT_NE(text.find("#1 GET /xml_act.php?a=vantory&t=2&l=EN&act=CAT&cat=&p=1&np=&q=&c=US&h=1 503 "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("fault=status=503 act=CAT once"), std::string::npos) << text;
    EXPECT_NE(text.find("#2 GET "), std::string::npos) << text;
    EXPECT_NE(text.find("# stopped"), std::string::npos) << text;
}
