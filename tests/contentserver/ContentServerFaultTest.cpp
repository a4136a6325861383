#include <chrono>
#include <future>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CurlClient.h"
#include "ServedContent.h"
#include "catalog/CatalogPaths.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Fixture
{
    ServedContent content;
    GeneratedCatalog model = GenerateCatalogModel(ServedContent::SmallCatalog());
    std::string id = std::string(TrimBlanks(model.types[0].groups[0].id));  // a logos group
    std::string page = PageTarget(1, id, 1);
    std::string pageFile = ReadFile(content.TypeDir(1) / model.types[0].groups[0].directory / "1.xml");
    std::string picture = "/media/logos/" + model.types[0].groups[0].directory + "/" +
                          model.types[0].groups[0].items[0].id + ".gif";
};

} // namespace

TEST(ContentServerFaults, EachFaultShapesTheResponse)
{
    Fixture f;
    const struct {
        const char* name;
        FaultRule rule;
        int status;
        bool complete;     // the body arrived as long as announced
        std::size_t size;  // of what arrived
        const char* starts;
    } cases[] = {
        {"status", FaultRule::Status(503), 503, true, 10, "Error 503\n"},
        {"no body status", FaultRule::Status(204), 204, true, 0, ""},
        {"empty", FaultRule::Empty(), 200, true, 0, ""},
        {"not XML", FaultRule::Html(), 200, true, 0, "<!DOCTYPE html>"},
        {"drop at half", FaultRule::Drop(), 200, false, f.pageFile.size() / 2, "<?xml"},
        {"drop after 10", FaultRule::Drop(10), 200, false, 10, "<?xml"},
        {"drop before the body", FaultRule::Drop(0), 200, false, 0, ""},
        {"drop past the end", FaultRule::Drop(1 << 20), 200, false, f.pageFile.size() - 1, "<?xml"},
        {"oversize document", FaultRule::Oversize(60000), 200, true, 60000, "<?xml"},
        {"stall shortly", FaultRule::Stall(0.2, 100), 200, true, f.pageFile.size(), "<?xml"},
        {"silent stall shortly", FaultRule::Stall(0.2, -1), 200, true, f.pageFile.size(), "<?xml"},
    };
    for (const auto& c : cases) {
        f.content.Server().ClearFaults();
        f.content.Server().AddFault(c.rule);
        const FetchReply reply = Fetch(f.content.Port(), f.page);
        EXPECT_EQ(reply.status, c.status) << c.name;
        EXPECT_EQ(reply.complete(), c.complete) << c.name;
        if (c.size || c.name != std::string("not XML")) {
            EXPECT_EQ(reply.body.size(), c.size) << c.name;
        }
        EXPECT_EQ(reply.body.rfind(c.starts, 0), 0u) << c.name;
        if (!c.complete) {  // the promise was the whole body, then the server hung up
            EXPECT_EQ(reply.contentLength, static_cast<long>(f.pageFile.size())) << c.name;
            EXPECT_FALSE(reply.timedOut) << c.name;
            EXPECT_TRUE(reply.closedEarly) << c.name;
            EXPECT_EQ(reply.body, f.pageFile.substr(0, reply.body.size())) << c.name;
        }
        if (c.rule.kind == FaultRule::StallResponse) {
            EXPECT_EQ(reply.body, f.pageFile) << c.name;
        }
    }
}

TEST(ContentServerFaults, OversizeMediaIsAPictureWithPaddingBeyondTheBuffer)
{
    Fixture f;
    const std::string original = Fetch(f.content.Port(), f.picture).body;
    f.content.Server().AddFault(FaultRule::Oversize().ForMedia());
    const FetchReply reply = Fetch(f.content.Port(), f.picture);
    ASSERT_EQ(reply.status, 200);
    ASSERT_EQ(reply.body.size(), 60000u);
    EXPECT_EQ(reply.body.substr(0, original.size()), original);
    EXPECT_EQ(reply.body.find_first_not_of('\0', original.size()), std::string::npos);
    // A picture that does not exist still comes as one.
    EXPECT_EQ(Fetch(f.content.Port(), "/media/logos/1/none.gif").body.rfind("GIF89a", 0), 0u);
}

