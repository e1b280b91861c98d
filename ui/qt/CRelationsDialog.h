#pragma once
// The relations window: a modal window that draws a RelationsTree. Opening a
// node asks the tree to fill the level below it; the radios and the check box
// rebuild the tree; "Change Root" starts it again from the selected node;
// "&Select" closes it with the selected node as the result.

#include <QDialog>
#include <unordered_map>

#include "relations/RelationsTree.h"

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace verdanto {

class CRelationsDialog : public QDialog {
  Q_OBJECT

 public:
  // The store and layers are only read and must outlive the window.
  CRelationsDialog(const Dictionary& store, const LayerList& layers, const RelationRoot& root,
                   const RelationsOptions& options, QWidget* parent = nullptr);
  ~CRelationsDialog() override;

  // The options as the user left them, whatever the result.
  const RelationsOptions& Options() const { return tree_.Options(); }
  // After Select: the chosen node as a root.
  const RelationRoot& Root() const { return tree_.Root(); }
  const RelationsTree& Tree() const { return tree_; }

  void accept() override;

 private:
  void Rebuild();
  void AddItems(QTreeWidgetItem* item, RelationNode& node);
  // The tree filled the children of `node`'s children: draw them anew.
  void RenewChildren(QTreeWidgetItem* item);
  void ShowSelection();
  void Expanded(QTreeWidgetItem* item);
  void CurrentChanged(QTreeWidgetItem* item);

  RelationsTree tree_;
  std::unordered_map<const QTreeWidgetItem*, RelationNode*> nodes_;
  std::unordered_map<const RelationNode*, QTreeWidgetItem*> items_;
  bool syncing_ = false;
  QTreeWidget* view_ = nullptr;
  QButtonGroup* flows_ = nullptr;
  QButtonGroup* filters_ = nullptr;
  QCheckBox* potential_ = nullptr;
};

}  // namespace verdanto
