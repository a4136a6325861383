// The small document framework and the resource helpers, without windows.

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "app/framework/CommandLineInfo.h"
#include "app/framework/DialogUnits.h"
#include "app/framework/RecentFileList.h"
#include "res/Resource.h"
#include "res/ResourceStrings.h"
#include "tree/TreeLabel.h"

namespace {

TEST(FrameworkTest, CommandLineAsksForNewOrForTheFirstFile)
{
    const struct
    {
        QStringList arguments;
        CommandLineInfo::ShellCommand command;
        QString file;
    } cases[] = {
        {{}, CommandLineInfo::ShellCommand::FileNew, {}},
        {{"a.vty"}, CommandLineInfo::ShellCommand::FileOpen, "a.vty"},
        {{"-x", "a.vty", "b.vty"}, CommandLineInfo::ShellCommand::FileOpen, "a.vty"},
        {{"--", "-dash.vty"}, CommandLineInfo::ShellCommand::FileOpen, "-dash.vty"},
        {{"-platform"}, CommandLineInfo::ShellCommand::FileNew, {}},
        {{""}, CommandLineInfo::ShellCommand::FileNew, {}},
    };
    for (const auto& c : cases) {
        CommandLineInfo info;
        info.ParseCommandLine(c.arguments);
        EXPECT_EQ(info.m_nShellCommand, c.command) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(info.m_strFileName, c.file) << c.arguments.join(' ').toStdString();
    }
}

TEST(FrameworkTest, RecentFileListKeepsTheNewestSevenOnceEach)
{
    QTemporaryDir dir;
    RecentFileList list(QStringLiteral("Recent File List"), 7);
    for (int i = 1; i <= 8; ++i)
        list.Add(dir.filePath(QStringLiteral("f%1").arg(i)));
    list.Add(dir.filePath(QStringLiteral("f4")));
    QStringList expected;
    for (int i : {4, 8, 7, 6, 5, 3, 2})
        expected.append(dir.filePath(QStringLiteral("f%1").arg(i)));
    EXPECT_EQ(list.Entries(), expected);

    QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    list.WriteList(settings);
    RecentFileList read(QStringLiteral("Recent File List"), 7);
    read.ReadList(settings);
    EXPECT_EQ(read.Entries(), expected);
    // A shorter list clears the slots it no longer fills.
    RecentFileList shorter(QStringLiteral("Recent File List"), 7);
    shorter.Add(dir.filePath(QStringLiteral("only")));
    shorter.WriteList(settings);
    read.ReadList(settings);
    EXPECT_EQ(read.Entries(), QStringList{dir.filePath(QStringLiteral("only"))});
}

TEST(FrameworkTest, MulDivRoundsHalfAwayFromZero)
{
    const struct
    {
        int number, numerator, denominator, result;
    } cases[] = {
        {287, 6, 4, 431}, {152, 13, 8, 247}, {130, 13, 8, 211}, {14, 13, 8, 23}, {-287, 6, 4, -431},
        {287, -6, 4, -431}, {287, 6, -4, -431}, {1, 1, 2, 1}, {1, 1, 3, 0}, {5, 1, 0, -1},
        {2000000000, 3, 2, -1}, {2000000000, 3, 4, 1500000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.result)
            << c.number << " " << c.numerator << " " << c.denominator;
    EXPECT_EQ(DialogUnitsToPixels(230, 130, 50, 14), QRect(345, 211, 75, 23));
    EXPECT_EQ(DialogUnitsToPixels(175, 130, 50, 14), QRect(263, 211, 75, 23));
}

TEST(FrameworkTest, CommandStringsSplitIntoPromptAndTip)
{
    const struct
    {
        int id;
        const char* prompt;
        const char* tip;
    } cases[] = {
        {ID_GO_UP, "Go up", "Go up"},
        {ID_PREV_ITEM, "Go to previous item", "Previuos item"},
        {ID_NEXT_ITEM, "Go to next item", "Next item"},
        {ID_VISIT_HOMEPAGE, "Visit hompage", "Visit homepage"},
        {IDS_IDLE_MESSAGE, "Ready", ""},
        {ID_EDIT_UNDO, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandPrompt(c.id), QString::fromUtf8(c.prompt)) << c.id;
        EXPECT_EQ(CommandTip(c.id), QString::fromUtf8(c.tip)) << c.id;
    }
    EXPECT_EQ(DocTemplateField(DocStringField::WindowTitle), QStringLiteral("Vantory"));
    EXPECT_EQ(DocTemplateField(DocStringField::RegFileTypeName), QStringLiteral("Vantory Document"));
}

TEST(FrameworkTest, FormatTemplateFillsEachPlaceholderOnce)
{
    EXPECT_EQ(FormatTemplate(QStringLiteral("About %s..."), {QStringLiteral("Vantory")}),
              QStringLiteral("About Vantory..."));
    EXPECT_EQ(FormatTemplate(QStringLiteral("%s %s\n\nx"), {QStringLiteral("Vantory"), QStringLiteral("1.00")}),
              QStringLiteral("Vantory 1.00\n\nx"));
    // An argument that holds a placeholder is not filled again.
    EXPECT_EQ(FormatTemplate(QStringLiteral("%s-%s"), {QStringLiteral("%s"), QStringLiteral("b")}),
              QStringLiteral("%s-b"));
    EXPECT_EQ(FormatTemplate(QStringLiteral("%s and %s"), {QStringLiteral("a")}), QStringLiteral("a and %s"));
}

TEST(FrameworkTest, DisplayLabelDecodesTheFiveReferencesOnce)
{
    const struct
    {
        const char* label;
        const char* shown;
    } cases[] = {
        {"Rock &amp; roll", "Rock & roll"},
        {"&lt;b&gt; &quot;x&quot; &apos;y&apos;", "<b> \"x\" 'y'"},
        {"&amp;lt;", "&lt;"},
        {"& alone &amp", "& alone &amp"},
        {"&#233;t&eacute;", "&#233;t&eacute;"},
        {"Éxitos ヒット", "Éxitos ヒット"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayLabel(c.label), c.shown) << c.label;
}

} // namespace
