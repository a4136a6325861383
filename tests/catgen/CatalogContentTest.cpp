#include <set>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "StrictXml.h"
#include "catalog/ContentTypeTable.h"
#include "tools/catgen/CatgenTypeTable.h"
#include "tools/catgen/CatalogGenerator.h"

namespace {

bool HasNonAscii(const std::string& text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

// The sample a developer sees first must show what the program has to cope
// with: other scripts, lower-case labels, equal labels, optional authors and
// markup in descriptions.
// The generator's own table covers every type of the program's, with a
// picture drawn exactly for the types whose pictures the update fetches.
TEST(CatalogContent, EveryTypeHasTraitsAndPicturesExactlyWhereTheUpdateFetchesThem)
{
    for (const ContentTypeInfo& type : CONTENT_TYPES) {
        const CatgenTypeTraits* traits = FindCatgenTraits(type.code);
        ASSERT_NE(traits, nullptr) << type.key;
        EXPECT_EQ(traits->picture != nullptr, type.HasMediaFiles()) << type.key;
    }
}

TEST(CatalogContent, SampleHoldsTheTroublesARealShopHas)
{
    CatalogGeneratorOptions options;
    options.varyItems = true;
    const GeneratedCatalog catalog = GenerateCatalogModel(options);

    bool groupNonAscii = false, itemNonAscii = false, authorNonAscii = false,
         descNonAscii = false, lowerCase = false, equalLabels = false, emptyAuthor = false,
         noAuthor = false, bold = false, ampersand = false, lineBreak = false;
    std::set<std::string> itemIds;
    long long items = 0;
    for (const GeneratedType& type : catalog.types) {
        std::set<std::string> groupLabels;
        for (const GeneratedGroup& group : type.groups) {
            EXPECT_TRUE(groupLabels.insert(group.lib).second) << type.key << ": " << group.lib;
            groupNonAscii = groupNonAscii || HasNonAscii(group.lib);
            std::set<std::string> labels;
            for (const GeneratedItem& item : group.items) {
                ++items;
                itemIds.insert(item.id);
                ASSERT_FALSE(item.lib.empty());
                ASSERT_TRUE(IsValidUtf8(item.lib) && IsValidUtf8(item.desc)) << item.id;
                itemNonAscii = itemNonAscii || HasNonAscii(item.lib);
                lowerCase = lowerCase || (item.lib[0] >= 'a' && item.lib[0] <= 'z');
                equalLabels = equalLabels || !labels.insert(item.lib).second;
                if (item.author) {
                    emptyAuthor = emptyAuthor || item.author->empty();
                    authorNonAscii = authorNonAscii || HasNonAscii(*item.author);
                } else {
                    noAuthor = true;
                }
                descNonAscii = descNonAscii || HasNonAscii(item.desc);
                bold = bold || item.desc.find("<b>") != std::string::npos;
                ampersand = ampersand || item.desc.find('&') != std::string::npos;
                lineBreak = lineBreak || item.desc.find('\n') != std::string::npos;
                EXPECT_EQ(item.desc.find('{'), std::string::npos) << item.desc;
            }
        }
    }
    EXPECT_EQ(static_cast<long long>(itemIds.size()), items) << "item ids repeat";
    EXPECT_TRUE(groupNonAscii);
    EXPECT_TRUE(itemNonAscii);
    EXPECT_TRUE(authorNonAscii);
    EXPECT_TRUE(descNonAscii);
    EXPECT_TRUE(lowerCase);
    EXPECT_TRUE(equalLabels);
    EXPECT_TRUE(emptyAuthor);
    EXPECT_TRUE(noAuthor);
    EXPECT_TRUE(bold);
    EXPECT_TRUE(ampersand);
    EXPECT_TRUE(lineBreak);
}

TEST(CatalogContent, MoreGroupsThanThemesKeepDistinctLabelsAndIds)
{
    CatalogGeneratorOptions options;
    options.groupsPerType = 400;  // beyond the modifier-theme pairs of some types
    options.itemsPerGroup = 0;
    for (const GeneratedType& type : GenerateCatalogModel(options).types) {
        std::set<std::string> labels;
        std::set<std::string> ids;
        for (const GeneratedGroup& group : type.groups) {
            labels.insert(group.lib);
            ids.insert(group.id);
        }
        EXPECT_EQ(labels.size(), 400u) << type.key;
        EXPECT_EQ(ids.size(), 400u) << type.key;
    }
}

TEST(CatalogContent, TypesListedInAnyOrderGiveTheSameCatalog)
{
    CatalogGeneratorOptions options;
    options.types = {26, 2, 2};
    const GeneratedCatalog catalog = GenerateCatalogModel(options);
    ASSERT_EQ(catalog.types.size(), 2u);
    EXPECT_EQ(catalog.types[0].code, 2);
    EXPECT_EQ(catalog.types[1].key, "java");
    options.types = {2, 26};
    EXPECT_EQ(RenderListingPage(GenerateCatalogModel(options).types[1].groups[0], 1, 30),
              RenderListingPage(catalog.types[1].groups[0], 1, 30));
    EXPECT_NE(FindGeneratedType(catalog, 26), nullptr);
    EXPECT_EQ(FindGeneratedType(catalog, 1), nullptr);
}

TEST(CatalogPageRenderer, EscapesTextAndWritesOptionalElementsOnlyWhenSet)
{
    GeneratedGroup group;
    group.id = "5";
    GeneratedItem& item = group.items.emplace_back();
    item.id = "9";
    item.lib = "Rock & <roll>";
    item.author = "";
    item.urlDownload = "http://h/dl.php?t=2&id=9";
    item.desc = "<b>New!</b> Loud\nand clear";
    item.screenbox = "http://h/s.gif";

    const std::string page = RenderListingPage(group, 1, 30);
    EXPECT_NE(page.find("<lib>Rock &amp; &lt;roll&gt;</lib>"), std::string::npos) << page;
    EXPECT_NE(page.find("<author></author>"), std::string::npos);
    EXPECT_NE(page.find("<desc>&lt;b&gt;New!&lt;/b&gt; Loud\nand clear</desc>"), std::string::npos);
    EXPECT_NE(page.find("<url_download>http://h/dl.php?t=2&amp;id=9</url_download>"),
              std::string::npos);
    EXPECT_EQ(page.find("<file>"), std::string::npos);
    StrictElement root;
    ASSERT_EQ(ParseStrictXml(page, root), "");
    EXPECT_EQ(root.children.at(0).Child("lib")->text, item.lib);
    EXPECT_EQ(root.children.at(0).Child("desc")->text, item.desc);

    item.author.reset();
    EXPECT_EQ(RenderListingPage(group, 1, 30).find("<author>"), std::string::npos);
}

TEST(CatalogPageRenderer, AnyPageSizeSplitsTheSameItems)
{
    GeneratedGroup group;
    for (int i = 0; i < 3; ++i)
        group.items.emplace_back().id = std::to_string(100 + i);

    const struct {
        int page;
        int pageSize;
        int maxPage;
        std::vector<std::string> ids;
    } cases[] = {
        {1, 1, 3, {"100"}}, {2, 1, 3, {"101"}}, {3, 1, 3, {"102"}}, {4, 1, 3, {}},
        {0, 1, 3, {}},      {-1, 1, 3, {}},     {1, 30, 1, {"100", "101", "102"}},
        {2, 2, 2, {"102"}}, {2, 30, 1, {}},
    };
    for (const auto& c : cases) {
        StrictElement root;
        ASSERT_EQ(ParseStrictXml(RenderListingPage(group, c.page, c.pageSize), root), "");
        EXPECT_EQ(root.attributes["max_page"], std::to_string(c.maxPage));
        EXPECT_EQ(root.attributes["total_results"], "3");
        std::vector<std::string> ids;
        for (const StrictElement* item : root.Children("ressource"))
            ids.push_back(item->Child("id")->text);
        EXPECT_EQ(ids, c.ids) << "page " << c.page << " of size " << c.pageSize;
    }

    group.items.clear();
    StrictElement root;
    ASSERT_EQ(ParseStrictXml(RenderListingPage(group, 1, 30), root), "");
    EXPECT_EQ(root.attributes["max_page"], "0");
    EXPECT_EQ(root.attributes["total_results"], "0");
    EXPECT_TRUE(root.children.empty());
    EXPECT_THROW(RenderListingPage(group, 1, 0), std::invalid_argument);
}

TEST(GeneratedCatalog, FindsGroupsByTheTrimmedIdTheUpdateSends)
{
    GeneratedType type;
    type.groups.emplace_back().id = " 12 ";
    type.groups.emplace_back().id = "12/3";
    EXPECT_EQ(FindGeneratedGroup(type, "12"), &type.groups[0]);
    EXPECT_EQ(FindGeneratedGroup(type, " 12"), &type.groups[0]);
    EXPECT_EQ(FindGeneratedGroup(type, "12/3"), &type.groups[1]);
    EXPECT_EQ(FindGeneratedGroup(type, "13"), nullptr);
}
