#include "app/CMainFrame.h"

#include <QCloseEvent>
#include <QSettings>
#include <QLabel>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidgetItem>

#include "app/CatalogSearchField.h"
#include "app/KeyLockIndicators.h"
#include "app/framework/CommandState.h"
#include "app/framework/DocApplication.h"
#include "app/framework/MessageBox.h"
#include "app/framework/WindowExposure.h"
#include "catalog/document/CVantoryDoc.h"
#include "catalog/WriteFailures.h"
#include "download/window/DownloadQueue.h"
#include "download/window/DownloadsWindow.h"
#include "pages/DownloadLinks.h"
#include "pages/browser/CVantoryView.h"
#include "res/MainFrameResources.h"
#include "res/Resource.h"
#include "res/ResourceStrings.h"
#include "skin/SkinState.h"
#include "tree/CLeftView.h"
#include "updater/dialog/CProgressDlg.h"
#include "updater/CatalogUpdater.h"
#include "updater/UpdateRequest.h"

namespace {

constexpr int kTreePaneWidth = 230;

} // namespace

CMainFrame::CMainFrame()
{
    OnCommand(ID_UPDATE_DATABASE, [this] { OnUpdateDatabase(); });
    OnCommand(ID_NEXT_ITEM, [this] { OnNextItem(); });
    OnCommand(ID_PREV_ITEM, [this] { OnPrevItem(); });
    OnUpdateCommand(ID_NEXT_ITEM, [this](CommandState& state) { OnUpdateNextItem(state); });
    OnUpdateCommand(ID_PREV_ITEM, [this](CommandState& state) { OnUpdatePrevItem(state); });
    OnCommand(ID_GO_UP, [this] { OnGoUp(); });
    OnUpdateCommand(ID_GO_UP, [this](CommandState& state) { OnUpdateGoUp(state); });
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_UPDATE_DATABASE})
        OnUpdateCommand(id, [this](CommandState& state) { OnUpdateCatalogCommand(state); });
    // Print goes to the active pane; with none active, the browser pane
    // prints, being the one with something to print.
    OnCommand(ID_FILE_PRINT, [] {
        if (g_pHtmlView)
            g_pHtmlView->OnFilePrint();
    });
    OnCommand(ID_FIND_CATALOG, [this] { OnFindCatalog(); });
    OnCommand(ID_VIEW_DOWNLOADS, [this] { OnViewDownloads(); });
    OnUpdateCommand(ID_FILE_PRINT,
                    [](CommandState& state) { state.Enable(g_pHtmlView && !g_pHtmlView->IsPrinting()); });
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::PreCreateWindow(FrameStyle& style)
{
    style.addToTitle = false;
    return FrameWindow::PreCreateWindow(style);
}

void CMainFrame::LoadFrameResources()
{
    LoadMainMenu(*this);
    LoadMainAccelerators(*this);
    setWindowIcon(LoadAppIcon());
}

int CMainFrame::OnCreate(CreateContext& context)
{
    SetMenuStyle(8);
    if (FrameWindow::OnCreate(context) == -1)
        return -1;

    m_wndToolBar = new CSkinToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("toolBar"));
    m_wndToolBar->setMovable(false);
    m_wndToolBar->setFloatable(false);
    m_wndToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    if (!m_wndToolBar->LoadToolBar(*this, IDR_MAINFRAME))
        return -1;
    m_wndToolBar->LoadBitmap(IDB_TOOLBAR_HICOLOR);
    AddSearchField();

    if (!CreateStatusBar())
        return -1;

    RegisterBar(ID_VIEW_TOOLBAR, m_wndToolBar);
    RegisterBar(ID_VIEW_STATUS_BAR, m_wndStatusBar);
    CreateDownloads();
    return 0;
}

