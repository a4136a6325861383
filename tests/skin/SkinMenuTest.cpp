#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QFontMetrics>
#include <QMenuBar>

#include "SkinTestSupport.h"
#include "skin/CSkinFrameWnd.h"
#include "skin/CSkinMenu.h"
#include "skin/CSkinMenuBitmaps.h"
#include "skin/CSkinStyle.h"
#include "skin/MenuInfo.h"
#include "skin/MenuMeasure.h"
#include "skin/MenuWindowHook.h"
#include "skin/SkinState.h"

namespace {

QAction* AddCommand(QMenu& menu, const QString& text, int command)
{
    QAction* action = menu.addAction(text);
    action->setData(command);
    return action;
}

std::shared_ptr<CSkinMenuBitmaps> Icons(const std::vector<int>& commands)
{
    QImage strip(16 * static_cast<int>(commands.size()), 15, QImage::Format_RGB32);
    strip.fill(Qt::magenta);
    return std::make_shared<CSkinMenuBitmaps>(strip, QSize(16, 15), commands);
}

const MenuWindowHook& Hook()
{
    return qobject_cast<const CSkinStyle*>(QApplication::style())->Hook();
}

TEST(SkinMenuTest, ItemDataFollowsTheItemsAndTheirIcons)
{
    SkinGuard guard(8);
    CSkinMenu menu;
    QAction* open = AddCommand(menu, QStringLiteral("&Open"), 7);
    menu.addSeparator();
    menu.LoadIcons(Icons({5, 7}));
    ASSERT_EQ(menu.ItemDataCount(), 2);
    const CSkinMenuItemData* data = menu.ItemData(open);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->m_nID, 7);
    EXPECT_EQ(data->m_nIconIndex, 1);
    EXPECT_TRUE(menu.ItemData(menu.actions().at(1))->m_nFlags & MenuItemSeparator);

    QAction* save = AddCommand(menu, QStringLiteral("&Save"), 5);
    EXPECT_EQ(menu.ItemDataCount(), 3);
    EXPECT_EQ(menu.ItemData(save)->m_nIconIndex, 0);
    // Another action in the place of one: the data is rebuilt too.
    menu.removeAction(save);
    QAction* other = AddCommand(menu, QStringLiteral("&Close"), 9);
    EXPECT_EQ(menu.ItemData(other)->m_nID, 9);
    EXPECT_EQ(menu.ItemData(other)->m_nIconIndex, -1);
    EXPECT_EQ(menu.ItemData(save), nullptr);
    delete save;
}

TEST(SkinMenuTest, TitleLeadsTheMenu)
{
    SkinGuard guard(8);
    CSkinMenu menu;
    menu.addAction(QStringLiteral("&Open"));
    menu.SetMenuTitle(QStringLiteral("Vantory"), MenuTitleGradient);
    ASSERT_EQ(menu.actions().size(), 2);
    QAction* title = menu.actions().at(0);
    EXPECT_TRUE(title->isSeparator());
    EXPECT_EQ(menu.ItemData(title)->m_nTitleFlags, MenuTitle | MenuTitleGradient);
    menu.ensurePolished();
    EXPECT_GT(menu.actionGeometry(title).height(), 0) << "not dropped as a leading separator";
    EXPECT_EQ(menu.VerticalTitleWidth(), 0);
    menu.SetMenuTitle({}, 0);
    EXPECT_EQ(menu.actions().size(), 1);
}

TEST(SkinMenuTest, VerticalTitleWidensTheLeftBorder)
{
    SkinGuard guard(8);
    CSkinMenu menu;
    menu.addAction(QStringLiteral("&Open"));
    menu.SetMenuTitle(QStringLiteral("Vantory"), MenuTitleVertical);
    const MenuMetrics metrics = menu.Metrics();
    const int width = QFontMetrics(metrics.TitleFont()).height();
    EXPECT_EQ(menu.VerticalTitleWidth(), width);
    menu.ensurePolished();
    EXPECT_EQ(menu.contentsMargins(), QMargins(2 + width, 2, 5, 6));
    EXPECT_EQ(menu.actionGeometry(menu.actions().at(1)).left(), 2 + width);
}

TEST(SkinMenuTest, MenuWindowTakesTheActiveStylesBorders)
{
    SkinGuard guard(8);
    QMenu menu;  // every menu window is skinned, not only CSkinMenus
    menu.addAction(QStringLiteral("&Open"));
    menu.ensurePolished();
    EXPECT_EQ(menu.contentsMargins(), QMargins(2, 2, 5, 6));
    SetMenuStyle(9);
    emit menu.aboutToShow();
    EXPECT_EQ(menu.contentsMargins(), QMargins());
    SetMenuStyle(8);
    emit menu.aboutToShow();
    EXPECT_EQ(menu.contentsMargins(), QMargins(2, 2, 5, 6));
}

TEST(SkinMenuTest, ShownMenuSitsOnePixelHigherUntilHidden)
{
    SkinGuard guard(8);
    CSkinMenu menu;
    menu.addAction(QStringLiteral("&Open"));
    menu.popup(QPoint(100, 100));
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), QPoint(100, 99));
    const MenuWindowRecord* record = Hook().Record(&menu);
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->state & MenuWindowWasVisible);
    EXPECT_TRUE(record->state & MenuWindowStyleChanged);
    menu.hide();
    EXPECT_EQ(Hook().Record(&menu), nullptr);
    EXPECT_EQ(menu.contentsMargins(), QMargins()) << "the margins it had before";
}

TEST(SkinFrameTest, MenusAreSkinMenusOnTheSkinsMenuBackground)
{
    SkinGuard guard(2);
    CSkinFrameWnd frame;
    QMenu* menu = frame.AddMenu(QStringLiteral("&File"));
    EXPECT_NE(qobject_cast<CSkinMenu*>(menu), nullptr);
    EXPECT_EQ(menu->parent(), frame.menuBar());
    const auto brush = GetMenuInfo(frame.menuBar());
    ASSERT_TRUE(brush.has_value());
    EXPECT_EQ(*brush, TestColors(SkinState::Get().Environment()).MenuBackground());
}

TEST(SkinFrameTest, TwoColourChangesWithinTwoSecondsRefreshTheIconsOnce)
{
    SkinGuard guard(8);
    qint64 now = qint64(1) << 41;
    SkinState::Get().SetClock([&now] { return now; });
    CSkinFrameWnd frame;
    const int before = SkinState::Get().IconRefreshCount();
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Base, QColor(250, 250, 240));
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();
    now += 1500;
    palette.setColor(QPalette::Base, QColor(250, 240, 240));
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();
    EXPECT_EQ(SkinState::Get().IconRefreshCount(), before + 1);
    now += 600;
    palette.setColor(QPalette::Base, QColor(240, 240, 240));
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();
    EXPECT_EQ(SkinState::Get().IconRefreshCount(), before + 2);
    QApplication::setPalette(QPalette());
}

} // namespace
