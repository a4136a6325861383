#include "pages/browser/CVantoryView.h"

#include <system_error>

#include "app/framework/CommandState.h"
#include "catalog/TextFile.h"
#include "pages/PageCommand.h"
#include "pages/PageText.h"
#include "res/Resource.h"
#include "updater/UpdateRequest.h"

CVantoryView* g_pHtmlView = nullptr;

CVantoryView::CVantoryView(QWidget* parent) : CxHtmlView(parent)
{
    g_pHtmlView = this;
    // The listings name the previews of wallpapers and screen savers there.
    SetImageServer(QString::fromStdString(ContentServerFromEnvironment()));
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    // One print at a time: the engine refuses a second while one runs.
    OnUpdateCommand(ID_FILE_PRINT, [this](CommandState& state) { state.Enable(!IsPrinting()); });
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

void CVantoryView::ShowPage(std::string page)
{
    WriteHtml(ResolvePagePaths(std::move(page)));
}

std::string CVantoryView::ResolvePagePaths(std::string page) const
{
    return ::ResolvePagePaths(std::move(page), EncodePathForPage(BaseDirectory()));
}
