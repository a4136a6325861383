#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "RecordingProgress.h"
#include "TestDir.h"
#include "UpdateFixture.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "catalog/DatabaseLoader.h"
#include "tools/contentserver/HostileContent.h"
#include "updater/CatalogUpdater.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct NamedFault
{
    const char* name;
    FaultRule rule;
    bool reported;  // a failure the update tells about (an empty 200 is none)
};

std::vector<NamedFault> TextFaults()
{
    return {
        {"Status503", FaultRule::Status(503), true},
        {"Status404", FaultRule::Status(404), true},
        {"Empty", FaultRule::Empty(), false},
        {"Html", FaultRule::Html(), true},
        {"DropMidBody", FaultRule::Drop(), true},
        {"DropBeforeBody", FaultRule::Drop(0), true},
        {"StallMidBody", FaultRule::Stall(60, 100), true},
        {"StallBeforeStatus", FaultRule::Stall(60, -1), true},
    };
}

// Which request of a stale logos group the fault hits.
enum class Target
{
    Index,  // the logos index
    Info,   // the group's information request
    Page1,
    Page2,
};

struct TextFaultCase
{
    NamedFault fault;
    Target target;
};

std::string CaseName(const testing::TestParamInfo<TextFaultCase>& info)
{
    const char* targets[] = {"Index", "Info", "Page1", "Page2"};
    return std::string(info.param.fault.name) + "On" + targets[static_cast<int>(info.param.target)];
}

std::vector<TextFaultCase> TextFaultCases()
{
    std::vector<TextFaultCase> cases;
    for (const NamedFault& fault : TextFaults())
        for (Target target : {Target::Index, Target::Info, Target::Page1, Target::Page2})
            cases.push_back({fault, target});
    return cases;
}

void PrintTo(const TextFaultCase& c, std::ostream* out)
{
    *out << c.fault.name << " on target " << static_cast<int>(c.target);
}

void PrintTo(const NamedFault& fault, std::ostream* out)
{
    *out << fault.name;
}

class TextFaultTest : public testing::TestWithParam<TextFaultCase>
{
};

