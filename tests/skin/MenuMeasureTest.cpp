#include <gtest/gtest.h>

#include <QFontMetrics>

#include "SkinTestSupport.h"
#include "skin/MenuMeasure.h"

namespace {

MenuItem Item(const QString& text, unsigned flags = 0)
{
    MenuItem item;
    item.text = text;
    item.flags = flags;
    return item;
}

int Width(const QString& text, bool bold = false)
{
    QFont font = TestMetrics().font;
    font.setBold(bold);
    return QFontMetrics(font).horizontalAdvance(text);
}

TEST(FlatMeasureTest, SeparatorIsThreeByThree)
{
    EXPECT_EQ(MeasureFlatItem(Item({}, MenuItemSeparator), TestMetrics()), QSize(3, 3));
}

TEST(FlatMeasureTest, PopUpItemWidthAddsIconHalfBarAndSix)
{
    const MenuMetrics metrics = TestMetrics();
    const QSize size = MeasureFlatItem(Item(QStringLiteral("E&xit")), metrics);
    EXPECT_EQ(size.width(), 16 + 19 / 2 + Width(QStringLiteral("E&xit")) + 6);
}

TEST(FlatMeasureTest, TabCountsAsThreeLetters)
{
    const QSize size = MeasureFlatItem(Item(QStringLiteral("&Open\tCtrl+O")), TestMetrics());
    EXPECT_EQ(size.width(), 16 + 9 + Width(QStringLiteral("&OpennnnCtrl+O")) + 6);
}

TEST(FlatMeasureTest, DefaultItemIsMeasuredBold)
{
    const QSize size = MeasureFlatItem(Item(QStringLiteral("&Properties"), MenuItemDefault), TestMetrics());
    EXPECT_EQ(size.width(), 16 + 9 + Width(QStringLiteral("&Properties"), true) + 6);
}

TEST(FlatMeasureTest, MenuBarItemIsItsTextLessSixForTheAmpersand)
{
    const MenuMetrics metrics = TestMetrics();
    EXPECT_EQ(MeasureFlatItem(Item(QStringLiteral("&File"), MenuItemMenuBar), metrics).width(),
              Width(QStringLiteral("&File")) - 6);
    EXPECT_EQ(MeasureFlatItem(Item(QStringLiteral("File"), MenuItemMenuBar), metrics).width(),
              Width(QStringLiteral("File")));
}

// The height: the menu bar height when it exceeds icon height + 8, else
// icon height + 7; never below the text.
struct HeightCase
{
    int menuBarHeight;
    int iconHeight;
    int pointSize;
    int expected;  // 0: the text height
};

class FlatHeightTest : public testing::TestWithParam<HeightCase>
{
};

TEST_P(FlatHeightTest, FollowsMenuBarIconAndText)
{
    MenuMetrics metrics = TestMetrics();
    metrics.menuBarHeight = GetParam().menuBarHeight;
    metrics.iconSize.setHeight(GetParam().iconHeight);
    metrics.font.setPointSize(GetParam().pointSize);
    const int expected = GetParam().expected ? GetParam().expected : QFontMetrics(metrics.font).height();
    EXPECT_EQ(MeasureFlatItem(Item(QStringLiteral("&Open")), metrics).height(), expected);
    EXPECT_EQ(MeasureFlatItem(Item(QStringLiteral("&File"), MenuItemMenuBar), metrics).height(), expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, FlatHeightTest,
                         testing::Values(HeightCase{24, 15, 8, 24},   // bar exceeds icon + 8
                                         HeightCase{23, 15, 8, 22},   // bar equal to icon + 8: icon + 7
                                         HeightCase{19, 15, 8, 22},   // the usual case
                                         HeightCase{19, 4, 8, 19},    // small icons
                                         HeightCase{19, 4, 40, 0}));  // a large font

TEST(FlatMeasureTest, SystemMenuCommandsShareTheWidestWidth)
{
    MenuMetrics metrics = TestMetrics();
    metrics.systemCommandsWidth = 140;
    MenuItem close = Item(QStringLiteral("&Close\tAlt+F4"));
    close.commandId = 0xF060;
    EXPECT_EQ(MeasureFlatItem(close, metrics), QSize(140, 19));
    close.commandId = 0xF151;
    EXPECT_NE(MeasureFlatItem(close, metrics).width(), 140);
}

TEST(TitleMeasureTest, HorizontalTitleIsItsTextGroovesAddEight)
{
    const MenuMetrics metrics = TestMetrics();
    const QFontMetrics title(metrics.TitleFont());
    MenuItem item = Item(QStringLiteral("Vantory"), MenuItemSeparator);
    item.titleOptions = MenuTitle;
    EXPECT_EQ(MeasureFlatItem(item, metrics), QSize(title.horizontalAdvance(item.text), title.height()));
    item.titleOptions |= MenuTitleGrooves;
    EXPECT_EQ(MeasureFlatItem(item, metrics).height(), title.height() + 8);
}

TEST(TitleMeasureTest, VerticalTitleIsTextHeightLessTheCheckMark)
{
    const MenuMetrics metrics = TestMetrics();
    const int textHeight = QFontMetrics(metrics.TitleFont()).height();
    MenuItem item = Item(QStringLiteral("Vantory"), MenuItemSeparator);
    item.titleOptions = MenuTitle | MenuTitleVertical;
    EXPECT_EQ(MeasureTitle(item, metrics), QSize(textHeight - 13, 0));
    item.titleOptions = MenuTitle | MenuTitleVertical | MenuTitleRounded;
    EXPECT_EQ(MeasureTitle(item, metrics).width(), textHeight - 13 + 4);
    item.titleOptions |= MenuTitleGrooves;
    EXPECT_EQ(MeasureTitle(item, metrics).width(), textHeight - 13 + 8);
}

} // namespace
