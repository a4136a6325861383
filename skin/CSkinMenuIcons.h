#pragma once

#include <vector>

#include <QPixmap>
#include <QSize>

#include "skin/MenuItem.h"

class MenuColors;

// A set of item icons that menus share: three images per icon (the icon,
// the image of an enabled item that is not selected, the image of a
// disabled item) and the command each icon belongs to. The two derived
// images follow the system colours and the drawing style.
class CSkinMenuIcons
{
public:
    explicit CSkinMenuIcons(QSize iconSize = {16, 15});
    virtual ~CSkinMenuIcons();
    CSkinMenuIcons(const CSkinMenuIcons&) = delete;
    CSkinMenuIcons& operator=(const CSkinMenuIcons&) = delete;

    QSize IconSize() const { return m_iconSize; }
    int Count() const { return static_cast<int>(m_icons.size()); }

    // The icon's index.
    int AddIcon(const QPixmap& icon, int commandId);
    // The index of the command's icon, -1 for none.
    int FindCommand(int commandId) const;
    MenuItemIcon Icon(int index) const;

    // Remakes the derived images for these colours and the active style.
    void Refresh(const MenuColors& colors);

private:
    struct Entry
    {
        int commandId;
        MenuItemIcon images;
    };

    void Derive(Entry& entry, const MenuColors& colors) const;

    QSize m_iconSize;
    std::vector<Entry> m_icons;
};