// After a complete update the first logos group looks older on disk than on
// the server, so the next update fetches it again, and the fault hits one of
// its requests. Whatever fails leaves the copy on disk, the update goes on,
// and the data still loads.
TEST_P(TextFaultTest, FailureFallsBackToTheCopyOnDisk)
{
    const TextFaultCase& c = GetParam();
    UpdateFixture fixture(SmallContent({1, 26}, 2, 45));
    fixture.Update();
    const GeneratedType& logos = *FindGeneratedType(fixture.Model(), 1);
    const GeneratedGroup& group = logos.groups[0];
    const std::string dir = "data/logos/" + group.directory;
    const std::string freshPage1 = ReadFile(dir + "/1.xml");
    MakeStale(dir + "/1.xml");
    const std::map<std::string, std::string> before = fixture.DataFiles();
    fixture.TakeRequests();

    FaultRule rule = c.fault.rule;
    std::string targetFile;
    switch (c.target) {
    case Target::Index:
        rule.ForType(1).ForAct("CAT");
        targetFile = "data/logos/cats.xml";
        break;
    case Target::Info:
        rule.ForGroup(group.id).ForTarget("&np=1&");
        break;
    case Target::Page1:
        rule.ForGroup(group.id).ForTarget("&p=1&np=30&");
        targetFile = dir + "/1.xml";
        break;
    case Target::Page2:
        rule.ForGroup(group.id).ForTarget("&p=2&np=30&");
        targetFile = dir + "/2.xml";
        break;
    }
    fixture.Server().AddFault(rule);

    std::vector<std::string> reported;
    RecordingProgress progress;
    fixture.Update(progress, [&](CatalogUpdater& updater) {
        updater.Session().SetLowSpeedLimit(1024, 1s);
        updater.SetFailureHandler([&](const std::string& address) { reported.push_back(address); });
    });

    const std::map<std::string, std::string> after = fixture.DataFiles();
    if (!targetFile.empty()) {
        ASSERT_TRUE(after.count(targetFile)) << targetFile;
        EXPECT_EQ(after.at(targetFile), before.at(targetFile)) << targetFile;
    }
    // Everything else is as a plain update leaves it: the stale page
    // replaced unless the fault kept it (a group is stored whole or not at
    // all, so a fault on page 2 keeps page 1 too), no other file touched.
    for (const auto& [path, bytes] : before) {
        if (path == targetFile)
            continue;
        const bool replaced = path == dir + "/1.xml" && c.target != Target::Page2;
        const std::string expected = replaced ? freshPage1 : bytes;
        EXPECT_EQ(after.at(path), expected) << path;
    }
    EXPECT_EQ(after.size(), before.size());
    EXPECT_TRUE(fixture.PathsOutsideData().empty());

    // The update went on to its end.
    const std::vector<std::string> requests = fixture.TakeRequests();
    EXPECT_NE(std::find(requests.begin(), requests.end(), UpdateTarget(2, "CAT", "", 1, "")), requests.end());
    EXPECT_NE(std::find(requests.begin(), requests.end(), UpdateTarget(1, "CONT", logos.groups[1].id, 1, "1")),
              requests.end());
    EXPECT_EQ(progress.GetPos(ProgressTarget::UpperBar), 8);
    // Types the content has no index for are answered 404 and reported too.
    const auto logosReported = std::count_if(reported.begin(), reported.end(), [](const std::string& address) {
        return address.find("t=1&") != std::string::npos;
    });
    EXPECT_EQ(logosReported, c.fault.reported ? 1 : 0);

    LoadAllCatalogs(true);
    const ContentCatalog& loaded = *CatalogForType(1);
    ASSERT_EQ(loaded.GetGroupCount(), 2);
    EXPECT_EQ(loaded.GetItemCount(0), 45);
    EXPECT_EQ(loaded.GetItemCount(1), 45);
    EXPECT_EQ(CatalogForType(26)->GetGroupCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(ServerFaults, TextFaultTest, testing::ValuesIn(TextFaultCases()), CaseName);

class MediaFaultTest : public testing::TestWithParam<NamedFault>
{
};

// A picture that does not arrive whole is not stored, and the next update
// fetches it again.
TEST_P(MediaFaultTest, PictureNotReceivedWholeIsNotStoredAndTriedAgain)
{
    UpdateFixture fixture(SmallContent({1}, 1, 4));
    const GeneratedGroup& group = FindGeneratedType(fixture.Model(), 1)->groups[0];
    const std::string victim = group.items[1].id + ".gif";
    FaultRule rule = GetParam().rule;
    fixture.Server().AddFault(rule.ForMedia(group.directory + "/" + victim));
    fixture.Update(*std::make_unique<RecordingProgress>(), [](CatalogUpdater& updater) {
        updater.Session().SetLowSpeedLimit(1024, 1s);
    });
    const std::string dir = "data/logos/" + group.directory + "/";
    EXPECT_FALSE(fs::exists(dir + victim));
    for (const GeneratedItem& item : group.items)
        if (item.id + ".gif" != victim) {
            EXPECT_TRUE(fs::exists(dir + item.id + ".gif")) << item.id;
        }
    // No temporary left behind either.
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
        EXPECT_EQ(entry.path().extension() == ".tmp", false) << entry.path();

    fixture.Server().ClearFaults();
    fixture.TakeRequests();
    fixture.Update();
    const std::vector<std::string> requests = fixture.TakeRequests();
    const auto media = std::count_if(requests.begin(), requests.end(),
                                     [](const std::string& r) { return r.rfind("/media/", 0) == 0; });
    EXPECT_EQ(media, 1);
    EXPECT_EQ(ReadFile(dir + victim).rfind("GIF8", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(ServerFaults, MediaFaultTest,
                         testing::Values(NamedFault{"Status404", FaultRule::Status(404), false},
                                         NamedFault{"Empty", FaultRule::Empty(), false},
                                         NamedFault{"DropMidBody", FaultRule::Drop(), false},
                                         NamedFault{"StallMidBody", FaultRule::Stall(60, 100), false},
                                         NamedFault{"Oversize", FaultRule::Oversize(60000), false},
                                         NamedFault{"JustOverTheBuffer", FaultRule::Oversize(MEDIA_BUFFER_SIZE + 1), false}),
                         [](const testing::TestParamInfo<NamedFault>& param) { return std::string(param.param.name); });

bool IsTypeKey(const std::string& key)
{
    for (int code : CONTENT_TYPE_LOAD_ORDER)
        if (TypeKey(code) == key)
            return true;
    return false;
}

TEST(HostileIdTest, NothingIsWrittenOutsideTheTypeDirectories)
{
    UpdateFixture fixture(SmallContent({1, 26}, 1, 3), true);
    // The id with a NUL byte makes the whole index a cut document (below).
    fixture.Server().SetHostileIds(true, false);
    const fs::path parent = fixture.WorkDir().parent_path();
    const auto beside = [&] {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(parent))
            if (entry.path().filename().string().find("escape") != std::string::npos)
                names.push_back(entry.path().string());
        return names;
    };
    const std::vector<std::string> besideBefore = beside();
    fixture.Update();

    EXPECT_TRUE(fixture.PathsOutsideData().empty());
    EXPECT_EQ(beside(), besideBefore);
    EXPECT_FALSE(fs::exists("/abs"));
    for (const auto& [path, bytes] : fixture.DataFiles()) {
        // data/<key>/cats.xml or data/<key>/<group>/<file>, nothing else.
        const fs::path relative(path);
        std::vector<std::string> parts;
        for (const fs::path& part : relative)
            parts.push_back(part.string());
        ASSERT_GE(parts.size(), 3u) << path;
        EXPECT_TRUE(IsTypeKey(parts[1])) << path;
        EXPECT_LE(parts.size(), 4u) << path;
        for (const std::string& part : parts)
            EXPECT_TRUE(part != ".." && part != "." && !part.empty()) << path;
    }

    // ".." has no directory of its own and is left out; the others are
    // stored under the names the loader looks for.
    const std::vector<std::string> requests = fixture.TakeRequests();
    EXPECT_EQ(std::count_if(requests.begin(), requests.end(),
                            [](const std::string& r) { return r.find("&cat=..&") != std::string::npos; }),
              0);
    for (const char* dir : {".._x", "_abs_x", "a_.._.._b", "x_y", "a_b_c", "12"})
        EXPECT_TRUE(fs::exists(std::string("data/logos/") + dir + "/1.xml")) << dir;
    // Hostile item ids name pictures inside their group's directory.
    int escapes = 0;
    int absolutes = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator("data/logos/.._x")) {
        const std::string name = entry.path().filename().string();
        escapes += name.rfind(".._.._.._escape", 0) == 0 && entry.path().extension() == ".gif";
        absolutes += name.rfind("_abs_pic", 0) == 0 && entry.path().extension() == ".gif";
    }
    EXPECT_EQ(escapes, 1);
    EXPECT_EQ(absolutes, 1);

    LoadAllCatalogs(true);
    const ContentCatalog& logos = *CatalogForType(1);
    EXPECT_GE(logos.GetGroupCount(), 1 + static_cast<int>(HostileGroups().size()) - 2);
    for (const char* id : {"../x", "/abs/x", "a/../../b", "a?b*c", " 12 "}) {
        const int group = logos.FindGroupById(id);
        ASSERT_GE(group, 0) << id;
        EXPECT_EQ(logos.GetItemCount(group), 3) << id;
    }
}

// A text ends at its first NUL byte, so an index that holds one is no whole
// document: it is refused, reported, and the index on disk stands.
TEST(HostileIdTest, AnIndexWithANulByteIsRefused)
{
    UpdateFixture fixture(SmallContent({1}, 2, 3), true);
    fixture.Server().SetHostileIds(false);
    fixture.Update();
    const std::string index = ReadFile("data/logos/cats.xml");
    ASSERT_FALSE(index.empty());

    fixture.Server().SetHostileIds(true, true);
    std::vector<std::string> reported;
    RecordingProgress progress;
    fixture.Update(progress, [&](CatalogUpdater& updater) {
        updater.SetFailureHandler([&](const std::string& address) { reported.push_back(address); });
    });
    EXPECT_EQ(ReadFile("data/logos/cats.xml"), index);
    EXPECT_EQ(std::count_if(reported.begin(), reported.end(),
                            [](const std::string& a) { return a.find("t=1&l=EN&act=CAT") != std::string::npos; }),
              1);
    LoadAllCatalogs(true);
    EXPECT_EQ(CatalogForType(1)->GetGroupCount(), 2);
}

} // namespace
