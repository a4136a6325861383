#include <set>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "TestDir.h"
#include "StrictXml.h"
#include "tools/catgen/CatalogGenerator.h"

namespace {

CatalogGeneratorOptions VariedOptions(const std::filesystem::path& out)
{
    CatalogGeneratorOptions options;
    options.outDir = out;
    options.groupsPerType = 9;
    options.itemsPerGroup = 40;
    options.varyItems = true;
    options.unsafeIds = true;
    options.seed = 7;
    return options;
}

int AttributeNumber(const StrictElement& root, const std::string& name)
{
    const auto it = root.attributes.find(name);
    return it == root.attributes.end() ? -1 : std::stoi(it->second);
}

} // namespace

TEST(CatalogGenerator, SameOptionsGiveIdenticalFilesAndAnotherSeedOthers)
{
    TestDir first{false};
    TestDir second{false};
    TestDir reseeded{false};
    GenerateCatalog(VariedOptions(first.Path()));
    GenerateCatalog(VariedOptions(second.Path()));
    CatalogGeneratorOptions options = VariedOptions(reseeded.Path());
    options.seed = 8;
    GenerateCatalog(options);

    const auto files = ReadTree(first.Path());
    ASSERT_GT(files.size(), 7u * 9u);
    EXPECT_TRUE(files == ReadTree(second.Path()));
    EXPECT_FALSE(files == ReadTree(reseeded.Path()));
}

TEST(CatalogGenerator, WrittenFilesAreTheRenderedModelAndNothingElse)
{
    TestDir dir{false};
    const CatalogGeneratorOptions options = VariedOptions(dir.Path());
    const CatalogSummary summary = GenerateCatalog(options);
    const GeneratedCatalog catalog = GenerateCatalogModel(options);
    auto files = ReadTree(dir.Path());

    long long bytes = 0;
    for (const auto& [path, text] : files)
        bytes += static_cast<long long>(text.size());
    EXPECT_EQ(summary.files, static_cast<long long>(files.size()));
    EXPECT_EQ(summary.bytes, bytes);
    EXPECT_EQ(summary.types, 7);
    EXPECT_EQ(summary.groups, 7 * 9);

    long long items = 0;
    ASSERT_EQ(catalog.types.size(), 7u);
    for (const GeneratedType& type : catalog.types) {
        const std::string typeDir = "data/" + type.key + "/";
        EXPECT_EQ(files[typeDir + "cats.xml"], RenderTypeIndex(type));
        files.erase(typeDir + "cats.xml");
        for (const GeneratedGroup& group : type.groups) {
            items += static_cast<long long>(group.items.size());
            const int pages = std::max(1, ListingPageCount(group.items.size(), 30));
            for (int page = 1; page <= pages; ++page) {
                const std::string path =
                    typeDir + group.directory + "/" + std::to_string(page) + ".xml";
                ASSERT_EQ(files.count(path), 1u) << path;
                EXPECT_EQ(files[path], RenderListingPage(group, page, 30)) << path;
                files.erase(path);
            }
        }
    }
    EXPECT_EQ(summary.items, items);
    EXPECT_TRUE(files.empty()) << "unexpected file " << files.begin()->first;
}

// What each type carries as its file reference, checked on the files alone.
struct TypeLayout
{
    int code;
    const char* key;
    bool fileAlways;       // every item has "file"
    bool fileNever;
    bool screenboxAlways;  // every item has "screenbox"
    const char* pictureEnding;  // of "file" (or "screenbox" for games); "" for sounds
};

void PrintTo(const TypeLayout& layout, std::ostream* os)
{
    *os << layout.key;
}

class TypeLayoutTest : public ::testing::TestWithParam<TypeLayout>
{
};

