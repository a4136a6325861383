#include <gtest/gtest.h>

#include <chrono>

#include <sys/mount.h>

#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>

#include "GuiTestSupport.h"
#include "app/CMainFrame.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "pages/browser/CVantoryView.h"
#include "res/Resource.h"
#include "tools/contentserver/ContentServer.h"
#include "tools/contentserver/TemporaryContent.h"
#include "tree/CLeftView.h"
#include "updater/dialog/CProgressDlg.h"
#include "updater/dialog/ProgressDlgLayout.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

CatalogGeneratorOptions SmallContent()
{
    CatalogGeneratorOptions options;
    options.groupsPerType = 2;
    options.itemsPerGroup = 35;
    options.pictures = true;
    return options;
}

// Every file below the working directory, by relative path.
std::vector<std::string> FilesBelow(const fs::path& dir)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), dir).string());
    std::sort(files.begin(), files.end());
    return files;
}

int CountBelow(const fs::path& dir, const std::string& extension)
{
    int count = 0;
    if (fs::exists(dir))
        for (const auto& entry : fs::recursive_directory_iterator(dir))
            count += entry.is_regular_file() && entry.path().extension() == extension;
    return count;
}

// The update dialog on screen, if there is one.
CProgressDlg* UpdateDialog()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dlg = qobject_cast<CProgressDlg*>(window); dlg && dlg->isVisible() &&
                                                              dlg->windowTitle() == QStringLiteral("Updating Database"))
            return dlg;
    return nullptr;
}

// Runs `action` from inside the update, `delayMs` after it starts, as the
// user's input arrives there: through the update's own pumps.
void DuringUpdate(int delayMs, std::function<void()> action)
{
    QTimer::singleShot(delayMs, qApp, std::move(action));
}

// A content server with the generated content, the program started in an
// empty working directory (templates and an empty data/) and pointed at it.
class UpdateDatabaseTest : public testing::Test
{
protected:
    void StartServer(bool hostileIds = false)
    {
        ContentServerOptions options;
        options.contentDir = m_content.Dir();
        options.hostileIds = hostileIds;
        options.hostileNulId = false;  // its NUL byte makes the index a cut document
        m_server = std::make_unique<ContentServer>(options);
        ASSERT_TRUE(m_server->Start()) << m_server->Error();
        m_variable = std::make_unique<ScopedVariable>("VANTORY_CONTENT_SERVER",
                                                      QString::fromStdString(m_server->Address()));
    }

    void StartProgram()
    {
        InstallTemplates();
        fs::create_directories("data");
        m_app = std::make_unique<RunningApp>();
        ASSERT_TRUE(m_app->Started());
        ASSERT_TRUE(WaitForLoaded(*m_app->Browser()));
    }

    CMainFrame& Frame() { return *m_app->Frame(); }
    CLeftView& Tree() { return *m_app->Tree(); }

    // The update as F5 runs it; the time it took.
    double Update()
    {
        const auto start = Clock::now();
        EXPECT_TRUE(Frame().ExecuteCommand(ID_UPDATE_DATABASE));
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    TemporaryContent m_content{SmallContent()};
    TestDir m_dir;
    std::unique_ptr<ContentServer> m_server;
    std::unique_ptr<ScopedVariable> m_variable;
    std::unique_ptr<RunningApp> m_app;
};

TEST_F(UpdateDatabaseTest, FreshInstallFetchesEverythingAndTheCatalogLoadsBehindTheKeptTree)
{
    StartServer();
    StartProgram();
    ASSERT_EQ(Tree().m_hLogos->childCount(), 0);

    Update();
    // Every type's groups, every picture; the catalog holds them, the tree
    // still shows what it had.
    for (int type : CONTENT_TYPE_LOAD_ORDER)
        EXPECT_EQ(CatalogForType(type)->GetGroupCount(), 2) << type;
    EXPECT_EQ(CountBelow("data", ".gif"), m_content.Summary().pictures);
    EXPECT_EQ(Tree().m_hLogos->childCount(), 0);
    EXPECT_EQ(UpdateDialog(), nullptr);
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_UPDATE_DATABASE})
        EXPECT_TRUE(Frame().IsCommandEnabled(id)) << id;

    // The new catalog is behind the pages from now on.
    CVantoryView& view = *m_app->Browser();
    ASSERT_TRUE(LoadsNewPage(view, [&] { Tree().SelectItem(Tree().m_hLogos); }));
    EXPECT_EQ(view.CurrentPage().count("class=\"group-card\""), 2);

    // A second update finds nothing changed: no listing page, no picture.
    m_server->ClearRequests();
    Update();
    for (const std::string& target : m_server->Requests()) {
        EXPECT_EQ(target.find("np=30"), std::string::npos) << target;
        EXPECT_EQ(target.find(".gif"), std::string::npos) << target;
    }
    EXPECT_EQ(m_server->Requests().size(), 7u + 7u * 2u);
}

