#include "skin/SkinState.h"

#include <algorithm>

#include <QApplication>
#include <QElapsedTimer>
#include <QPalette>

#include "skin/CSkinMenuIcons.h"
#include "skin/CSkinStyle.h"
#include "skin/FlatMenuStyle.h"
#include "skin/MenuMeasure.h"

namespace {

constexpr int kStartStyle = 2;
constexpr qint64 kIconRefreshInterval = 2000;

// An X display on another host: the session is remote.
bool RemoteDisplay()
{
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype colon = display.indexOf(':');
    return colon > 0 && display.left(colon) != "unix";
}

qint64 SteadyMilliseconds()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace

SkinState& SkinState::Get()
{
    static SkinState state;
    return state;
}

SkinState::SkinState() : m_clock(SteadyMilliseconds)
{
    m_environment.remote = RemoteDisplay();
    RegisterStandardStyles();
    SetMenuStyle(kStartStyle);
}

SkinState::~SkinState() = default;

void SkinState::RegisterStandardStyles()
{
    struct Entry
    {
        int id;
        bool flat;
        MenuStyle::MeasureOp measure;
        MenuStyle::DrawOp draw;
    };
    const Entry table[] = {
        {6, false, MeasureEdgeItem, DrawGradientEdgeItem},
        {0, false, MeasureClassicItem, DrawClassicEdgeItem},
        {2, true, MeasureFlatItem, DrawFlatItem},
        {8, true, MeasureFlatItem, DrawFlatGradientItem},
        {4, false, MeasureClassicItem, DrawClassicItem},
    };
    // Each pair shares everything but the border flag, which the even id has.
    for (const Entry& entry : table)
        for (const int id : {entry.id, entry.id + 1}) {
            const bool border = id == entry.id;
            if (entry.flat)
                RegisterStyle(std::make_unique<FlatMenuStyle>(id, border, entry.measure, entry.draw, DrawMenuTitle));
            else
                RegisterStyle(std::make_unique<MenuStyle>(id, border, entry.measure, entry.draw, DrawMenuTitle));
        }
}

void SkinState::SetEnvironment(const SkinEnvironment& environment)
{
    m_environment = environment;
}

void SkinState::RegisterStyle(std::unique_ptr<MenuStyle> style)
{
    if (!style || FindStyle(style->Id()))
        return;
    m_styles.push_back(std::move(style));
}

const MenuStyle* SkinState::FindStyle(int id) const
{
    const auto it = std::find_if(m_styles.begin(), m_styles.end(), [id](const auto& style) { return style->Id() == id; });
    return it == m_styles.end() ? nullptr : it->get();
}

std::vector<int> SkinState::StyleIds() const
{
    std::vector<int> ids;
    for (const auto& style : m_styles)
        ids.push_back(style->Id());
    return ids;
}

int SkinState::SetMenuStyle(int id)
{
    const MenuStyle* style = FindStyle(id);
    if (!style)
        return -1;
    const int previous = GetMenuStyle();
    m_pActive = style;
    if (previous != id) {
        // The faded icons take their tint from the style.
        RefreshIconImages();
        emit StyleChanged(id);
    }
    return previous;
}

int SkinState::GetMenuStyle() const
{
    return m_pActive ? m_pActive->Id() : -1;
}

MenuColors SkinState::ColorsFor(const QPalette& palette, std::optional<QRgb> menuBrush) const
{
    return MenuColors(SystemColors::FromPalette(palette), m_environment, menuBrush);
}

void SkinState::InstallHook()
{
    if (m_hook || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    auto* style = new CSkinStyle;
    QApplication::setStyle(style);
    m_hook = style;
}

void SkinState::AddIconSet(CSkinMenuIcons* icons)
{
    m_iconSets.push_back(icons);
}

void SkinState::RemoveIconSet(CSkinMenuIcons* icons)
{
    m_iconSets.erase(std::remove(m_iconSets.begin(), m_iconSets.end(), icons), m_iconSets.end());
}

bool SkinState::RefreshIconSets()
{
    const qint64 now = m_clock();
    if (m_lastIconRefresh && now - *m_lastIconRefresh < kIconRefreshInterval)
        return false;
    m_lastIconRefresh = now;
    ++m_iconRefreshes;
    RefreshIconImages();
    return true;
}

void SkinState::RefreshIconImages()
{
    if (m_iconSets.empty())
        return;
    const MenuColors colors = ColorsFor(QGuiApplication::palette());
    for (CSkinMenuIcons* icons : m_iconSets)
        icons->Refresh(colors);
}

void SkinState::SetClock(std::function<qint64()> clock)
{
    m_clock = clock ? std::move(clock) : std::function<qint64()>(SteadyMilliseconds);
    m_lastIconRefresh.reset();
}

int SetMenuStyle(int id)
{
    return SkinState::Get().SetMenuStyle(id);
}

int GetMenuStyle()
{
    return SkinState::Get().GetMenuStyle();
}
