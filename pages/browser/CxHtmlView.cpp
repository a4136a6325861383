#include "pages/browser/CxHtmlView.h"

#include <filesystem>
#include <system_error>

#include <QPrinter>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "app/framework/MessageBox.h"
#include "catalog/TextFile.h"
#include "pages/browser/HostSite.h"
#include "pages/browser/PageRequestFilter.h"
#include "pages/browser/PageScheme.h"
#include "pages/browser/PageSchemeHandler.h"
#include "res/Resource.h"
#include "res/ResourceStrings.h"

namespace {

std::filesystem::path WorkingDirectory()
{
    return CurrentDirectory();
}

} // namespace

CxHtmlView::CxHtmlView(QWidget* parent)
    : QWebEngineView(parent),
      // Off the record: nothing of the pages is kept on disk between runs.
      m_profile(new QWebEngineProfile(this)),
      m_schemeHandler(new PageSchemeHandler(WorkingDirectory(), this)),
      m_requestFilter(new PageRequestFilter(this))
{
    m_profile->setHttpCacheType(QWebEngineProfile::NoCache);
    // Catalog texts go into the pages as they are: whatever markup or script
    // they carry must find nothing to reach beyond the page.
    m_profile->setUrlRequestInterceptor(m_requestFilter);
    QWebEngineSettings* settings = m_profile->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    // The engine would keep the pages from every remote address; the
    // request filter lets the content server's pictures through.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    m_pDocHostUI = new HostSite(m_profile, this);

    connect(this, &QWebEngineView::printFinished, this, &CxHtmlView::OnPrintFinished);

    OnCommand(ID_EDIT_COPY, [this] { if (m_pDocHostUI) m_pDocHostUI->triggerAction(QWebEnginePage::Copy); });
    OnCommand(ID_EDIT_CUT, [this] { if (m_pDocHostUI) m_pDocHostUI->triggerAction(QWebEnginePage::Cut); });
    OnCommand(ID_EDIT_PASTE, [this] { if (m_pDocHostUI) m_pDocHostUI->triggerAction(QWebEnginePage::Paste); });
}

CxHtmlView::~CxHtmlView()
{
    // The engine paints into the printer from a thread of its own and, once
    // the view is gone, tells nobody when it stops: the printer is left to
    // it rather than freed under it.
    if (m_printer)
        new std::shared_ptr<QPrinter>(std::move(m_printer));
    // The page goes before its profile, which the engine insists on.
    delete m_pDocHostUI;
    m_pDocHostUI = nullptr;
}

QString CxHtmlView::ChannelScriptPath() const
{
    return QStringLiteral(":/qtwebchannel/qwebchannel.js");
}

QString CxHtmlView::ExternalScriptPath() const
{
    return QStringLiteral(":/pages/ExternalObject.js");
}

bool CxHtmlView::InstallSchemeHandler()
{
    if (!IsPageSchemeRegistered())
        return false;
    if (m_profile->urlSchemeHandler(PAGE_SCHEME) != m_schemeHandler)
        m_profile->installUrlSchemeHandler(PAGE_SCHEME, m_schemeHandler);
    return m_profile->urlSchemeHandler(PAGE_SCHEME) == m_schemeHandler;
}

void CxHtmlView::OnInitialUpdate()
{
    View::OnInitialUpdate();
    if (!m_pDocHostUI) {
        ShowMessageBox(QString::fromUtf8(Texts::ERROR_NO_HOST_SITE));
        return;
    }
    if (!InstallSchemeHandler()) {
        ShowMessageBox(QString::fromUtf8(Texts::ERROR_HOST_OBJECT));
        return;
    }
    if (!m_pDocHostUI->InstallExternal(ChannelScriptPath(), ExternalScriptPath()))
        ShowMessageBox(QString::fromUtf8(Texts::ERROR_DEFAULT_SITE));
    // page() would make a default page when none is set yet.
    if (!m_bPageSet) {
        setPage(m_pDocHostUI);
        m_bPageSet = true;
    }
    if (page() != m_pDocHostUI) {
        ShowMessageBox(QString::fromUtf8(Texts::ERROR_SET_SITE));
        return;
    }
    m_schemeHandler->SetPage(QByteArray());
    m_pDocHostUI->load(PageUrl());
    m_bNavigated = true;
}

void CxHtmlView::SetExternalCallback(PageCallback callback)
{
    m_pageCallback = std::move(callback);
}

CxHtmlView::CallResult CxHtmlView::OnExternalCall(int dispId, const QVariantList& arguments)
{
    if (!m_pageCallback)
        return CallResult::NoCallback;
    if (dispId != DISPID_PAGECALL)
        return CallResult::OtherCallId;
    if (arguments.isEmpty() || arguments.last().typeId() != QMetaType::QString)
        return CallResult::NoStringArgument;
    // A copy: the callback may replace the callback.
    const PageCallback callback = m_pageCallback;
    callback(arguments.last().toString().toStdString());
    return CallResult::Delivered;
}

void CxHtmlView::WriteHtml(std::string html)
{
    if (!m_bNavigated)
        return;
    m_schemeHandler->SetPage(QByteArray(html.data(), static_cast<qsizetype>(html.size())));
    m_pDocHostUI->load(PageUrl());
    emit PageWritten();
}

void CxHtmlView::Print(std::shared_ptr<QPrinter> printer, PrintDone done)
{
    // page() would make a default page before the browser is installed.
    if (m_printer || !printer || !m_bPageSet) {
        if (done)
            done(false);
        return;
    }
    m_printer = std::move(printer);
    m_printDone = std::move(done);
    print(m_printer.get());
}

void CxHtmlView::OnPrintFinished(bool ok)
{
    m_printer.reset();
    // Taken first: `done` may start the next print.
    const PrintDone done = std::move(m_printDone);
    m_printDone = nullptr;
    if (done)
        done(ok);
}

void CxHtmlView::SetImageServer(const QString& server)
{
    m_requestFilter->SetImageServer(server);
}

const QByteArray& CxHtmlView::CurrentPage() const
{
    return m_schemeHandler->Page();
}