TEST_F(UpdateDatabaseTest, WhileItRunsTheTreeAndPagesWorkAndCatalogCommandsAreOff)
{
    StartServer();
    // Slow answers keep the update busy for a while.
    m_server->AddFault(FaultRule::Stall(0.15, 0).ForAct("CONT"));
    StartProgram();
    CVantoryView& view = *m_app->Browser();
    int pages = 0;
    QObject::connect(&view, &CxHtmlView::PageWritten, [&] { ++pages; });
    bool checked = false;
    DuringUpdate(300, [&] {
        ASSERT_NE(UpdateDialog(), nullptr);
        EXPECT_TRUE(Frame().IsUpdating());
        for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_UPDATE_DATABASE}) {
            EXPECT_FALSE(Frame().IsCommandEnabled(id)) << id;
            EXPECT_FALSE(Frame().ExecuteCommand(id)) << id;
        }
        EXPECT_FALSE(Frame().CommandAction(ID_UPDATE_DATABASE)->isEnabled());
        // The user moves through the tree and gets the pages.
        Tree().SelectItem(Tree().m_hWallpapers);
        ASSERT_TRUE(Frame().ExecuteCommand(ID_NEXT_ITEM));
        EXPECT_EQ(Tree().currentItem(), Tree().m_hScreensavers);
        EXPECT_EQ(pages, 2);
        checked = true;
    });
    Update();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(Frame().IsUpdating());
    EXPECT_TRUE(Frame().CommandAction(ID_UPDATE_DATABASE)->isEnabled());
    EXPECT_TRUE(Frame().IsCommandEnabled(ID_FILE_NEW));
}

TEST_F(UpdateDatabaseTest, ACancelClickEndsTheUpdateWithinASecondAndTheCatalogStillLoads)
{
    StartServer();
    m_server->AddFault(FaultRule::Stall(0.2, 0).ForAct("CONT"));
    StartProgram();
    Clock::time_point clicked;
    DuringUpdate(500, [&] {
        CProgressDlg* dlg = UpdateDialog();
        ASSERT_NE(dlg, nullptr);
        auto* cancel = qobject_cast<QPushButton*>(dlg->GetDlgItem(IDC_PROGRESS_CANCEL));
        ASSERT_NE(cancel, nullptr);
        clicked = Clock::now();
        QTest::mouseClick(cancel, Qt::LeftButton);
        EXPECT_TRUE(dlg->m_cancelled);
        EXPECT_TRUE(dlg->isVisible());
    });
    Update();
    ASSERT_NE(clicked, Clock::time_point());
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - clicked).count(), 1.0 + 0.5 /* the reload */);
    // What arrived before the cancel is loaded; the program goes on.
    EXPECT_EQ(UpdateDialog(), nullptr);
    EXPECT_GE(CatalogForType(CT_LOGOS_BIG)->GetGroupCount(), 1);
    EXPECT_TRUE(Frame().IsCommandEnabled(ID_UPDATE_DATABASE));
}

