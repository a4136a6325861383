#include "app/framework/DocApplication.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QSettings>

#include "app/framework/ApplicationStrings.h"
#include "app/framework/CommandLineInfo.h"
#include "app/framework/FrameWindow.h"
#include "app/framework/SingleDocTemplate.h"
#include "app/framework/FrameworkIds.h"
#include "app/framework/FrameworkTexts.h"

namespace {

DocApplication* g_pApp = nullptr;

constexpr char kRecentFileSection[] = "Recent File List";

} // namespace

DocApplication::DocApplication()
{
    g_pApp = this;
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

DocApplication::~DocApplication()
{
    // The frame and its views go before anything they might still reach.
    m_pDocTemplate.reset();
    if (g_pApp == this)
        g_pApp = nullptr;
}

DocApplication* DocApplication::Instance()
{
    return g_pApp;
}

int DocApplication::ExitInstance()
{
    if (m_pRecentFileList) {
        if (auto settings = OpenSettings())
            m_pRecentFileList->WriteList(*settings);
    }
    return 0;
}

FrameWindow* DocApplication::GetMainWnd() const
{
    return m_pMainWnd;
}

void DocApplication::SetMainWnd(FrameWindow* frame)
{
    m_pMainWnd = frame;
}

QStringList DocApplication::CommandLine() const
{
    if (m_bCommandLineSet)
        return m_commandLine;
    return QCoreApplication::arguments().mid(1);
}

void DocApplication::SetCommandLine(QStringList arguments)
{
    m_commandLine = std::move(arguments);
    m_bCommandLineSet = true;
}

void DocApplication::SetRegistryKey(const QString& key)
{
    m_strRegistryKey = key;
    QCoreApplication::setOrganizationName(key);
    QCoreApplication::setApplicationName(GetApplicationStrings().appTitle);
}

std::unique_ptr<QSettings> DocApplication::OpenSettings() const
{
    if (m_strRegistryKey.isEmpty())
        return nullptr;
    return std::make_unique<QSettings>(m_strRegistryKey, GetApplicationStrings().appTitle);
}

void DocApplication::LoadStdProfileSettings(int recentFileCount)
{
    m_pRecentFileList = std::make_unique<RecentFileList>(QString::fromLatin1(kRecentFileSection), recentFileCount);
    if (auto settings = OpenSettings())
        m_pRecentFileList->ReadList(*settings);
}

void DocApplication::AddToRecentFileList(const QString& path)
{
    if (!m_pRecentFileList)
        return;
    m_pRecentFileList->Add(path);
    // Written at once as well as at exit, so that a crash loses nothing.
    if (auto settings = OpenSettings())
        m_pRecentFileList->WriteList(*settings);
}

void DocApplication::AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate)
{
    m_pDocTemplate = std::move(docTemplate);
}

bool DocApplication::ProcessShellCommand(const CommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CommandLineInfo::ShellCommand::FileNew:
        return m_pDocTemplate && m_pDocTemplate->OpenDocumentFile(QString());
    case CommandLineInfo::ShellCommand::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    }
    return false;
}

Document* DocApplication::OpenDocumentFile(const QString& path)
{
    return m_pDocTemplate ? m_pDocTemplate->OpenDocumentFile(path) : nullptr;
}

void DocApplication::OnFileNew()
{
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(QString());
}

void DocApplication::OnFileOpen()
{
    const QString path = QFileDialog::getOpenFileName(m_pMainWnd, QString::fromUtf8(Texts::OPEN_CAPTION),
                                                      QString(), QString::fromUtf8(Texts::OPEN_FILTER));
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void DocApplication::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->close();
}
