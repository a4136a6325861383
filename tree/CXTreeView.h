#pragma once

#include <QTreeWidget>

#include "app/framework/View.h"

// A view whose window is a tree control and nothing more: no knowledge of
// the catalog. Painting goes through the widget backing store, so the tree
// is drawn off screen and only the finished image reaches the screen.
class CXTreeView : public QTreeWidget, public View
{
    Q_OBJECT

public:
    explicit CXTreeView(QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }

protected:
    // Focus alone does not make an item current: a tree without a selection
    // keeps none until the user or the program selects one.
    void focusInEvent(QFocusEvent* event) override;
    // The arrow keys walk the tree as the platform's tree control does:
    // Left from a closed node or a leaf goes up to its parent, Right from an
    // open node down to its first child; otherwise they open and close.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    // A collapse that hides the current item makes the collapsed node
    // current, so the selection is never on an item nobody can see.
    void OnItemCollapsed(QTreeWidgetItem* item);
};