TEST_P(TypeLayoutTest, PagesHoldThirtyItemsWithCountsAndReferencesOfTheType)
{
    const TypeLayout& layout = GetParam();
    TestDir dir{false};
    CatalogGeneratorOptions options = VariedOptions(dir.Path());
    options.types = {layout.code};
    options.mediaBase = "http://media.example.test:9000/m";  // no "/": one is added
    GenerateCatalog(options);
    const std::string mediaPrefix = "http://media.example.test:9000/m/" + std::string(layout.key) + "/";
    const std::filesystem::path typeDir = dir.Path() / "data" / layout.key;

    StrictElement index;
    const std::string indexText = ReadFile(typeDir / "cats.xml");
    ASSERT_EQ(ParseStrictXml(indexText, index), "");
    ASSERT_EQ(index.name, "response");
    const auto groups = index.Children("ressource");
    ASSERT_EQ(groups.size(), 9u);

    std::set<std::string> groupIds;
    std::set<std::string> itemIds;
    int filesSeen = 0;
    int itemsSeen = 0;
    for (const StrictElement* group : groups) {
        ASSERT_TRUE(group->Child("id") && group->Child("lib"));
        const std::string id = group->Child("id")->text;
        EXPECT_TRUE(groupIds.insert(id).second) << "duplicate group id " << id;
        const std::filesystem::path groupDir = typeDir / GroupDirectoryName(id);
        ASSERT_TRUE(std::filesystem::is_directory(groupDir)) << groupDir;

        int total = -1;
        int maxPage = -1;
        int counted = 0;
        for (int page = 1; page == 1 || page <= maxPage; ++page) {
            const std::string text =
                ReadFile(groupDir / (std::to_string(page) + ".xml"));
            ASSERT_TRUE(IsValidUtf8(text)) << groupDir << " page " << page;
            StrictElement root;
            ASSERT_EQ(ParseStrictXml(text, root), "") << groupDir << " page " << page;
            if (page == 1) {
                total = AttributeNumber(root, "total_results");
                maxPage = AttributeNumber(root, "max_page");
                ASSERT_GE(total, 0);
                EXPECT_EQ(maxPage, (total + 29) / 30);
            }
            EXPECT_EQ(AttributeNumber(root, "total_results"), total);
            EXPECT_EQ(AttributeNumber(root, "max_page"), maxPage);
            const auto items = root.Children("ressource");
            EXPECT_EQ(static_cast<int>(items.size()),
                      total == 0 ? 0 : (page < maxPage ? 30 : total - 30 * (maxPage - 1)));
            counted += static_cast<int>(items.size());

            for (const StrictElement* item : items) {
                ++itemsSeen;
                ASSERT_TRUE(item->Child("id") && item->Child("lib") && item->Child("desc") &&
                            item->Child("url_download"));
                const std::string itemId = item->Child("id")->text;
                EXPECT_TRUE(itemIds.insert(itemId).second) << "duplicate item id " << itemId;
                EXPECT_FALSE(item->Child("lib")->text.empty());
                EXPECT_EQ(item->Child("url_download")->text.rfind("http://", 0), 0u);

                const StrictElement* file = item->Child("file");
                const StrictElement* screenbox = item->Child("screenbox");
                filesSeen += file ? 1 : 0;
                if (layout.fileAlways) {
                    EXPECT_TRUE(file) << itemId;
                }
                if (layout.fileNever) {
                    EXPECT_FALSE(file) << itemId;
                }
                EXPECT_EQ(screenbox != nullptr, layout.screenboxAlways) << itemId;
                const StrictElement* picture = layout.code == 26 ? screenbox : file;
                if (picture) {
                    EXPECT_EQ(picture->text.rfind(mediaPrefix, 0), 0u) << picture->text;
                    if (*layout.pictureEnding) {
                        EXPECT_EQ(picture->text.substr(picture->text.size() - 4),
                                  layout.pictureEnding);
                    }
                }
            }
        }
        EXPECT_EQ(counted, total) << groupDir;
        EXPECT_FALSE(std::filesystem::exists(
            groupDir / (std::to_string(std::max(1, maxPage) + 1) + ".xml")));
    }
    EXPECT_GT(itemsSeen, 0);
    if (!layout.fileAlways && !layout.fileNever) {  // ringtones: some with a sound, some without
        EXPECT_GT(filesSeen, 0);
        EXPECT_LT(filesSeen, itemsSeen);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, TypeLayoutTest,
    ::testing::Values(TypeLayout{1, "logos", true, false, false, ".gif"},
                      TypeLayout{2, "rt_mono", false, false, false, ""},
                      TypeLayout{3, "logos_big", true, false, false, ".gif"},
                      TypeLayout{14, "rt_poly", false, false, false, ""},
                      TypeLayout{15, "wallpapers", true, false, true, ".jpg"},
                      TypeLayout{24, "screensavers", true, false, true, ".gif"},
                      TypeLayout{26, "java", false, true, true, ".gif"}),
    [](const ::testing::TestParamInfo<TypeLayout>& param) { return std::string(param.param.key); });

TEST(CatalogGenerator, VaryGivesEmptyAndLargeGroupsOtherwiseExactCounts)
{
    CatalogGeneratorOptions options;
    options.varyItems = true;
    for (const GeneratedType& type : GenerateCatalogModel(options).types) {
        bool empty = false;
        bool large = false;
        for (const GeneratedGroup& group : type.groups) {
            empty = empty || group.items.empty();
            large = large || group.items.size() > 100;
        }
        EXPECT_TRUE(empty && large) << type.key;
    }
    options.varyItems = false;
    options.itemsPerGroup = 31;
    for (const GeneratedType& type : GenerateCatalogModel(options).types)
        for (const GeneratedGroup& group : type.groups)
            EXPECT_EQ(group.items.size(), 31u) << type.key << " " << group.id;
}

TEST(GroupDirectoryName, TrimsBlanksThenMapsTheFourCharacters)
{
    const struct {
        const char* id;
        const char* directory;
    } cases[] = {
        {"a/b?c", "a_b_c"}, {"x*\\y", "x__y"}, {" 12 ", "12"}, {" 12/3 ", "12_3"},
        {"plain", "plain"}, {"a b", "a b"}, {"\t7", "\t7"}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GroupDirectoryName(c.id), c.directory) << '"' << c.id << '"';
}

TEST(CatalogGenerator, UnsafeIdsCoverEveryKindWithDistinctDirectories)
{
    CatalogGeneratorOptions options;
    options.groupsPerType = 20;
    options.itemsPerGroup = 1;
    options.unsafeIds = true;
    for (const GeneratedType& type : GenerateCatalogModel(options).types) {
        std::set<char> kinds;
        std::set<std::string> directories;
        for (const GeneratedGroup& group : type.groups) {
            for (const char c : std::string("?*/\\"))
                if (group.id.find(c) != std::string::npos)
                    kinds.insert(c);
            if (group.id.front() == ' ' && group.id.back() == ' ')
                kinds.insert(' ');
            EXPECT_EQ(group.directory, GroupDirectoryName(group.id));
            EXPECT_TRUE(directories.insert(group.directory).second) << group.directory;
            // The id travels percent-encoded inside media addresses.
            const GeneratedItem& item = group.items[0];
            const std::string picture = item.screenbox ? *item.screenbox : item.file.value_or("");
            EXPECT_EQ(picture.find_first_of("?* \\", 7), std::string::npos) << picture;
        }
        EXPECT_EQ(kinds.size(), 5u) << type.key;
    }

    options.unsafeIds = false;
    for (const GeneratedType& type : GenerateCatalogModel(options).types)
        for (const GeneratedGroup& group : type.groups)
            EXPECT_EQ(group.id.find_first_not_of("0123456789"), std::string::npos) << group.id;
}

TEST(CatalogGenerator, ReportsBadOptionsAndUnwritableOutput)
{
    CatalogGeneratorOptions options;
    options.types = {1, 4};
    EXPECT_THROW(GenerateCatalogModel(options), std::invalid_argument);
    options.types = {};
    options.groupsPerType = -1;
    EXPECT_THROW(GenerateCatalogModel(options), std::invalid_argument);

    TestDir dir{false};
    const std::filesystem::path blocker = dir.Path() / "data";
    std::fclose(std::fopen(blocker.c_str(), "w"));  // a file where data/ belongs
    options = CatalogGeneratorOptions();
    options.outDir = dir.Path();
    try {
        GenerateCatalog(options);
        FAIL() << "no error for an unwritable data directory";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(blocker.string()), std::string::npos) << e.what();
    }
}
