#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CatalogSnapshot.h"
#include "TestDir.h"
#include "catalog/CatalogPreload.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "catalog/DatabaseLoader.h"
#include "catalog/WriteFailures.h"

namespace {

namespace fs = std::filesystem;

TEST(DatabaseLoaderTest, NoDataDirectoryGivesSevenEmptyCatalogs)
{
    TestDir dir;
    CatalogForType(CT_JAVA)->AddGroup("stale", "s");
    std::vector<int> steps;
    LoadAllCatalogs(false, [&](int code) { steps.push_back(code); });
    EXPECT_EQ(steps, std::vector<int>(CONTENT_TYPE_LOAD_ORDER.begin(), CONTENT_TYPE_LOAD_ORDER.end()));
    for (int code : CONTENT_TYPE_LOAD_ORDER)
        EXPECT_EQ(CatalogForType(code)->GetGroupCount(), 0) << code;
    EXPECT_FALSE(fs::exists("data"));
}

TEST(DatabaseLoaderTest, RebuildRewritesTypesInLoadOrder)
{
    TestDir dir;
    for (int code : CONTENT_TYPE_LOAD_ORDER) {
        const std::string type = "data/" + TypeKey(code) + "/";
        WriteFile(type + "cats.xml", IndexXml({{"g", TypeTitle(code)}}));
        WriteFile(type + "g/1.xml", "<items>" + Element("ressource", Element("lib", "x")) + "</items>");
        WriteFile(type + "cats.dat", "stale");
    }
    LoadAllCatalogs(true, [&](int code) {
        // This type's caches are new; those of the types after it are not
        // written yet, and their old ones went before the first type began.
        bool after = false;
        for (int other : CONTENT_TYPE_LOAD_ORDER) {
            const std::string type = "data/" + TypeKey(other) + "/";
            EXPECT_EQ(fs::exists(type + "cats.dat"), !after) << code << " " << other;
            EXPECT_NE(ReadFile(type + "cats.dat"), "stale") << code << " " << other;
            EXPECT_EQ(fs::exists(type + "data_g.dat"), !after) << code << " " << other;
            after = after || other == code;
        }
    });
    std::vector<std::vector<std::string>> first;
    for (int code : CONTENT_TYPE_LOAD_ORDER)
        first.push_back(Snapshot(*CatalogForType(code)));
    EXPECT_EQ(first[0], (std::vector<std::string>{"group 0 lib=Ringtones (mono) id=g", "  X |  |  |  | "}));
    LoadAllCatalogs(false);
    for (size_t i = 0; i < CONTENT_TYPE_LOAD_ORDER.size(); ++i)
        EXPECT_EQ(Snapshot(*CatalogForType(CONTENT_TYPE_LOAD_ORDER[i])), first[i]);
    for (int code : CONTENT_TYPE_LOAD_ORDER)
        CatalogForType(code)->Clear();
}

} // namespace

// Begun once a process: the whole life of a load begun ahead in one test.
TEST(CatalogPreloadTest, ALoadBegunAheadIsTakenOverOnceAndLeavesWhatALoadLeaves)
{
    TestDir dir;
    for (int code : CONTENT_TYPE_LOAD_ORDER) {
        const std::string type = "data/" + TypeKey(code) + "/";
        WriteFile(type + "cats.xml", IndexXml({{"g", TypeTitle(code)}, {"h", "Other"}}));
        WriteFile(type + "g/1.xml", "<items>" + Element("ressource", Element("lib", TypeKey(code))) + "</items>");
    }
    EXPECT_FALSE(CatalogPreload::Take({}, nullptr));

    CatalogPreload::Start();
    CatalogPreload::Start();  // no second load
    std::vector<int> steps;
    WriteFailures failures;
    ASSERT_TRUE(CatalogPreload::Take([&](int code) { steps.push_back(code); }, &failures));
    EXPECT_EQ(steps, std::vector<int>(CONTENT_TYPE_LOAD_ORDER.begin(), CONTENT_TYPE_LOAD_ORDER.end()));
    EXPECT_TRUE(failures.Empty());
    std::vector<std::vector<std::string>> taken;
    for (int code : CONTENT_TYPE_LOAD_ORDER) {
        taken.push_back(Snapshot(*CatalogForType(code)));
        EXPECT_TRUE(fs::exists("data/" + TypeKey(code) + "/cats.dat")) << code;
    }
    EXPECT_EQ(taken[0][0], "group 0 lib=Ringtones (mono) id=g");

    EXPECT_FALSE(CatalogPreload::Take({}, nullptr));
    LoadAllCatalogs(false);
    for (size_t i = 0; i < CONTENT_TYPE_LOAD_ORDER.size(); ++i)
        EXPECT_EQ(Snapshot(*CatalogForType(CONTENT_TYPE_LOAD_ORDER[i])), taken[i]);
    for (int code : CONTENT_TYPE_LOAD_ORDER)
        CatalogForType(code)->Clear();
}
