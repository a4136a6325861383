#include <gtest/gtest.h>

#include <QLabel>
#include <QSettings>
#include <QTest>

#include "GuiTestSupport.h"
#include "ItemDownloadServer.h"
#include "app/CMainFrame.h"
#include "app/framework/MessageBox.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "download/CatalogItemLookup.h"
#include "download/window/DownloadQueue.h"
#include "download/window/DownloadRow.h"
#include "download/window/DownloadsWindow.h"
#include "pages/browser/CVantoryView.h"
#include "tools/catgen/CatalogGenerator.h"
#include "tree/CLeftView.h"

namespace {

namespace fs = std::filesystem;
using State = DownloadEntry::State;

// A generated catalog whose download addresses are the test server's, the
// shipped templates, the download folder in the test's directory, and no
// downloads kept from another test.
class DownloadsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Vantory"))
            .remove(QStringLiteral("Downloads"));
        InstallTemplates();
        CatalogGeneratorOptions options;
        options.outDir = m_dir.Path();
        options.groupsPerType = 1;
        options.itemsPerGroup = 6;
        options.types = {CT_WALLPAPERS};
        options.mediaBase = m_server.Origin() + "/media/";
        GenerateCatalog(options);
        Start();
    }

    void Start()
    {
        m_app = std::make_unique<RunningApp>();
        ASSERT_TRUE(m_app->Started());
        ASSERT_TRUE(WaitForLoaded(View()));
    }

    CVantoryView& View() { return *m_app->Browser(); }
    DownloadQueue& Queue() { return *m_app->Frame()->Downloads(); }
    const ContentGroup& Group() { return *CatalogForType(CT_WALLPAPERS)->Group(0); }
    std::string Address(size_t item) { return DownloadAddressOf(Group(), item); }
    fs::path Folder() const { return m_dir.Path() / "dl" / "Vantory"; }
    // Files in the download folder, hidden ones too; 0 when it is not there.
    int FileCount() const
    {
        std::error_code missing;
        int count = 0;
        for (auto it = fs::directory_iterator(Folder(), missing); it != fs::directory_iterator(); ++it)
            ++count;
        return count;
    }

    int Count(State state)
    {
        int count = 0;
        for (const DownloadEntry& entry : Queue().Entries())
            count += entry.state == state;
        return count;
    }
    bool SettlesAt(State state, int count) { return WaitFor([&] { return Count(state) == count; }, 10000); }

    TestDir m_dir;
    ItemDownloadServer m_server;
    ScopedVariable m_downloads{"XDG_DOWNLOAD_DIR", QString::fromStdString((m_dir.Path() / "dl").string())};
    std::unique_ptr<RunningApp> m_app;
};

TEST_F(DownloadsTest, AClickOnDownloadSavesTheFileListsItAndMarksTheButton)
{
    CLeftView& tree = *m_app->Tree();
    ASSERT_TRUE(LoadsNewPage(View(), [&] { tree.SelectItem(tree.m_hWallpapers->child(0)); }));
    const QVariantList box = RunScript(View(), QStringLiteral(
        "var r = document.querySelectorAll('a.button')[1].getClientRects()[0];"
        "[r.left + r.width / 2, r.top + r.height / 2]")).toList();
    ASSERT_EQ(box.size(), 2);
    QTest::mouseClick(View().focusProxy(), Qt::LeftButton, {}, QPoint(box[0].toInt(), box[1].toInt()));

    ASSERT_TRUE(SettlesAt(State::Finished, 1));
    const DownloadEntry& entry = Queue().Entries().front();
    const std::string id = Group().ids[1];
    EXPECT_EQ(entry.path.toStdString(), (Folder() / ItemDownloadServer::FileName(id)).string());
    EXPECT_EQ(ReadFile(entry.path.toStdString()), ItemDownloadServer::Body(id));
    EXPECT_EQ(entry.typeTitle, QStringLiteral("Wallpapers"));
    EXPECT_EQ(entry.label.toStdString(), ItemLabelOf(Group(), 1));
    // The list came up with the download, and shows it finished.
    DownloadsWindow* list = m_app->Frame()->DownloadsList();
    EXPECT_TRUE(list->isVisible());
    ASSERT_NE(list->Row(entry.id), nullptr);
    EXPECT_TRUE(list->Row(entry.id)->findChild<QLabel*>(QStringLiteral("state"))->text().startsWith("Finished"));
    // The page marks the item it has; the others stay as they were.
    EXPECT_TRUE(WaitFor([&] {
        return RunScript(View(), QStringLiteral("[...document.querySelectorAll('a.button')]"
                                                ".map(a => a.textContent).join('|')"))
                   .toString() == QStringLiteral("Download|Downloaded|Download|Download|Download|Download");
    }, 5000));
}

