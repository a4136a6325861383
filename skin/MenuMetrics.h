#pragma once

#include <QFont>
#include <QSize>

struct MenuItem;

// The system's menu measures.
struct MenuMetrics
{
    QFont font;              // the menu font
    int menuBarHeight = 19;
    int checkMarkWidth = 13;
    QSize iconSize{16, 15};
    int systemCommandsWidth = 0;  // the widest standard system-menu command
    bool underlineMnemonics = true;

    static MenuMetrics ForFont(const QFont& font, QSize iconSize = {16, 15});

    QFont ItemFont(const MenuItem& item) const;
    QFont TitleFont() const;
    int IconColumnWidth() const { return iconSize.width() + 8; }
};
