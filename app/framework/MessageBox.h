#pragma once

#include <functional>

#include <QString>

// A message to the user in a modal box with an OK button and a warning
// icon, over the main window, captioned with the application's name.
void ShowMessageBox(const QString& text);

// Replaces the box (tests record the messages instead); returns the
// previous handler. An empty handler restores the box.
using MessageBoxHandler = std::function<void(const QString& text)>;
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// A question in a modal box with Yes and No, over the main window; true for
// Yes. No is the default.
bool AskYesNo(const QString& text);

// Replaces the box (tests give the answer); returns the previous handler.
using QuestionHandler = std::function<bool(const QString& text)>;
QuestionHandler SetQuestionHandler(QuestionHandler handler);