TEST(ContentServerFaults, RulesMatchTheirRequestsOnceOrAlways)
{
    Fixture f;
    ContentServer& server = f.content.Server();
    const std::string games = std::string(TrimBlanks(f.model.types[6].groups[1].id));
    const struct {
        const char* name;
        FaultRule rule;
        std::vector<std::string> targets;
        std::vector<int> statuses;
    } cases[] = {
        {"by act", FaultRule::Status(500).ForAct("CAT"),
         {UpdateTarget(1, "CAT", "", 1, ""), f.page, UpdateTarget(2, "CAT", "", 1, "")},
         {500, 200, 500}},
        {"by type", FaultRule::Status(500).ForType(26),
         {UpdateTarget(26, "CAT", "", 1, ""), f.page, InfoTarget(26, games)}, {500, 200, 500}},
        {"by group, trimmed", FaultRule::Status(500).ForGroup(" " + f.id + " "),
         {InfoTarget(1, f.id), UpdateTarget(1, "CAT", "", 1, ""), f.page}, {500, 200, 500}},
        {"by target text", FaultRule::Status(500).ForTarget("&p=2&"),
         {f.page, PageTarget(1, f.id, 2)}, {200, 500}},
        {"every media request", FaultRule::Status(500).ForMedia(), {f.page, f.picture}, {200, 500}},
        {"media by path", FaultRule::Status(500).ForMedia("/logos_big/"),
         {f.picture, "/media/logos_big/x/1.gif"}, {200, 500}},
        {"by request number", FaultRule::Status(500).ForRequestNumber(2),
         {f.page, f.page, f.page}, {200, 500, 200}},
        {"once", FaultRule::Status(500).ForAct("CONT").Once(), {f.page, f.page}, {500, 200}},
        {"always", FaultRule::Status(500), {f.page, f.picture, f.page}, {500, 500, 500}},
        {"conditions together", FaultRule::Status(500).ForType(1).ForAct("CONT").ForTarget("np=1&"),
         {f.page, InfoTarget(1, f.id), InfoTarget(3, "x")}, {200, 500, 404}},
    };
    for (const auto& c : cases) {
        server.ClearFaults();
        server.ClearRequests();
        server.AddFault(c.rule);
        for (std::size_t i = 0; i < c.targets.size(); ++i)
            EXPECT_EQ(Fetch(f.content.Port(), c.targets[i]).status, c.statuses[i])
                << c.name << " request " << i + 1;
    }

    // The first rule that matches wins; ClearFaults removes them all.
    server.ClearFaults();
    server.AddFault(FaultRule::Status(502).ForAct("CONT").Once());
    server.AddFault(FaultRule::Status(503));
    EXPECT_EQ(Fetch(f.content.Port(), f.page).status, 502);
    EXPECT_EQ(Fetch(f.content.Port(), f.page).status, 503);
    server.ClearFaults();
    EXPECT_EQ(Fetch(f.content.Port(), f.page).status, 200);
}

