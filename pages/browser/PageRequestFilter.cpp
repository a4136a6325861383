#include "pages/browser/PageRequestFilter.h"

#include <QUrl>

#include "pages/browser/PageScheme.h"

PageRequestFilter::PageRequestFilter(QObject* parent) : QWebEngineUrlRequestInterceptor(parent)
{
}

void PageRequestFilter::SetImageServer(const QString& server)
{
    const QUrl address(QStringLiteral("http://") + server);
    const bool valid = !server.isEmpty() && address.isValid() && !address.host().isEmpty();
    m_imageHost = valid ? address.host() : QString();
    m_imagePort = valid ? address.port(80) : -1;
}

void PageRequestFilter::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (!Allows(info.requestUrl(), info.resourceType(), info.requestMethod()))
        info.block(true);
}

bool PageRequestFilter::Allows(const QUrl& url, QWebEngineUrlRequestInfo::ResourceType type,
                               const QByteArray& method) const
{
    const QString scheme = url.scheme();
    if (scheme == QLatin1String(PAGE_SCHEME) || scheme == QLatin1String("data") || scheme == QLatin1String("blob"))
        return true;
    if (scheme != QLatin1String("http") || type != QWebEngineUrlRequestInfo::ResourceTypeImage ||
        method != "GET" || m_imageHost.isEmpty())
        return false;
    return url.host() == m_imageHost && url.port(80) == m_imagePort && url.userInfo().isEmpty();
}
