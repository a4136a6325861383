#include "pages/browser/HostSite.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QWebChannel>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include "pages/DownloadLinks.h"
#include "pages/browser/CxHtmlView.h"
#include "pages/browser/ExternalDispatch.h"
#include "pages/browser/PageScheme.h"

namespace {

constexpr char kExternalScriptName[] = "vantory-external";

// How long after a click of the user its navigation may still arrive.
constexpr qint64 kGestureMilliseconds = 1000;

bool IsWebAddress(const QUrl& url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

// A web link the user followed: an item's download address downloads in
// the program, anything else opens in the user's browser.
void FollowWebLink(const QUrl& url)
{
    if (DownloadLinks* downloads = GetDownloadLinks()) {
        // The link as the page wrote it, or as the engine encoded it.
        for (const QString& form : {url.toString(QUrl::FullyEncoded), url.toString()})
            if (downloads->StartDownload(form.toStdString()))
                return;
    }
    QDesktopServices::openUrl(url);
}

// The window a link asked for: it hands the address to the user's browser
// and goes, without ever loading anything.
class ExternalLinkPage : public QWebEnginePage
{
public:
    ExternalLinkPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override
    {
        if (isMainFrame && IsWebAddress(url))
            FollowWebLink(url);
        deleteLater();
        return false;
    }
};

QString ReadResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

HostSite::HostSite(QWebEngineProfile* profile, CxHtmlView* owner)
    : QWebEnginePage(profile, nullptr), m_owner(owner), m_channel(new QWebChannel(this)),
      m_external(new ExternalDispatch(owner, this))
{
    // The engine's input widget is made and replaced by the view as it
    // likes; the application sees every event first.
    qApp->installEventFilter(this);
}

bool HostSite::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonRelease || type == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && m_owner && m_owner->isAncestorOf(widget))
            m_sinceGesture.start();
    }
    return false;
}

bool HostSite::TakeUserGesture()
{
    const bool recent = m_sinceGesture.isValid() && m_sinceGesture.elapsed() <= kGestureMilliseconds;
    m_sinceGesture.invalidate();
    return recent;
}

bool HostSite::InstallExternal(const QString& channelScriptPath, const QString& externalScriptPath)
{
    const QString channel = ReadResource(channelScriptPath);
    QString external = ReadResource(externalScriptPath);
    if (channel.isEmpty() || external.isEmpty())
        return false;
    external.replace(QLatin1String("@PAGE_URL@"), PageUrl().toString());

    if (!m_channel->registeredObjects().contains(QStringLiteral("external")))
        m_channel->registerObject(QStringLiteral("external"), m_external);
    setWebChannel(m_channel);

    for (const QWebEngineScript& old : scripts().find(QLatin1String(kExternalScriptName)))
        scripts().remove(old);
    QWebEngineScript script;
    script.setName(QLatin1String(kExternalScriptName));
    script.setSourceCode(QStringLiteral("(function () {\n") + channel + QLatin1Char('\n') + external +
                         QStringLiteral("\n})();\n"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    scripts().insert(script);
    return true;
}

bool HostSite::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (url.scheme() == QLatin1String(PAGE_SCHEME))
        return true;
    if (!isMainFrame && (url.scheme() == QLatin1String("about") || url.scheme() == QLatin1String("data")))
        return true;
    if (IsWebAddress(url) && type == NavigationTypeLinkClicked && isMainFrame && TakeUserGesture())
        FollowWebLink(url);
    return false;
}

QWebEnginePage* HostSite::createWindow(WebWindowType)
{
    if (!TakeUserGesture())
        return nullptr;
    return new ExternalLinkPage(profile(), this);
}
