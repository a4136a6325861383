#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/CatalogRegistry.h"
#include "catalog/CatalogText.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"

namespace {

TEST(ContentTypeTest, TableAndUnknownCodes)
{
    struct Case { int code; const char* key; const char* title; };
    const Case cases[] = {
        {1, "logos", "Logos"}, {2, "rt_mono", "Ringtones (mono)"}, {3, "logos_big", "Logos (big)"},
        {14, "rt_poly", "Ringtones (poly)"}, {15, "wallpapers", "Wallpapers"},
        {24, "screensavers", "Screen savers"}, {26, "java", "Java games"},
        {0, "", ""}, {4, "", ""}, {25, "", ""}, {-1, "", ""}, {7, "", ""}};
    std::vector<ContentCatalog*> seen;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(TypeKey(c.code), c.key);
        EXPECT_EQ(TypeTitle(c.code), c.title);
        ContentCatalog* catalog = CatalogForType(c.code);
        EXPECT_EQ(catalog != nullptr, *c.key != '\0');
        if (catalog) {
            EXPECT_EQ(catalog, CatalogForType(c.code));
            for (ContentCatalog* other : seen)
                EXPECT_NE(catalog, other);
            seen.push_back(catalog);
        }
    }
    EXPECT_EQ(seen.size(), 7u);
}

struct AddItemCase
{
    const char* name;
    std::string label, desc;
    bool added;
    std::string storedLabel, storedDesc;
};

class AddItemTest : public testing::TestWithParam<AddItemCase> {};

TEST_P(AddItemTest, StoresTransformedValues)
{
    const AddItemCase& c = GetParam();
    ContentCatalog catalog;
    catalog.AddGroup("G", "g");
    catalog.AddItem(0, c.label, "id", "file", "url", c.desc);
    ASSERT_EQ(catalog.GetItemCount(0), c.added ? 1 : 0);
    if (!c.added)
        return;
    EXPECT_EQ(catalog.GetItemLib(0, 0), c.storedLabel);
    std::string id, file, url, desc;
    catalog.GetItemDetails(0, 0, id, file, url, desc);
    EXPECT_EQ(id, "id");
    EXPECT_EQ(file, "file");
    EXPECT_EQ(url, "url");
    EXPECT_EQ(desc, c.storedDesc);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddItemTest, testing::Values(
    AddItemCase{"EmptyLabelDropped", "", "d", false, "", ""},
    AddItemCase{"LowerFirstLetter", "ringtone", "", true, "Ringtone", ""},
    AddItemCase{"DigitFirstUnchanged", "2 fast", "", true, "2 fast", ""},
    AddItemCase{"OnlyFirstCodePoint", "\xC3\xA9t\xC3\xA9", "", true, "\xC3\x89t\xC3\xA9", ""},
    AddItemCase{"InvalidLeadByteKept", "\xFFx", "", true, "\xFFx", ""},
    AddItemCase{"EscapedBoldAndCrLf", "a", "a &lt;b&gt;word&lt;/b&gt;\r\nz", true, "A", "a  word   z"},
    AddItemCase{"PlainBoldAndEntities", "a", "<b>x</b> &lt;i&gt; &amp;lt;", true, "A", " x  <i> &amp;lt;"},
    AddItemCase{"LabelLineBreaksBecomeBlanks", "a\r\nb", "", true, "A  b", ""},
    // Upper-casing makes this label a byte longer than a cache line holds.
    AddItemCase{"LabelGrowsPastTheLimit", "\xC9\x90" + std::string(MAX_STORED_VALUE - 2, 'x'), "", true,
                "\xE2\xB1\xAF" + std::string(MAX_STORED_VALUE - 3, 'x'), ""},
    AddItemCase{"LongDescriptionCut", "a", std::string(MAX_STORED_VALUE, 'd') + "&lt;", true, "A",
                std::string(MAX_STORED_VALUE, 'd')}),
    [](const testing::TestParamInfo<AddItemCase>& p) { return std::string(p.param.name); });

