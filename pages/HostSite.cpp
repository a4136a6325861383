#include "pages/HostSite.h"

#include <QDesktopServices>
#include <QFile>
#include <QWebChannel>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include "pages/ExternalDispatch.h"
#include "pages/PageScheme.h"

namespace {

constexpr char kExternalScriptName[] = "vantory-external";

QString ReadResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

HostSite::HostSite(QWebEngineProfile* profile, CxHtmlView* owner)
    : QWebEnginePage(profile, nullptr), m_channel(new QWebChannel(this)),
      m_external(new ExternalDispatch(owner, this))
{
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
    const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    if (web && type == NavigationTypeLinkClicked)
        QDesktopServices::openUrl(url);
    return false;
}
