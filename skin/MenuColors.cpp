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

QRgb MenuColors::SelectionColor() const
{
    return Mix70(m_system.window, m_system.highlight);
}

QRgb MenuColors::MenuBackground() const
{
    return m_menuBrush.value_or(MenuBarColor());
}

QRgb MenuColors::MenuBarColor() const
{
    return m_environment.flatMenus ? m_system.menuBar : m_system.menu;
}

QRgb MenuColors::IconColumnColor() const
{
    const QRgb mixed = Mix70(Darken(10, m_system.window), m_system.activeCaption);
    for (const Replacement& replacement : kIconColumnReplacements)
        if (mixed == replacement.from)
            return replacement.to;
    return mixed;
}

QRgb MenuColors::FaceColor() const
{
    return m_system.buttonFace;
}
