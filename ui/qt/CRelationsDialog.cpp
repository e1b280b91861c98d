#include "ui/qt/CRelationsDialog.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "ui/qt/DialogUnits.h"
#include "ui/qt/TextConversion.h"

namespace verdanto {

CRelationsDialog::CRelationsDialog(const Dictionary& store, const LayerList& layers, const RelationRoot& root,
                                   const RelationsOptions& options, QWidget* parent)
    : QDialog(parent), tree_(store, layers, root, options) {
  setObjectName(QStringLiteral("relationsDialog"));
  setWindowTitle(QStringLiteral("Relations"));
  setModal(true);

  view_ = new QTreeWidget(this);
  view_->setObjectName(QStringLiteral("relationsTree"));
  view_->setHeaderHidden(true);
  view_->setRootIsDecorated(true);
  view_->setItemsExpandable(true);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->header()->setStretchLastSection(false);
  view_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

  const auto radio = [this](const QString& text, const char* name, QButtonGroup* group, int id) {
    auto* made = new QRadioButton(text, this);
    made->setObjectName(QString::fromLatin1(name));
    group->addButton(made, id);
    return made;
  };
  flows_ = new QButtonGroup(this);
  auto* flowBox = new QGroupBox(QStringLiteral("Flow:"), this);
  auto* flowLayout = new QVBoxLayout(flowBox);
  flowLayout->addWidget(radio(QStringLiteral("&Descending"), "descendingRadio", flows_, 0));
  flowLayout->addWidget(radio(QStringLiteral("&Ascending"), "ascendingRadio", flows_, 1));
  filters_ = new QButtonGroup(this);
  auto* layersBox = new QGroupBox(QStringLiteral("Layers:"), this);
  auto* layersLayout = new QVBoxLayout(layersBox);
  layersLayout->addWidget(radio(QStringLiteral("Only &Current"), "onlyCurrentRadio", filters_, 0));
  layersLayout->addWidget(radio(QStringLiteral("Only &On"), "onlyOnRadio", filters_, 1));
  potential_ = new QCheckBox(QStringLiteral("Insert &POTENTIAL"), this);
  potential_->setObjectName(QStringLiteral("potentialCheck"));
  flows_->button(static_cast<int>(options.flow))->setChecked(true);
  filters_->button(static_cast<int>(options.layers))->setChecked(true);
  potential_->setChecked(options.insertPotential);

  auto* changeRoot = new QPushButton(QStringLiteral("Change Root"), this);
  changeRoot->setObjectName(QStringLiteral("changeRootButton"));
  changeRoot->setAutoDefault(false);
  auto* select = new QPushButton(QStringLiteral("&Select"), this);
  select->setObjectName(QStringLiteral("selectButton"));
  select->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  cancel->setAutoDefault(false);

  auto* side = new QVBoxLayout;
  side->addWidget(flowBox);
  side->addWidget(layersBox);
  side->addWidget(potential_);
  side->addStretch(1);
  side->addWidget(changeRoot);
  side->addWidget(select);
  side->addWidget(cancel);
  auto* columns = new QHBoxLayout(this);
  columns->addWidget(view_, 1);
  columns->addLayout(side);
  resize(DialogUnits(font()).Size(480, 270));

  connect(view_, &QTreeWidget::itemExpanded, this, &CRelationsDialog::Expanded);
  connect(view_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { CurrentChanged(current); });
  // A radio rebuilds only when its option changes; the check box always does.
  connect(flows_, &QButtonGroup::idClicked, this, [this](int id) {
    if (tree_.SetFlow(static_cast<Flow>(id))) Rebuild();
  });
  connect(filters_, &QButtonGroup::idClicked, this, [this](int id) {
    if (tree_.SetLayers(static_cast<LayerFilter>(id))) Rebuild();
  });
  connect(potential_, &QCheckBox::clicked, this, [this](bool on) {
    tree_.SetInsertPotential(on);
    Rebuild();
  });
  connect(changeRoot, &QPushButton::clicked, this, [this] {
    tree_.ChangeRoot();
    Rebuild();
  });
  connect(select, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  tree_.BuildRoot();
  Rebuild();
}

CRelationsDialog::~CRelationsDialog() = default;

void CRelationsDialog::accept() {
  tree_.TakeSelection();
  QDialog::accept();
}

void CRelationsDialog::AddItems(QTreeWidgetItem* item, RelationNode& node) {
  nodes_[item] = &node;
  items_[&node] = item;
  item->setText(0, ToWindowText(node.text));
  if (node.bold) {
    QFont font = item->font(0);
    font.setBold(true);
    item->setFont(0, font);
  }
  for (const auto& child : node.children) AddItems(new QTreeWidgetItem(item), *child);
}

void CRelationsDialog::Rebuild() {
  syncing_ = true;
  view_->setUpdatesEnabled(false);
  view_->clear();
  nodes_.clear();
  items_.clear();
  for (const auto& node : tree_.TopNodes()) AddItems(new QTreeWidgetItem(view_), *node);
  // Open what the tree opened, top down, so that each item's parent is open first.
  for (const auto& [node, item] : items_)
    if (node->expanded) item->setExpanded(true);
  view_->setUpdatesEnabled(true);
  syncing_ = false;
  ShowSelection();
}

void CRelationsDialog::RenewChildren(QTreeWidgetItem* item) {
  for (int i = 0; i < item->childCount(); ++i) {
    QTreeWidgetItem* child = item->child(i);
    RelationNode* node = nodes_.at(child);
    if (child->childCount() == static_cast<int>(node->children.size()) &&
        (child->childCount() == 0 || nodes_.at(child->child(0)) == node->FirstChild()))
      continue;
    for (QTreeWidgetItem* old : child->takeChildren()) {
      // Forget the items (and their descendants) that the fill replaced.
      std::vector<QTreeWidgetItem*> stack{old};
      while (!stack.empty()) {
        QTreeWidgetItem* gone = stack.back();
        stack.pop_back();
        items_.erase(nodes_.at(gone));
        nodes_.erase(gone);
        for (int k = 0; k < gone->childCount(); ++k) stack.push_back(gone->child(k));
      }
      delete old;
    }
    for (const auto& grandChild : node->children) AddItems(new QTreeWidgetItem(child), *grandChild);
  }
}

void CRelationsDialog::Expanded(QTreeWidgetItem* item) {
  if (syncing_) return;
  const auto found = nodes_.find(item);
  if (found == nodes_.end()) return;
  tree_.Expand(*found->second);
  syncing_ = true;
  RenewChildren(item);
  syncing_ = false;
}

void CRelationsDialog::CurrentChanged(QTreeWidgetItem* item) {
  if (syncing_) return;
  const auto found = nodes_.find(item);
  tree_.Select(found == nodes_.end() ? nullptr : found->second);
  if (tree_.Selected() != (found == nodes_.end() ? nullptr : found->second)) ShowSelection();
}

void CRelationsDialog::ShowSelection() {
  const auto found = items_.find(tree_.Selected());
  if (found == items_.end()) return;
  syncing_ = true;
  view_->setCurrentItem(found->second);
  view_->scrollToItem(found->second);
  syncing_ = false;
}

}  // namespace verdanto
