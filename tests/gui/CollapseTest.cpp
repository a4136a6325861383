#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidgetItem>

#include "GuiTestSupport.h"
#include "catalog/ContentType.h"
#include "pages/browser/CVantoryView.h"
#include "tree/CLeftView.h"

namespace {

enum class Collapse
{
    Call,       // collapseItem, as a program does
    Expander,   // a click on the node's expand button
    LeftKey,    // Left arrow on the current item
    MinusKey,   // minus on the current item
};

struct CollapseCase
{
    const char* name;
    const char* select;    // shown-text path made current first
    const char* collapse;  // the node acted on, "" for the selected one; keys act on the current item
    Collapse how;
    const char* current;   // the current item afterwards
    const char* title;     // the page written by the collapse; "" when none is
    bool collapsed;        // whether that node ends collapsed
};

void PrintTo(const CollapseCase& c, std::ostream* out)
{
    *out << c.name;
}

class CollapseTest : public testing::TestWithParam<CollapseCase>
{
};

// A node that hides the current item when it collapses takes the selection
// and shows its page; any other collapse leaves selection and page alone.
TEST_P(CollapseTest, HiddenSelectionMovesToTheCollapsedNode)
{
    const CollapseCase& c = GetParam();
    TestDir dir;
    InstallTemplates();
    WriteTypeCatalog(CT_WALLPAPERS, {{"10", "Love", {"a"}}, {"11", "Cars", {"b"}}});
    WriteTypeCatalog(CT_LOGOS_BIG, {{"40", "Only", {"d"}}});
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CLeftView& tree = *app.Tree();
    CVantoryView& browser = *app.Browser();

    QTreeWidgetItem* selected = FindNode(tree, QString::fromUtf8(c.select));
    ASSERT_NE(selected, nullptr) << c.select;
    tree.SelectItem(selected);
    // Open as the user would have it: the selected node and another type.
    if (selected->childCount() > 0)
        selected->setExpanded(true);
    tree.m_hLogosBig->setExpanded(true);
    const QByteArray pageBefore = browser.CurrentPage();
    int pages = 0;
    QObject::connect(&browser, &CxHtmlView::PageWritten, [&] { ++pages; });

    QTreeWidgetItem* node = *c.collapse ? FindNode(tree, QString::fromUtf8(c.collapse)) : selected;
    ASSERT_NE(node, nullptr) << c.collapse;
    switch (c.how) {
    case Collapse::Call:
        tree.collapseItem(node);
        break;
    case Collapse::Expander: {
        const QRect row = tree.visualItemRect(node);
        ASSERT_FALSE(row.isEmpty());
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                          QPoint(row.left() - tree.indentation() / 2, row.center().y()));
        break;
    }
    case Collapse::LeftKey:
        QTest::keyClick(&tree, Qt::Key_Left);
        break;
    case Collapse::MinusKey:
        QTest::keyClick(&tree, Qt::Key_Minus);
        break;
    }

