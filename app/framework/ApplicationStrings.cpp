#include "app/framework/ApplicationStrings.h"

namespace {

ApplicationStrings& Strings()
{
    static ApplicationStrings strings;
    return strings;
}

} // namespace

void SetApplicationStrings(ApplicationStrings strings)
{
    Strings() = std::move(strings);
}

const ApplicationStrings& GetApplicationStrings()
{
    return Strings();
}

QString CommandPromptText(int id)
{
    return Strings().commandPrompt ? Strings().commandPrompt(id) : QString();
}

QString CommandTipText(int id)
{
    return Strings().commandTip ? Strings().commandTip(id) : QString();
}
