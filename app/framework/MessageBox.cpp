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

QuestionHandler& Question()
{
    static QuestionHandler handler;
    return handler;
}

QWidget* MainWindow()
{
    DocApplication* app = DocApplication::Instance();
    return app ? app->GetMainWnd() : nullptr;
}

} // namespace

void ShowMessageBox(const QString& text)
{
    if (Handler()) {
        Handler()(text);
        return;
    }
    QMessageBox::warning(MainWindow(), GetApplicationStrings().appTitle, text);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

bool AskYesNo(const QString& text)
{
    if (Question())
        return Question()(text);
    return QMessageBox::question(MainWindow(), GetApplicationStrings().appTitle, text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

QuestionHandler SetQuestionHandler(QuestionHandler handler)
{
    QuestionHandler previous = std::move(Question());
    Question() = std::move(handler);
    return previous;
}