TEST(ContentCatalogTest, AddItemIgnoresBadGroups)
{
    ContentCatalog catalog;
    catalog.AddGroup("G", "g");
    for (int group : {-1, -2, 1, 1000})
        catalog.AddItem(group, "x", "", "", "", "");
    EXPECT_EQ(catalog.GetItemCount(0), 0);
    EXPECT_EQ(catalog.GetGroupLib(1), "");
    EXPECT_EQ(catalog.GetGroupLib(-1), "");
    EXPECT_EQ(catalog.GetItemLib(0, 0), "");
}

TEST(ContentCatalogTest, FindReturnsFirstOfDuplicates)
{
    ContentCatalog catalog;
    catalog.AddGroup("A", "x");
    catalog.AddGroup("B", "y");
    catalog.AddGroup("A", "x");
    EXPECT_EQ(catalog.FindGroupById("x"), 0);
    EXPECT_EQ(catalog.FindGroupById("y"), 1);
    EXPECT_EQ(catalog.FindGroupById("X"), -1);
    EXPECT_EQ(catalog.FindGroupByLib("A"), 0);
    EXPECT_EQ(catalog.FindGroupByLib("a"), -1);
}

TEST(ContentCatalogTest, ClearEmptiesItemsAndKeepsSlotsForReuse)
{
    ContentCatalog catalog;
    catalog.AddGroup("A", "a");
    catalog.AddItem(0, "one", "1", "", "", "");
    catalog.Clear();
    EXPECT_EQ(catalog.GetGroupCount(), 0);
    EXPECT_EQ(catalog.FindGroupById("a"), -1);
    catalog.AddGroup("B", "b");
    EXPECT_EQ(catalog.GetItemCount(0), 0);
    EXPECT_EQ(catalog.GetGroupId(0), "b");
}

TEST(ContentCatalogTest, GroupTableGrowsPastItsInitialSize)
{
    ContentCatalog catalog;
    const int count = MAX_GROUPS * 3 + 7;
    for (int i = 0; i < count; ++i) {
        catalog.AddGroup("lib" + std::to_string(i), "id" + std::to_string(i));
        catalog.AddItem(i, "item" + std::to_string(i), "", "", "", "");
    }
    ASSERT_EQ(catalog.GetGroupCount(), count);
    for (int i = 0; i < count; i += 97) {
        EXPECT_EQ(catalog.FindGroupById("id" + std::to_string(i)), i);
        EXPECT_EQ(catalog.GetItemLib(i, 0), "Item" + std::to_string(i));
    }
    catalog.Clear();
    catalog.AddGroup("x", "y");
    EXPECT_EQ(catalog.GetItemCount(0), 0);
}

// Labels and ids after SortItems.
std::vector<std::string> SortedPairs(const std::vector<std::pair<std::string, std::string>>& items)
{
    ContentCatalog catalog;
    catalog.AddGroup("G", "g");
    for (const auto& [label, id] : items)
        catalog.AddItem(0, label, id, "f" + id, "u" + id, "d" + id);
    catalog.SortItems(-1);
    std::vector<std::string> out;
    for (int i = 0; i < catalog.GetItemCount(0); ++i) {
        std::string id, file, url, desc;
        catalog.GetItemDetails(0, i, id, file, url, desc);
        EXPECT_EQ(file, "f" + id);
        EXPECT_EQ(url, "u" + id);
        EXPECT_EQ(desc, "d" + id);
        out.push_back(catalog.GetItemLib(0, i) + id);
    }
    return out;
}

TEST(ContentCatalogTest, SortExamples)
{
    // Labels are capitalised on the way in, so "b" and "B" arrive equal;
    // byte order is checked on labels that stay distinct.
    EXPECT_EQ(SortedPairs({{"Ba", "1"}, {"BA", "2"}, {"A", "3"}}),
              (std::vector<std::string>{"A3", "BA2", "Ba1"}));
    EXPECT_EQ(SortedPairs({{"B", "1"}, {"B", "2"}, {"A", "3"}}),
              (std::vector<std::string>{"A3", "B2", "B1"}));
    EXPECT_EQ(SortedPairs({{"\xC3\x89", "1"}, {"Z", "2"}}),
              (std::vector<std::string>{"Z2", "\xC3\x89" "1"}));
}

} // namespace
