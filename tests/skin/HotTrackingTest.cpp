#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QSignalSpy>

#include "SkinTestSupport.h"
#include "skin/CSkinFrameWnd.h"
#include "skin/MenuBarHotTracker.h"
#include "skin/SkinColors.h"

namespace {

bool IsHot(unsigned state)
{
    return (state & MenuBarHotTracker::StateHotLight) != 0;
}

// A skinned frame with three menus, shown, on a system whose menu bar the
// skin tracks itself (a remote session unless the test says otherwise).
class HotTrackingTest : public testing::Test
{
protected:
    HotTrackingTest() : m_guard(8)
    {
        m_guard.Change([](SkinEnvironment& environment) { environment.remote = true; });
        for (const char* title : {"&File", "&View", "&Help"})
            m_menus.append(m_frame.AddMenu(QString::fromLatin1(title)));
        for (QMenu* menu : m_menus)
            menu->addAction(QStringLiteral("&Item"));
        m_frame.resize(400, 300);
        m_frame.show();
        QCoreApplication::processEvents();
        m_frame.HotTracker().SetCursorSource([this] { return m_cursor; });
    }

    QPoint Over(int index) const
    {
        QMenuBar* bar = m_frame.menuBar();
        return bar->mapToGlobal(bar->actionGeometry(bar->actions().at(index)).center());
    }
    QPoint Outside() const { return m_frame.mapToGlobal(m_frame.rect().center()); }

    MenuBarHotTracker& Tracker() { return m_frame.HotTracker(); }

    SkinGuard m_guard;
    CSkinFrameWnd m_frame;
    QList<QMenu*> m_menus;
    QPoint m_cursor;
};

TEST_F(HotTrackingTest, MovingToTheNextItemRedrawsBothAndKeepsOneTimer)
{
    QSignalSpy redrawn(&Tracker(), &MenuBarHotTracker::ItemRedrawn);
    EXPECT_TRUE(Tracker().OnNcHitTest(Over(0)));
    ASSERT_EQ(redrawn.count(), 1);
    EXPECT_EQ(redrawn.at(0).at(0).toInt(), 0);
    EXPECT_TRUE(IsHot(redrawn.at(0).at(1).toUInt()));
    const int timer = Tracker().TimerId();
    EXPECT_NE(timer, 0);

    EXPECT_TRUE(Tracker().OnNcHitTest(Over(1)));
    ASSERT_EQ(redrawn.count(), 3);
    EXPECT_EQ(redrawn.at(1).at(0).toInt(), 0);
    EXPECT_FALSE(IsHot(redrawn.at(1).at(1).toUInt()));
    EXPECT_EQ(redrawn.at(2).at(0).toInt(), 1);
    EXPECT_TRUE(IsHot(redrawn.at(2).at(1).toUInt()));
    EXPECT_EQ(Tracker().HotItem(), 1);
    EXPECT_EQ(Tracker().TimerId(), timer);

    // Over the hot item again: nothing to redraw.
    Tracker().OnNcHitTest(Over(1));
    EXPECT_EQ(redrawn.count(), 3);
}

TEST_F(HotTrackingTest, NextTickAfterLeavingRedrawsNormalAndStopsTheTimer)
{
    m_cursor = Over(2);
    Tracker().OnNcHitTest(m_cursor);
    ASSERT_NE(Tracker().TimerId(), 0);
    QSignalSpy redrawn(&Tracker(), &MenuBarHotTracker::ItemRedrawn);
    m_cursor = Outside();
    QElapsedTimer waited;
    waited.start();
    while (Tracker().TimerId() != 0 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(Tracker().TimerId(), 0);
    EXPECT_EQ(Tracker().HotItem(), -1);
    ASSERT_EQ(redrawn.count(), 1);
    EXPECT_EQ(redrawn.at(0).at(0).toInt(), 2);
    EXPECT_FALSE(IsHot(redrawn.at(0).at(1).toUInt()));
}

TEST_F(HotTrackingTest, OpenMenuStopsTrackingUntilTheMenuLoopEnds)
{
    Tracker().OnNcHitTest(Over(0));
    m_menus[1]->popup(Over(1));
    EXPECT_TRUE(m_frame.InMenuLoop());
    EXPECT_EQ(Tracker().TimerId(), 0);
    EXPECT_EQ(Tracker().HotItem(), -1);
    EXPECT_TRUE(Tracker().OnNcHitTest(Over(2)));
    EXPECT_EQ(Tracker().HotItem(), -1);
    EXPECT_EQ(Tracker().TimerId(), 0);
    m_menus[1]->hide();
    EXPECT_FALSE(m_frame.InMenuLoop());
    Tracker().OnNcHitTest(Over(2));
    EXPECT_EQ(Tracker().HotItem(), 2);
}

TEST_F(HotTrackingTest, LocalSessionsNeverStartTheTimer)
{
    m_guard.Change([](SkinEnvironment& environment) { environment.remote = false; });
    QSignalSpy redrawn(&Tracker(), &MenuBarHotTracker::ItemRedrawn);
    for (int index : {0, 1, 2, 1}) {
        EXPECT_TRUE(Tracker().OnNcHitTest(Over(index)));
        EXPECT_EQ(Tracker().TimerId(), 0);
    }
    EXPECT_FALSE(Tracker().OnNcHitTest(Outside()));
    EXPECT_EQ(redrawn.count(), 0);
}

TEST_F(HotTrackingTest, TheTrackedItemIsDrawnHot)
{
    QMenuBar* bar = m_frame.menuBar();
    const QRect first = bar->actionGeometry(bar->actions().at(0));
    const QRect second = bar->actionGeometry(bar->actions().at(1));
    Tracker().OnNcHitTest(Over(1));
    const QImage shot = bar->grab().toImage();
    const QRgb frame = Rgb(QApplication::palette().color(QPalette::Highlight).rgb());
    EXPECT_EQ(Rgb(shot, second.left(), second.center().y()), frame);
    EXPECT_EQ(Rgb(shot, second.left() + 1, second.top() + 1), Rgb(Darken(10, TestColors().System().window)));
    EXPECT_NE(Rgb(shot, first.left(), first.center().y()), frame);
}

} // namespace
