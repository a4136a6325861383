#pragma once

#include <optional>

#include <QRgb>

#include "skin/SkinEnvironment.h"
#include "skin/SystemColors.h"

// The colours of menus and toolbars that the skin derives from the system
// colours and the platform.
class MenuColors
{
public:
    // menuBrush: the background brush set on the menu, if any.
    MenuColors(const SystemColors& system, const SkinEnvironment& environment,
               std::optional<QRgb> menuBrush = std::nullopt);

    const SystemColors& System() const { return m_system; }
    const SkinEnvironment& Environment() const { return m_environment; }

    QRgb SelectionColor() const;
    QRgb MenuBackground() const;
    QRgb MenuBarColor() const;
    QRgb IconColumnColor() const;
    QRgb FaceColor() const;

private:
    SystemColors m_system;
    SkinEnvironment m_environment;
    std::optional<QRgb> m_menuBrush;
};
