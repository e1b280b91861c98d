#pragma once
// The two views of the main window that the keyboard drives: the class tree and
// the detail list.

#include <QTableView>
#include <QTreeView>
#include <functional>

namespace verdanto {

// The class tree. Selecting a group or a class that shows objects leads on to its
// first child; a keyboard move upward passes over an item that would lead straight
// back to where the move started, so that Up from a class's first object goes on
// to the item above the class instead of sticking.
class ClassTreeView final : public QTreeView {
 public:
  using QTreeView::QTreeView;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

// The detail list: Enter or F2 on a row asks to edit that row's value, as a click
// on its value does.
class DetailListView final : public QTableView {
 public:
  using QTableView::QTableView;
  std::function<void(int row)> editRequested;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace verdanto
