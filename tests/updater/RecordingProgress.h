#pragma once

#include <functional>
#include <string>
#include <vector>

#include "updater/ProgressTarget.h"

// A progress target that keeps what a user would have seen: one frame per
// UpdateWindow, with the texts as last copied by UpdateData and both bars.
// Hooks let a test act at a pump or when a text is shown, as a user
// clicking Cancel would.
class RecordingProgress : public ProgressTarget
{
public:
    struct Frame
    {
        std::string upper;
        std::string lower;
        int upperPos = 0;
        int upperMax = 0;
        int lowerPos = 0;
        int lowerMax = 0;
    };

    void UpdateData() override;
    void UpdateWindow() override;
    void SetPos(Bar bar, int position) override;
    int GetPos(Bar bar) const override;
    void PumpOneMessage() override;

    int Max(Bar bar) const { return m_max[bar]; }

    std::vector<Frame> m_frames;
    std::vector<std::string> m_lowerTexts;  // each lower text at UpdateData, in order
    std::string m_shownUpper;
    std::string m_shownLower;
    int m_pumps = 0;
    // Lower text shown at each pump.
    std::vector<std::string> m_pumpedAt;
    std::function<void(RecordingProgress&)> m_onPump;
    std::function<void(RecordingProgress&)> m_onUpdateData;

protected:
    void ApplyRange(Bar bar, int maximum) override;

private:
    int m_pos[2] = {0, 0};
    int m_max[2] = {100, 100};
};
