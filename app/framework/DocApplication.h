#pragma once

#include <memory>

#include <QPointer>
#include <QString>
#include <QStringList>

#include "app/framework/CommandTarget.h"
#include "app/framework/RecentFileList.h"

class CommandLineInfo;
class Document;
class FrameWindow;
class QSettings;
class SingleDocTemplate;

// The application side of the document framework: settings, the one
// document template, the standard File New / File Open handling and the
// command line. Exactly one exists at a time (Instance()).
class DocApplication : public CommandTarget
{
public:
    DocApplication();
    ~DocApplication() override;
    DocApplication(const DocApplication&) = delete;
    DocApplication& operator=(const DocApplication&) = delete;

    static DocApplication* Instance();

    // False ends the program at once.
    virtual bool InitInstance() = 0;
    // Saves the standard settings; the program's exit code.
    virtual int ExitInstance();

    FrameWindow* GetMainWnd() const;
    void SetMainWnd(FrameWindow* frame);

    // The arguments after the program name; by default the process's own.
    QStringList CommandLine() const;
    void SetCommandLine(QStringList arguments);

    // Settings are kept under organisation `key` and the application's name.
    void SetRegistryKey(const QString& key);
    std::unique_ptr<QSettings> OpenSettings() const;
    void LoadStdProfileSettings(int recentFileCount);
    void AddToRecentFileList(const QString& path);
    const RecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }

    void AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate);
    SingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }

    // New document or open the named file, as the command line asks.
    bool ProcessShellCommand(const CommandLineInfo& info);
    Document* OpenDocumentFile(const QString& path);

    void OnFileNew();
    // Asks for a file, then opens it.
    void OnFileOpen();
    void OnAppExit();

private:
    QString m_strRegistryKey;
    QStringList m_commandLine;
    bool m_bCommandLineSet = false;
    std::unique_ptr<RecentFileList> m_pRecentFileList;
    std::unique_ptr<SingleDocTemplate> m_pDocTemplate;
    QPointer<FrameWindow> m_pMainWnd;
};
