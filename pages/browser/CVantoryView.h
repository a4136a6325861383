#pragma once

#include <string>

#include "pages/PageDisplay.h"
#include "pages/browser/CxHtmlView.h"

// The browser pane of the main window: the pages of the catalog tree, whose
// calls are page commands.
class CVantoryView : public CxHtmlView, public PageDisplay
{
    Q_OBJECT

public:
    explicit CVantoryView(QWidget* parent = nullptr);
    ~CVantoryView() override;

    // The browser's installation, then the page commands as its callback.
    void OnInitialUpdate() override;

    // The page's relative references made absolute below the working
    // directory of this moment, where the page's address finds them.
    std::string ResolvePagePaths(std::string page) const;

    // The page, its paths resolved, written into the browser.
    void ShowPage(std::string page) override;

    // Marks the links of the page shown whose address is downloaded
    // already (DownloadLinks): "Downloaded" on the button. Runs after every
    // page has loaded, and again when a download finishes.
    void MarkDownloadedLinks();
};

// The one browser view; null before it is made and after it is gone.
extern CVantoryView* g_pHtmlView;
