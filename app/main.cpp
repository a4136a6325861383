#include <cstdio>

#include <QApplication>
#include <QTimer>

#include "app/CVantoryApp.h"
#include "app/startup/HugePageHeap.h"
#include "app/startup/WorkingDirectory.h"
#include "catalog/CatalogPreload.h"
#include "pages/browser/BrowserEngine.h"

namespace {

// VANTORY_EXIT_WHEN_SHOWN=1: report the shown main window on stdout and
// quit, for measuring the start-up.
bool ExitWhenShown()
{
    return qEnvironmentVariableIntValue("VANTORY_EXIT_WHEN_SHOWN") != 0;
}

} // namespace

int main(int argc, char** argv)
{
    RestartWithHugePageHeap(argv);
    // Without its own directory the program still starts, on whatever
    // catalog is where it was started (the message says why).
    EnterWorkingDirectory("vantory", stderr);
    // The catalogs load beside the making of the window, which takes the
    // load over when it gets to it. The load reads nothing of the locale
    // that the QApplication is about to set.
    CatalogPreload::Start();
    // Both must be settled before the QApplication exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    PrepareBrowserEngine();

    QApplication application(argc, argv);
    // Ties the windows to the desktop entry, for its icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTORY_APP_ID));
    CVantoryApp theApp;
    if (!theApp.InitInstance()) {
        theApp.ExitInstance();
        return 1;
    }
    if (ExitWhenShown()) {
        std::fputs("vantory: main window shown\n", stdout);
        std::fflush(stdout);
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    }
    const int code = application.exec();
    return code != 0 ? code : theApp.ExitInstance();
}
