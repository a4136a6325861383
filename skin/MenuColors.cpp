#include "skin/MenuColors.h"

#include "skin/SkinColors.h"

namespace {

// Icon column colours of common caption colours that look better replaced.
struct Replacement
{
    QRgb from;
    QRgb to;
};
constexpr Replacement kIconColumnReplacements[] = {
    {FromColorRef(0xCCDCD6), FromColorRef(0xAADADA)},
    {FromColorRef(0xE6E6E6), FromColorRef(0xE5D7D7)},
    {FromColorRef(0xF0C5AC), FromColorRef(0xF5C2A3)},
};

} // namespace

MenuColors::MenuColors(const SystemColors& system, const SkinEnvironment& environment,
                       std::optional<QRgb> menuBrush)
    : m_system(system), m_environment(environment), m_menuBrush(menuBrush)
{
}

bool MenuColors::OldMenuColors() const
{
    return m_environment.osCode == 2 || m_environment.osCode == 5;
}

QRgb MenuColors::SelectionColor() const
{
    if (m_environment.highContrast)
        return m_system.highlight;
    if (m_environment.LowColor())
        return m_system.window;
    return Mix70(m_system.window, m_system.highlight);
}

QRgb MenuColors::MenuBackground() const
{
    if (m_menuBrush)
        return *m_menuBrush;
    if (m_environment.osCode == 7 && m_environment.flatMenus)
        return MenuBarColor();
    return m_system.menu;
}

QRgb MenuColors::MenuBarColor() const
{
    const bool separate = m_environment.flatMenus || m_environment.themeActive;
    return m_environment.osCode == 7 && separate ? m_system.menuBar : m_system.menu;
}

QRgb MenuColors::IconColumnColor() const
{
    if (OldMenuColors())
        return m_system.menu;
    const QRgb mixed = NearestDisplayColor(Mix70(Darken(10, m_system.window), m_system.activeCaption),
                                           m_environment.displayDepth);
    for (const Replacement& replacement : kIconColumnReplacements)
        if (mixed == replacement.from)
            return replacement.to;
    return mixed;
}

QRgb MenuColors::FaceColor() const
{
    return OldMenuColors() ? m_system.menu : m_system.buttonFace;
}
