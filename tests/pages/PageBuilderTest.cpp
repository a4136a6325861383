#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestDir.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "pages/PageBuilder.h"

namespace {

const std::string kRow(ROW_BREAK);

// Templates whose cells show every placeholder between markers, so that a
// page's text says exactly what went where.
void WriteTemplates()
{
    WriteFile("tpl/groups.html", "<title>*name*</title><table><tr>*body*</tr></table>");
    WriteFile("tpl/group.html", "<html><body>[*name*:*items*]</body></html>");
    WriteFile("tpl/items.html", "<h1>*name*|*group*</h1><tr>*body*</tr>");
    const std::string cell = "<html><head></head><body>{*name*|*id*|*url*|*file*|*locfile*|*desc*}</body></html>";
    for (const char* name : {"item_logo", "item_pic", "item_ringtone", "item_javagame"})
        WriteFile(std::string("tpl/") + name + ".html", cell);
}

// The catalog of a type holds exactly these groups, each with `count`
// items named I0, I1, ... with ids 0, 1, ...
void FillCatalog(int type, const std::vector<std::pair<std::string, int>>& groups)
{
    ContentCatalog& catalog = *CatalogForType(type);
    catalog.Clear();
    for (size_t g = 0; g < groups.size(); ++g) {
        catalog.AddGroup(groups[g].first, std::to_string(40 + g));
        for (int i = 0; i < groups[g].second; ++i)
            catalog.AddItem(static_cast<int>(g), "I" + std::to_string(i), std::to_string(i), "f", "u", "d");
    }
}

// The body of a page made by the templates above.
std::string Body(const std::string& page)
{
    const size_t start = page.find("<tr>") + 4;
    return page.substr(start, page.rfind("</tr>") - start);
}

class PageBuilderTest : public testing::Test
{
protected:
    void SetUp() override { WriteTemplates(); }
    void TearDown() override
    {
        for (int type : CONTENT_TYPE_LOAD_ORDER)
            CatalogForType(type)->Clear();
    }

    std::string Base() const { return m_dir.Path().string() + "/"; }
    // The cell of item i of group 40 of a type, as the templates write it.
    std::string Cell(int type, int i) const
    {
        const std::string id = std::to_string(i);
        return "{I" + id + "|" + id + "|u|f|" +
               LocalMediaPath(Base(), type, "40", id) + "|d}";
    }

