#include "app/KeyLockState.h"

#include <QGuiApplication>

#if defined(VANTORY_WITH_X11) && QT_CONFIG(xcb)
#define VANTORY_HAVE_XKB 1
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

namespace {

#ifdef VANTORY_HAVE_XKB
bool IndicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on == True;
}
#endif

} // namespace

std::optional<KeyLocks> QueryKeyLocks()
{
#ifdef VANTORY_HAVE_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    KeyLocks locks;
    locks.caps = IndicatorOn(display, "Caps Lock");
    locks.num = IndicatorOn(display, "Num Lock");
    locks.scroll = IndicatorOn(display, "Scroll Lock");
    return locks;
#else
    return std::nullopt;
#endif
}
