#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include "WidgetsTestSupport.h"
#include "app/framework/MessageBox.h"

class CLeftView;
class CMainFrame;
class CVantoryApp;
class CVantoryView;
class CxHtmlView;
class QTreeWidgetItem;

// The program as it starts: InitInstance on the working directory, with
// messages recorded instead of shown.
class RunningApp
{
public:
    explicit RunningApp(QStringList commandLine = {});
    ~RunningApp();

    bool Started() const { return m_started; }
    CVantoryApp& App() { return *m_app; }
    CMainFrame* Frame() const;
    CLeftView* Tree() const;
    CVantoryView* Browser() const;
    const QStringList& Messages() const { return m_messages; }

private:
    std::unique_ptr<CVantoryApp> m_app;
    QStringList m_messages;
    MessageBoxHandler m_previousHandler;
    bool m_started = false;
};

// The blank document of the initial update, or the page written last, has
// finished loading in the view.
bool WaitForLoaded(CxHtmlView& view, int timeoutMs = 20000);
// Runs the action and waits until the page it has the view load (a page
// written, a tree selection, a page command) has finished loading.
bool LoadsNewPage(CxHtmlView& view, const std::function<void()>& action, int timeoutMs = 20000);
// Writes the page and waits until the browser has loaded it.
bool WritePage(CxHtmlView& view, const std::string& html, int timeoutMs = 20000);

// The result of a script in the view's page; invalid on time-out.
QVariant RunScript(CxHtmlView& view, const QString& script, int timeoutMs = 20000);

// Receives what the program asks the desktop to open.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    UrlRecorder();
    ~UrlRecorder() override;

    QList<QUrl> m_opened;

public slots:
    void Open(const QUrl& url);
};