TEST_F(UpdateDatabaseTest, AStallingServerCanBeCancelledAndTheProgramStaysResponsive)
{
    StartServer();
    // The first group's information never comes.
    m_server->AddFault(FaultRule::Stall(120, -1).ForAct("CONT"));
    StartProgram();
    int responsive = 0;
    for (int ms = 200; ms <= 1000; ms += 200)
        DuringUpdate(ms, [&] { ++responsive; });
    Clock::time_point clicked;
    DuringUpdate(1100, [&] {
        clicked = Clock::now();
        QTest::mouseClick(qobject_cast<QPushButton*>(UpdateDialog()->GetDlgItem(IDC_PROGRESS_CANCEL)),
                          Qt::LeftButton);
    });
    Update();
    EXPECT_EQ(responsive, 5);
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - clicked).count(), 1.5);
}

TEST_F(UpdateDatabaseTest, AServerThatIsNotThereChangesNothingOnDisk)
{
    StartServer();
    StartProgram();
    Update();
    const std::vector<std::string> before = FilesBelow(m_dir.Path());
    const int groups = CatalogForType(CT_JAVA)->GetGroupCount();
    m_server->Stop();

    const double seconds = Update();
    EXPECT_LT(seconds, 5.0);
    EXPECT_EQ(FilesBelow(m_dir.Path()), before);
    EXPECT_EQ(CatalogForType(CT_JAVA)->GetGroupCount(), groups);
}

TEST_F(UpdateDatabaseTest, HostileIdsWriteNothingOutsideData)
{
    StartServer(true);
    const fs::path outside = m_dir.Path().parent_path() / (m_dir.Path().filename().string() + "-outside");
    fs::create_directories(outside);
    StartProgram();
    Update();
    for (const std::string& file : FilesBelow(m_dir.Path()))
        EXPECT_TRUE(file.rfind("data/", 0) == 0 || file.rfind("tpl/", 0) == 0 || file == "hint.js") << file;
    EXPECT_TRUE(fs::is_empty(outside));
    fs::remove_all(outside);
    EXPECT_GE(CatalogForType(CT_LOGOS)->GetGroupCount(), 2);
}

TEST_F(UpdateDatabaseTest, ClosingTheWindowDuringAnUpdateEndsItAndThenCloses)
{
    StartServer();
    m_server->AddFault(FaultRule::Stall(0.2, 0).ForAct("CONT"));
    StartProgram();
    DuringUpdate(400, [&] {
        EXPECT_FALSE(Frame().close());  // not yet: the update ends first
        EXPECT_TRUE(Frame().isVisible());
    });
    const double seconds = Update();
    EXPECT_LT(seconds, 3.0);
    ASSERT_TRUE(WaitFor([&] { return !Frame().isVisible(); }, 5000));
    // No file is left half written.
    for (const std::string& file : FilesBelow(m_dir.Path()))
        EXPECT_EQ(file.find(".tmp"), std::string::npos) << file;
}

// A data/ that takes nothing: the update cannot store, and says so once,
// after the reload, with how many files and why.
TEST_F(UpdateDatabaseTest, AnUpdateThatCouldNotStoreSaysSoOnce)
{
    StartServer();
    fs::create_directories("data");
    if (::mount("tmpfs", "data", "tmpfs", MS_RDONLY, "size=1m") != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here (not root)";
    StartProgram();
    QStringList messages;
    bool dialogGone = false;
    const MessageBoxHandler previous = SetMessageBoxHandler([&](const QString& text) {
        messages.append(text);
        dialogGone = UpdateDialog() == nullptr;
    });
    Update();
    ::umount2("data", MNT_DETACH);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(dialogGone);
    const QString message = messages.front();
    EXPECT_TRUE(message.startsWith("The update could not store everything.\n\n")) << message.toStdString();
    EXPECT_TRUE(message.contains(QRegularExpression("[0-9]+ files could not be written: Read-only file system "
                                                    "\\(data/[a-z_]+ and [0-9]+ more\\)\\.")))
        << message.toStdString();
    EXPECT_EQ(UpdateDialog(), nullptr);

    // An update that stores everything says nothing.
    Update();
    EXPECT_EQ(messages.size(), 1);
    SetMessageBoxHandler(previous);
}

} // namespace
