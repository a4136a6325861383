#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QStringList>
#include <QTest>

#include "GuiTestSupport.h"
#include "app/CMainFrame.h"
#include "catalog/ContentType.h"
#include "pages/browser/CVantoryView.h"
#include "tree/CLeftView.h"

namespace {

// The page's height, then the box of every cell of the items table and of
// the card in it, once the page has settled: a card out of view is laid out
// only when the view comes near, at the next frame.
const QString kBoxes = QStringLiteral(R"JS(
(function () {
    var out = [String(document.scrollingElement.scrollHeight)];
    document.querySelectorAll("table.grid td, table.grid td > div").forEach(function (e) {
        var r = e.getBoundingClientRect();
        out.push([r.left, r.top, r.width, r.height].join(","));
    });
    return out;
})()
)JS");

std::vector<std::string> Names(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back("Item " + std::to_string(i));
    return names;
}

struct LayoutCase
{
    int type;
    QTreeWidgetItem* CLeftView::*node;
    int items;
    bool byRows;  // several cells of items to a row
};

// Groups of every size around whole rows, of the types with three, two and
// one cells to a row, and a long group whose rows out of view are skipped.
const LayoutCase kCases[] = {
    {CT_LOGOS, &CLeftView::m_hLogos, 1, false},      {CT_LOGOS, &CLeftView::m_hLogos, 2, true},
    {CT_LOGOS, &CLeftView::m_hLogos, 3, true},       {CT_LOGOS, &CLeftView::m_hLogos, 4, true},
    {CT_LOGOS, &CLeftView::m_hLogos, 5, true},       {CT_LOGOS, &CLeftView::m_hLogos, 6, true},
    {CT_LOGOS, &CLeftView::m_hLogos, 401, true},     {CT_SCREENSAVERS, &CLeftView::m_hScreensavers, 3, true},
    {CT_SCREENSAVERS, &CLeftView::m_hScreensavers, 4, true},
    {CT_SCREENSAVERS, &CLeftView::m_hScreensavers, 300, true},
    {CT_JAVA, &CLeftView::m_hJava, 5, false},
};

class ItemsLayoutTest : public testing::Test
{
protected:
    void SetUp() override
    {
        InstallTemplates();
        for (int type : {CT_LOGOS, CT_SCREENSAVERS, CT_JAVA}) {
            std::vector<TestGroup> groups;
            for (const LayoutCase& c : kCases)
                if (c.type == type)
                    groups.push_back({std::to_string(c.items), "Size " + std::to_string(c.items), Names(c.items)});
            WriteTypeCatalog(type, groups);
        }
        // Cards taller than the style sheet's guess, all alike: names of
        // several lines, of one length.
        std::vector<std::string> longNames;
        for (int i = 100; i < 400; ++i)
            longNames.push_back("Wallpaper " + std::to_string(i) + " of those whose names take several lines");
        WriteTypeCatalog(CT_WALLPAPERS, {{"300", "Size 300", longNames}});
        m_app = std::make_unique<RunningApp>();
        ASSERT_TRUE(m_app->Started());
        ASSERT_TRUE(WaitForLoaded(View()));
    }

    CVantoryView& View() { return *m_app->Browser(); }

    // Shows the group's page and gives the boxes of its items as shown,
    // then as the table lays them out.
    bool ShowBothWays(const LayoutCase& c, QStringList& shown, QStringList& asTable)
    {
        if (!Show(c))
            return false;
        shown = RunScript(View(), kBoxes).toStringList();
        m_byRows = RunScript(View(), QStringLiteral("document.querySelector('table.grid').classList.contains('by-rows')"))
                       .toBool();
        m_width = RunScript(View(), QStringLiteral("document.documentElement.clientWidth")).toInt();
        RunScript(View(), QStringLiteral("document.querySelector('table.grid').classList.remove('by-rows'); 1"));
        Pump(150);
        asTable = RunScript(View(), kBoxes).toStringList();
        return true;
    }

    // Selects the group and waits until its page has loaded and settled.
    bool Show(const LayoutCase& c)
    {
        CLeftView& tree = *m_app->Tree();
        QTreeWidgetItem* group = nullptr;
        for (int i = 0; i < (tree.*c.node)->childCount(); ++i)
            if (CLeftView::ItemLabel((tree.*c.node)->child(i)) == "Size " + std::to_string(c.items))
                group = (tree.*c.node)->child(i);
        if (!group || !LoadsNewPage(View(), [&] { tree.SelectItem(group); }))
            return false;
        Pump(150);
        return true;
    }