void CMainFrame::CreateDownloads()
{
    m_downloads = new DownloadQueue(this);
    if (DocApplication* app = DocApplication::Instance())
        if (auto settings = app->OpenSettings())
            m_downloads->Load(*settings);
    m_downloadsWindow = new DownloadsWindow(*m_downloads, this);
    SetDownloadLinks(m_downloads);
    connect(m_downloads, &DownloadQueue::EntriesChanged, this, [this] {
        // A new download shows the list, leaving the focus on the page.
        if (m_downloads->ActiveCount() > 0)
            m_downloadsWindow->Present(false);
        ShowDownloadSummary();
        SaveDownloads();
    });
    connect(m_downloads, &DownloadQueue::EntryChanged, this, [this](int id) {
        ShowDownloadSummary();
        // Kept at once when one ends, so that a crash later loses nothing.
        if (const DownloadEntry* entry = m_downloads->Entry(id); entry && !entry->IsActive())
            SaveDownloads();
    });
    connect(m_downloads, &DownloadQueue::Finished, this, [this] {
        SaveDownloads();
        if (g_pHtmlView)
            g_pHtmlView->MarkDownloadedLinks();
    });
}

void CMainFrame::SaveDownloads() const
{
    if (DocApplication* app = DocApplication::Instance())
        if (auto settings = app->OpenSettings())
            m_downloads->Save(*settings);
}

void CMainFrame::ShowDownloadSummary()
{
    const QString summary = m_downloads->Summary();
    m_downloadSummary->setText(summary);
    m_downloadSummary->setVisible(!summary.isEmpty());
}

void CMainFrame::OnViewDownloads()
{
    if (m_downloadsWindow)
        m_downloadsWindow->Present(true);
}

