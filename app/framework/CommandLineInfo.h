#pragma once

#include <QString>
#include <QStringList>

// The standard command line: no argument asks for a new document, a file
// name for opening that file. Options (arguments starting with "-") are not
// the program's and are passed over.
class CommandLineInfo
{
public:
    enum class ShellCommand
    {
        FileNew,
        FileOpen,
    };

    // The arguments without the program name.
    void ParseCommandLine(const QStringList& arguments);

    ShellCommand m_nShellCommand = ShellCommand::FileNew;
    QString m_strFileName;
};