    TestDir m_dir;
};

TEST_F(PageBuilderTest, GroupsPageHasTwoCellsToARowWithTheItemCounts)
{
    FillCatalog(CT_WALLPAPERS, {{"Love", 12}, {"Cars", 0}, {"Sea", 1}, {"Sky", 2}, {"Sun", 3}});
    const std::string page = PageBuilder(Base()).GroupsPage(CT_WALLPAPERS);
    EXPECT_EQ(page, "<title>Wallpapers</title><table><tr>[Love:12][Cars:0]" + kRow + "[Sea:1][Sky:2]" + kRow +
                        "[Sun:3]</tr></table>");

    FillCatalog(CT_LOGOS, {});
    EXPECT_EQ(Body(PageBuilder(Base()).GroupsPage(CT_LOGOS)), "");
}

struct RowCase
{
    const char* name;
    int type;
    int items;
    std::vector<int> rows;  // cells per row; a trailing 0 is the empty row after a full one
};

class ItemRowsTest : public PageBuilderTest, public testing::WithParamInterface<RowCase>
{
};

TEST_P(ItemRowsTest, CellsFollowEachOtherWithARowBreakAfterEveryFullRow)
{
    const RowCase& c = GetParam();
    FillCatalog(c.type, {{"Love", c.items}});
    std::string expected;
    int item = 0;
    for (size_t r = 0; r < c.rows.size(); ++r) {
        for (int k = 0; k < c.rows[r]; ++k)
            expected += Cell(c.type, item++);
        if (r + 1 < c.rows.size())
            expected += kRow;
    }
    const std::string page = PageBuilder(Base()).ItemsPage(c.type, "Love", ItemTemplateOf(c.type), nullptr);
    EXPECT_EQ(Body(page), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ItemRowsTest,
    testing::Values(RowCase{"NoItems", CT_WALLPAPERS, 0, {0}},
                    RowCase{"WallpapersThree", CT_WALLPAPERS, 3, {3, 0}},
                    RowCase{"WallpapersFour", CT_WALLPAPERS, 4, {3, 1}},
                    RowCase{"LogosFive", CT_LOGOS, 5, {3, 2}},
                    RowCase{"BigLogosSix", CT_LOGOS_BIG, 6, {3, 3, 0}},
                    RowCase{"ScreenSaversThree", CT_SCREENSAVERS, 3, {2, 1}},
                    RowCase{"MonoRingtones", CT_RT_MONO, 2, {1, 1, 0}},
                    RowCase{"PolyRingtones", CT_RT_POLY, 1, {1, 0}},
                    RowCase{"JavaGames", CT_JAVA, 2, {1, 1, 0}}),
    [](const testing::TestParamInfo<RowCase>& p) { return std::string(p.param.name); });

TEST_F(PageBuilderTest, ItemsPageFillsTitleGroupAndBodyInThatOrder)
{
    FillCatalog(CT_RT_MONO, {{"Love", 0}});
    // "*name*" is replaced before the label goes in, "*body*" after.
    ContentCatalog& catalog = *CatalogForType(CT_RT_MONO);
    catalog.AddGroup("*name* *body*", "9");
    catalog.AddItem(1, "X", "1", "", "", "");
    const std::string page = PageBuilder(Base()).ItemsPage(CT_RT_MONO, "*name* *body*", "item_ringtone", nullptr);
    const std::string cell = "{X|1|||" + LocalMediaPath(Base(), CT_RT_MONO, "9", "1") + "|}";
    EXPECT_EQ(page, "<h1>Ringtones (mono)|*name* " + cell + kRow + "</h1><tr>" + cell + kRow + "</tr>");
}

TEST_F(PageBuilderTest, ValuesInsertedEarlierMeetTheLaterPlaceholders)
{
    ContentCatalog& catalog = *CatalogForType(CT_WALLPAPERS);
    catalog.Clear();
    catalog.AddGroup("Love", "45");
    catalog.AddItem(0, "No *id* <b>here</b> *desc*", "123", "http://x/?a=1&b=2", "*file*", "<i>*name*</i>");
    const std::string page = PageBuilder(Base()).ItemsPage(CT_WALLPAPERS, "Love", "item_pic", nullptr);
    // The label got the id and the description, the address the file; the
    // description keeps "*name*", which was replaced before it came.
    // Nothing is escaped.
    EXPECT_EQ(Body(page), "{No 123 <b>here</b> <i>*name*</i>|123|http://x/?a=1&b=2|http://x/?a=1&b=2|" + Base() +
                              "data/45/123|<i>*name*</i>}");
}

TEST_F(PageBuilderTest, UnknownOrDuplicateLabels)
{
    FillCatalog(CT_LOGOS, {{"Love", 2}, {"Love", 5}});
    PageBuilder builder(Base());
    // The first group of that label; a label that differs in case is none.
    EXPECT_EQ(Body(builder.ItemsPage(CT_LOGOS, "Love", "item_logo", nullptr)), Cell(CT_LOGOS, 0) + Cell(CT_LOGOS, 1));
    EXPECT_EQ(Body(builder.ItemsPage(CT_LOGOS, "love", "item_logo", nullptr)), "");
    EXPECT_EQ(builder.ItemsPage(CT_LOGOS, "Gone", "item_logo", nullptr), "<h1>Logos|Gone</h1><tr></tr>");
}

TEST(LocalMediaPathTest, NamesThePictureWhereTheUpdateStoresIt)
{
    const struct
    {
        int type;
        const char* group;
        const char* item;
        const char* expected;
    } cases[] = {
        {CT_LOGOS, "45", "123", "/App/data/logos/45/123.gif"},
        {CT_LOGOS_BIG, "45", "123", "/App/data/logos_big/45/123.gif"},
        {CT_JAVA, "45", "123", "/App/data/java/45/123"},
        {CT_WALLPAPERS, "45", "123", "/App/data/45/123"},
        {CT_SCREENSAVERS, "45", "123", "/App/data/45/123"},
        {CT_RT_POLY, "45", "123", "/App/data/45/123"},
        {CT_RT_MONO, "45", "123", "/App/data/45/123"},
        {0, "45", "123", "/App/data/45/123"},
        // Ids go by the names the update gives their files...
        {CT_LOGOS, " a?b*c ", "x/y\\z", "/App/data/logos/a_b_c/x_y_z.gif"},
        // ...and what would end or change an address is encoded.
        {CT_LOGOS, "#1", "50%", "/App/data/logos/%231/50%25.gif"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LocalMediaPath("/App/", c.type, c.group, c.item), c.expected)
            << c.type << " " << c.group << " " << c.item;
}

TEST(ItemTemplateOfTest, EachTypeHasTheCellOfItsKind)
{
    const struct
    {
        int type;
        const char* name;
    } cases[] = {
        {CT_LOGOS, "item_logo"},      {CT_LOGOS_BIG, "item_logo"},   {CT_RT_MONO, "item_ringtone"},
        {CT_RT_POLY, "item_ringtone"}, {CT_WALLPAPERS, "item_pic"},   {CT_SCREENSAVERS, "item_pic"},
        {CT_JAVA, "item_javagame"},    {0, ""},                       {25, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ItemTemplateOf(c.type), c.name) << c.type;
}

class StepRecorder : public TableProgress
{
public:
    void Begin(int items) override { m_begun.push_back(items); }
    void Step() override { ++m_steps; }

    std::vector<int> m_begun;
    int m_steps = 0;
};

TEST_F(PageBuilderTest, MoreThanAHundredItemsReportTheirProgress)
{
    FillCatalog(CT_RT_POLY, {{"Hundred", 100}, {"More", 101}});
    PageBuilder builder(Base());
    StepRecorder hundred;
    builder.ItemsPage(CT_RT_POLY, "Hundred", "item_ringtone", &hundred);
    EXPECT_TRUE(hundred.m_begun.empty());
    EXPECT_EQ(hundred.m_steps, 0);

    StepRecorder more;
    builder.ItemsPage(CT_RT_POLY, "More", "item_ringtone", &more);
    EXPECT_EQ(more.m_begun, std::vector<int>{101});
    EXPECT_EQ(more.m_steps, 101);
}

TEST_F(PageBuilderTest, MissingOrBrokenTemplates)
{
    FillCatalog(CT_WALLPAPERS, {{"Love", 4}});
    FillCatalog(CT_JAVA, {{"Games", 2}});
    PageBuilder builder(Base());

    // A fragment that never closes its body gives empty cells; the row
    // breaks stay.
    WriteFile("tpl/item_pic.html", "<body><td>*name*</td></html>");
    EXPECT_EQ(Body(builder.ItemsPage(CT_WALLPAPERS, "Love", "item_pic", nullptr)), kRow);
    // So does a missing fragment.
    std::filesystem::remove("tpl/item_javagame.html");
    EXPECT_EQ(Body(builder.ItemsPage(CT_JAVA, "Games", "item_javagame", nullptr)), kRow + kRow);
    // A missing page template gives an empty page.
    std::filesystem::remove("tpl/items.html");
    EXPECT_EQ(builder.ItemsPage(CT_WALLPAPERS, "Love", "item_pic", nullptr), "");
    EXPECT_EQ(builder.ContentPage(), "");
    WriteFile("tpl/content.html", "<p>start</p>");
    EXPECT_EQ(builder.ContentPage(), "<p>start</p>");
}

TEST_F(PageBuilderTest, TemplatesAreReadAgainForEveryPage)
{
    FillCatalog(CT_LOGOS, {{"Love", 1}});
    PageBuilder builder(Base());
    EXPECT_EQ(builder.LoadTemplate("group", true), "[*name*:*items*]");
    WriteFile("tpl/group.html", "<body>changed</body>");
    EXPECT_EQ(builder.LoadTemplate("group", true), "changed");
    EXPECT_EQ(builder.LoadTemplate("group", false), "<body>changed</body>");
    EXPECT_EQ(Body(builder.GroupsPage(CT_LOGOS)), "changed");
}

} // namespace
