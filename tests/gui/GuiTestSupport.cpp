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

void InstallTemplates()
{
    fs::copy(fs::path(VANTORY_SOURCE_DIR) / "templates", fs::current_path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void WriteTypeCatalog(int typeCode, const std::vector<TestGroup>& groups)
{
    const fs::path dir = fs::path("data") / TypeKey(typeCode);
    std::string index = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<response>\n";
    for (const TestGroup& group : groups) {
        index += "<ressource><id>" + group.id + "</id><lib>" + group.lib + "</lib></ressource>\n";
        std::string page = "<response max_page=\"1\" total_results=\"" + std::to_string(group.items.size()) + "\">\n";
        for (size_t i = 0; i < group.items.size(); ++i)
            page += "<ressource><id>" + group.id + "-" + std::to_string(i) + "</id><lib>" + group.items[i] +
                    "</lib><url_download>http://x/" + std::to_string(i) + "</url_download></ressource>\n";
        WriteFile(dir / group.id / "1.xml", page + "</response>\n");
    }
    WriteFile(dir / "cats.xml", index + "</response>\n");
}

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

ScopedVariable::ScopedVariable(const char* name, const QString& value)
    : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
{
    qputenv(name, value.toUtf8());
}

ScopedVariable::~ScopedVariable()
{
    if (m_had)
        qputenv(m_name, m_old);
    else
        qunsetenv(m_name);
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    // A real event loop, not processing and sleeping by turns: the browser
    // engine runs its tasks from the event loop and would crawl.
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(5);
    loop.exec();
    return condition();
}

void Pump(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
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

QTreeWidgetItem* FindNode(const CLeftView& tree, const QString& path)
{
    QTreeWidgetItem* node = nullptr;
    for (const QString& part : path.split(QLatin1Char('/'))) {
        QTreeWidgetItem* found = nullptr;
        const int count = node ? node->childCount() : tree.topLevelItemCount();
        for (int i = 0; i < count && !found; ++i) {
            QTreeWidgetItem* child = node ? node->child(i) : tree.topLevelItem(i);
            if (child->text(0) == part)
                found = child;
        }
        if (!found)
            return nullptr;
        node = found;
    }
    return node;
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