    bool m_byRows = false;
    int m_width = 0;
    TestDir m_dir;
    std::unique_ptr<RunningApp> m_app;
};

TEST_F(ItemsLayoutTest, RowsLaidOutOneByOneGiveEveryCellTheTablesBox)
{
    // A wide pane, and one narrow enough for the smaller spacing and cards.
    for (const int frameWidth : {1280, 760}) {
        m_app->Frame()->resize(frameWidth, 800);
        for (const LayoutCase& c : kCases) {
            SCOPED_TRACE(testing::Message() << "type " << c.type << ", " << c.items << " items, frame "
                                            << frameWidth);
            QStringList shown;
            QStringList asTable;
            ASSERT_TRUE(ShowBothWays(c, shown, asTable));
            EXPECT_EQ(m_byRows, c.byRows);
            EXPECT_GT(shown.size(), 2 * c.items);
            EXPECT_EQ(shown, asTable);
            if (frameWidth == 760) {
                EXPECT_LT(m_width, 560);
            }
        }
    }
}

// A long page is as long before its rows are drawn as after: the rows not
// yet shown stand in at the height of those drawn, so that End, or the
// scroll bar pulled down, shows the last row at once instead of stopping
// rows short of it.
TEST_F(ItemsLayoutTest, TheEndOfALongPageIsReachedInOneGo)
{
    const QString height = QStringLiteral("document.scrollingElement.scrollHeight");
    const QString atEnd = QStringLiteral(
        "(function () { var page = document.scrollingElement;"
        "  var cards = document.querySelectorAll('table.grid .item');"
        "  var last = cards[cards.length - 1].getBoundingClientRect();"
        "  return page.scrollTop + page.clientHeight >= page.scrollHeight - 1"
        "      && last.bottom <= page.clientHeight + 1; })()");
    const LayoutCase tall = {CT_WALLPAPERS, &CLeftView::m_hWallpapers, 300, true};
    for (const LayoutCase& c : {kCases[6], kCases[9], tall}) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", " << c.items << " items");
        ASSERT_TRUE(Show(c));
        const int before = RunScript(View(), height).toInt();
        QTest::mouseClick(View().focusProxy(), Qt::LeftButton, {}, QPoint(4, 4));
        QTest::keyClick(View().focusProxy(), Qt::Key_End);
        ASSERT_TRUE(WaitFor([&] { return RunScript(View(), atEnd).toBool(); }, 5000));
        // The rows at the end are drawn at the next frames.
        Pump(200);
        EXPECT_NEAR(RunScript(View(), height).toInt(), before, 1);
        EXPECT_TRUE(RunScript(View(), atEnd).toBool());
    }
}

// Every page comes at the same address; the next one starts at its top all
// the same, not where the one before was left.
TEST_F(ItemsLayoutTest, ANewPageStartsAtItsTop)
{
    const QString top = QStringLiteral("document.scrollingElement.scrollTop");
    ASSERT_TRUE(Show(kCases[6]));
    RunScript(View(), QStringLiteral("window.scrollTo(0, document.scrollingElement.scrollHeight); 1"));
    Pump(100);
    ASSERT_GT(RunScript(View(), top).toInt(), 1000);
    ASSERT_TRUE(Show(kCases[9]));
    EXPECT_EQ(RunScript(View(), top).toInt(), 0);
}

// Pictures are asked for a row at a time as the row nears the view: those
// of the first rows at once, those of the last row once it is scrolled to.
TEST_F(ItemsLayoutTest, PicturesLoadRowByRowAsTheyComeNearTheView)
{
    // The smallest GIF: one transparent pixel.
    static const char kGif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00"
                               "\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;";
    const LayoutCase& big = kCases[6];
    ASSERT_EQ(big.items, 401);
    for (int i = 0; i < big.items; ++i) {
        const std::string id = std::to_string(big.items);
        WriteFile("data/logos/" + id + "/" + id + "-" + std::to_string(i) + ".gif", std::string(kGif, sizeof kGif - 1));
    }
    ASSERT_TRUE(Show(big));
    const QString loaded = QStringLiteral(
        "(function (row) { var imgs = row.querySelectorAll('img');"
        "  return Array.prototype.filter.call(imgs, function (i) {"
        "    return !i.hasAttribute('data-src') && i.complete && i.naturalWidth === 1; }).length; })(%1)");
    const QString firstRow = QStringLiteral("document.querySelector('table.grid').rows[0]");
    const QString lastRow = QStringLiteral("document.querySelector('table.grid').rows[133]");
    ASSERT_TRUE(WaitFor([&] { return RunScript(View(), loaded.arg(firstRow)).toInt() == 3; }));
    EXPECT_EQ(RunScript(View(), loaded.arg(lastRow)).toInt(), 0);
    EXPECT_EQ(RunScript(View(), lastRow + QStringLiteral(".querySelectorAll('img[data-src]').length")).toInt(), 2);

    RunScript(View(), QStringLiteral("window.scrollTo(0, document.scrollingElement.scrollHeight); 1"));
    EXPECT_TRUE(WaitFor([&] { return RunScript(View(), loaded.arg(lastRow)).toInt() == 2; }));
}

} // namespace
