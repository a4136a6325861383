#include <gtest/gtest.h>

#include <QTreeWidgetItem>

#include "WidgetsTestSupport.h"
#include "catalog/ContentType.h"
#include "tree/CLeftView.h"

namespace {

struct SelectGroupCase
{
    const char* name;
    const char* selected;  // shown-text path; "" for none
    const char* label;
    int expectedIndex;     // child of the wallpapers node; -1: the selection stays
};

class SelectGroupTest : public testing::TestWithParam<SelectGroupCase>
{
};

TEST_P(SelectGroupTest, SelectsTheFirstChildWithExactlyThatLabel)
{
    const SelectGroupCase& c = GetParam();
    TestDir dir;
    WriteTypeCatalog(CT_WALLPAPERS, {{"1", "Love", {"a"}},
                                     {"2", "Cars", {"b"}},
                                     {"3", "Love", {"c"}},
                                     {"4", "Rock &amp; roll", {"d"}},
                                     {"5", "Éxitos", {"e"}}});
    // The tree alone: without the browser pane no page is shown.
    CLeftView tree;
    tree.OnInitialUpdate();
    if (*c.selected)
        tree.SelectItem(FindNode(tree, QString::fromUtf8(c.selected)));
    QTreeWidgetItem* before = tree.currentItem();

    tree.SelectGroup(c.label);

    if (c.expectedIndex < 0)
        EXPECT_EQ(tree.currentItem(), before);
    else
        EXPECT_EQ(tree.currentItem(), tree.m_hWallpapers->child(c.expectedIndex));
}

INSTANTIATE_TEST_SUITE_P(
    Labels, SelectGroupTest,
    testing::Values(SelectGroupCase{"Unique", "Vantory/Wallpapers", "Cars", 1},
                    SelectGroupCase{"DuplicateTakesTheFirst", "Vantory/Wallpapers", "Love", 0},
                    SelectGroupCase{"OtherCaseSelectsNothing", "Vantory/Wallpapers", "love", -1},
                    SelectGroupCase{"PrefixSelectsNothing", "Vantory/Wallpapers", "Lov", -1},
                    SelectGroupCase{"EmptySelectsNothing", "Vantory/Wallpapers", "", -1},
                    SelectGroupCase{"CatalogLabelWithReference", "Vantory/Wallpapers", "Rock &amp; roll", 3},
                    SelectGroupCase{"ShownTextIsNotTheLabel", "Vantory/Wallpapers", "Rock & roll", -1},
                    SelectGroupCase{"MultibyteLabel", "Vantory/Wallpapers", "Éxitos", 4},
                    SelectGroupCase{"FromAGroupLeafNothing", "Vantory/Wallpapers/Cars", "Love", -1},
                    SelectGroupCase{"FromAnotherTypeNothing", "Vantory/Logos", "Love", -1},
                    SelectGroupCase{"WithoutSelectionNothing", "", "Love", -1}),
    [](const testing::TestParamInfo<SelectGroupCase>& param) { return std::string(param.param.name); });

} // namespace
