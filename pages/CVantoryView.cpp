#include "pages/CVantoryView.h"

#include "pages/PageCommand.h"

CVantoryView* g_pHtmlView = nullptr;

CVantoryView::CVantoryView(QWidget* parent) : CxHtmlView(parent)
{
    g_pHtmlView = this;
}

CVantoryView::~CVantoryView()
{
    if (g_pHtmlView == this)
        g_pHtmlView = nullptr;
}

void CVantoryView::OnInitialUpdate()
{
    CxHtmlView::OnInitialUpdate();
    SetExternalCallback(OnPageCommand);
}
