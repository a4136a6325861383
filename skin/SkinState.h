#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QRgb>

#include "skin/MenuColors.h"
#include "skin/SkinEnvironment.h"

class CSkinMenuIcons;
class MenuStyle;
class QPalette;
class QStyle;

// The skin's process-wide state: what it knows of the platform, the
// registered drawing styles and the active one, and the icon sets that
// follow the system colours.
class SkinState : public QObject
{
    Q_OBJECT

public:
    // Made on first use, with the ten styles registered and style 2 active.
    static SkinState& Get();
    ~SkinState() override;

    const SkinEnvironment& Environment() const { return m_environment; }
    // For the platform's settings as they change, and for tests.
    void SetEnvironment(const SkinEnvironment& environment);

    // Registering a style whose id is in the list already does nothing.
    void RegisterStyle(std::unique_ptr<MenuStyle> style);
    const MenuStyle* FindStyle(int id) const;
    // The ids of the registered styles, in the order of registering.
    std::vector<int> StyleIds() const;
    const MenuStyle& ActiveStyle() const { return *m_pActive; }
    // Makes the registered style with this id active; the previous id, or
    // -1 and no change for an id that is not registered.
    int SetMenuStyle(int id);
    int GetMenuStyle() const;

    // The skin's colours for widgets of this palette.
    MenuColors ColorsFor(const QPalette& palette, std::optional<QRgb> menuBrush = std::nullopt) const;

    // Installs the skin as the application's style, once; the window hook
    // of the skin. Needs the QApplication.
    void InstallHook();

    void AddIconSet(CSkinMenuIcons* icons);
    void RemoveIconSet(CSkinMenuIcons* icons);
    // Remakes the colour-dependent images of every icon set, at most once
    // in 2000 ms; false when the request came too soon and was ignored.
    bool RefreshIconSets();
    int IconRefreshCount() const { return m_iconRefreshes; }
    // Milliseconds of a steady clock; tests set their own.
    void SetClock(std::function<qint64()> clock);

signals:
    void StyleChanged(int id);

private:
    SkinState();
    void RegisterStandardStyles();
    void RefreshIconImages();

    SkinEnvironment m_environment;
    std::vector<std::unique_ptr<MenuStyle>> m_styles;
    const MenuStyle* m_pActive = nullptr;
    QPointer<QStyle> m_hook;
    std::vector<CSkinMenuIcons*> m_iconSets;
    std::function<qint64()> m_clock;
    std::optional<qint64> m_lastIconRefresh;
    int m_iconRefreshes = 0;
};

// The active drawing style's id before the change; -1 for an unknown id.
int SetMenuStyle(int id);
int GetMenuStyle();
