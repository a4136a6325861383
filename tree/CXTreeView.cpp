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
