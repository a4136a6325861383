#pragma once

#include "pages/CxHtmlView.h"

// The browser pane of the main window: the pages of the catalog tree, whose
// calls are page commands.
class CVantoryView : public CxHtmlView
{
    Q_OBJECT

public:
    explicit CVantoryView(QWidget* parent = nullptr);
    ~CVantoryView() override;

    // The browser's installation, then the page commands as its callback.
    void OnInitialUpdate() override;
};

// The one browser view; null before it is made and after it is gone.
extern CVantoryView* g_pHtmlView;
