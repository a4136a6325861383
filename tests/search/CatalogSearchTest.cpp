#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentTypeTable.h"
#include "search/CatalogSearch.h"
#include "search/SearchText.h"

namespace {

// The seven catalogs emptied before and after a test.
class CatalogsInUse
{
public:
    CatalogsInUse() { ClearAll(); }
    ~CatalogsInUse() { ClearAll(); }

    // A group of one item in the type's catalog; returns the group index.
    static int Add(int type, const std::string& groupLib, const std::string& label, const std::string& desc)
    {
        ContentCatalog& catalog = *CatalogForType(type);
        catalog.AddGroup(groupLib, "g" + std::to_string(catalog.GetGroupCount()));
        const int group = catalog.GetGroupCount() - 1;
        catalog.AddStoredItem(group, label, "i", "", "", desc);
        return group;
    }

private:
    static void ClearAll()
    {
        for (int code : CONTENT_TYPE_LOAD_ORDER)
            CatalogForType(code)->Clear();
    }
};

enum class Found
{
    None,
    ByLabel,
    ByDescription,
};

struct MatchCase
{
    const char* name;
    const char* label;  // as the catalog holds it
    const char* desc;
    const char* query;
    Found found;
};

class MatchTest : public testing::TestWithParam<MatchCase>
{
};

TEST_P(MatchTest, FindsWhatTheUserSeesWhateverCaseAndAccents)
{
    const MatchCase& c = GetParam();
    CatalogsInUse catalogs;
    CatalogsInUse::Add(CT_WALLPAPERS, "Group", c.label, c.desc);
    CatalogSearch search;
    search.Build();
    const SearchResult result = search.Find(c.query);
    EXPECT_TRUE(result.groups.empty());
    switch (c.found) {
    case Found::None:
        EXPECT_TRUE(result.items.empty());
        break;
    case Found::ByLabel:
        ASSERT_EQ(result.items.size(), 1u);
        EXPECT_EQ(result.labelMatches, 1u);
        break;
    case Found::ByDescription:
        ASSERT_EQ(result.items.size(), 1u);
        EXPECT_EQ(result.labelMatches, 0u);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, MatchTest,
    testing::Values(
        MatchCase{"CaseIgnored", "Blue Sky", "", "bLUE", Found::ByLabel},
        MatchCase{"AccentIgnored", "Été indien", "", "ete", Found::ByLabel},
        MatchCase{"AccentInTheQuery", "Ete", "", "Été", Found::ByLabel},
        MatchCase{"Tilde", "Canción de mañana", "", "MANANA", Found::ByLabel},
        MatchCase{"Cyrillic", "Моя песня", "", "ПЕСНЯ", Found::ByLabel},
        MatchCase{"Greek", "Καλημέρα", "", "καλημερα", Found::ByLabel},
        MatchCase{"Japanese", "日本の風景", "", "日本", Found::ByLabel},
        MatchCase{"FullCaseFolding", "Straße", "", "STRASSE", Found::ByLabel},
        MatchCase{"DecomposedInTheCatalog", "Cafe\xcc\x81", "", "café", Found::ByLabel},
        MatchCase{"ReferenceDecoded", "Rock &amp; roll", "", "rock & roll", Found::ByLabel},
        MatchCase{"ReferenceNotMatchedAsTyped", "Rock &amp; roll", "", "amp", Found::None},
        MatchCase{"QuoteReference", "Don&apos;t stop", "", "don't", Found::ByLabel},
        MatchCase{"Description", "Logo", "Falling snow at night", "snow", Found::ByDescription},
        MatchCase{"TagsInTheDescriptionRemoved", "Logo", "A <b>big</b> tree", "big tree", Found::ByDescription},
        MatchCase{"TagNameIsNoText", "Logo", "<font color=red>x</font>", "font", Found::None},
        MatchCase{"TagSeparatesWords", "Logo", "snow<br>fall", "snowfall", Found::None},
        MatchCase{"EveryWordInTheLabel", "Blue Harbor - Blue Sky", "", "sky harbor", Found::ByLabel},
        MatchCase{"WordsSplitBetweenLabelAndDescription", "Blue", "Under a sky", "blue sky", Found::ByDescription},
        MatchCase{"OneWordMissing", "Blue", "Under a sky", "blue moon", Found::None},
        MatchCase{"PartOfAWord", "Snowfall", "", "owfa", Found::ByLabel},
        MatchCase{"WhiteSpaceOfAnyKind", "Blue Sky", "", " blue\tsky\xe3\x80\x80", Found::ByLabel},
        MatchCase{"NothingAcrossTwoFields", "Blue", "sky", "blue sky blues", Found::None},
        MatchCase{"EmptyQuery", "Blue", "", "", Found::None},
        MatchCase{"BlanksOnly", "Blue", "", "  \t ", Found::None}),
    [](const testing::TestParamInfo<MatchCase>& param) { return std::string(param.param.name); });

// Groups first; then the items found by their label, then those that need
// their description; each in the tree's order of types, groups in catalog
// order, items in group order.
TEST(CatalogSearchTest, OrderFollowsTheTree)
{
    CatalogsInUse catalogs;
    CatalogsInUse::Add(CT_LOGOS, "Snow logos", "Plain", "snow");          // logos: sixth in the tree
    CatalogsInUse::Add(CT_RT_MONO, "Tones", "Snow song", "");             // second
    CatalogsInUse::Add(CT_RT_POLY, "Poly", "Quiet", "white snow");        // first
    CatalogsInUse::Add(CT_RT_POLY, "Snow poly", "Snow day", "");
    ContentCatalog& mono = *CatalogForType(CT_RT_MONO);
    mono.AddStoredItem(0, "Another snow", "i2", "", "", "");
    CatalogSearch search;
    search.Build();
    const SearchResult result = search.Find("SNOW");

    ASSERT_EQ(result.groups.size(), 2u);
    EXPECT_EQ(result.groups[0].type, CT_RT_POLY);
    EXPECT_EQ(result.groups[0].group, 1);
    EXPECT_EQ(result.groups[1].type, CT_LOGOS);
    std::vector<std::string> labels;
    for (const SearchItemHit& hit : result.items)
        labels.push_back(CatalogForType(hit.type)->GetItemLib(hit.group, hit.item));
    EXPECT_EQ(labels, (std::vector<std::string>{"Snow day", "Snow song", "Another snow", "Quiet", "Plain"}));
    EXPECT_EQ(result.labelMatches, 3u);

    // One type only.
    const SearchResult logos = search.Find("snow", CT_LOGOS);
    ASSERT_EQ(logos.items.size(), 1u);
    EXPECT_EQ(logos.items[0].type, CT_LOGOS);
    EXPECT_EQ(logos.groups.size(), 1u);
    EXPECT_TRUE(search.Find("snow", 99).items.empty());
}

TEST(CatalogSearchTest, AnEmptyCatalogAndARebuildAfterChanges)
{
    CatalogsInUse catalogs;
    CatalogSearch search;
    search.Build();
    EXPECT_TRUE(search.Find("anything").items.empty());
    CatalogsInUse::Add(CT_JAVA, "Games", "Chess", "");
    EXPECT_TRUE(search.Find("chess").items.empty());  // as built
    search.Build();
    EXPECT_EQ(search.Find("chess").items.size(), 1u);
}

// A catalog large enough for several shards and many filter blocks, its
// every query answered as a plain scan of each item would answer it.
TEST(CatalogSearchTest, AgreesWithAPlainScanOnALargeCatalog)
{
    CatalogsInUse catalogs;
    const char* const words[] = {"love", "night", "Été", "snow", "blue", "sky", "песня", "日本", "rock &amp; roll",
                                 "<b>big</b>", "zebra", "mañana", "x", "Straße", "go", "quiet", "storm", "wind"};
    const int count = static_cast<int>(std::size(words));
    unsigned seed = 7;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u, static_cast<int>((seed >> 16) % 32768); };
    for (int type : {CT_RT_POLY, CT_WALLPAPERS, CT_LOGOS}) {
        ContentCatalog& catalog = *CatalogForType(type);
        for (int g = 0; g < 30; ++g) {
            catalog.AddGroup("Group " + std::to_string(g) + " " + words[next() % count], std::to_string(g));
            for (int i = 0; i < 500; ++i) {
                std::string label = "Item";
                std::string desc;
                for (int w = next() % 4; w > 0; --w)
                    label += std::string(" ") + words[next() % count];
                for (int w = next() % 6; w > 0; --w)
                    desc += std::string(words[next() % count]) + (next() % 3 ? " " : "");
                catalog.AddStoredItem(g, label, std::to_string(i), "", "", desc);
            }
        }
    }
    CatalogSearch search;
    search.Build();
    ASSERT_EQ(search.ItemCount(), 45000u);

    for (const char* query : {"love", "night snow", "ete", "ПЕСНЯ", "日本", "rock & roll", "big", "zebra blue",
                              "x", "go sky", "strasse", "quietstorm", "wind love sky", "nothing"}) {
        const std::vector<std::string> queryWords = FoldQueryWords(query);
        std::vector<std::string> byLabel;
        std::vector<std::string> byDescription;
        for (int type : CONTENT_TYPE_TREE_ORDER) {
            const ContentCatalog& catalog = *CatalogForType(type);
            for (int g = 0; g < catalog.GetGroupCount(); ++g) {
                const ContentGroup& group = *catalog.Group(g);
                for (size_t i = 0; i < group.labels.size(); ++i) {
                    const std::string label = FoldCatalogText(group.labels[i], false);
                    const std::string desc = FoldCatalogText(group.descs[i], true);
                    bool inLabel = true;
                    bool inEither = true;
                    for (const std::string& word : queryWords) {
                        inLabel = inLabel && label.find(word) != std::string::npos;
                        inEither = inEither && (label.find(word) != std::string::npos
                                                || desc.find(word) != std::string::npos);
                    }
                    const std::string key = std::to_string(type) + "/" + std::to_string(g) + "/" + std::to_string(i);
                    if (inLabel)
                        byLabel.push_back(key);
                    else if (inEither)
                        byDescription.push_back(key);
                }
            }
        }
        const SearchResult result = search.Find(query);
        std::vector<std::string> found;
        for (const SearchItemHit& hit : result.items)
            found.push_back(std::to_string(hit.type) + "/" + std::to_string(hit.group) + "/" + std::to_string(hit.item));
        std::vector<std::string> expected = byLabel;
        expected.insert(expected.end(), byDescription.begin(), byDescription.end());
        EXPECT_EQ(found, expected) << query;
        EXPECT_EQ(result.labelMatches, byLabel.size()) << query;
    }
}

TEST(SearchTextTest, FoldsLongTextsAcrossTheFastAndTheSlowPath)
{
    // Long runs on both sides of the vector search's block size.
    for (size_t length : {1u, 31u, 32u, 33u, 100u, 1000u}) {
        const std::string word = "Ñ" + std::string(length, 'a') + "B";
        EXPECT_EQ(FoldCatalogText(word, false), "n" + std::string(length, 'a') + "b") << length;
    }
    EXPECT_EQ(FoldCatalogText("a\xff" "b", false), "a\xef\xbf\xbd" "b");  // invalid UTF-8
    EXPECT_EQ(FoldCatalogText(std::string("a\0b", 3), false), "ab");
    EXPECT_EQ(FoldQueryWords("  Été  NIÑO "), (std::vector<std::string>{"ete", "nino"}));
}

// Plain ASCII is folded sixteen bytes at a time up to the first byte that
// needs more (a reference, a tag, NUL, non-ASCII): each such byte at each
// place around a block's edges.
TEST(SearchTextTest, EveryByteThatNeedsMoreIsFoundWhereverItStands)
{
    const struct
    {
        std::string text;  // put after `at` bytes of plain text
        bool stripTags;
        std::string folded;
    } cases[] = {
        {"Plain", true, "plain"},
        {"X&amp;Y", true, "x&y"},
        {"&amp;", true, "&"},
        {"&lt;b&gt;", true, "<b>"},
        {"&quot;&apos;&AMP;&am", true, "\"'&amp;&am"},
        {"a<b>c", true, "a c"},
        {"a<b>c", false, "a<b>c"},
        {"a<b c", true, "a<b c"},
        {std::string("A\0B", 3), true, "ab"},
        {"Été", true, "ete"},
        {"E\xcc\x81T", true, "et"},  // a combining mark after an ASCII letter
    };
    for (const auto& c : cases)
        for (size_t at : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 40u}) {
            const std::string before = std::string(at, 'Q');
            const std::string after = "ZZ" + std::string(at % 7, 'K');
            const std::string lowerBefore = std::string(at, 'q');
            const std::string lowerAfter = "zz" + std::string(at % 7, 'k');
            EXPECT_EQ(FoldCatalogText(before + c.text + after, c.stripTags), lowerBefore + c.folded + lowerAfter)
                << c.text << " at " << at;
        }
}

} // namespace