void CMainFrame::AddSearchField()
{
    // The field sits at the right end, the room between it and the buttons
    // left empty.
    auto* spacer = new QWidget(m_wndToolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_wndToolBar->addWidget(spacer);
    m_searchField = new CatalogSearchField(m_wndToolBar);
    m_wndToolBar->addWidget(m_searchField);
}

void CMainFrame::OnFindCatalog()
{
    if (!m_searchField)
        return;
    // A hidden toolbar would hide the field the user asked for.
    if (m_wndToolBar && m_wndToolBar->isHidden())
        ExecuteCommand(ID_VIEW_TOOLBAR);
    m_searchField->Activate();
}

bool CMainFrame::CreateStatusBar()
{
    m_wndStatusBar = new QStatusBar(this);
    m_wndStatusBar->setObjectName(QStringLiteral("statusBar"));
    setStatusBar(m_wndStatusBar);
    // The message pane: "Ready" whenever no prompt covers it.
    auto* idle = new QLabel(LoadResourceString(IDS_IDLE_MESSAGE), m_wndStatusBar);
    idle->setObjectName(QStringLiteral("idleMessage"));
    m_wndStatusBar->addWidget(idle, 1);
    // What the downloads are doing, while they run.
    m_downloadSummary = new QLabel(m_wndStatusBar);
    m_downloadSummary->setObjectName(QStringLiteral("downloadSummary"));
    m_downloadSummary->hide();
    m_wndStatusBar->addPermanentWidget(m_downloadSummary);
    m_indicators = new KeyLockIndicators(m_wndStatusBar);
    return true;
}

bool CMainFrame::OnCreateClient(CreateContext& context)
{
    m_wndSplitter = new QSplitter(Qt::Horizontal, this);
    m_wndSplitter->setObjectName(QStringLiteral("splitter"));
    m_wndSplitter->setChildrenCollapsible(false);
    View* tree = CreateView(context, [](QWidget* parent) { return new CLeftView(parent); }, m_wndSplitter);
    View* browser = CreateView(context, [](QWidget* parent) { return new CVantoryView(parent); }, m_wndSplitter);
    if (!tree || !browser) {
        delete m_wndSplitter;
        m_wndSplitter = nullptr;
        return false;
    }
    // The tree's pages go to the browser pane.
    static_cast<CLeftView*>(tree)->SetPageDisplay(static_cast<CVantoryView*>(browser));
    // The tree keeps its width when the window is resized; the browser
    // takes the rest.
    m_wndSplitter->setStretchFactor(0, 0);
    m_wndSplitter->setStretchFactor(1, 1);
    m_wndSplitter->setSizes({kTreePaneWidth, std::max(100, width() - kTreePaneWidth)});
    setCentralWidget(m_wndSplitter);
    return true;
}

QMenu* CMainFrame::createPopupMenu()
{
    return nullptr;
}

void CMainFrame::OnNextItem()
{
    QTreeWidgetItem* item = nullptr;
    if (g_pLeftView && g_pLeftView->FindNextItem(&item))
        g_pLeftView->SelectItem(item);
}

void CMainFrame::OnPrevItem()
{
    QTreeWidgetItem* item = nullptr;
    if (g_pLeftView && g_pLeftView->FindPrevItem(&item))
        g_pLeftView->SelectItem(item);
}

void CMainFrame::OnGoUp()
{
    QTreeWidgetItem* item = nullptr;
    if (g_pLeftView && g_pLeftView->FindParentItem(&item))
        g_pLeftView->SelectItem(item);
}

void CMainFrame::OnUpdateNextItem(CommandState& state)
{
    if (g_pLeftView)
        state.Enable(g_pLeftView->FindNextItem());
}

void CMainFrame::OnUpdatePrevItem(CommandState& state)
{
    if (g_pLeftView)
        state.Enable(g_pLeftView->FindPrevItem());
}

void CMainFrame::OnUpdateGoUp(CommandState& state)
{
    if (g_pLeftView)
        state.Enable(g_pLeftView->FindParentItem());
}

void CMainFrame::OnUpdateDatabase()
{
    if (m_pUpdateDlg)
        return;
    WriteFailures failures;
    if (!UpdateAndReload(failures))
        return;
    // The update reports nothing else; a copy that could not be stored is
    // no success to keep quiet about. Told once its dialog is gone.
    if (!failures.Empty())
        ShowMessageBox(FormatTemplate(QString::fromUtf8(Texts::UPDATE_NOT_STORED),
                                      {QString::fromStdString(failures.Summary())}));
}

bool CMainFrame::UpdateAndReload(WriteFailures& failures)
{
    CProgressDlg dlg;
    dlg.Create(this);
    dlg.CenterOnOwner();
    dlg.UpdateData();
    dlg.show();
    if (WaitUntilExposed(dlg))
        dlg.repaint();

    // The pumps of the update handle the user's input: the tree and the
    // pages work meanwhile, but nothing may reload the catalog under it.
    m_pUpdateDlg = &dlg;
    UpdateCommandUI();
    {
        CatalogUpdater updater(dlg, ContentServerFromEnvironment());
        updater.RunUpdate();
        failures = updater.Failures();
    }
    m_pUpdateDlg = nullptr;

    if (m_bCloseAfterUpdate) {
        // The user closed the window meanwhile: no reload, just go.
        QTimer::singleShot(0, this, &QWidget::close);
        return false;
    }
    CVantoryDoc::LoadDatabase(true, &failures);
    UpdateCommandUI();
    return true;
}

void CMainFrame::OnUpdateCatalogCommand(CommandState& state)
{
    state.Enable(!m_pUpdateDlg);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_pUpdateDlg) {
        m_bCloseAfterUpdate = true;
        m_pUpdateDlg->OnCancel();
        event->ignore();
        return;
    }
    if (m_downloads) {
        if (const int active = m_downloads->ActiveCount(); active > 0) {
            const QString question = active == 1
                ? QStringLiteral("A download is not finished. Cancel it and quit?")
                : QStringLiteral("%1 downloads are not finished. Cancel them and quit?").arg(active);
            if (!AskYesNo(question)) {
                event->ignore();
                return;
            }
            m_downloads->CancelAll();
        }
        SaveDownloads();
    }
    CSkinFrameWnd::closeEvent(event);
}
