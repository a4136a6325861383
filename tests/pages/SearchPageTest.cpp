#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestDir.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "pages/PageBuilder.h"
#include "pages/SearchPage.h"
#include "search/CatalogSearch.h"

namespace {

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// A results template that shows each placeholder between markers, and item
// fragments that tell the types apart.
void WriteTemplates()
{
    WriteFile("tpl/search.html", "Q[*query*] C[*counts*] G[*groups*] B[*body*] M[*more*] F[*from*]");
    WriteFile("tpl/item_pic.html", "<html><body>{pic *name*|*id*|*desc*}</body></html>");
    WriteFile("tpl/item_ringtone.html", "<html><body>{tone *name*|*id*}</body></html>");
}

class SearchPageTest : public testing::Test
{
protected:
    void SetUp() override { WriteTemplates(); }
    void TearDown() override
    {
        for (int type : CONTENT_TYPE_LOAD_ORDER)
            CatalogForType(type)->Clear();
        TheCatalogSearch().Clear();
    }

    std::string Page(const std::string& query, size_t limit = SEARCH_PAGE_ITEMS, size_t openAt = 0)
    {
        TheCatalogSearch().Build();
        return SearchResultsPage(PageBuilder(m_dir.Path().string() + "/"), query,
                                 TheCatalogSearch().Find(query), limit, openAt);
    }

    TestDir m_dir;
};

TEST_F(SearchPageTest, ItemsStandUnderTheirTypeAndGroupDrawnByTheTypesFragment)
{
    ContentCatalog& tones = *CatalogForType(CT_RT_POLY);
    tones.AddGroup("Rock &amp; roll", "7");
    tones.AddItem(0, "Snow patrol - Run", "11", "f", "u", "d");
    tones.AddItem(0, "Other", "12", "f", "u", "falling snow");
    ContentCatalog& walls = *CatalogForType(CT_WALLPAPERS);
    walls.AddGroup("Snow", "8");
    for (int i = 0; i < 4; ++i)
        walls.AddItem(0, "Snow " + std::to_string(i), std::to_string(20 + i), "f", "u", "white");

    const std::string page = Page("snow");
    EXPECT_NE(page.find("Q[snow] C[1 group, 6 items]"), std::string::npos) << page;
    // The group found by its label, its link naming the type and the label.
    EXPECT_NE(page.find("data-kind=\"wp\" data-group=\"Snow\""), std::string::npos) << page;
    // The ringtones come first, as in the tree; the item found by its
    // description comes after every item found by its label.
    const size_t tone = page.find("{tone Snow patrol - Run|11}");
    const size_t pic = page.find("{pic Snow 0|20|white}");
    const size_t byDesc = page.find("Items found by their description");
    const size_t other = page.find("{tone Other|12}");
    ASSERT_NE(other, std::string::npos) << page;
    EXPECT_LT(tone, pic);
    EXPECT_LT(pic, byDesc);
    EXPECT_LT(byDesc, other);
    // One heading per type and group run: ringtones twice (before and after
    // the part of the description), wallpapers once.
    EXPECT_EQ(Count(page, ">Ringtones (poly)</a></h3>"), 2u) << page;
    EXPECT_EQ(Count(page, ">Wallpapers</a></h3>"), 1u) << page;
    // The group's label goes into the attribute so that the page hands back
    // the catalog's text, references and all.
    EXPECT_NE(page.find("data-kind=\"rtpoly\" data-group=\"Rock &amp;amp; roll\""), std::string::npos) << page;
    // Pictures three to a row: one row break after the third of four.
    EXPECT_EQ(page.find(std::string(ROW_BREAK), pic), page.find("{pic Snow 3") - ROW_BREAK.size()) << page;
}

TEST_F(SearchPageTest, TheQueryIsShownAsTypedAndCatalogTextIsNotFilledAgain)
{
    ContentCatalog& walls = *CatalogForType(CT_WALLPAPERS);
    walls.AddGroup("G", "8");
    walls.AddItem(0, "<b>\"x'&amp; *more* *query*", "20", "f", "u", "*body*");
    const std::string page = Page("<b>\"x'&");
    EXPECT_NE(page.find("Q[&lt;b&gt;&quot;x&#39;&amp;]"), std::string::npos) << page;
    EXPECT_NE(page.find("{pic <b>\"x'&amp; *more* *query*|20|*body*}"), std::string::npos) << page;
    EXPECT_NE(page.find("M[] F[0]"), std::string::npos) << page;
}

TEST_F(SearchPageTest, TheFirstItemsAreShownWithALinkToMore)
{
    ContentCatalog& tones = *CatalogForType(CT_RT_POLY);
    tones.AddGroup("Loud", "7");
    for (int i = 0; i < 450; ++i)
        tones.AddItem(0, "Song " + std::to_string(i), std::to_string(i), "f", "u", "d");

    const struct
    {
        size_t limit;
        size_t openAt;
        size_t cells;
        const char* more;  // "" when none
        const char* from;
    } cases[] = {
        {SEARCH_PAGE_ITEMS, 0, 200, "'findmore|400')\">Show 200 more</a>", "F[0]"},
        {400, 200, 400, "'findmore|450')\">Show 50 more</a>", "F[200]"},
        {450, 400, 450, "", "F[400]"},
        {10000, 20000, 450, "", "F[450]"},
    };
    for (const auto& c : cases) {
        const std::string page = Page("song", c.limit, c.openAt);
        EXPECT_EQ(Count(page, "{tone Song "), c.cells) << c.limit;
        EXPECT_NE(page.find("of 450 items are shown") != std::string::npos, std::string(c.more).empty())
            << c.limit;
        if (*c.more) {
            EXPECT_NE(page.find(c.more), std::string::npos) << page.substr(page.find("M["));
        }
        EXPECT_NE(page.find(c.from), std::string::npos) << c.limit;
    }
}

TEST_F(SearchPageTest, WithoutAResultsTemplateTheBuiltInOneIsUsed)
{
    std::filesystem::remove(m_dir.Path() / "tpl/search.html");
    const std::string page = Page("nothing at all");
    EXPECT_EQ(page.find("*query*"), std::string::npos);
    EXPECT_NE(page.find("Results for &ldquo;nothing at all&rdquo;"), std::string::npos) << page;
    EXPECT_NE(page.find("0 groups, 0 items"), std::string::npos);
    EXPECT_NE(page.find("<link rel=\"stylesheet\" href=\"styles.css\">"), std::string::npos);
}

} // namespace
