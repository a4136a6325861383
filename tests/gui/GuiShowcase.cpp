// The program in a chosen state, to look at under xvfb-run:
//
//   vantory_gui_showcase tree|about|update|print [shown-text path to select]
//
// "tree" selects the node (default "Vantory/Wallpapers") and opens its type;
// "about" also opens the About box; "update" starts Update Database after a
// second (with VANTORY_CONTENT_SERVER naming a content server); "print"
// gives the browser pane the focus and opens the print dialog after a
// second. It runs until it is closed or killed.

#include <QApplication>
#include <QTimer>
#include <QTreeWidgetItem>

#include "GuiTestSupport.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CVantoryApp.h"
#include "res/Resource.h"
#include "pages/browser/BrowserEngine.h"
#include "pages/browser/CVantoryView.h"
#include "tree/CLeftView.h"

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    PrepareBrowserEngine();
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString scene = args.value(1, QStringLiteral("tree"));
    const QString path = args.value(2, QStringLiteral("Vantory/Wallpapers"));

    CVantoryApp theApp;
    theApp.SetCommandLine({});
    if (!theApp.InitInstance())
        return 1;
    if (QTreeWidgetItem* node = g_pLeftView ? FindNode(*g_pLeftView, path) : nullptr) {
        g_pLeftView->SelectItem(node);
        node->setExpanded(true);
    }
    CAboutDlg about(theApp.GetMainWnd());
    if (scene == QStringLiteral("about"))
        QTimer::singleShot(300, &about, [&about] { about.show(); });
    if (scene == QStringLiteral("update"))
        QTimer::singleShot(1000, &application, [&theApp] { theApp.GetMainWnd()->ExecuteCommand(ID_UPDATE_DATABASE); });
    if (scene == QStringLiteral("print"))
        QTimer::singleShot(1000, &application, [&theApp] {
            if (g_pHtmlView)
                g_pHtmlView->setFocus(Qt::OtherFocusReason);
            theApp.GetMainWnd()->ExecuteCommand(ID_FILE_PRINT);
        });
    return application.exec();
}
