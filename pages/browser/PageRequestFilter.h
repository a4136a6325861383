#pragma once

#include <QString>
#include <QWebEngineUrlRequestInterceptor>

// Keeps the pages off the network: a page and its script may load the
// program's own scheme (the page and local files, which the scheme handler
// limits further) and data and blob addresses, and over http only pictures
// from the content server, whose listings name the previews of wallpapers
// and screen savers. Every other request is blocked before it is sent.
class PageRequestFilter : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    // Until an image server is set nothing goes over the network.
    explicit PageRequestFilter(QObject* parent = nullptr);

    // "host:port" of the content server; "" for none.
    void SetImageServer(const QString& server);

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    // Whether a request of that kind for that address may go out.
    bool Allows(const QUrl& url, QWebEngineUrlRequestInfo::ResourceType type, const QByteArray& method) const;

private:
    QString m_imageHost;
    int m_imagePort = -1;
};
