#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "GuiTestSupport.h"
#include "app/CMainFrame.h"
#include "pages/browser/CVantoryView.h"
#include "res/Resource.h"
#include "tree/CLeftView.h"

namespace {

QStringList MenuTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

TEST(MainFrameTest, MenuHoldsItsCommands)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    const QList<QAction*> menus = app.Frame()->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&View"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Help"));
    EXPECT_EQ(MenuTexts(*menus[0]->menu()),
              QStringList({"&Update Database", "-", "&Print...\tCtrl+P", "-", "E&xit"}));
    EXPECT_EQ(MenuTexts(*menus[1]->menu()), QStringList({"&Toolbar", "&Status Bar", "-", "&Find...\tCtrl+F", "&Downloads\tCtrl+Shift+Y"}));
    EXPECT_EQ(MenuTexts(*menus[2]->menu()), QStringList({"&About Vantory..."}));
    EXPECT_EQ(app.Frame()->CommandAction(ID_UPDATE_DATABASE)->shortcut(), QKeySequence(Qt::Key_F5));
    QAction* print = app.Frame()->CommandAction(ID_FILE_PRINT);
    EXPECT_EQ(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(print->statusTip(), QStringLiteral("Print the active document"));
    EXPECT_EQ(print->toolTip(), QStringLiteral("Print"));
    EXPECT_TRUE(print->isEnabled());
    EXPECT_TRUE(app.Frame()->IsCommandEnabled(ID_UPDATE_DATABASE));
    QAction* find = app.Frame()->CommandAction(ID_FIND_CATALOG);
    EXPECT_EQ(find->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(find->statusTip(), QStringLiteral("Search the names and descriptions of the whole catalog"));
    // The standard commands nobody handles here stay disabled.
    EXPECT_FALSE(app.Frame()->IsCommandEnabled(ID_FILE_SAVE));
    EXPECT_FALSE(app.Frame()->ExecuteCommand(ID_FILE_SAVE));
}

TEST(MainFrameTest, StatusBarShowsReadyAndTheThreeIndicators)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    QStatusBar* bar = app.Frame()->m_wndStatusBar;
    ASSERT_NE(bar, nullptr);
    auto* idle = bar->findChild<QLabel*>(QStringLiteral("idleMessage"));
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->text(), QStringLiteral("Ready"));
    int lastX = -1;
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        auto* pane = bar->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(pane, nullptr) << name;
        EXPECT_EQ(pane->text(), QString::fromLatin1(name));
        EXPECT_TRUE(pane->isVisible());
        EXPECT_GT(pane->x(), lastX) << name;
        lastX = pane->x();
        // The offscreen platform tells no lock state: greyed.
        EXPECT_FALSE(pane->isEnabled()) << name;
    }
    EXPECT_GT(lastX, idle->x());
}

TEST(MainFrameTest, ViewMenuShowsAndHidesTheBars)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = *app.Frame();
    QAction* toolbar = frame.CommandAction(ID_VIEW_TOOLBAR);
    QAction* status = frame.CommandAction(ID_VIEW_STATUS_BAR);
    frame.UpdateCommandUI();
    EXPECT_TRUE(toolbar->isChecked());
    EXPECT_TRUE(status->isChecked());

    ASSERT_TRUE(frame.ExecuteCommand(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(frame.m_wndToolBar->isVisible());
    EXPECT_FALSE(toolbar->isChecked());
    ASSERT_TRUE(frame.ExecuteCommand(ID_VIEW_STATUS_BAR));
    EXPECT_FALSE(frame.m_wndStatusBar->isVisible());
    EXPECT_FALSE(status->isChecked());

    toolbar->trigger();
    EXPECT_TRUE(frame.m_wndToolBar->isVisible());
    EXPECT_TRUE(toolbar->isChecked());
}

TEST(MainFrameTest, SplitterGivesTheTree230PixelsAndKeepsThemOnResize)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = *app.Frame();
    ASSERT_TRUE(WaitFor([&] { return frame.m_wndSplitter->sizes().value(0) > 0; }));
    EXPECT_EQ(frame.m_wndSplitter->widget(0), app.Tree());
    EXPECT_EQ(frame.m_wndSplitter->widget(1), app.Browser());
    EXPECT_EQ(frame.m_wndSplitter->sizes().value(0), 230);
    frame.resize(frame.width() + 200, frame.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.m_wndSplitter->sizes().value(0), 230);
}

TEST(MainFrameTest, NextPaneMovesTheFocusBetweenTreeAndBrowser)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = *app.Frame();
    EXPECT_EQ(frame.GetActiveView(), app.Tree());
    ASSERT_TRUE(frame.ExecuteCommand(ID_NEXT_PANE));
    EXPECT_EQ(frame.GetActiveView(), app.Browser());
    ASSERT_TRUE(frame.ExecuteCommand(ID_PREV_PANE));
    EXPECT_EQ(frame.GetActiveView(), app.Tree());
    // Focus alone does not select the first item of the tree.
    EXPECT_EQ(app.Tree()->currentItem(), nullptr);
}

// Find brings the toolbar back when it was hidden, to focus its field.
TEST(MainFrameTest, FindFocusesTheSearchFieldOfAHiddenToolbar)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = *app.Frame();
    frame.show();
    ASSERT_TRUE(frame.ExecuteCommand(ID_VIEW_TOOLBAR));
    ASSERT_TRUE(frame.m_wndToolBar->isHidden());
    auto* field = frame.findChild<QLineEdit*>(QStringLiteral("searchField"));
    ASSERT_NE(field, nullptr);
    field->setText(QStringLiteral("old words"));
    ASSERT_TRUE(frame.ExecuteCommand(ID_FIND_CATALOG));
    EXPECT_FALSE(frame.m_wndToolBar->isHidden());
    EXPECT_TRUE(WaitFor([&] { return field->hasFocus(); }, 5000));
    EXPECT_EQ(field->selectedText(), QStringLiteral("old words"));
    EXPECT_EQ(field->placeholderText(), QStringLiteral("Search the catalog"));
    EXPECT_TRUE(field->isClearButtonEnabled());
}

} // namespace
