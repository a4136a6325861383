#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "skin/SkinColors.h"

namespace {

struct ColourCase
{
    const char* name;
    QRgb result;
    QRgb expected;
};

void PrintTo(const ColourCase& c, std::ostream* out)
{
    *out << c.name;
}

class ColourRuleTest : public testing::TestWithParam<ColourCase>
{
};

TEST_P(ColourRuleTest, GivesTheExactChannels)
{
    EXPECT_EQ(Rgb(GetParam().result), Rgb(GetParam().expected))
        << std::hex << Rgb(GetParam().result) << " instead of " << GetParam().expected;
}

// Every rule at its ends and where rounding decides.
INSTANTIATE_TEST_SUITE_P(
    EdgeValues, ColourRuleTest,
    testing::Values(ColourCase{"DarkenNothing", Darken(0, qRgb(12, 128, 255)), qRgb(12, 128, 255)},
                    ColourCase{"DarkenAll", Darken(255, qRgb(12, 128, 255)), qRgb(0, 0, 0)},
                    ColourCase{"DarkenRoundsHalfUp", Darken(10, qRgb(255, 51, 1)), qRgb(245, 49, 1)},
                    ColourCase{"LightenNothing", Lighten(0, qRgb(12, 128, 255)), qRgb(12, 128, 255)},
                    ColourCase{"LightenAll", Lighten(255, qRgb(12, 128, 0)), qRgb(255, 255, 255)},
                    ColourCase{"LightenRounds", Lighten(115, qRgb(0, 84, 227)), qRgb(115, 161, 240)},
                    ColourCase{"Mix86PartsRoundedApart", Mix86(qRgb(255, 1, 0), qRgb(0, 1, 255)), qRgb(219, 1, 36)},
                    ColourCase{"Mix70PartsRoundedApart", Mix70(qRgb(245, 1, 5), qRgb(0, 1, 5)), qRgb(172, 1, 6)},
                    ColourCase{"BluishOfWhite", Bluish(qRgb(255, 255, 255)), qRgb(179, 179, 217)},
                    ColourCase{"BluishOfBlack", Bluish(qRgb(0, 0, 0)), qRgb(0, 0, 39)},
                    ColourCase{"BluishOfSelectionFill", Bluish(qRgb(255, 238, 194)), qRgb(179, 167, 174)},
                    ColourCase{"ColorRefRedInLowByte", FromColorRef(0xF5C2A3), qRgb(0xA3, 0xC2, 0xF5)}),
    CaseName<ColourCase>);

// The icon column colour mixes a slightly darkened window colour with the
// active caption colour; three results are replaced exactly.
struct IconColumnCase
{
    const char* name;
    QRgb caption;
    QRgb expected;
};

class IconColumnColorTest : public testing::TestWithParam<IconColumnCase>
{
};

TEST_P(IconColumnColorTest, MixesCaptionIntoTheWindowColour)
{
    SystemColors system = TestColors().System();
    system.window = qRgb(255, 255, 255);
    system.activeCaption = GetParam().caption;
    EXPECT_EQ(Rgb(MenuColors(system, {}).IconColumnColor()), Rgb(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, IconColumnColorTest,
    testing::Values(IconColumnCase{"BlueReplaced", qRgb(0, 84, 227), FromColorRef(0xF5C2A3)},
                    IconColumnCase{"OliveReplaced", qRgb(140, 160, 107), FromColorRef(0xAADADA)},
                    IconColumnCase{"SilverReplaced", qRgb(193, 193, 193), FromColorRef(0xE5D7D7)},
                    IconColumnCase{"OtherKept", qRgb(48, 140, 198), qRgb(186, 214, 231)},
                    IconColumnCase{"NeighbourOfReplacedKept", qRgb(0, 84, 230), qRgb(172, 197, 241)}),
    CaseName<IconColumnCase>);

SystemColors Distinct()
{
    SystemColors system{};
    system.window = qRgb(250, 250, 250);
    system.menu = qRgb(210, 210, 210);
    system.menuBar = qRgb(230, 230, 230);
    system.highlight = qRgb(10, 40, 200);
    system.buttonFace = qRgb(220, 215, 200);
    system.activeCaption = qRgb(0, 84, 227);
    return system;
}

TEST(MenuColorsTest, SelectionMixesTheHighlightInAndFaceIsTheButtonFace)
{
    const SystemColors system = Distinct();
    const MenuColors colors(system, {});
    EXPECT_EQ(colors.SelectionColor(), Mix70(system.window, system.highlight));
    EXPECT_EQ(colors.FaceColor(), system.buttonFace);
}

TEST(MenuColorsTest, MenuBackgroundPrefersTheBrushThenTheFlatMenuBar)
{
    const SystemColors system = Distinct();
    SkinEnvironment environment;
    EXPECT_EQ(MenuColors(system, environment, qRgb(1, 2, 3)).MenuBackground(), qRgb(1, 2, 3));
    EXPECT_EQ(MenuColors(system, environment).MenuBackground(), system.menuBar);
    EXPECT_EQ(MenuColors(system, environment).MenuBarColor(), system.menuBar);
    environment.flatMenus = false;
    EXPECT_EQ(MenuColors(system, environment).MenuBackground(), system.menu);
    EXPECT_EQ(MenuColors(system, environment).MenuBarColor(), system.menu);
    EXPECT_EQ(MenuColors(system, environment, qRgb(1, 2, 3)).MenuBackground(), qRgb(1, 2, 3));
}

} // namespace
