#pragma once

#include <string>

// What a long operation needs of its progress window: two text lines, two
// bars, a pump for pending user input and the cancel flag. The dialog on
// screen provides it, and so do the terminal display of vantoryctl and the
// recorders of the tests.
class ProgressTarget
{
public:
    enum Bar
    {
        UpperBar,  // overall progress
        LowerBar,  // progress within the current step
    };

    virtual ~ProgressTarget() = default;

    std::string m_upperText;
    std::string m_lowerText;
    bool m_cancelled = false;  // set by Cancel; the work decides when to look

    // Copies m_upperText and m_lowerText into what the user sees.
    virtual void UpdateData() = 0;
    // Paints pending changes at once, without waiting for the event loop.
    virtual void UpdateWindow() = 0;

    // The range of a bar is 0 to maximum, of which only the low 16 bits
    // count (a maximum of 65536 gives the range 0 to 0), as the bar
    // messages carry it.
    void SetRange(Bar bar, int maximum) { ApplyRange(bar, maximum & 0xFFFF); }
    // A position outside the range is clamped into it.
    virtual void SetPos(Bar bar, int position) = 0;
    virtual int GetPos(Bar bar) const = 0;

    // Advances the upper bar by one and repaints; lets no input through.
    void StepUpperBar()
    {
        SetPos(UpperBar, GetPos(UpperBar) + 1);
        UpdateWindow();
    }

    // Handles the user input that is pending and returns; never waits for
    // input to arrive.
    virtual void PumpOneMessage() = 0;

protected:
    virtual void ApplyRange(Bar bar, int maximum) = 0;
};
