#pragma once

#include "skin/MenuColors.h"
#include "skin/MenuItem.h"
#include "skin/MenuMetrics.h"

class QAction;
class QPalette;
class QRect;
class QStyleOptionMenuItem;
class QWidget;

// The skin's view of the items of Qt menus and menu bars.

// The item behind a style option of a menu or menu bar widget, with the
// command, title and icon that a CSkinMenu keeps for it. While the widget
// lays out its items (measuring) the item's place is not known yet: the
// action is found by its text instead.
MenuItem MenuItemFromOption(const QStyleOptionMenuItem& option, const QWidget* widget, bool measuring);
MenuMetrics MenuMetricsFor(const QWidget* widget, const QFont& font);
// The colours for the widget, with the background brush set on it.
MenuColors MenuColorsFor(const QWidget* widget, const QPalette& palette);
