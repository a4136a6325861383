#include "pages/browser/CVantoryView.h"

#include <system_error>

#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEnginePage>

#include "app/framework/CommandState.h"
#include "catalog/TextFile.h"
#include "pages/DownloadLinks.h"
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
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (ok)
            MarkDownloadedLinks();
    });
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

void CVantoryView::MarkDownloadedLinks()
{
    const DownloadLinks* downloads = GetDownloadLinks();
    if (!downloads || !page())
        return;
    QJsonArray addresses;
    for (const std::string& address : downloads->DownloadedAddresses())
        addresses.append(QString::fromStdString(address));
    if (addresses.isEmpty())
        return;
    // The link's attribute as the page holds it, references decoded: the
    // catalog's address as the download knows it. The page keeps its own
    // markup: no template needs to know of the mark.
    page()->runJavaScript(
        QStringLiteral("(function (done) {"
                       "  var set = new Set(done);"
                       "  document.querySelectorAll('a[href]').forEach(function (a) {"
                       "    if (!set.has(a.getAttribute('href')) || a.classList.contains('downloaded')) return;"
                       "    a.classList.add('downloaded');"
                       "    a.textContent = 'Downloaded';"
                       "    a.title = 'Downloaded already: a click downloads it again';"
                       "  });"
                       "})(%1);")
            .arg(QString::fromUtf8(QJsonDocument(addresses).toJson(QJsonDocument::Compact))));
}
