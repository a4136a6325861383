#pragma once

#include <functional>

#include <QString>

// What the framework shows of the application's resources: each command's
// status bar prompt and tool tip, the application's title (settings, message
// boxes) and the frame's window title. The application hands them over at
// start, before it makes its frame; until then they are empty.
struct ApplicationStrings
{
    std::function<QString(int id)> commandPrompt;
    std::function<QString(int id)> commandTip;
    QString appTitle;
    QString windowTitle;
};

void SetApplicationStrings(ApplicationStrings strings);
const ApplicationStrings& GetApplicationStrings();

// The command's prompt and tip; "" without strings.
QString CommandPromptText(int id);
QString CommandTipText(int id);
