#include "app/framework/CommandLineInfo.h"

void CommandLineInfo::ParseCommandLine(const QStringList& arguments)
{
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.startsWith(QLatin1Char('-')))
            continue;
        // The first plain argument is the document; later ones are ignored.
        if (m_strFileName.isEmpty() && !argument.isEmpty()) {
            m_strFileName = argument;
            m_nShellCommand = ShellCommand::FileOpen;
        }
    }
}
