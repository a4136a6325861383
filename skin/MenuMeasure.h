#pragma once

#include <QSize>

#include "skin/MenuItem.h"
#include "skin/MenuMetrics.h"

// The three measure operations of the drawing styles. Each returns the
// size of the item's owner-drawn area; the system adds the check mark width
// to the width of pop-up items.

// Styles 0, 1, 4 and 5.
QSize MeasureClassicItem(const MenuItem& item, const MenuMetrics& metrics);
// Styles 2, 3, 8 and 9.
QSize MeasureFlatItem(const MenuItem& item, const MenuMetrics& metrics);
// Styles 6 and 7.
QSize MeasureEdgeItem(const MenuItem& item, const MenuMetrics& metrics);

// The item that carries the menu title: as large as its text in the title
// font, the vertical title less the check mark width that the system adds.
QSize MeasureTitle(const MenuItem& item, const MenuMetrics& metrics);

// The width of an item's text in its font, a tab counted as "nnn".
int MenuTextWidth(const MenuItem& item, const MenuMetrics& metrics);

// The standard commands of the system menu (restore, move, size, ..., close).
bool IsSystemCommand(int commandId);
