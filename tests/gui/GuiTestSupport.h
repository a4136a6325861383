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

#include "TestDir.h"
#include "app/framework/MessageBox.h"

// Test failures show Qt's strings as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

class CLeftView;
class CMainFrame;
class CVantoryApp;
class CVantoryView;
class CxHtmlView;
class QTreeWidgetItem;

// One group of a test catalog: its id, its label as the XML writes it
// (references and all) and its item labels.
struct TestGroup
{
    std::string id;
    std::string lib;
    std::vector<std::string> items;
};

// Copies the templates the program ships (tpl/ and hint.js) into the
// working directory.
void InstallTemplates();

// Writes data/<key>/cats.xml and one listing page per group below the
// working directory, as the update leaves them.
void WriteTypeCatalog(int typeCode, const std::vector<TestGroup>& groups);

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

// Sets an environment variable for the life of the object.
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const QString& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

// Events are handled until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000);

// Runs the event loop for a while.
void Pump(int ms);

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

// The tree's items by their shown text path, "Wallpapers/Love"; null if none.
QTreeWidgetItem* FindNode(const CLeftView& tree, const QString& path);

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
