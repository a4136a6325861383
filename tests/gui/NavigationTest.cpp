#include <gtest/gtest.h>

#include <QAction>
#include <QToolBar>
#include <QTreeWidgetItem>

#include "GuiTestSupport.h"
#include "app/CMainFrame.h"
#include "catalog/ContentType.h"
#include "pages/browser/CVantoryView.h"
#include "res/Resource.h"
#include "tree/CLeftView.h"

namespace {

void WriteNavigationCatalog()
{
    WriteTypeCatalog(CT_WALLPAPERS, {{"10", "Love", {"a"}}, {"11", "Cars", {"b"}}, {"12", "Sea", {"c"}}});
    WriteTypeCatalog(CT_LOGOS_BIG, {{"40", "Only", {"d"}}});
}

QAction* ToolbarAction(CMainFrame& frame, int id)
{
    return frame.CommandAction(id);
}

struct NavigationCase
{
    const char* name;
    const char* select;  // path of shown texts; "" selects nothing
    bool up;
    bool prev;
    bool next;
};

class NavigationStateTest : public testing::TestWithParam<NavigationCase>
{
};

// The enable rules of Go up / Previous item / Next item for every kind of
// selection, as the toolbar shows them and as a command would find them.
TEST_P(NavigationStateTest, CommandsAreEnabledExactlyWhenTheyCanMove)
{
    const NavigationCase& c = GetParam();
    TestDir dir;
    WriteNavigationCatalog();
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = *app.Frame();
    CLeftView& tree = *app.Tree();
    if (*c.select) {
        QTreeWidgetItem* node = FindNode(tree, QString::fromUtf8(c.select));
        ASSERT_NE(node, nullptr) << c.select;
        tree.SelectItem(node);
    }

    EXPECT_EQ(ToolbarAction(frame, ID_GO_UP)->isEnabled(), c.up);
    EXPECT_EQ(ToolbarAction(frame, ID_PREV_ITEM)->isEnabled(), c.prev);
    EXPECT_EQ(ToolbarAction(frame, ID_NEXT_ITEM)->isEnabled(), c.next);
    EXPECT_EQ(frame.IsCommandEnabled(ID_GO_UP), c.up);
    EXPECT_EQ(frame.IsCommandEnabled(ID_PREV_ITEM), c.prev);
    EXPECT_EQ(frame.IsCommandEnabled(ID_NEXT_ITEM), c.next);
    EXPECT_EQ(tree.FindParentItem(), c.up);
    EXPECT_EQ(tree.FindPrevItem(), c.prev);
    EXPECT_EQ(tree.FindNextItem(), c.next);

    // A disabled command does nothing at all when it arrives anyway.
    QTreeWidgetItem* before = tree.currentItem();
    for (int id : {ID_GO_UP, ID_PREV_ITEM, ID_NEXT_ITEM})
        if (!frame.IsCommandEnabled(id)) {
            EXPECT_FALSE(frame.ExecuteCommand(id));
            EXPECT_EQ(tree.currentItem(), before);
        }
}

INSTANTIATE_TEST_SUITE_P(
    Selections, NavigationStateTest,
    testing::Values(NavigationCase{"Nothing", "", false, false, false},
                    NavigationCase{"Root", "Vantory", false, false, false},
                    NavigationCase{"FirstType", "Vantory/Ringtones (poly)", true, false, true},
                    NavigationCase{"MiddleType", "Vantory/Wallpapers", true, true, true},
                    NavigationCase{"LastType", "Vantory/Logos (big)", true, true, false},
                    NavigationCase{"FirstGroup", "Vantory/Wallpapers/Love", true, false, true},
                    NavigationCase{"MiddleGroup", "Vantory/Wallpapers/Cars", true, true, true},
                    NavigationCase{"LastGroup", "Vantory/Wallpapers/Sea", true, true, false},
                    NavigationCase{"OnlyGroup", "Vantory/Logos (big)/Only", true, false, false}),
    [](const testing::TestParamInfo<NavigationCase>& param) { return std::string(param.param.name); });

TEST(NavigationTest, MovesSelectTheTargetAndShowItsPage)
{
    TestDir dir;
    InstallTemplates();
    WriteNavigationCatalog();
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = *app.Frame();
    CLeftView& tree = *app.Tree();
    CVantoryView& browser = *app.Browser();
    int pages = 0;
    QObject::connect(&browser, &CxHtmlView::PageWritten, [&] { ++pages; });

    tree.SelectItem(tree.m_hRtPoly);
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(browser.CurrentPage().contains("<title>Ringtones (poly)</title>"));

    ASSERT_TRUE(frame.ExecuteCommand(ID_NEXT_ITEM));
    EXPECT_EQ(tree.currentItem(), tree.m_hRtMono);
    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(browser.CurrentPage().contains("<title>Ringtones (mono)</title>"));

    ASSERT_TRUE(frame.ExecuteCommand(ID_PREV_ITEM));
    EXPECT_EQ(tree.currentItem(), tree.m_hRtPoly);

    ASSERT_TRUE(frame.ExecuteCommand(ID_GO_UP));
    EXPECT_EQ(tree.currentItem(), tree.m_hRoot);
    EXPECT_EQ(pages, 4);
    EXPECT_TRUE(browser.CurrentPage().contains("<title>Vantory</title>"));

    // A group page, and Next item stops at the last group of its type.
    tree.SelectItem(FindNode(tree, QStringLiteral("Vantory/Wallpapers/Cars")));
    EXPECT_TRUE(browser.CurrentPage().contains("<title>Cars</title>"));
    ASSERT_TRUE(frame.ExecuteCommand(ID_NEXT_ITEM));
    EXPECT_EQ(tree.currentItem()->text(0), QStringLiteral("Sea"));
    EXPECT_FALSE(frame.ExecuteCommand(ID_NEXT_ITEM));
    EXPECT_EQ(tree.currentItem()->text(0), QStringLiteral("Sea"));
}

TEST(NavigationTest, SelectingTheSelectedItemMakesNoNewPage)
{
    TestDir dir;
    WriteNavigationCatalog();
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CLeftView& tree = *app.Tree();
    int pages = 0;
    QObject::connect(app.Browser(), &CxHtmlView::PageWritten, [&] { ++pages; });

    tree.SelectItem(tree.m_hWallpapers);
    tree.SelectItem(tree.m_hWallpapers);
    tree.setCurrentItem(tree.m_hWallpapers);
    EXPECT_EQ(pages, 1);
    // Leaving and coming back does make it again.
    tree.SelectItem(tree.m_hLogos);
    tree.SelectItem(tree.m_hWallpapers);
    EXPECT_EQ(pages, 3);
}

TEST(NavigationTest, ToolbarHoldsTheFiveEntriesWithTheirTexts)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    const QList<QAction*> actions = app.Frame()->m_wndToolBar->actions();
    // The five, then the room before the search field and the field.
    ASSERT_EQ(actions.size(), 7);
    EXPECT_EQ(app.Frame()->m_wndToolBar->widgetForAction(actions[6])->objectName(), QStringLiteral("searchField"));
    const struct
    {
        int id;
        const char* tip;
        const char* prompt;
    } expected[] = {
        {ID_GO_UP, "Go up", "Go up"},
        {ID_PREV_ITEM, "Previuos item", "Go to previous item"},
        {ID_NEXT_ITEM, "Next item", "Go to next item"},
        {0, "", ""},
        {ID_VISIT_HOMEPAGE, "Visit homepage", "Visit hompage"},
    };
    for (int i = 0; i < 5; ++i) {
        if (expected[i].id == 0) {
            EXPECT_TRUE(actions[i]->isSeparator());
            continue;
        }
        EXPECT_EQ(actions[i], app.Frame()->CommandAction(expected[i].id));
        EXPECT_EQ(actions[i]->toolTip(), QString::fromUtf8(expected[i].tip));
        EXPECT_EQ(actions[i]->statusTip(), QString::fromUtf8(expected[i].prompt));
        EXPECT_FALSE(actions[i]->icon().isNull());
    }
    EXPECT_TRUE(app.Frame()->CommandAction(ID_VISIT_HOMEPAGE)->isEnabled());
}

} // namespace
