// Menus of the skin drawn offscreen in style 8, read back pixel by pixel.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "SkinTestSupport.h"
#include "skin/CSkinMenu.h"
#include "skin/MenuLooks.h"
#include "skin/SkinColors.h"
#include "skin/SkinState.h"

namespace {

constexpr QRgb kSelectionFill = qRgb(255, 238, 194);

class StyleEightMenuTest : public testing::Test
{
protected:
    StyleEightMenuTest() : m_guard(8)
    {
        m_open = m_menu.addAction(QStringLiteral("&Open...\tCtrl+O"));
        m_menu.addSeparator();
        m_toolbar = m_menu.addAction(QStringLiteral("&Toolbar"));
        m_toolbar->setCheckable(true);
        m_toolbar->setChecked(true);
        m_exit = m_menu.addAction(QStringLiteral("E&xit"));
        m_menu.ensurePolished();
        m_menu.resize(m_menu.sizeHint());
    }

    QImage Shot(QAction* active)
    {
        m_menu.setActiveAction(active);
        return m_menu.grab().toImage();
    }

    QRect Item(QAction* action) const { return m_menu.actionGeometry(action); }

    SkinGuard m_guard;
    CSkinMenu m_menu;
    QAction* m_open;
    QAction* m_toolbar;
    QAction* m_exit;
    const MenuColors m_colors = TestColors();
    const int m_column = m_menu.Metrics().IconColumnWidth();
};

TEST_F(StyleEightMenuTest, SelectedItemIsFilledAndFramed)
{
    const QImage shot = Shot(m_open);
    const QRect item = Item(m_open);
    const QRgb frame = Rgb(QApplication::palette().color(QPalette::Highlight).rgb());
    EXPECT_EQ(Rgb(shot, item.right() - 2, item.top() + 2), kSelectionFill);
    EXPECT_EQ(Rgb(shot, item.left() + 2, item.bottom() - 1), kSelectionFill) << "the icon column too";
    for (const QPoint& edge : {QPoint(item.left(), item.center().y()), QPoint(item.right(), item.center().y()),
                               QPoint(item.center().x(), item.top()), QPoint(item.center().x(), item.bottom())})
        EXPECT_EQ(Rgb(shot, edge.x(), edge.y()), frame) << edge.x() << "," << edge.y();
}

TEST_F(StyleEightMenuTest, IconColumnIsAGradientIntoTheIconColumnColour)
{
    const QImage shot = Shot(m_toolbar);
    const QRect item = Item(m_exit);
    const QRgb background = FlatItemBackground(m_colors, true, m_colors.MenuBackground());
    const int y = item.center().y();
    EXPECT_EQ(Rgb(shot, item.left(), y), Rgb(background));
    EXPECT_EQ(Rgb(shot, item.left() + m_column - 1, y), Rgb(m_colors.IconColumnColor()));
    EXPECT_EQ(Rgb(shot, item.left() + m_column, y), Rgb(background));
    EXPECT_EQ(Rgb(shot, item.right() - 1, y), Rgb(background));
}

TEST_F(StyleEightMenuTest, SeparatorIsAGreyLineFromTheText)
{
    const QImage shot = Shot(nullptr);
    const QRect separator = Item(m_menu.actions().at(1));
    const int y = separator.top() + separator.height() / 2;
    const QRgb grey = Rgb(m_colors.System().grayText);
    const int textLeft = MenuTextRect(separator, m_menu.Metrics()).left();
    EXPECT_EQ(Rgb(shot, textLeft, y), grey);
    EXPECT_EQ(Rgb(shot, separator.right(), y), grey);
    EXPECT_NE(Rgb(shot, textLeft - 1, y), grey);
    EXPECT_NE(Rgb(shot, textLeft, y - 1), grey);
}

TEST_F(StyleEightMenuTest, CheckedItemHasABoxInTheIconColumn)
{
    const QRect item = Item(m_toolbar);
    const QRgb frame = Rgb(QApplication::palette().color(QPalette::Highlight).rgb());
    QImage shot = Shot(nullptr);
    EXPECT_EQ(Rgb(shot, item.left() + 2, item.top() + 2), Rgb(qRgb(255, 192, 111)));
    EXPECT_EQ(Rgb(shot, item.left() + 1, item.center().y()), frame);
    EXPECT_EQ(Rgb(shot, item.left() + m_column - 3, item.center().y()), frame);
    shot = Shot(m_toolbar);
    EXPECT_EQ(Rgb(shot, item.left() + 2, item.top() + 2), Rgb(qRgb(254, 128, 62)));
}

TEST_F(StyleEightMenuTest, BorderAndShadowSurroundTheItems)
{
    EXPECT_EQ(m_menu.contentsMargins(), QMargins(2, 2, 5, 6));
    const QImage shot = Shot(nullptr);
    const QRect first = Item(m_open);
    EXPECT_EQ(first.topLeft(), QPoint(2, 2));
    // Not captured: the shadow darkens the window colour.
    const QRgb window = m_colors.System().window;
    EXPECT_EQ(Rgb(shot, shot.width() - 1, shot.height() / 2), Rgb(Darken(30, window)));
    EXPECT_EQ(Rgb(shot, shot.width() - 1, 1), Rgb(window));
}

TEST(MenuBarItemTest, HotItemIsAGradientFromBaseToTheSelectionFill)
{
    MenuItem item;
    item.text = QStringLiteral("&File");
    item.flags = MenuItemMenuBar | MenuItemHot;
    const MenuColors colors = TestColors();
    for (bool smooth : {true, false}) {
        SkinEnvironment environment;
        environment.gradientFill = smooth;
        const QImage shot = RenderItem(*SkinState::Get().FindStyle(8), item, {40, 20}, TestColors(environment));
        EXPECT_EQ(Rgb(shot, 1, 1), Rgb(Darken(10, colors.System().window))) << smooth;
        EXPECT_EQ(Rgb(shot, 0, 10), Rgb(colors.System().highlight)) << smooth;
        if (smooth)
            EXPECT_EQ(Rgb(shot, 1, 18), kSelectionFill);
        else
            EXPECT_EQ(Rgb(shot, 1, 1), Rgb(shot, 1, 2)) << "bands of two pixels";
    }
}

TEST(MenuBarItemTest, OpenItemHasTheIconColumnColourAndAShadow)
{
    MenuItem item;
    item.text = QStringLiteral("&File");
    item.flags = MenuItemMenuBar | MenuItemOpen;
    const MenuColors colors = TestColors();
    const QImage shot = RenderItem(*SkinState::Get().FindStyle(8), item, {40, 20}, colors);
    EXPECT_EQ(Rgb(shot, 1, 1), Rgb(colors.IconColumnColor()));
    EXPECT_EQ(Rgb(shot, 39, 2), Rgb(colors.MenuBarColor()));
    EXPECT_EQ(Rgb(shot, 39, 15), Rgb(Darken(30, colors.MenuBarColor())));
    EXPECT_EQ(Rgb(shot, 36, 15), Rgb(Darken(120, colors.MenuBarColor())));
}

} // namespace
