#include "app/vantoryctl/ConsoleProgress.h"

#include <algorithm>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 24;

int TerminalColumns(std::FILE* stream)
{
    winsize size{};
    if (::ioctl(::fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

// At most `width` bytes, not ending inside a UTF-8 sequence.
std::string Clip(const std::string& text, size_t width)
{
    if (text.size() <= width)
        return text;
    size_t end = width;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

ConsoleProgress::ConsoleProgress(std::FILE* out, bool live, bool compact)
    : m_out(out), m_live(live), m_compact(compact)
{
}

ConsoleProgress::~ConsoleProgress()
{
    Finish();
}

bool ConsoleProgress::IsTerminal(std::FILE* stream)
{
    return ::isatty(::fileno(stream)) == 1;
}

void ConsoleProgress::UpdateData()
{
    if (m_finished)
        return;
    const bool upperChanged = m_upperText != m_shownUpper;
    const bool lowerChanged = !m_compact && m_lowerText != m_shownLower;
    m_shownUpper = m_upperText;
    if (!m_compact)
        m_shownLower = m_lowerText;
    if (m_live)
        return;
    if (upperChanged && !m_shownUpper.empty())
        std::fprintf(m_out, "%s\n", m_shownUpper.c_str());
    if (lowerChanged && !m_shownLower.empty())
        std::fprintf(m_out, "  %s\n", m_shownLower.c_str());
    std::fflush(m_out);
}

void ConsoleProgress::UpdateWindow()
{
    if (!m_live || m_finished)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (m_drawn && now - m_lastDraw < kRedrawInterval)
        return;
    m_lastDraw = now;
    Draw();
}

void ConsoleProgress::ApplyRange(Bar bar, int maximum)
{
    m_bars[bar].maximum = maximum;
    m_bars[bar].position = std::clamp(m_bars[bar].position, 0, maximum);
}

void ConsoleProgress::SetPos(Bar bar, int position)
{
    m_bars[bar].position = std::clamp(position, 0, m_bars[bar].maximum);
}

int ConsoleProgress::GetPos(Bar bar) const
{
    return m_bars[bar].position;
}

void ConsoleProgress::PumpOneMessage()
{
    if (m_interrupted && m_interrupted())
        m_cancelled = true;
    // A fetch pumps while it waits: the display keeps moving meanwhile.
    UpdateWindow();
}

void ConsoleProgress::PrintMessage(const std::string& text)
{
    if (m_live && m_drawn && !m_finished)
        Erase();
    std::fprintf(m_out, "%s\n", text.c_str());
    if (m_live && m_drawn && !m_finished) {
        m_drawn = false;
        Draw();
    }
    std::fflush(m_out);
}

void ConsoleProgress::Finish()
{
    if (m_finished)
        return;
    if (m_live && (m_drawn || !m_shownUpper.empty())) {
        Draw();
        std::fputc('\n', m_out);
        std::fflush(m_out);
    }
    m_finished = true;
}

std::string ConsoleProgress::Line(const std::string& text, const BarState& bar) const
{
    const int filled = bar.maximum > 0 ? static_cast<int>(static_cast<long long>(bar.position) * kBarWidth / bar.maximum) : 0;
    std::string line = "[" + std::string(static_cast<size_t>(filled), '#')
        + std::string(static_cast<size_t>(kBarWidth - filled), '-') + "] "
        + std::to_string(bar.position) + "/" + std::to_string(bar.maximum) + "  " + text;
    return Clip(line, static_cast<size_t>(std::max(TerminalColumns(m_out) - 1, 1)));
}

// The cursor rests at the end of the display's last line.
void ConsoleProgress::Erase()
{
    std::fputs(m_compact ? "\r\x1b[2K" : "\r\x1b[2K\x1b[1A\x1b[2K", m_out);
}

void ConsoleProgress::Draw()
{
    std::string frame = m_drawn ? (m_compact ? "\r" : "\r\x1b[1A") : "";
    frame += "\x1b[2K" + Line(m_shownUpper, m_bars[UpperBar]);
    if (!m_compact)
        frame += "\n\x1b[2K" + Line(m_shownLower, m_bars[LowerBar]);
    std::fputs(frame.c_str(), m_out);
    std::fflush(m_out);
    m_drawn = true;
}
