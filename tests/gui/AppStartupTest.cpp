#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QSettings>
#include <QTreeWidgetItem>

#include "GuiTestSupport.h"
#include "app/CMainFrame.h"
#include "app/CVantoryApp.h"
#include "app/framework/Document.h"
#include "app/framework/SingleDocTemplate.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "pages/browser/CVantoryView.h"
#include "res/Resource.h"
#include "tree/CLeftView.h"

namespace {

void WriteSmallCatalog()
{
    WriteTypeCatalog(CT_WALLPAPERS, {{"10", "Love", {"heart", "rose"}}, {"11", "Cars", {"mini"}}});
    WriteTypeCatalog(CT_RT_POLY, {{"20", "Rock &amp; roll", {"riff"}}});
    WriteTypeCatalog(CT_LOGOS, {{"30", "Names", {"anna"}}});
}

// What was on screen at the moments that matter: each paint of the loading
// dialog's bar, and the main window's first show.
class StartupRecorder : public QObject
{
public:
    struct BarPaint
    {
        int value;
        int maximum;
        QString text;
        bool mainWindowVisible;
    };

    std::vector<BarPaint> m_barPaints;
    int m_groupsAtShow = -1;
    int m_leavesAtShow = -1;
    bool m_shown = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            auto* bar = qobject_cast<QProgressBar*>(watched);
            if (bar && bar->isVisible() && bar->window()->windowTitle() == QStringLiteral("Loading database")) {
                QString text;
                for (QLabel* label : bar->window()->findChildren<QLabel*>())
                    if (label->isVisible())
                        text += label->text();
                CMainFrame* frame = nullptr;
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* f = qobject_cast<CMainFrame*>(w))
                        frame = f;
                m_barPaints.push_back({bar->value(), bar->maximum(), text, frame && frame->isVisible()});
            }
        }
        if (event->type() == QEvent::Show && qobject_cast<CMainFrame*>(watched) && !m_shown) {
            m_shown = true;
            m_groupsAtShow = CatalogForType(CT_WALLPAPERS)->GetGroupCount();
            m_leavesAtShow = g_pLeftView && g_pLeftView->m_hWallpapers ? g_pLeftView->m_hWallpapers->childCount() : -1;
        }
        return QObject::eventFilter(watched, event);
    }
};

TEST(AppStartupTest, CatalogIsLoadedUnderTheDialogBeforeTheWindowIsShown)
{
    TestDir dir;
    WriteSmallCatalog();
    StartupRecorder recorder;
    qApp->installEventFilter(&recorder);
    RunningApp app;
    qApp->removeEventFilter(&recorder);

    ASSERT_TRUE(app.Started());
    EXPECT_TRUE(app.Messages().isEmpty()) << app.Messages().join(QStringLiteral(" | ")).toStdString();
    ASSERT_TRUE(recorder.m_shown);
    EXPECT_EQ(recorder.m_groupsAtShow, 2);
    EXPECT_EQ(recorder.m_leavesAtShow, 2);

    // Painted empty when shown, then after each type while the main window
    // was still hidden, up to 7 of 7.
    ASSERT_FALSE(recorder.m_barPaints.empty());
    int last = 0;
    std::vector<int> steps;
    for (const auto& paint : recorder.m_barPaints) {
        EXPECT_EQ(paint.text, QStringLiteral("Reading database..."));
        EXPECT_FALSE(paint.mainWindowVisible);
        EXPECT_GE(paint.value, last);
        last = paint.value;
        if (paint.value > 0) {
            EXPECT_EQ(paint.maximum, 7);
            if (steps.empty() || steps.back() != paint.value)
                steps.push_back(paint.value);
        }
    }
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));

    // The dialog is gone; the window is up with its caption.
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->windowTitle() == QStringLiteral("Loading database"));
    ASSERT_NE(app.Frame(), nullptr);
    EXPECT_TRUE(app.Frame()->isVisible());
    EXPECT_EQ(app.Frame()->windowTitle(), QStringLiteral("Vantory"));
}

TEST(AppStartupTest, TreeHoldsRootTypesAndGroupsInTheirOrder)
{
    TestDir dir;
    WriteSmallCatalog();
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CLeftView& tree = *app.Tree();

    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(root, tree.m_hRoot);
    EXPECT_EQ(root->text(0), QStringLiteral("Vantory"));
    EXPECT_TRUE(root->isExpanded());

    const std::vector<std::pair<QString, QTreeWidgetItem*>> types = {
        {"Ringtones (poly)", tree.m_hRtPoly}, {"Ringtones (mono)", tree.m_hRtMono},
        {"Wallpapers", tree.m_hWallpapers},   {"Screen savers", tree.m_hScreensavers},
        {"Java games", tree.m_hJava},         {"Logos", tree.m_hLogos},
        {"Logos (big)", tree.m_hLogosBig},
    };
    ASSERT_EQ(root->childCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(root->child(i)->text(0), types[i].first);
        EXPECT_EQ(root->child(i), types[i].second) << i;
        EXPECT_FALSE(root->child(i)->isExpanded()) << i;
    }

    ASSERT_EQ(tree.m_hWallpapers->childCount(), 2);
    EXPECT_EQ(tree.m_hWallpapers->child(0)->text(0), QStringLiteral("Love"));
    EXPECT_EQ(tree.m_hWallpapers->child(1)->text(0), QStringLiteral("Cars"));
    // The shown text has the reference decoded; the label stays the catalog's.
    ASSERT_EQ(tree.m_hRtPoly->childCount(), 1);
    EXPECT_EQ(tree.m_hRtPoly->child(0)->text(0), QStringLiteral("Rock & roll"));
    EXPECT_EQ(CLeftView::ItemLabel(tree.m_hRtPoly->child(0)), "Rock &amp; roll");
    // A type without groups has no children and so no expand button.
    EXPECT_EQ(tree.m_hJava->childCount(), 0);
    EXPECT_EQ(tree.m_hJava->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);

    EXPECT_EQ(tree.currentItem(), nullptr);
    EXPECT_TRUE(tree.selectedItems().isEmpty());
    EXPECT_TRUE(app.Browser()->CurrentPage().isEmpty());
}