TEST(ContentServerFaults, StopsAtOnceWhileResponsesStallAndConnectionsIdle)
{
    auto f = std::make_unique<Fixture>();
    f->content.Server().AddFault(FaultRule::Stall(600, 50).ForAct("CONT"));
    f->content.Server().AddFault(FaultRule::Stall(600, -1).ForMedia());
    const int port = f->content.Port();

    // A client that waits for ever, one that lets go after half a second,
    // a silent stall, a kept-alive connection with nothing more to say and
    // one that never said anything.
    auto patient = std::async(std::launch::async, [&] { return Fetch(port, f->page, 600); });
    auto silent = std::async(std::launch::async, [&] { return Fetch(port, f->picture, 600); });
    CurlClient kept(port);
    EXPECT_EQ(kept.Get(UpdateTarget(1, "CAT", "", 1, "")).status, 200);
    CurlClient mute(port);
    EXPECT_TRUE(mute.Connect());
    const FetchReply impatient = Fetch(port, f->page, 0.5);
    EXPECT_TRUE(impatient.timedOut);
    EXPECT_EQ(impatient.status, 200);
    EXPECT_EQ(impatient.body, f->pageFile.substr(0, 50));

    const Clock::time_point start = Clock::now();
    f->content.Server().Stop();
    EXPECT_LT(SecondsSince(start), 1.0);
    const FetchReply cut = patient.get();
    EXPECT_FALSE(cut.timedOut);
    EXPECT_TRUE(cut.closedEarly);
    EXPECT_EQ(cut.body.size(), 50u);
    EXPECT_FALSE(cut.complete());
    EXPECT_FALSE(silent.get().complete());
    EXPECT_TRUE(kept.ClosedByServer(1));
    EXPECT_TRUE(mute.ClosedByServer(1));
    EXPECT_LT(SecondsSince(start), 2.0);
    EXPECT_FALSE(f->content.Server().IsRunning());
    EXPECT_FALSE(Fetch(port, f->page, 1).connected);
    f.reset();  // and the objects go at once too
    EXPECT_LT(SecondsSince(start), 2.0);
}

TEST(ContentServerFaults, TheLogSaysWhatWasServedAndWhatWasDone)
{
    TemporaryContent content;
    const std::filesystem::path logFile = content.Dir() / "requests.log";
    ContentServerOptions options;
    options.contentDir = content.Dir();
    options.logFile = logFile;
    ContentServer server(options);
    ASSERT_TRUE(server.Start());
    CatalogGeneratorOptions catalog;
    catalog.types = {1};
    catalog.groupsPerType = 1;
    content.Generate(catalog, server.Port());
    const std::string id = GenerateCatalogModel(catalog).types[0].groups[0].id;

    server.AddFault(FaultRule::Drop(7).ForRequestNumber(2));
    Fetch(server.Port(), UpdateTarget(1, "CAT", "", 1, ""));
    Fetch(server.Port(), PageTarget(1, id, 1));
    Fetch(server.Port(), PageTarget(1, "nix", 1));
    const std::string control = UpdateTarget(1, "CAT", "a\x01z", 1, "");
    Fetch(server.Port(), control);
    server.Stop();

    const std::string index = ReadFile(content.Dir() / "data/logos/cats.xml");
    const std::string text = ReadFile(logFile);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const auto end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    ASSERT_EQ(lines.size(), 6u) << text;
    EXPECT_EQ(lines[0], "# serving " + content.Dir().string() + " on " + server.Origin());
    const auto expectLine = [&](const std::string& line, const std::string& start,
                                const std::string& end) {
        EXPECT_EQ(line.rfind(start, 0), 0u) << line;
        EXPECT_NE(line.find(" ms"), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - end.size()), end) << line;
    };
    expectLine(lines[1], "#1 GET " + UpdateTarget(1, "CAT", "", 1, "") + " 200 " +
                             std::to_string(index.size()) + " bytes ", " ms");
    expectLine(lines[2], "#2 GET " + PageTarget(1, id, 1) + " 200 7 bytes ", " ms fault=drop=7 n=2");
    expectLine(lines[3], "#3 GET " + PageTarget(1, "nix", 1) + " 404 ", "(no group 'nix' in type 1)");
    EXPECT_NE(lines[4].find("cat=a\\x01z&"), std::string::npos) << lines[4];
    EXPECT_EQ(lines[5], "# stopped");

    const auto records = server.Log();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1].bytes, 7u);
    EXPECT_EQ(records[1].fault, "drop=7 n=2");
    EXPECT_GE(records[0].milliseconds, 0.0);
}
