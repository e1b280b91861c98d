#include "ui/qt/MainWindowViews.h"

#include <QKeyEvent>

namespace verdanto {

namespace {

// Where the selection rule takes an item: down its first children as far as they go.
QModelIndex FirstLeaf(QModelIndex index) {
  while (index.isValid() && index.model()->hasChildren(index)) index = index.model()->index(0, 0, index);
  return index;
}

}  // namespace

QModelIndex ClassTreeView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  QModelIndex next = QTreeView::moveCursor(action, modifiers);
  if (action != MoveUp && action != MovePageUp) return next;
  const QModelIndex start = currentIndex();
  while (next.isValid() && next != start && FirstLeaf(next) == start) {
    const QModelIndex above = indexAbove(next);
    if (!above.isValid()) break;
    next = above;
  }
  return next;
}

void DetailListView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool edit = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2;
  if (edit && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && currentIndex().isValid() &&
      editRequested) {
    event->accept();
    editRequested(currentIndex().row());
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace verdanto
