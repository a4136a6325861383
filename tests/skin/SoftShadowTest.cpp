#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "skin/SkinColors.h"
#include "skin/SoftShadow.h"

namespace {

struct AmountCase
{
    int position;
    int length;
    int line;
    int expected;
};

class ShadowAmountTest : public testing::TestWithParam<AmountCase>
{
};

TEST_P(ShadowAmountTest, FadesInHoldsAndFadesOut)
{
    const AmountCase& c = GetParam();
    EXPECT_EQ(ShadowAmount(c.position, c.length, c.line), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ShadowAmountTest,
    testing::Values(AmountCase{0, 40, 1, 0}, AmountCase{3, 40, 4, 0},            // the first 4 stay
                    AmountCase{4, 40, 1, 6}, AmountCase{5, 40, 2, 24},           // 6 k, 12 k
                    AmountCase{6, 40, 3, 54}, AmountCase{7, 40, 4, 96},          // 18 k, 24 k
                    AmountCase{8, 40, 1, 30}, AmountCase{20, 40, 4, 120},        // the middle: 30 k
                    AmountCase{36, 40, 2, 48}, AmountCase{39, 40, 3, 18},        // fading out
                    AmountCase{40, 40, 1, 0}, AmountCase{6, 10, 1, 18},          // short lines
                    AmountCase{7, 10, 1, 18}));

QImage Uniform(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(SoftShadowTest, DarkensTheRightColumnsAndBottomRows)
{
    const QRgb grey = qRgb(200, 200, 200);
    const QImage shadow = ApplySoftShadow(Uniform(60, 40, grey));
    // Right columns, k-th from the outside.
    for (int line = 1; line <= 4; ++line) {
        const int x = 60 - line;
        EXPECT_EQ(Rgb(shadow, x, 3), grey) << line;
        EXPECT_EQ(Rgb(shadow, x, 4), Darken(6 * line, grey)) << line;
        EXPECT_EQ(Rgb(shadow, x, 20), Darken(30 * line, grey)) << line;
        EXPECT_EQ(Rgb(shadow, x, 39), Darken(6 * line, grey)) << line;
    }
    // Bottom rows, up to the columns, which take the corner.
    for (int line = 1; line <= 4; ++line) {
        const int y = 40 - line;
        EXPECT_EQ(Rgb(shadow, 2, y), grey) << line;
        EXPECT_EQ(Rgb(shadow, 5, y), Darken(12 * line, grey)) << line;
        EXPECT_EQ(Rgb(shadow, 55, y), Darken(30 * line, grey)) << line;
    }
    // Inside stays.
    EXPECT_EQ(Rgb(shadow, 30, 20), grey);
    EXPECT_EQ(Rgb(shadow, 55, 35), grey);
}

TEST(SoftShadowTest, OpenMenuBarItemShadowDoesNotFadeAtTheBottom)
{
    const QRgb bar = qRgb(239, 239, 239);
    QImage strip = Uniform(4, 20, bar);
    DarkenAsShadowColumns(strip);
    EXPECT_EQ(Rgb(strip, 3, 2), bar);
    EXPECT_EQ(Rgb(strip, 3, 19), Darken(30, bar));
    EXPECT_EQ(Rgb(strip, 0, 19), Darken(120, bar));
}

} // namespace
