#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QByteArray>
#include <QVariantList>
#include <QWebEngineView>

#include "app/framework/View.h"

class HostSite;
class PageRequestFilter;
class PageSchemeHandler;
class QPrinter;
class QWebEngineProfile;

// Takes the argument string of a page call.
using PageCallback = std::function<void(std::string argument)>;

// The call id of every method of window.external.
inline constexpr int DISPID_PAGECALL = 1;

// A browser view that shows HTML written to it rather than loaded, and
// whose pages call back into the program through window.external.
class CxHtmlView : public QWebEngineView, public View
{
    Q_OBJECT

public:
    // What became of a page call.
    enum class CallResult
    {
        Delivered,         // the callback has the argument
        NoCallback,        // none is set yet; nothing done
        OtherCallId,       // not a page call; ignored
        NoStringArgument,  // no argument, or the last one is not a string; ignored
    };

    explicit CxHtmlView(QWidget* parent = nullptr);
    ~CxHtmlView() override;

    QWidget* Widget() override { return this; }

    // Installs the page (with its external object) into the browser and
    // shows the blank document. A failing step is reported in a message box.
    void OnInitialUpdate() override;

    void SetExternalCallback(PageCallback callback);
    // A call of the page's external object: the last argument goes to the
    // callback when it is a string and the id is DISPID_PAGECALL.
    CallResult OnExternalCall(int dispId, const QVariantList& arguments);

    // Replaces the whole document by the HTML, of any size; the address
    // stays the same. Dropped before the blank document has been shown.
    void WriteHtml(std::string html);
    // The document written last ("" for the blank one).
    const QByteArray& CurrentPage() const;

    // Prints the page shown, laid out by the browser for the printer's
    // paper. The engine prints in the background; `done` runs when it has
    // finished, and at once with false while another print runs or before
    // the browser has been installed.
    void Print(std::shared_ptr<QPrinter> printer, PrintDone done) override;
    bool IsPrinting() const { return m_printer != nullptr; }

    // The one server ("host:port") whose pictures the pages may show; none
    // until set. Nothing else of the network is open to the pages.
    void SetImageServer(const QString& server);

    // The browser page, with its external object; null if it could not be made.
    HostSite* m_pDocHostUI = nullptr;

signals:
    // After each WriteHtml that reached the browser.
    void PageWritten();

protected:
    // Where the two parts of the page script come from.
    virtual QString ChannelScriptPath() const;
    virtual QString ExternalScriptPath() const;

private:
    bool InstallSchemeHandler();
    void OnPrintFinished(bool ok);

    QWebEngineProfile* m_profile;
    PageSchemeHandler* m_schemeHandler;
    PageRequestFilter* m_requestFilter;
    PageCallback m_pageCallback;
    std::shared_ptr<QPrinter> m_printer;  // until the engine is done with it
    PrintDone m_printDone;
    bool m_bPageSet = false;
    bool m_bNavigated = false;
};