TEST_F(DownloadsTest, EnterOnAFocusedDownloadLinkStartsItToo)
{
    CLeftView& tree = *m_app->Tree();
    ASSERT_TRUE(LoadsNewPage(View(), [&] { tree.SelectItem(tree.m_hWallpapers->child(0)); }));
    View().setFocus();
    RunScript(View(), QStringLiteral("document.querySelectorAll('a.button')[2].focus(); 1"));
    QTest::keyClick(View().focusProxy(), Qt::Key_Return);
    ASSERT_TRUE(SettlesAt(State::Finished, 1));
    EXPECT_EQ(Queue().Entries().front().label.toStdString(), ItemLabelOf(Group(), 2));
}

TEST_F(DownloadsTest, ScriptInAPageCannotStartADownload)
{
    CLeftView& tree = *m_app->Tree();
    ASSERT_TRUE(LoadsNewPage(View(), [&] { tree.SelectItem(tree.m_hWallpapers->child(0)); }));
    RunScript(View(), QStringLiteral("document.querySelector('a.button').click();"
                                     "window.open(document.querySelectorAll('a.button')[1].href); 1"));
    Pump(500);
    EXPECT_TRUE(Queue().Entries().empty());
    EXPECT_EQ(FileCount(), 0);
}

TEST_F(DownloadsTest, ThreeRunAtOnceTheRestWaitAndCancelledOnesLeaveNothing)
{
    m_server.m_mode = ItemDownloadServer::Mode::Slow;
    for (size_t item = 0; item < 5; ++item)
        ASSERT_TRUE(Queue().StartDownload(Address(item)));
    EXPECT_FALSE(Queue().StartDownload("http://127.0.0.1:1/not-an-item"));
    EXPECT_EQ(Count(State::Downloading), 3);
    EXPECT_EQ(Count(State::Waiting), 2);
    EXPECT_TRUE(m_app->Frame()->findChild<QLabel*>(QStringLiteral("downloadSummary"))->text().startsWith(
        QStringLiteral("Downloading 5 files")));

    // A cancelled one makes room for the next in line.
    Queue().Cancel(Queue().Entries()[0].id);
    ASSERT_TRUE(SettlesAt(State::Cancelled, 1));
    EXPECT_EQ(Count(State::Downloading), 3);
    EXPECT_EQ(Count(State::Waiting), 1);

    Queue().CancelAll();
    ASSERT_TRUE(SettlesAt(State::Cancelled, 5));
    EXPECT_EQ(FileCount(), 0);
    EXPECT_TRUE(m_app->Frame()->findChild<QLabel*>(QStringLiteral("downloadSummary"))->isHidden());
}

TEST_F(DownloadsTest, FailuresSayWhyAndTheListOutlivesTheProgram)
{
    ASSERT_TRUE(Queue().StartDownload(Address(0)));
    ASSERT_TRUE(SettlesAt(State::Finished, 1));
    m_server.m_mode = ItemDownloadServer::Mode::Missing;
    ASSERT_TRUE(Queue().StartDownload(Address(1)));
    ASSERT_TRUE(SettlesAt(State::Failed, 1));
    EXPECT_EQ(Queue().Entries()[1].StateText(), QStringLiteral("Failed: 404 Not Found"));

    m_app.reset();
    Start();
    ASSERT_EQ(Queue().Entries().size(), 2u);
    EXPECT_EQ(Queue().Entries()[0].state, State::Finished);
    EXPECT_EQ(Queue().Entries()[1].StateText(), QStringLiteral("Failed: 404 Not Found"));
    // Retry goes again; then the list empties of all that is over.
    m_server.m_mode = ItemDownloadServer::Mode::File;
    Queue().Retry(Queue().Entries()[1].id);
    ASSERT_TRUE(SettlesAt(State::Finished, 2));
    Queue().ClearFinished();
    EXPECT_TRUE(Queue().Entries().empty());
    EXPECT_EQ(FileCount(), 2);  // the files stay
}

TEST_F(DownloadsTest, QuittingWhileDownloadsRunAsksFirst)
{
    m_server.m_mode = ItemDownloadServer::Mode::Slow;
    ASSERT_TRUE(Queue().StartDownload(Address(0)));
    QStringList asked;
    bool answer = false;
    const QuestionHandler previous = SetQuestionHandler([&](const QString& text) {
        asked.append(text);
        return answer;
    });
    CMainFrame* frame = m_app->Frame();
    frame->show();
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(asked, QStringList{QStringLiteral("A download is not finished. Cancel it and quit?")});
    EXPECT_EQ(Count(State::Downloading), 1);

    answer = true;
    EXPECT_TRUE(frame->close());
    ASSERT_TRUE(SettlesAt(State::Cancelled, 1));
    SetQuestionHandler(previous);
    EXPECT_EQ(FileCount(), 0);
}

} // namespace
