#include <gtest/gtest.h>

#include <httplib.h>

#include <thread>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "RecordingProgress.h"
#include "TestDir.h"
#include "UpdateFixture.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/DatabaseLoader.h"
#include "updater/CatalogUpdater.h"

namespace {

namespace fs = std::filesystem;

std::string GroupDir(const std::string& key, const GeneratedGroup& group)
{
    return "data/" + key + "/" + group.directory;
}

size_t CountWithPrefix(const std::vector<std::string>& requests, const std::string& prefix)
{
    return static_cast<size_t>(std::count_if(requests.begin(), requests.end(), [&](const std::string& r) {
        return r.rfind(prefix, 0) == 0;
    }));
}

TEST(CatalogUpdaterTest, FreshInstallFetchesEverythingInOrderAndLoads)
{
    UpdateFixture fixture(SmallContent({1, 26, 15}, 2, 45));
    RecordingProgress progress;
    const UpdateFixture::MediaList media = fixture.Update(progress);

    const std::vector<std::string> requests = fixture.TakeRequests();
    EXPECT_EQ(requests, FreshInstallRequests(fixture.Model()));
    // The protocol's own examples.
    const GeneratedGroup& game = FindGeneratedType(fixture.Model(), 26)->groups[0];
    EXPECT_NE(std::find(requests.begin(), requests.end(),
                        "/xml_act.php?a=vantory&t=26&l=EN&act=CAT&cat=&p=1&np=&q=&c=US&h=1"),
              requests.end());
    EXPECT_NE(std::find(requests.begin(), requests.end(),
                        "/xml_act.php?a=vantory&t=26&l=EN&act=GAMESCONT&cat=" + game.id
                            + "&p=2&np=30&q=&c=US&h=1"),
              requests.end());

    // A group of 45 items: two page files and 45 pictures; nothing of the
    // information request is kept.
    const std::map<std::string, std::string> files = fixture.DataFiles();
    for (const GeneratedType& type : fixture.Model().types) {
        ASSERT_TRUE(files.count("data/" + type.key + "/cats.xml")) << type.key;
        for (const GeneratedGroup& group : type.groups) {
            const std::string dir = GroupDir(type.key, group);
            EXPECT_TRUE(files.count(dir + "/1.xml")) << dir;
            EXPECT_TRUE(files.count(dir + "/2.xml")) << dir;
            EXPECT_FALSE(files.count(dir + "/3.xml")) << dir;
            for (const GeneratedItem& item : group.items)
                EXPECT_EQ(files.count(dir + "/" + item.id + ".gif"), HasMediaFiles(type.code) ? 1u : 0u)
                    << dir << " " << item.id;
        }
    }
    EXPECT_EQ(media.paths.size(), 2u * 45 + 2u * 45);
    EXPECT_EQ(progress.GetPos(ProgressTarget::UpperBar), 8);
    EXPECT_EQ(progress.Max(ProgressTarget::UpperBar), 8);

    LoadAllCatalogs(true);
    for (int code : {1, 26, 15}) {
        const ContentCatalog& catalog = *CatalogForType(code);
        ASSERT_EQ(catalog.GetGroupCount(), 2) << code;
        EXPECT_EQ(catalog.GetItemCount(0), 45) << code;
        EXPECT_EQ(catalog.GetItemCount(1), 45) << code;
    }
    EXPECT_EQ(CatalogForType(2)->GetGroupCount(), 0);
}

TEST(CatalogUpdaterTest, FilesAreTheServersBytes)
{
    CatalogGeneratorOptions options = SmallContent({3}, 1, 31);
    UpdateFixture fixture(options);
    fixture.Update();
    TemporaryContent same(options);  // the generator gives the same bytes for the same options
    // The server names itself in the addresses it serves.
    auto served = [&](const std::string& relative) {
        return std::regex_replace(ReadFile(same.Dir() / relative), std::regex("127\\.0\\.0\\.1:8642"),
                                  fixture.Server().Address());
    };
    const GeneratedGroup& group = FindGeneratedType(fixture.Model(), 3)->groups[0];
    const std::string dir = "data/logos_big/" + group.directory;
    EXPECT_EQ(ReadFile("data/logos_big/cats.xml"), served("data/logos_big/cats.xml"));
    EXPECT_EQ(ReadFile(dir + "/1.xml"), served(dir + "/1.xml"));
    EXPECT_EQ(ReadFile(dir + "/2.xml"), served(dir + "/2.xml"));
    const std::string picture = ReadFile(dir + "/" + group.items[30].id + ".gif");
    EXPECT_EQ(picture.rfind("GIF8", 0), 0u);
    EXPECT_EQ(picture, ReadFile(same.Dir() / ("media/logos_big/" + group.directory + "/" + group.items[30].id + ".gif")));
}

TEST(CatalogUpdaterTest, UnchangedGroupsFetchNoPagesAndNoPictures)
{
    UpdateFixture fixture(SmallContent({1, 14}, 3, 45));
    const UpdateFixture::MediaList first = fixture.Update();
    fixture.TakeRequests();
    const std::map<std::string, std::string> before = fixture.DataFiles();

    const UpdateFixture::MediaList second = fixture.Update();
    std::vector<std::string> expected;
    for (int code : {3, 1, 26, 15, 24, 14, 2}) {
        expected.push_back(UpdateTarget(code, "CAT", "", 1, ""));
        if (const GeneratedType* type = FindGeneratedType(fixture.Model(), code))
            for (const GeneratedGroup& group : type->groups)
                expected.push_back(UpdateTarget(code, "CONT", group.id, 1, "1"));
    }
    EXPECT_EQ(fixture.TakeRequests(), expected);
    EXPECT_EQ(fixture.DataFiles(), before);
    // The pictures are listed again, from the pages on disk, and skipped.
    EXPECT_EQ(second.paths, first.paths);
    EXPECT_EQ(second.urls, first.urls);
}

TEST(CatalogUpdaterTest, MediaListOfAnUnchangedGroupReadsTheLocalPagesTheTotalNeeds)
{
    struct Case
    {
        int total;
        int pages;
    };
    for (const Case c : {Case{60, 2}, Case{61, 3}, Case{0, 0}}) {
        UpdateFixture fixture(SmallContent({1}, 1, c.total));
        fixture.Update();
        fixture.TakeRequests();
        const GeneratedGroup& group = FindGeneratedType(fixture.Model(), 1)->groups[0];
        const std::string dir = GroupDir("logos", group);
        // A page beyond the count (an empty group has page 1 all the same):
        // only read if the count were wrong.
        WriteFile(dir + "/" + std::to_string(std::max(c.pages, 1) + 1) + ".xml",
                  "<response max_page=\"9\" total_results=\"9\"><ressource><id>planted</id>"
                  "<file>http://127.0.0.1:1/planted.gif</file></ressource></response>");

        const UpdateFixture::MediaList media = fixture.Update();
        std::vector<std::string> expected;
        for (const GeneratedItem& item : group.items)
            expected.push_back(dir + "/" + item.id + ".gif");
        EXPECT_EQ(media.paths, expected) << c.total;
        EXPECT_EQ(CountWithPrefix(fixture.TakeRequests(), "/xml_act.php?a=vantory&t=1&l=EN&act=CONT"), 1u)
            << c.total;
    }
}

TEST(CatalogUpdaterTest, StaleLocalPageFetchesTheWholeGroupAgain)
{
    UpdateFixture fixture(SmallContent({1}, 2, 45));
    fixture.Update();
    fixture.TakeRequests();
    const GeneratedGroup& stale = FindGeneratedType(fixture.Model(), 1)->groups[1];
    const std::string dir = GroupDir("logos", stale);
    const std::string fresh = ReadFile(dir + "/1.xml");
    MakeStale(dir + "/1.xml");

    fixture.Update();
    const std::vector<std::string> requests = fixture.TakeRequests();
    EXPECT_EQ(CountWithPrefix(requests, UpdateTarget(1, "CONT", stale.id, 1, "30")), 1u);
    EXPECT_EQ(CountWithPrefix(requests, UpdateTarget(1, "CONT", stale.id, 2, "30")), 1u);
    EXPECT_EQ(ReadFile(dir + "/1.xml"), fresh);
    // The pictures were all there: none is fetched again.
    EXPECT_EQ(CountWithPrefix(requests, "/media/"), 0u);
}

TEST(CatalogUpdaterTest, FirstPageWithTheLocalTotalEndsThePageLoop)
{
    // The information request fails, so the group counts as changed; its
    // first page then shows the total on disk, and the other pages stay.
    UpdateFixture fixture(SmallContent({15}, 1, 75));
    fixture.Update();
    fixture.TakeRequests();
    const GeneratedGroup& group = FindGeneratedType(fixture.Model(), 15)->groups[0];
    WriteFile(GroupDir("wallpapers", group) + "/3.xml", "kept");
    fixture.Server().AddFault(FaultRule::Status(503).ForTarget("&np=1&"));

    fixture.Update();
    const std::vector<std::string> requests = fixture.TakeRequests();
    EXPECT_EQ(CountWithPrefix(requests, UpdateTarget(15, "CONT", group.id, 1, "30")), 1u);
    EXPECT_EQ(CountWithPrefix(requests, UpdateTarget(15, "CONT", group.id, 2, "30")), 0u);
    EXPECT_EQ(ReadFile(GroupDir("wallpapers", group) + "/3.xml"), "kept");
}

TEST(CatalogUpdaterTest, TextsAndBarsFollowTheWork)
{
    UpdateFixture fixture(SmallContent({1}, 2, 45));
    const GeneratedType& logos = *FindGeneratedType(fixture.Model(), 1);
    RecordingProgress progress;
    fixture.Update(progress);

    using Frame = RecordingProgress::Frame;
    const std::vector<Frame>& frames = progress.m_frames;
    auto find = [&](const std::string& lower) {
        return std::find_if(frames.begin(), frames.end(), [&](const Frame& f) { return f.lower == lower; });
    };

    // Big logos come first and have no groups here: the bar's range is 0 to 1
    // and it stands at 1 when the type steps the upper bar.
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(frames[0].upper, "Updating big logos...");
    EXPECT_EQ(frames[0].lower, "Receiving index file...");
    EXPECT_EQ(frames[0].lowerPos, 0);
    EXPECT_EQ(frames[1].upperPos, 1);
    EXPECT_EQ(frames[1].lowerPos, 1);
    EXPECT_EQ(frames[1].lowerMax, 1);

    std::vector<std::string> expectedLower = {"Receiving index file..."};
    for (size_t g = 0; g < logos.groups.size(); ++g) {
        const std::string& lib = logos.groups[g].lib;
        const auto info = find("Receiving group '" + lib + "' information...");
        ASSERT_NE(info, frames.end()) << lib;
        EXPECT_EQ(info->upper, "Updating logos...");
        EXPECT_EQ(info->lowerMax, 3);
        EXPECT_EQ(info->lowerPos, static_cast<int>(g) + 1);
        EXPECT_EQ(info->upperPos, 1);
        EXPECT_NE(find("Receiving group '" + lib + "' (page 1)..."), frames.end());
        EXPECT_NE(find("Receiving group '" + lib + "' (page 2/2)..."), frames.end());
        expectedLower.push_back("Receiving group '" + lib + "' information...");
        expectedLower.push_back("Receiving group '" + lib + "' (page 1)...");
        expectedLower.push_back("Receiving group '" + lib + "' (page 2/2)...");
    }
    // The lower texts while logos were updated, in order.
    const auto logosStart = std::find_if(frames.begin(), frames.end(),
                                         [](const Frame& f) { return f.upper == "Updating logos..."; });
    std::vector<std::string> logosLower;
    for (auto f = logosStart; f != frames.end() && f->upper == "Updating logos..."; ++f)
        if (logosLower.empty() || logosLower.back() != f->lower)
            logosLower.push_back(f->lower);
    EXPECT_EQ(logosLower, expectedLower);

    // Screen savers have no label.
    EXPECT_NE(std::find_if(frames.begin(), frames.end(), [](const Frame& f) { return f.upper == "Updating ..."; }),
              frames.end());

    // 90 pictures, counted from 0; the bar ends at 90 and the upper at 8.
    EXPECT_NE(find("Receiving media file (0/90)..."), frames.end());
    EXPECT_NE(find("Receiving media file (89/90)..."), frames.end());
    EXPECT_EQ(find("Receiving media file (90/90)..."), frames.end());
    EXPECT_EQ(frames.back().upper, "Receiving media files...");
    EXPECT_EQ(frames.back().upperPos, 8);
    EXPECT_EQ(progress.GetPos(ProgressTarget::LowerBar), 90);
    EXPECT_EQ(progress.Max(ProgressTarget::LowerBar), 90);

    // One pump per group, after its information request, and one per picture.
    EXPECT_EQ(progress.m_pumps, 2 + 90);
    EXPECT_EQ(progress.m_pumpedAt[0], "Receiving group '" + logos.groups[0].lib + "' information...");
    EXPECT_EQ(progress.m_pumpedAt[1], "Receiving group '" + logos.groups[1].lib + "' information...");
    EXPECT_EQ(progress.m_pumpedAt[2], "Receiving media file (0/90)...");
}

TEST(CatalogUpdaterTest, UpperTextNamesEachTypeInUpdateOrder)
{
    UpdateFixture fixture(SmallContent({}, 1, 1));
    RecordingProgress progress;
    fixture.Update(progress);

    std::vector<std::string> uppers;
    for (const RecordingProgress::Frame& frame : progress.m_frames)
        if (uppers.empty() || uppers.back() != frame.upper)
            uppers.push_back(frame.upper);
    EXPECT_EQ(uppers, (std::vector<std::string>{"Updating big logos...", "Updating logos...",
                                                "Updating java games...", "Updating wallpapers...",
                                                "Updating ...", "Updating polyphonic ringtones...",
                                                "Updating monophonic ringtones...",
                                                "Receiving media files..."}));
}

TEST(CatalogUpdaterTest, NonsenseInAListingDoesNotEndTheType)
{
    // A server of its own: the content server only says what is sensible.
    httplib::Server server;
    std::vector<std::string> asked;
    server.Get("/xml_act.php", [&](const httplib::Request& req, httplib::Response& res) {
        asked.push_back(req.get_param_value("cat") + "/" + req.get_param_value("p"));
        if (req.get_param_value("act") == "CAT" && req.get_param_value("t") == "15")
            res.set_content("<response><ressource><id>a</id><lib>A</lib></ressource>"
                            "<ressource><id>b</id><lib>B</lib></ressource></response>", "text/xml");
        else if (req.get_param_value("cat") == "a")
            res.set_content("<response max_page=\"-3\" total_results=\"x\"></response>", "text/xml");
        else if (req.get_param_value("cat") == "b")
            res.set_content("<response max_page=\"1\" total_results=\"0\"></response>", "text/xml");
        else
            res.status = 404;
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    TestDir work;
    fs::create_directory("data");
    RecordingProgress progress;
    CatalogUpdater updater(progress, "127.0.0.1:" + std::to_string(port));
    updater.UpdateType(15);
    server.stop();
    thread.join();

    EXPECT_EQ(asked, (std::vector<std::string>{"/1", "a/1", "a/1", "b/1", "b/1"}));
    EXPECT_TRUE(fs::exists("data/wallpapers/a/1.xml"));
    EXPECT_TRUE(fs::exists("data/wallpapers/b/1.xml"));
    EXPECT_EQ(progress.GetPos(ProgressTarget::UpperBar), 1);
}

} // namespace
