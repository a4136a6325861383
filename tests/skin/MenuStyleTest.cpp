#include <gtest/gtest.h>

#include <QPainter>

#include "SkinTestSupport.h"
#include "skin/MenuStyle.h"
#include "skin/MenuWindowRecord.h"
#include "skin/SkinColors.h"
#include "skin/SkinState.h"

namespace {

const MenuStyle& Style(int id)
{
    return *SkinState::Get().FindStyle(id);
}

TEST(MenuStyleTest, BorderWidthsLeaveRoomForTheSkinsShadow)
{
    for (int id : {0, 2, 4, 6, 8})
        EXPECT_EQ(Style(id).CalcNonClient(), QMargins(2, 2, 5, 6)) << id;
    for (int id : {1, 3, 5, 7, 9})
        EXPECT_EQ(Style(id).CalcNonClient(), QMargins()) << id;
}

TEST(MenuStyleTest, MenuRectLeavesOutTheShadowAndTheWindowMovesUp)
{
    const QRect window(0, 0, 100, 80);
    EXPECT_EQ(Style(8).GetMenuRect(window), QRect(0, 0, 96, 76));
    EXPECT_EQ(Style(9).GetMenuRect(window), window);
    EXPECT_EQ(Style(8).PosChanging({10, 20}), QPoint(10, 19));
    EXPECT_EQ(Style(9).PosChanging({10, 20}), QPoint(10, 20));
}

// The border of a 100 x 80 window over a captured uniform background.
QImage Border(const MenuStyle& style, QRgb behind)
{
    MenuWindowRecord record;
    record.background = QImage(100, 80, QImage::Format_RGB32);
    record.background.fill(behind);
    QImage image(100, 80, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    style.DrawBorder(painter, image.rect(), &record, TestColors());
    painter.end();
    return image;
}

TEST(MenuStyleTest, FlatBorderWithTheSkinsShadow)
{
    const QRgb behind = Rgb(qRgb(100, 150, 200));
    const QImage image = Border(Style(8), behind);
    const QRgb line = Rgb(image, 0, 40);
    EXPECT_EQ(Rgb(image, 95, 40), line);  // the frame at the right, 4 shadow pixels out
    EXPECT_EQ(Rgb(image, 40, 75), line);
    EXPECT_NE(Rgb(image, 1, 40), line);    // a second line of the items' background
    EXPECT_EQ(Rgb(image, 99, 40), Rgb(Darken(30, behind)));
    EXPECT_EQ(Rgb(image, 96, 40), Rgb(Darken(120, behind)));
    EXPECT_EQ(Rgb(image, 99, 2), behind);
    EXPECT_EQ(Rgb(image, 40, 79), Rgb(Darken(30, behind)));
    EXPECT_EQ(Rgb(image, 40, 40), Rgb(QColor(Qt::magenta).rgb())) << "the client area is not the border's";
}

TEST(MenuStyleTest, PlainBorderIsRaisedAndLeavesTheScreenBehindBeyondIt)
{
    const QRgb behind = Rgb(qRgb(100, 150, 200));
    const QImage image = Border(Style(0), behind);
    const SystemColors system = TestColors().System();
    EXPECT_EQ(Rgb(image, 1, 40), Rgb(system.buttonHighlight));
    EXPECT_EQ(Rgb(image, 95, 40), Rgb(system.darkShadow));
    EXPECT_EQ(Rgb(image, 94, 40), Rgb(system.buttonShadow));
    EXPECT_EQ(Rgb(image, 98, 40), behind);
    EXPECT_EQ(Rgb(image, 40, 78), behind);
}

} // namespace
