#include "GuiTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <QDesktopServices>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QWebEnginePage>

#include "app/CMainFrame.h"
#include "app/CVantoryApp.h"
#include "catalog/ContentType.h"
#include "pages/browser/CVantoryView.h"
#include "pages/browser/HostSite.h"
#include "pages/browser/PageScheme.h"
#include "tree/CLeftView.h"

namespace fs = std::filesystem;

RunningApp::RunningApp(QStringList commandLine) : m_app(std::make_unique<CVantoryApp>())
{
    m_previousHandler = SetMessageBoxHandler([this](const QString& text) { m_messages.append(text); });
    m_app->SetCommandLine(std::move(commandLine));
    m_started = m_app->InitInstance();
}

RunningApp::~RunningApp()
{
    m_app->ExitInstance();
    m_app.reset();
    // Whatever the frame left to deleteLater goes now, inside this test.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    SetMessageBoxHandler(std::move(m_previousHandler));
}

CMainFrame* RunningApp::Frame() const
{
    return qobject_cast<CMainFrame*>(m_app->GetMainWnd());
}

CLeftView* RunningApp::Tree() const
{
    return g_pLeftView;
}

CVantoryView* RunningApp::Browser() const
{
    return g_pHtmlView;
}

QVariant RunScript(CxHtmlView& view, const QString& script, int timeoutMs)
{
    QVariant result;
    bool done = false;
    // The flag outlives a late answer through the shared pointer.
    auto alive = std::make_shared<bool>(true);
    view.page()->runJavaScript(script, [&, alive](const QVariant& value) {
        if (!*alive)
            return;
        result = value;
        done = true;
    });
    WaitFor([&] { return done; }, timeoutMs);
    *alive = false;
    return result;
}

bool WaitForLoaded(CxHtmlView& view, int timeoutMs)
{
    const QString url = PageUrl().toString();
    return WaitFor(
        [&] {
            const QVariant state = RunScript(view, QStringLiteral("document.readyState + ' ' + location.href"), 2000);
            return state.toString() == QStringLiteral("complete ") + url;
        },
        timeoutMs);
}

bool WritePage(CxHtmlView& view, const std::string& html, int timeoutMs)
{
    return LoadsNewPage(view, [&] { view.WriteHtml(html); }, timeoutMs);
}

bool LoadsNewPage(CxHtmlView& view, const std::function<void()>& action, int timeoutMs)
{
    bool started = false;
    bool finished = false;
    QWebEnginePage* page = view.page();
    const auto onStarted = QObject::connect(page, &QWebEnginePage::loadStarted, [&] { started = true; });
    const auto onFinished = QObject::connect(page, &QWebEnginePage::loadFinished, [&](bool ok) {
        if (started && ok)
            finished = true;
    });
    action();
    const bool loaded = WaitFor([&] { return finished; }, timeoutMs);
    QObject::disconnect(onStarted);
    QObject::disconnect(onFinished);
    return loaded;
}

UrlRecorder::UrlRecorder()
{
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
}

UrlRecorder::~UrlRecorder()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void UrlRecorder::Open(const QUrl& url)
{
    m_opened.append(url);
}
