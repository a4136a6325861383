#include "pages/browser/BrowserEngine.h"

#include <cstdlib>
#include <string>

#include <QQuickWindow>
#include <QSGRendererInterface>

#include "pages/browser/PageScheme.h"

namespace {

// WebRTC may then use only proxied UDP, and there is no proxy.
constexpr char kWebRtcSwitch[] = "--force-webrtc-ip-handling-policy=disable_non_proxied_udp";

} // namespace

bool PrepareBrowserEngine()
{
    const char* current = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS");
    std::string flags = current ? current : "";
    if (flags.find(kWebRtcSwitch) == std::string::npos) {
        flags += flags.empty() ? "" : " ";
        flags += kWebRtcSwitch;
        ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
    }
    // An engine told not to use the graphics card draws its pages in
    // memory; handing them to the window through OpenGL then only adds a
    // software rasteriser's work to every repaint of the main window.
    if (flags.find("--disable-gpu") != std::string::npos && !std::getenv("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return RegisterPageScheme();
}
