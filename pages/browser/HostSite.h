#pragma once

#include <QElapsedTimer>
#include <QWebEnginePage>

class CxHtmlView;
class ExternalDispatch;
class QWebChannel;

// The browser page of a CxHtmlView: the engine's own behaviour for
// everything, plus the external object of the program's pages and the rule
// that the pane shows nothing but those pages.
class HostSite : public QWebEnginePage
{
    Q_OBJECT

public:
    HostSite(QWebEngineProfile* profile, CxHtmlView* owner);

    // Publishes the external object and has every page of the program get
    // its window.external. False when the script cannot be built from the
    // two sources; pages then show, but their calls reach nothing.
    bool InstallExternal(const QString& channelScriptPath, const QString& externalScriptPath);

protected:
    // Only the page scheme is shown here. A link to the web that the user
    // follows downloads in the program when it is an item's download
    // address (DownloadLinks) and opens in the user's browser otherwise; the
    // web never loads in the pane.
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // Notes the user's clicks and keys in the pane: a page goes to the web
    // only right after one of them, never on its script's own.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A link that asks for a window of its own (target="_blank") opens in
    // the user's browser as well.
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    // True once per click or key of the user, within a second of it.
    bool TakeUserGesture();

    CxHtmlView* m_owner;
    QWebChannel* m_channel;
    ExternalDispatch* m_external;
    QElapsedTimer m_sinceGesture;  // invalid while no gesture is pending
};
