#include "app/framework/WindowExposure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

void WaitUntilExposed(QWidget& window, int timeoutMs)
{
    QWindow* handle = window.windowHandle();
    if (!handle || !window.isVisible())
        return;
    QElapsedTimer elapsed;
    elapsed.start();
    while (!handle->isExposed() && elapsed.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!handle->isExposed())
            QThread::msleep(2);
    }
}