TEST(AppStartupTest, FileNewReloadsTheCatalogAndRebuildsTheTree)
{
    TestDir dir;
    WriteSmallCatalog();
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CLeftView& tree = *app.Tree();
    tree.SelectItem(tree.m_hWallpapers->child(0));
    ASSERT_NE(tree.currentItem(), nullptr);

    // New data on disk; without a cache the index is read again.
    WriteTypeCatalog(CT_WALLPAPERS, {{"10", "Love", {"heart"}}, {"11", "Cars", {}}, {"12", "Sea", {"wave"}}});
    std::filesystem::remove("data/wallpapers/cats.dat");
    std::filesystem::remove("data/wallpapers/data_10.dat");
    ASSERT_TRUE(app.Frame()->ExecuteCommand(ID_FILE_NEW));

    ASSERT_EQ(g_pLeftView, &tree);
    EXPECT_EQ(tree.currentItem(), nullptr);
    ASSERT_NE(tree.m_hWallpapers, nullptr);
    ASSERT_EQ(tree.m_hWallpapers->childCount(), 3);
    EXPECT_EQ(tree.m_hWallpapers->child(2)->text(0), QStringLiteral("Sea"));
    EXPECT_EQ(CatalogForType(CT_WALLPAPERS)->GetItemCount(0), 1);
    EXPECT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(app.Frame()->windowTitle(), QStringLiteral("Vantory"));
    // The browser is back at the blank document.
    EXPECT_TRUE(app.Browser()->CurrentPage().isEmpty());
    EXPECT_TRUE(WaitForLoaded(*app.Browser()));
}

TEST(AppStartupTest, FileOpenKeepsTheCaptionAndListsSevenRecentFiles)
{
    TestDir dir;
    WriteSmallCatalog();
    RunningApp app;
    ASSERT_TRUE(app.Started());
    for (int i = 1; i <= 9; ++i)
        WriteFile("doc" + std::to_string(i) + ".vty", "never read");

    for (int i = 1; i <= 9; ++i) {
        const QString name = QStringLiteral("doc%1.vty").arg(i);
        ASSERT_NE(app.App().OpenDocumentFile(name), nullptr) << i;
        EXPECT_EQ(app.Frame()->windowTitle(), QStringLiteral("Vantory"));
    }
    ASSERT_NE(app.Tree()->m_hWallpapers, nullptr);
    EXPECT_EQ(app.Tree()->m_hWallpapers->childCount(), 2);
    // Opening one that is on the list moves it to the top.
    ASSERT_NE(app.App().OpenDocumentFile(QStringLiteral("doc5.vty")), nullptr);

    const QString base = QString::fromStdString(dir.Path().string()) + QLatin1Char('/');
    const QStringList expected = {base + "doc5.vty", base + "doc9.vty", base + "doc8.vty", base + "doc7.vty",
                                  base + "doc6.vty", base + "doc4.vty", base + "doc3.vty"};
    EXPECT_EQ(app.App().GetRecentFileList()->Entries(), expected);

    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Vantory"));
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(settings.value(QStringLiteral("File%1").arg(i + 1)).toString(), expected[i]);
    EXPECT_FALSE(settings.contains(QStringLiteral("File8")));
}

TEST(AppStartupTest, FileThatCannotBeOpenedEndsTheStartWithAMessage)
{
    TestDir dir;
    WriteSmallCatalog();
    RunningApp app({QStringLiteral("missing.vty")});
    EXPECT_FALSE(app.Started());
    ASSERT_EQ(app.Messages().size(), 1);
    EXPECT_TRUE(app.Messages()[0].contains(QStringLiteral("missing.vty")));
    EXPECT_EQ(app.App().GetMainWnd(), nullptr);
    EXPECT_EQ(g_pLeftView, nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
}

TEST(AppStartupTest, ExistingFileOnTheCommandLineOpensTheUsualWindow)
{
    TestDir dir;
    WriteSmallCatalog();
    WriteFile("catalog.vty", "anything");
    RunningApp app({QStringLiteral("catalog.vty")});
    ASSERT_TRUE(app.Started());
    EXPECT_TRUE(app.Frame()->isVisible());
    EXPECT_EQ(app.Frame()->windowTitle(), QStringLiteral("Vantory"));
    EXPECT_EQ(app.App().GetDocTemplate()->GetDocument()->GetTitle(), QStringLiteral("catalog.vty"));
    EXPECT_EQ(app.Tree()->m_hWallpapers->childCount(), 2);
}

TEST(AppStartupTest, ExitClosesTheMainWindow)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Frame()->ExecuteCommand(ID_APP_EXIT));
    EXPECT_FALSE(app.Frame()->isVisible());
}

} // namespace
