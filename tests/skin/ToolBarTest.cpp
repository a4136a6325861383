#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QMainWindow>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QToolButton>

#include "SkinTestSupport.h"
#include "skin/CSkinToolBar.h"
#include "skin/SkinColors.h"
#include "skin/SkinState.h"
#include "skin/ToolBarImages.h"
#include "skin/ToolBarLook.h"

namespace {

TEST(ToolBarImagesTest, FadedPixelMixesTintAndGrey)
{
    // grey (30 + 60 + 90) / 3 = 60: (200 * 145 + 6600) / 256 and so on.
    EXPECT_EQ(Rgb(FadedPixel(qRgb(30, 60, 90), qRgb(200, 100, 50))), qRgb(139, 82, 54));
    EXPECT_EQ(Rgb(FadedPixel(qRgb(255, 255, 255), qRgb(255, 255, 255))), qRgb(254, 254, 254));
    EXPECT_EQ(Rgb(FadedPixel(qRgb(0, 0, 0), qRgb(0, 0, 0))), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(FadedPixel(qRgba(30, 60, 90, 0), qRgb(200, 100, 50))), 0);
}

TEST(ToolBarImagesTest, FadedBitmapIsTransparentWhereTheTransparentColourFades)
{
    QImage bitmap(3, 1, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(192, 192, 192));
    bitmap.setPixel(1, 0, qRgb(190, 193, 193));  // the same grey: it fades alike
    bitmap.setPixel(2, 0, qRgb(0, 0, 128));
    const QRgb tint = qRgb(230, 230, 240);
    const QImage faded = FadedBitmap(bitmap, bitmap.pixel(0, 0), tint);
    EXPECT_EQ(qAlpha(faded.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(faded.pixel(1, 0)), 0);
    EXPECT_EQ(faded.pixel(2, 0), FadedPixel(qRgb(0, 0, 128), tint));
    const QImage normal = MaskedImage(bitmap, bitmap.pixel(0, 0));
    EXPECT_EQ(qAlpha(normal.pixel(0, 0)), 0);
    EXPECT_EQ(normal.pixel(1, 0), qRgb(190, 193, 193));
}

TEST(ToolBarImagesTest, TintComesFromTheIconColumnInStylesEightAndNine)
{
    const MenuColors colors = TestColors();
    EXPECT_EQ(FadeTint(8, colors), Lighten(115, colors.IconColumnColor()));
    EXPECT_EQ(FadeTint(9, colors), Lighten(115, colors.IconColumnColor()));
    EXPECT_EQ(FadeTint(2, colors), Lighten(115, colors.FaceColor()));
}

// What a button shows in a state: its frame, and the first and last rows
// inside the frame.
struct ButtonCase
{
    const char* name;
    int style;
    unsigned state;
    QRgb frame;
    QRgb top;
    QRgb bottom;
};

void PrintTo(const ButtonCase& c, std::ostream* out)
{
    *out << c.name;
}

QImage Button(int style, unsigned state, bool smooth = true)
{
    SkinEnvironment environment;
    environment.gradientFill = smooth;
    QImage image(31, 30, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    DrawToolButtonBackground(painter, image.rect(), state, style, TestColors(environment));
    return image;
}

void ExpectButton(const ButtonCase& c)
{
    const QImage image = Button(c.style, c.state);
    EXPECT_EQ(Rgb(image, 0, 15), Rgb(c.frame)) << c.name;
    EXPECT_EQ(Rgb(image, 15, 0), Rgb(c.frame)) << c.name;
    EXPECT_EQ(Rgb(image, 15, 1), Rgb(c.top)) << c.name;
    EXPECT_EQ(Rgb(image, 15, 28), Rgb(c.bottom)) << c.name;
}

class ButtonBackgroundTest : public testing::TestWithParam<ButtonCase>
{
};

TEST_P(ButtonBackgroundTest, FollowsTheTable)
{
    ExpectButton(GetParam());
}

// Styles 8 and 9 draw in fixed colours.
INSTANTIATE_TEST_SUITE_P(
    GradientStyles, ButtonBackgroundTest,
    testing::Values(
        ButtonCase{"Style8Hot", 8, ToolButtonHot, qRgb(4, 2, 132), qRgb(250, 239, 219), qRgb(255, 212, 151)},
        ButtonCase{"Style8Pressed", 8, ToolButtonHot | ToolButtonPressed, qRgb(4, 2, 132), qRgb(242, 151, 107),
                   qRgb(249, 202, 163)},
        ButtonCase{"Style8On", 8, ToolButtonOn, qRgb(4, 2, 132), qRgb(255, 238, 194), qRgb(255, 238, 194)},
        ButtonCase{"Style9HotLikeEight", 9, ToolButtonHot, qRgb(4, 2, 132), qRgb(250, 239, 219),
                   qRgb(255, 212, 151)}),
    CaseName<ButtonCase>);

// Styles 2, 3, 6 and 7 draw in colours of the palette.
TEST(ButtonBackgroundTest, HighlightStylesFollowTheTable)
{
    const QRgb h = QApplication::palette().color(QPalette::Highlight).rgb();
    const QRgb selection = TestColors().SelectionColor();
    const ButtonCase cases[] = {
        {"Style6Hot", 6, ToolButtonHot, Darken(60, h), Lighten(60, h), h},
        {"Style7Pressed", 7, ToolButtonHot | ToolButtonPressed, Darken(60, h), h, Darken(60, h)},
        {"Style6On", 6, ToolButtonOn, Darken(60, h), Lighten(60, h), Lighten(60, h)},
        {"Style2Hot", 2, ToolButtonHot, h, selection, selection},
        {"Style3Pressed", 3, ToolButtonHot | ToolButtonPressed, h, selection, selection},
        {"Style2On", 2, ToolButtonOn, h, selection, selection},
    };
    for (const ButtonCase& c : cases)
        ExpectButton(c);
}

TEST(ButtonBackgroundTest, ClassicButtonsAreRaisedWhenHotAndSunkenWhenPressed)
{
    const SystemColors system = TestColors().System();
    for (int style : {0, 1, 4, 5}) {
        const QImage hot = Button(style, ToolButtonHot);
        EXPECT_EQ(Rgb(hot, 0, 10), Rgb(system.highlightText)) << style;
        EXPECT_EQ(Rgb(hot, 30, 10), Rgb(system.buttonShadow)) << style;
        EXPECT_EQ(Rgb(hot, 15, 15), Rgb(QColor(Qt::magenta).rgb())) << "no fill";
        const QImage pressed = Button(style, ToolButtonHot | ToolButtonPressed);
        EXPECT_EQ(Rgb(pressed, 0, 10), Rgb(system.buttonShadow)) << style;
        EXPECT_EQ(Rgb(pressed, 30, 10), Rgb(system.highlightText)) << style;
    }
    EXPECT_EQ(Button(8, 0), Button(8, ToolButtonDisabled)) << "nothing in the normal state";
}

TEST(ButtonBackgroundTest, BandedGradientStartsExactlyAndStepsByTwoRows)
{
    const QImage image = Button(8, ToolButtonHot, false);
    EXPECT_EQ(Rgb(image, 15, 1), qRgb(250, 239, 219));
    EXPECT_EQ(Rgb(image, 15, 3), Rgb(image, 15, 4));
    EXPECT_NE(Rgb(image, 15, 2), Rgb(image, 15, 3));
}

// A toolbar with three buttons in a main window.
class SkinToolBarTest : public testing::Test
{
protected:
    explicit SkinToolBarTest(int style = 8) : m_guard(style)
    {
        m_bar = new CSkinToolBar(&m_window);
        m_bar->setIconSize({4, 3});
        for (const char* text : {"a", "b", "c"})
            m_bar->addAction(QString::fromLatin1(text));
        m_window.addToolBar(m_bar);
        QImage bitmap(12, 3, QImage::Format_RGB32);
        bitmap.fill(qRgb(255, 0, 255));
        bitmap.setPixel(5, 1, qRgb(0, 0, 200));
        m_bar->LoadBitmap(bitmap);
        m_window.resize(300, 200);
        m_window.show();
        QCoreApplication::processEvents();
    }

    QToolButton* ButtonOf(int index) const
    {
        return qobject_cast<QToolButton*>(m_bar->widgetForAction(m_bar->actions().at(index)));
    }

    SkinGuard m_guard;
    QMainWindow m_window;
    CSkinToolBar* m_bar;
};

TEST_F(SkinToolBarTest, BuildsNormalAndFadedImageLists)
{
    ASSERT_EQ(m_bar->NormalImages().size(), 3);
    ASSERT_EQ(m_bar->FadedImages().size(), 3);
    const QImage normal = m_bar->NormalImages().at(1).toImage();
    EXPECT_EQ(qAlpha(normal.pixel(0, 0)), 0);
    EXPECT_EQ(Rgb(normal, 1, 1), qRgb(0, 0, 200));
    const QRgb tint = FadeTint(8, TestColors());
    EXPECT_EQ(Rgb(m_bar->FadedImages().at(1).toImage(), 1, 1), Rgb(FadedPixel(qRgb(0, 0, 200), tint)));
    // A disabled button shows the faded image.
    const QIcon icon = m_bar->actions().at(1)->icon();
    EXPECT_EQ(icon.pixmap({4, 3}, QIcon::Disabled).toImage().pixel(1, 1), m_bar->FadedImages().at(1).toImage().pixel(1, 1));
}

TEST_F(SkinToolBarTest, DockedBarHasBordersFloatingNone)
{
    EXPECT_EQ(m_bar->Borders(), QMargins(3, 1, 3, 1));
    EXPECT_EQ(ButtonOf(0)->pos(), QPoint(3, 1));
    EXPECT_EQ(ButtonOf(1)->pos(), QPoint(3 + ButtonOf(0)->width(), 1));
    EXPECT_EQ(m_bar->height(), ButtonOf(0)->height() + 2);
    m_bar->OnBarStyleChange(true);
    EXPECT_EQ(m_bar->Borders(), QMargins());
    m_bar->OnBarStyleChange(false);
    EXPECT_EQ(m_bar->Borders(), QMargins(3, 1, 3, 1));
}

TEST_F(SkinToolBarTest, ButtonsAreImagePlusSevenAndDrawnThreeIn)
{
    QToolButton* button = ButtonOf(1);
    EXPECT_EQ(button->size(), QSize(4 + 7, 3 + 7));
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.rect = button->rect();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    option.state = QStyle::State_Enabled | QStyle::State_AutoRaise;
    const auto draw = [&](int style, QStyle::State extra) {
        SetMenuStyle(style);
        QStyleOptionToolButton drawn = option;
        drawn.state |= extra;
        QImage image(button->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        button->style()->drawComplexControl(QStyle::CC_ToolButton, &drawn, &painter, button);
        return image;
    };
    const QRgb blue = qRgb(0, 0, 200);
    EXPECT_EQ(Rgb(draw(8, {}), 4, 4), blue);
    EXPECT_EQ(Rgb(draw(8, QStyle::State_MouseOver), 4, 4), blue);
    EXPECT_EQ(Rgb(draw(0, QStyle::State_MouseOver | QStyle::State_Sunken), 5, 5), blue) << "pressed moves by one";
    const QImage raised = draw(2, QStyle::State_MouseOver);
    EXPECT_EQ(Rgb(raised, 3, 3), blue) << "the icon up and left";
    EXPECT_EQ(Rgb(raised, 5, 5), Rgb(Bluish(TestColors().FaceColor()))) << "its shadow down and right";
}

class FlatToolBarTest : public SkinToolBarTest
{
protected:
    FlatToolBarTest() : SkinToolBarTest(2) {}
};

TEST_F(FlatToolBarTest, HasNoBorders)
{
    EXPECT_EQ(m_bar->Borders(), QMargins());
    m_bar->OnBarStyleChange(false);
    EXPECT_EQ(m_bar->Borders(), QMargins());
    EXPECT_EQ(ButtonOf(0)->pos(), QPoint(0, 0));
}

} // namespace
