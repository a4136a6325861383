#include "app/CVantoryApp.h"

#include <QDesktopServices>
#include <QUrl>

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/Homepage.h"
#include "app/framework/ApplicationStrings.h"
#include "app/framework/CommandLineInfo.h"
#include "app/framework/SingleDocTemplate.h"
#include "catalog/document/CVantoryDoc.h"
#include "res/Resource.h"
#include "res/ResourceStrings.h"
#include "tree/CLeftView.h"

namespace {

constexpr char kRegistryKey[] = "Local AppWizard-Generated Applications";
constexpr int kRecentFileCount = 7;
constexpr char kHomepagePage[] = "vantory.shtml";

} // namespace

CVantoryApp::CVantoryApp()
{
    SetApplicationStrings({CommandPrompt, CommandTip, LoadResourceString(IDS_APP_TITLE),
                           DocTemplateField(DocStringField::WindowTitle)});
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_VISIT_HOMEPAGE, [this] { OnVisitHomepage(); });
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
}

CVantoryApp* CVantoryApp::Instance()
{
    return dynamic_cast<CVantoryApp*>(DocApplication::Instance());
}

bool CVantoryApp::InitInstance()
{
    // The browser engine was prepared for the page scheme in main(), before
    // the QApplication, as it must be.
    SetRegistryKey(QString::fromLatin1(kRegistryKey));
    LoadStdProfileSettings(kRecentFileCount);

    AddDocTemplate(std::make_unique<SingleDocTemplate>(
        [] { return std::make_unique<CVantoryDoc>(); }, [] { return new CMainFrame(); },
        [](QWidget* parent) { return new CLeftView(parent); }));

    CommandLineInfo info;
    info.ParseCommandLine(CommandLine());
    if (!ProcessShellCommand(info))
        return false;

    FrameWindow* frame = GetMainWnd();
    if (!frame)
        return false;
    frame->show();
    frame->repaint();
    return true;
}

void CVantoryApp::OnAppAbout()
{
    CAboutDlg dlg(GetMainWnd());
    dlg.exec();
}

void CVantoryApp::OnVisitHomepage()
{
    OpenHomepage(kHomepagePage);
}

void CVantoryApp::OpenHomepage(const std::string& page)
{
    const std::string address = std::string(HOMEPAGE_BASE_ADDRESS) + page;
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}
