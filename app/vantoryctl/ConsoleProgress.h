#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "updater/ProgressTarget.h"

// The progress window of vantoryctl. On a terminal it is a live display of
// the text lines with their bars, redrawn in place at most ten times a
// second; otherwise each new text is printed once as a line of its own
// (the lower text indented), and the bars are not shown. The compact form
// has only the upper text and bar.
class ConsoleProgress : public ProgressTarget
{
public:
    ConsoleProgress(std::FILE* out, bool live, bool compact = false);
    ~ConsoleProgress() override;

    // True when the stream is a terminal, and so gets the live display.
    static bool IsTerminal(std::FILE* stream);

    // Asked at every pump; true sets m_cancelled.
    void SetInterruptSource(std::function<bool()> interrupted) { m_interrupted = std::move(interrupted); }

    void UpdateData() override;
    void UpdateWindow() override;
    void SetPos(Bar bar, int position) override;
    int GetPos(Bar bar) const override;
    void PumpOneMessage() override;

    // A line of its own above the live display.
    void PrintMessage(const std::string& text);
    // Draws the final state and leaves the display; nothing is drawn after.
    void Finish();

protected:
    void ApplyRange(Bar bar, int maximum) override;

private:
    struct BarState
    {
        int maximum = 100;
        int position = 0;
    };

    void Draw();
    void Erase();
    std::string Line(const std::string& text, const BarState& bar) const;

    std::FILE* m_out;
    const bool m_live;
    const bool m_compact;
    bool m_drawn = false;
    bool m_finished = false;
    std::string m_shownUpper;
    std::string m_shownLower;
    BarState m_bars[2];
    std::function<bool()> m_interrupted;
    std::chrono::steady_clock::time_point m_lastDraw;
};
