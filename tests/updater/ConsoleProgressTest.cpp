#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/vantoryctl/ConsoleProgress.h"

namespace {

// What the display wrote, read back from its stream.
std::string Written(std::FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    return text;
}

TEST(ConsoleProgressTest, PlainLinesShowEachTextOnce)
{
    std::FILE* file = std::tmpfile();
    {
        ConsoleProgress progress(file, false);
        progress.m_upperText = "Updating logos...";
        progress.m_lowerText = "Receiving index file...";
        progress.UpdateData();
        progress.UpdateWindow();
        progress.UpdateData();  // nothing new
        progress.m_lowerText = "Receiving group 'Love' information...";
        progress.UpdateData();
        progress.m_upperText = "Updating ...";
        progress.m_lowerText = "Receiving index file...";
        progress.UpdateData();
        progress.PrintMessage("Error receiving file 'x'!");
        progress.Finish();
    }
    EXPECT_EQ(Written(file), "Updating logos...\n"
                             "  Receiving index file...\n"
                             "  Receiving group 'Love' information...\n"
                             "Updating ...\n"
                             "  Receiving index file...\n"
                             "Error receiving file 'x'!\n");
    std::fclose(file);
}

TEST(ConsoleProgressTest, LiveDisplayRedrawsBothLinesInPlace)
{
    std::FILE* file = std::tmpfile();
    ConsoleProgress progress(file, true);
    progress.SetRange(ProgressTarget::UpperBar, 8);
    progress.SetPos(ProgressTarget::UpperBar, 2);
    progress.SetRange(ProgressTarget::LowerBar, 4);
    progress.SetPos(ProgressTarget::LowerBar, 4);
    progress.m_upperText = "Updating logos...";
    progress.m_lowerText = "Receiving index file...";
    progress.UpdateData();
    progress.UpdateWindow();
    const std::string first = Written(file);
    EXPECT_EQ(first, "\x1b[2K[######------------------] 2/8  Updating logos...\n"
                     "\x1b[2K[########################] 4/4  Receiving index file...");

    // A message goes above the display, which is drawn again below it.
    std::fseek(file, 0, SEEK_END);
    progress.PrintMessage("Error receiving file 'x'!");
    const std::string second = Written(file).substr(first.size());
    EXPECT_EQ(second.rfind("\r\x1b[2K\x1b[1A\x1b[2KError receiving file 'x'!\n\x1b[2K[######", 0), 0u) << second;

    // Redraws come at most ten times a second; Finish draws the last state.
    std::fseek(file, 0, SEEK_END);
    const size_t before = Written(file).size();
    for (int i = 0; i < 50; ++i) {
        progress.SetPos(ProgressTarget::UpperBar, i % 8);
        progress.UpdateWindow();
    }
    EXPECT_EQ(Written(file).size(), before);
    progress.SetPos(ProgressTarget::UpperBar, 8);
    progress.Finish();
    const std::string last = Written(file).substr(before);
    EXPECT_EQ(last.rfind("\r\x1b[1A\x1b[2K[########################] 8/8  Updating logos..."), 0u) << last;
    EXPECT_EQ(last.back(), '\n');
    std::fclose(file);
}

} // namespace
