#pragma once

#include "skin/MenuStyle.h"

// The flat style class: a flat border, the background in the flat looks'
// colours and the soft shadow.
class FlatMenuStyle : public MenuStyle
{
public:
    using MenuStyle::MenuStyle;

    void DrawBorder(QPainter& painter, const QRect& window, const MenuWindowRecord* record,
                    const MenuColors& colors) const override;
    void EraseBackground(QPainter& painter, const QRect& client, const MenuColors& colors) const override;

private:
    bool GradientLook() const { return Pair() == 8; }
};
