#pragma once

#include <QPixmap>
#include <QString>

// Options of the item that carries a menu's title.
enum MenuTitleOption : int
{
    MenuTitle = 0x01,
    MenuTitleVertical = 0x02,   // along the left side, text turned by 90 degrees
    MenuTitleGradient = 0x04,   // gradient background
    MenuTitle3D = 0x08,         // three-dimensional frame
    MenuTitleGrooves = 0x10,    // two groove lines beside the text
    MenuTitleRounded = 0x20,    // rounded background
    MenuTitleCentered = 0x40,
};

// The kind and state of a menu item as a drawing style sees it.
enum MenuItemFlag : unsigned
{
    MenuItemSeparator = 0x001,
    MenuItemPopup = 0x002,      // opens a sub-menu
    MenuItemMenuBar = 0x004,    // an item of the menu bar
    MenuItemDefault = 0x008,    // the menu's default item, in bold
    MenuItemDisabled = 0x010,
    MenuItemChecked = 0x020,
    MenuItemRadio = 0x040,      // its check mark is a bullet
    MenuItemSelected = 0x080,
    MenuItemHot = 0x100,        // a menu bar item under the pointer
    MenuItemOpen = 0x200,       // a menu bar item whose menu is open
};

// An item's icon: the icon itself (drawn raised when selected), the image
// of an enabled item that is not selected, and that of a disabled item.
struct MenuItemIcon
{
    QPixmap image;
    QPixmap normal;
    QPixmap disabled;

    bool IsNull() const { return image.isNull(); }
};

struct MenuItem
{
    QString text;  // '&' marks the mnemonic; the accelerator follows a tab
    unsigned flags = 0;
    int commandId = 0;
    int titleOptions = 0;  // non-zero on the separator that carries the title
    MenuItemIcon icon;

    bool Has(unsigned flag) const { return (flags & flag) != 0; }
    bool IsTitle() const { return titleOptions != 0; }
};
