#pragma once

#include <memory>

class CSkinMenuIcons;

// What a CSkinMenu keeps of one of its items.
class CSkinMenuItemData
{
public:
    CSkinMenuItemData() = default;

    int m_nTitleFlags = 0;  // MenuTitleOption bits of the item that carries the title
    unsigned m_nFlags = 0;  // MenuItemFlag bits: separator, pop-up
    int m_nID = 0;          // the command
    std::shared_ptr<CSkinMenuIcons> m_pIcons;  // the set that holds its icon, if any
    int m_nIconIndex = -1;
};
