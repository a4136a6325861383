#pragma once

#include "skin/CSkinFrameWnd.h"
#include "skin/CSkinToolBar.h"

class CProgressDlg;
class CatalogSearchField;
class DownloadQueue;
class DownloadsWindow;
class CommandState;
class KeyLockIndicators;
class QLabel;
class QCloseEvent;
class QSplitter;
class QStatusBar;
class WriteFailures;

// The one top-level window: menu, a fixed toolbar, the status bar and a
// splitter with the catalog tree on the left (230 pixels) and the browser
// on the right. Its commands move the tree selection. The skin draws its
// menus and toolbar in style 8.
class CMainFrame : public CSkinFrameWnd
{
    Q_OBJECT

public:
    CMainFrame();
    ~CMainFrame() override;

    void OnNextItem();
    void OnPrevItem();
    void OnGoUp();
    void OnUpdateNextItem(CommandState& state);
    void OnUpdatePrevItem(CommandState& state);
    void OnUpdateGoUp(CommandState& state);
    // Refreshes the catalog from the content server under the "Updating
    // Database" dialog, then reloads it with every cache rebuilt; the tree
    // keeps its nodes. While it runs the tree and the pages stay usable;
    // what would reload the catalog or start another update is disabled.
    void OnUpdateDatabase();
    // Disables File New, File Open and Update Database while an update runs.
    void OnUpdateCatalogCommand(CommandState& state);
    bool IsUpdating() const { return m_pUpdateDlg != nullptr; }
    // Focuses the toolbar's search field, showing the toolbar if hidden.
    void OnFindCatalog();
    // Shows the downloads list in front.
    void OnViewDownloads();
    DownloadQueue* Downloads() const { return m_downloads; }
    DownloadsWindow* DownloadsList() const { return m_downloadsWindow; }

    QSplitter* m_wndSplitter = nullptr;
    QStatusBar* m_wndStatusBar = nullptr;
    CSkinToolBar* m_wndToolBar = nullptr;
    CatalogSearchField* m_searchField = nullptr;

protected:
    // The caption is the application's name alone.
    bool PreCreateWindow(FrameStyle& style) override;
    void LoadFrameResources() override;
    // The client area (splitter and views), then the toolbar and the status bar.
    int OnCreate(CreateContext& context) override;
    bool OnCreateClient(CreateContext& context) override;
    // The bars have no context menu of their own.
    QMenu* createPopupMenu() override;
    // Closing during an update cancels it; the window closes once the file
    // being written is complete or dropped. Closing while downloads run
    // asks whether to cancel them.
    void closeEvent(QCloseEvent* event) override;

private:
    bool CreateStatusBar();
    void AddSearchField();
    // The downloads: their queue (which the pages' download links reach),
    // their list, the status bar's summary, the settings that keep them.
    void CreateDownloads();
    void SaveDownloads() const;
    void ShowDownloadSummary();
    // The update under its dialog, then the reload; false when the window
    // was closed meanwhile (no reload then). What could not be written goes
    // to `failures`.
    bool UpdateAndReload(WriteFailures& failures);

    KeyLockIndicators* m_indicators = nullptr;
    DownloadQueue* m_downloads = nullptr;
    DownloadsWindow* m_downloadsWindow = nullptr;
    QLabel* m_downloadSummary = nullptr;
    CProgressDlg* m_pUpdateDlg = nullptr;  // the dialog of the update that runs
    bool m_bCloseAfterUpdate = false;
};
