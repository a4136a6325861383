#include "app/framework/WindowExposure.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>

#if defined(VANTORY_WITH_X11) && QT_CONFIG(xcb)
#define VANTORY_HAVE_XLIB 1
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#endif

namespace {

#ifdef VANTORY_HAVE_XLIB
// Asked on the connection Qt uses, after its request to map the window:
// viewable once the window and all its ancestors (the window manager's
// frame too) are mapped. The reply is read without Qt's event handling.
bool ViewableOnX11(const QWidget& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, static_cast<Window>(window.winId()), &attributes))
        return false;
    return attributes.map_state == IsViewable;
}
#endif

bool ShownOnScreen(const QWidget& window, int timeoutMs)
{
    const QString platform = QGuiApplication::platformName();
    // No display server: the window is up as soon as it is shown.
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return true;
#ifdef VANTORY_HAVE_XLIB
    if (platform == QLatin1String("xcb")) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!ViewableOnX11(window)) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(2);
        }
        return true;
    }
#else
    (void)window;
    (void)timeoutMs;
#endif
    return false;
}

} // namespace

bool WaitUntilExposed(QWidget& window, int timeoutMs)
{
    QWindow* handle = window.windowHandle();
    if (!handle || !window.isVisible())
        return false;
    if (handle->isExposed())
        return true;
    if (!ShownOnScreen(window, timeoutMs))
        return false;
    // Qt marks the window mapped when it handles the exposure, which waits
    // for the event loop; until then it would drop every paint.
    window.setAttribute(Qt::WA_Mapped);
    return true;
}