    ASSERT_NE(tree.currentItem(), nullptr);
    EXPECT_EQ(tree.currentItem(), FindNode(tree, QString::fromUtf8(c.current)));
    EXPECT_EQ(tree.currentItem()->isSelected(), true);
    EXPECT_EQ(node->isExpanded(), !c.collapsed);
    if (*c.title) {
        EXPECT_EQ(pages, 1);
        EXPECT_TRUE(browser.CurrentPage().contains("<title>" + QByteArray(c.title) + "</title>"));
    } else {
        EXPECT_EQ(pages, 0);
        EXPECT_EQ(browser.CurrentPage(), pageBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Collapses, CollapseTest,
    testing::Values(
        CollapseCase{"TypeOfTheSelectedGroup", "Vantory/Wallpapers/Cars", "Vantory/Wallpapers", Collapse::Call,
                     "Vantory/Wallpapers", "Wallpapers", true},
        CollapseCase{"RootAboveTheSelectedGroup", "Vantory/Wallpapers/Cars", "Vantory", Collapse::Call, "Vantory",
                     "Vantory", true},
        CollapseCase{"RootAboveTheSelectedType", "Vantory/Logos", "Vantory", Collapse::Call, "Vantory", "Vantory",
                     true},
        CollapseCase{"AnotherType", "Vantory/Wallpapers/Cars", "Vantory/Logos (big)", Collapse::Call,
                     "Vantory/Wallpapers/Cars", "", true},
        CollapseCase{"TheSelectedNodeItself", "Vantory/Wallpapers", "Vantory/Wallpapers", Collapse::Call,
                     "Vantory/Wallpapers", "", true},
        CollapseCase{"ExpanderOfTheSelectedGroupsType", "Vantory/Wallpapers/Love", "Vantory/Wallpapers",
                     Collapse::Expander, "Vantory/Wallpapers", "Wallpapers", true},
        CollapseCase{"ExpanderOfAnotherType", "Vantory/Wallpapers/Love", "Vantory/Logos (big)", Collapse::Expander,
                     "Vantory/Wallpapers/Love", "", true},
        // Left on a group goes up to its type, which stays open; Left on an
        // open type closes it and keeps it selected.
        CollapseCase{"LeftKeyOnAGroup", "Vantory/Wallpapers/Cars", "Vantory/Wallpapers", Collapse::LeftKey,
                     "Vantory/Wallpapers", "Wallpapers", false},
        CollapseCase{"LeftKeyOnAnOpenType", "Vantory/Wallpapers", "", Collapse::LeftKey, "Vantory/Wallpapers", "",
                     true},
        CollapseCase{"MinusKeyOnAnOpenType", "Vantory/Wallpapers", "", Collapse::MinusKey, "Vantory/Wallpapers", "",
                     true},
        CollapseCase{"MinusKeyOnAGroup", "Vantory/Wallpapers/Cars", "Vantory/Wallpapers", Collapse::MinusKey,
                     "Vantory/Wallpapers/Cars", "", false}),
    [](const testing::TestParamInfo<CollapseCase>& param) { return std::string(param.param.name); });

TEST(ArrowKeysTest, WalkUpAndDownTheTreeShowingEachPage)
{
    TestDir dir;
    InstallTemplates();
    WriteTypeCatalog(CT_WALLPAPERS, {{"10", "Love", {"a"}}, {"11", "Cars", {"b"}}});
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CLeftView& tree = *app.Tree();
    CVantoryView& browser = *app.Browser();
    tree.SelectItem(FindNode(tree, QStringLiteral("Vantory/Wallpapers/Cars")));

    const struct
    {
        Qt::Key key;
        const char* current;
        bool wallpapersOpen;
        const char* title;
    } steps[] = {
        {Qt::Key_Left, "Vantory/Wallpapers", true, "Wallpapers"},
        {Qt::Key_Left, "Vantory/Wallpapers", false, "Wallpapers"},
        {Qt::Key_Left, "Vantory", false, "Vantory"},
        {Qt::Key_Right, "Vantory/Ringtones (poly)", false, "Ringtones (poly)"},
        {Qt::Key_Down, "Vantory/Ringtones (mono)", false, "Ringtones (mono)"},
        {Qt::Key_Down, "Vantory/Wallpapers", false, "Wallpapers"},
        {Qt::Key_Right, "Vantory/Wallpapers", true, "Wallpapers"},
        {Qt::Key_Right, "Vantory/Wallpapers/Love", true, "Love"},
        {Qt::Key_Left, "Vantory/Wallpapers", true, "Wallpapers"},
    };
    ASSERT_TRUE(tree.m_hRoot->isExpanded());
    for (const auto& step : steps) {
        QTest::keyClick(&tree, step.key);
        EXPECT_EQ(tree.currentItem(), FindNode(tree, QString::fromUtf8(step.current))) << step.current;
        EXPECT_EQ(tree.m_hWallpapers->isExpanded(), step.wallpapersOpen) << step.current;
        EXPECT_TRUE(browser.CurrentPage().contains("<title>" + QByteArray(step.title) + "</title>")) << step.current;
    }
    // Left on the open root closes it; the root stays selected.
    tree.SelectItem(tree.m_hRoot);
    QTest::keyClick(&tree, Qt::Key_Left);
    EXPECT_EQ(tree.currentItem(), tree.m_hRoot);
    EXPECT_FALSE(tree.m_hRoot->isExpanded());
}

} // namespace
