#include "app/framework/MessageBox.h"

#include <QMessageBox>

#include "app/framework/ApplicationStrings.h"
#include "app/framework/DocApplication.h"
#include "app/framework/FrameWindow.h"

namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

void ShowMessageBox(const QString& text)
{
    if (Handler()) {
        Handler()(text);
        return;
    }
    DocApplication* app = DocApplication::Instance();
    QWidget* owner = app ? app->GetMainWnd() : nullptr;
    QMessageBox::warning(owner, GetApplicationStrings().appTitle, text);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
