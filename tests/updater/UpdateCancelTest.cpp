#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "RecordingProgress.h"
#include "TestDir.h"
#include "UpdateFixture.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/DatabaseLoader.h"
#include "updater/CatalogUpdater.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// What every type still asks after a cancel: its index, and with a local
// index the first group's information and first page.
void ExpectAfterCancel(std::vector<std::string>::const_iterator& at, std::vector<std::string>::const_iterator end,
                       const GeneratedCatalog& model, std::initializer_list<int> types, bool localIndex)
{
    for (int code : types) {
        ASSERT_NE(at, end);
        EXPECT_EQ(*at++, UpdateTarget(code, "CAT", "", 1, ""));
        const GeneratedType* type = FindGeneratedType(model, code);
        if (!type || !localIndex)
            continue;
        const std::string act = code == 26 ? "GAMESCONT" : "CONT";
        ASSERT_NE(at, end);
        EXPECT_EQ(*at++, UpdateTarget(code, act, type->groups[0].id, 1, "1"));
        ASSERT_NE(at, end);
        EXPECT_EQ(*at++, UpdateTarget(code, act, type->groups[0].id, 1, "30"));
    }
}

TEST(UpdateCancelTest, CancelAtTheFirstGroupEndsEachStepAfterItsFirstGroup)
{
    UpdateFixture fixture(SmallContent({3, 1, 26}, 2, 45));
    fixture.Update();
    fixture.TakeRequests();
    const std::map<std::string, std::string> before = fixture.DataFiles();

    // Cancel clicked while the first group's information came in.
    RecordingProgress progress;
    progress.m_onPump = [](RecordingProgress& p) { p.m_cancelled = true; };
    fixture.Update(progress);

    const std::vector<std::string> requests = fixture.TakeRequests();
    auto at = requests.cbegin();
    const GeneratedGroup& first = FindGeneratedType(fixture.Model(), 3)->groups[0];
    // Big logos: unchanged, so no page; the media list stops at its first page.
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(*at++, UpdateTarget(3, "CAT", "", 1, ""));
    EXPECT_EQ(*at++, UpdateTarget(3, "CONT", first.id, 1, "1"));
    ExpectAfterCancel(at, requests.cend(), fixture.Model(), {1, 26, 15, 24, 14, 2}, true);
    // No picture was queued, so none is asked for.
    EXPECT_EQ(at, requests.cend());
    EXPECT_EQ(fixture.DataFiles(), before);
    // The four types without groups and the empty media step still count.
    EXPECT_EQ(progress.GetPos(ProgressTarget::UpperBar), 5);
    EXPECT_TRUE(progress.m_cancelled);
}

TEST(UpdateCancelTest, CancelDuringThePagesOfAGroupLeavesTheGroupAsItWas)
{
    UpdateFixture fixture(SmallContent({1}, 2, 75));
    const GeneratedGroup& group = FindGeneratedType(fixture.Model(), 1)->groups[0];
    RecordingProgress progress;
    progress.m_onUpdateData = [&](RecordingProgress& p) {
        if (p.m_lowerText == "Receiving group '" + group.lib + "' (page 2/3)...")
            p.m_cancelled = true;
    };
    fixture.Update(progress);

    const std::vector<std::string> requests = fixture.TakeRequests();
    const std::vector<std::string> expected = {
        UpdateTarget(3, "CAT", "", 1, ""),
        UpdateTarget(1, "CAT", "", 1, ""),
        UpdateTarget(1, "CONT", group.id, 1, "1"),
        UpdateTarget(1, "CONT", group.id, 1, "30"),
        UpdateTarget(1, "CONT", group.id, 2, "30"),  // sent, its body not read
        UpdateTarget(26, "CAT", "", 1, ""),
        UpdateTarget(15, "CAT", "", 1, ""),
        UpdateTarget(24, "CAT", "", 1, ""),
        UpdateTarget(14, "CAT", "", 1, ""),
        UpdateTarget(2, "CAT", "", 1, ""),
    };
    EXPECT_EQ(requests, expected);
    // A group is stored whole or not at all: the page received is dropped
    // with its staging.
    std::vector<std::string> logosFiles;
    for (const fs::directory_entry& entry : fs::directory_iterator("data/logos"))
        logosFiles.push_back(entry.path().filename().string());
    EXPECT_EQ(logosFiles, std::vector<std::string>{"cats.xml"});
    // Big logos, the five types after logos and the empty media step.
    EXPECT_EQ(progress.GetPos(ProgressTarget::UpperBar), 7);

    LoadAllCatalogs(true);
    const ContentCatalog& logos = *CatalogForType(1);
    ASSERT_EQ(logos.GetGroupCount(), 2);
    EXPECT_EQ(logos.GetItemCount(logos.FindGroupById(group.id)), 0);
    EXPECT_EQ(logos.GetItemCount(logos.FindGroupById(FindGeneratedType(fixture.Model(), 1)->groups[1].id)), 0);
}

TEST(UpdateCancelTest, CancelDuringThePicturesKeepsThePicturesReceived)
{
    UpdateFixture fixture(SmallContent({1}, 1, 5));
    const GeneratedGroup& group = FindGeneratedType(fixture.Model(), 1)->groups[0];
    RecordingProgress progress;
    progress.m_onUpdateData = [](RecordingProgress& p) {
        if (p.m_lowerText == "Receiving media file (2/5)...")
            p.m_cancelled = true;
    };
    fixture.Update(progress);

    const std::string dir = "data/logos/" + group.directory + "/";
    for (size_t i = 0; i < group.items.size(); ++i)
        EXPECT_EQ(fs::exists(dir + group.items[i].id + ".gif"), i < 2) << i;
    std::vector<std::string> media;
    for (const std::string& request : fixture.TakeRequests())
        if (request.rfind("/media/", 0) == 0)
            media.push_back(request);
    EXPECT_EQ(media.size(), 3u);  // the third sent, its body not read
    EXPECT_EQ(progress.GetPos(ProgressTarget::UpperBar), 7);
    EXPECT_EQ(progress.GetPos(ProgressTarget::LowerBar), 2);
}

TEST(UpdateCancelTest, CancelWhileAFetchWaitsEndsTheUpdateWithinASecond)
{
    UpdateFixture fixture(SmallContent({1, 26}, 2, 45));
    fixture.Update();
    fixture.TakeRequests();
    const GeneratedGroup& group = FindGeneratedType(fixture.Model(), 1)->groups[0];
    const std::string dir = "data/logos/" + group.directory;
    MakeStale(dir + "/1.xml");
    const std::map<std::string, std::string> before = fixture.DataFiles();
    // The server holds the page back for a minute.
    fixture.Server().AddFault(FaultRule::Stall(60, 100).ForGroup(group.id).ForTarget("&np=30&"));

    RecordingProgress progress;
    Clock::time_point clicked{};
    progress.m_onPump = [&](RecordingProgress& p) {
        if (p.m_shownLower.find("(page 1)") != std::string::npos && clicked == Clock::time_point{}) {
            clicked = Clock::now();
            p.m_cancelled = true;
        }
    };
    fixture.Update(progress, [](CatalogUpdater& updater) {
        updater.Session().SetPumpInterval(std::chrono::milliseconds(50));
    });
    const double seconds = std::chrono::duration<double>(Clock::now() - clicked).count();
    ASSERT_NE(clicked, Clock::time_point{});
    EXPECT_LT(seconds, 1.0);
    EXPECT_EQ(fixture.DataFiles(), before);
}

} // namespace
