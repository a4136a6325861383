#include "pages/browser/PageScheme.h"

#include <QWebEngineUrlScheme>

QUrl PageUrl()
{
    return QUrl(QStringLiteral("%1://%2/").arg(QLatin1String(PAGE_SCHEME), QLatin1String(PAGE_HOST)));
}

bool RegisterPageScheme()
{
    if (IsPageSchemeRegistered())
        return true;
    QWebEngineUrlScheme scheme(PAGE_SCHEME);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Local: web content elsewhere may not load it; local access: its pages
    // may load its own files. Not secure: a secure page would have the
    // engine turn the content server's http pictures into https requests.
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
    return IsPageSchemeRegistered();
}

bool IsPageSchemeRegistered()
{
    return QWebEngineUrlScheme::schemeByName(PAGE_SCHEME).name() == PAGE_SCHEME;
}
