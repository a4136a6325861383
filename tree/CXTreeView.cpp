#include "tree/CXTreeView.h"

#include <QFocusEvent>
#include <QHeaderView>

CXTreeView::CXTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    header()->hide();
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setAcceptDrops(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setFrameShape(QFrame::StyledPanel);
    connect(this, &QTreeWidget::itemCollapsed, this, &CXTreeView::OnItemCollapsed);
}

void CXTreeView::OnItemCollapsed(QTreeWidgetItem* item)
{
    for (QTreeWidgetItem* above = currentItem() ? currentItem()->parent() : nullptr; above;
         above = above->parent())
        if (above == item) {
            setCurrentItem(item);
            return;
        }
}

QModelIndex CXTreeView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        // A leaf may be marked expanded; it is open only with children.
        const bool open = isExpanded(current) && model()->hasChildren(current);
        if (action == MoveLeft && !open && current.parent().isValid())
            return current.parent();
        if (action == MoveRight && open)
            return model()->index(0, 0, current);
    }
    return QTreeWidget::moveCursor(action, modifiers);
}

void CXTreeView::focusInEvent(QFocusEvent* event)
{
    if (currentItem()) {
        QTreeWidget::focusInEvent(event);
        return;
    }
    // The item view's own handling would make the first item current and
    // thereby select it; skip that part, keep the repaint of the focus.
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}
