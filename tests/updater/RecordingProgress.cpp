#include "RecordingProgress.h"

#include <algorithm>

void RecordingProgress::UpdateData()
{
    m_shownUpper = m_upperText;
    m_shownLower = m_lowerText;
    m_lowerTexts.push_back(m_lowerText);
    if (m_onUpdateData)
        m_onUpdateData(*this);
}

void RecordingProgress::UpdateWindow()
{
    m_frames.push_back({m_shownUpper, m_shownLower, m_pos[UpperBar], m_max[UpperBar], m_pos[LowerBar],
                        m_max[LowerBar]});
}

void RecordingProgress::SetPos(Bar bar, int position)
{
    m_pos[bar] = std::clamp(position, 0, m_max[bar]);
}

int RecordingProgress::GetPos(Bar bar) const
{
    return m_pos[bar];
}

void RecordingProgress::ApplyRange(Bar bar, int maximum)
{
    m_max[bar] = maximum;
    m_pos[bar] = std::clamp(m_pos[bar], 0, maximum);
}

void RecordingProgress::PumpOneMessage()
{
    ++m_pumps;
    m_pumpedAt.push_back(m_shownLower);
    if (m_onPump)
        m_onPump(*this);
}
