#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "SkinTestSupport.h"
#include "skin/CSkinMenuBitmaps.h"
#include "skin/FlatMenuStyle.h"
#include "skin/MenuMeasure.h"
#include "skin/SkinState.h"

namespace {

TEST(SkinStateTest, TenStylesInTheirOrderWithStyleTwoActive)
{
    // The first test of a fresh process sees the skin as it starts.
    EXPECT_EQ(SkinState::Get().StyleIds(), (std::vector<int>{6, 7, 0, 1, 2, 3, 8, 9, 4, 5}));
    EXPECT_EQ(GetMenuStyle(), 2);
    // Smooth gradients and flat menus unless a test asks otherwise.
    EXPECT_TRUE(SkinState::Get().Environment().gradientFill);
    EXPECT_TRUE(SkinState::Get().Environment().flatMenus);
}

TEST(SkinStateTest, SetMenuStyleReturnsThePreviousId)
{
    SkinGuard guard(2);
    EXPECT_EQ(SetMenuStyle(8), 2);
    EXPECT_EQ(SetMenuStyle(8), 8);
    EXPECT_EQ(GetMenuStyle(), 8);
    EXPECT_EQ(SetMenuStyle(12), -1);
    EXPECT_EQ(SetMenuStyle(-1), -1);
    EXPECT_EQ(GetMenuStyle(), 8);
}

TEST(SkinStateTest, RegisteringAKnownIdDoesNothing)
{
    const size_t count = SkinState::Get().StyleIds().size();
    const MenuStyle* before = SkinState::Get().FindStyle(8);
    SkinState::Get().RegisterStyle(std::make_unique<MenuStyle>(8, false, MeasureClassicItem, DrawClassicItem, DrawMenuTitle));
    EXPECT_EQ(SkinState::Get().StyleIds().size(), count);
    EXPECT_EQ(SkinState::Get().FindStyle(8), before);
}

class StylePairTest : public testing::TestWithParam<int>
{
};

// The pair 2n, 2n + 1 measures and draws alike; only the even id draws the
// window's border.
TEST_P(StylePairTest, SharesAllButTheBorderFlag)
{
    const int even = GetParam();
    const MenuStyle* own = SkinState::Get().FindStyle(even);
    const MenuStyle* system = SkinState::Get().FindStyle(even + 1);
    ASSERT_TRUE(own && system);
    EXPECT_TRUE(own->DrawsOwnBorder());
    EXPECT_FALSE(system->DrawsOwnBorder());
    const bool flat = even == 2 || even == 8;
    EXPECT_EQ(dynamic_cast<const FlatMenuStyle*>(own) != nullptr, flat);
    EXPECT_EQ(dynamic_cast<const FlatMenuStyle*>(system) != nullptr, flat);

    const MenuColors colors = TestColors();
    for (unsigned flags : {0u, unsigned(MenuItemSelected), unsigned(MenuItemSeparator), unsigned(MenuItemMenuBar | MenuItemHot)}) {
        MenuItem item;
        item.text = QStringLiteral("&Open\tCtrl+O");
        item.flags = flags;
        EXPECT_EQ(own->Measure(item, TestMetrics()), system->Measure(item, TestMetrics())) << flags;
        EXPECT_EQ(RenderItem(*own, item, {120, 22}, colors), RenderItem(*system, item, {120, 22}, colors)) << flags;
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, StylePairTest, testing::Values(0, 2, 4, 6, 8));

TEST(SkinStateTest, ColourChangesRefreshTheIconsAtMostEveryTwoSeconds)
{
    SkinGuard guard(8);
    qint64 now = 100000;
    SkinState::Get().SetClock([&now] { return now; });
    const int before = SkinState::Get().IconRefreshCount();
    EXPECT_TRUE(SkinState::Get().RefreshIconSets());
    now += 1999;
    EXPECT_FALSE(SkinState::Get().RefreshIconSets());
    EXPECT_EQ(SkinState::Get().IconRefreshCount(), before + 1);
    now += 1;
    EXPECT_TRUE(SkinState::Get().RefreshIconSets());
    EXPECT_EQ(SkinState::Get().IconRefreshCount(), before + 2);
}

TEST(SkinStateTest, IconSetFollowsTheColours)
{
    SkinGuard guard(8);
    QImage strip(32, 15, QImage::Format_RGB32);
    strip.fill(Qt::magenta);
    strip.setPixel(20, 7, qRgb(200, 30, 30));
    const CSkinMenuBitmaps icons(strip, {16, 15}, {0, 7, 9});
    ASSERT_EQ(icons.Count(), 2);
    EXPECT_EQ(icons.FindCommand(9), 1);
    EXPECT_EQ(icons.FindCommand(0), -1);
    const MenuItemIcon icon = icons.Icon(1);
    EXPECT_EQ(qAlpha(icon.image.toImage().pixel(0, 0)), 0) << "the top-left colour is transparent";
    EXPECT_EQ(Rgb(icon.image.toImage(), 4, 7), qRgb(200, 30, 30));
    const QRgb disabledBefore = icon.disabled.toImage().pixel(4, 7);

    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Highlight, QColor(200, 40, 40));
    QApplication::setPalette(palette);
    SkinState::Get().SetClock([] { return qint64(1) << 40; });
    SkinState::Get().RefreshIconSets();
    EXPECT_NE(icons.Icon(1).disabled.toImage().pixel(4, 7), disabledBefore);
    QApplication::setPalette(QPalette());
}

} // namespace
