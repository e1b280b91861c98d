#include "ui/qt/CLayerManagerDialog.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>

#include "ui/qt/DialogUnits.h"
#include "ui/qt/LayerImages.h"
#include "ui/qt/MessageBoxPrompter.h"
#include "ui/qt/TextConversion.h"

namespace verdanto {

namespace {

constexpr int kNameColumn = 0;
constexpr int kObjectsColumn = 1;
// The "Objects" column ends this far before the list's right edge, room for a scroll bar.
constexpr int kObjectsColumnMargin = 17;

}  // namespace

// Draws the names with their lamps and ends in-place edits. An edit that ends
// with a new name is handed on after the editor has closed, because renaming
// moves the row the editor belongs to.
class CLayerManagerDialog::LampDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  std::function<void(int row, const QString& name)> renamed;

  // Where the lamp of the row is drawn, in the list's viewport.
  QRect LampRect(const QStyleOptionViewItem& base, const QModelIndex& index) const {
    QStyleOptionViewItem option = base;
    initStyleOption(&option, index);
    const QWidget* widget = option.widget;
    return widget->style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, widget);
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    const auto* line = qobject_cast<QLineEdit*>(editor);
    // Leaving the editor with the name untouched is no rename; a change of case is.
    if (line == nullptr || line->text() == index.data(Qt::EditRole).toString()) return;
    const int row = index.row();
    const QString name = line->text();
    QMetaObject::invokeMethod(
        parent(), [this, row, name] { renamed(row, name); }, Qt::QueuedConnection);
  }
};

// The list: a press on a row's lamp toggles the layer and does nothing else.
class CLayerManagerDialog::List final : public QTableWidget {
 public:
  List(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {}
  LampDelegate* delegate = nullptr;
  std::function<void(int row)> lampClicked;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    const QModelIndex lamp = LampAt(*event);
    if (lamp.isValid()) {
      event->accept();
      lampClicked(lamp.row());
      return;
    }
    QTableWidget::mousePressEvent(event);
  }
  // A double click on a lamp: its first press switched the layer; the second is the
  // row's double click (which makes the layer current), not another switch.
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    const QModelIndex lamp = LampAt(*event);
    if (lamp.isValid()) {
      event->accept();
      emit doubleClicked(lamp);
      return;
    }
    QTableWidget::mouseDoubleClickEvent(event);
  }

 private:
  // The name cell whose lamp a left-button press hit, else an invalid index.
  QModelIndex LampAt(const QMouseEvent& event) const {
    const QPoint at = event.position().toPoint();
    const QModelIndex index = indexAt(at);
    if (event.button() != Qt::LeftButton || !index.isValid() || index.column() != kNameColumn) return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return delegate->LampRect(option, index).contains(at) ? index : QModelIndex();
  }
};

CLayerManagerDialog::CLayerManagerDialog(Dictionary& store, LayerList& layers, ObjectTreeObserver& tree,
                                         Prompter& prompter, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("layerManagerDialog"));
  setWindowTitle(QStringLiteral("Layer Manager"));
  setModal(true);
  model_ = std::make_unique<LayerManagerModel>(store, layers, prompter, tree);

  currentLabel_ = new QLabel(this);
  currentLabel_->setObjectName(QStringLiteral("currentLayerLabel"));
  list_ = new List(0, 2, this);
  list_->setObjectName(QStringLiteral("layerList"));
  list_->setHorizontalHeaderLabels({QStringLiteral("Layer Name"), QStringLiteral("Objects")});
  list_->horizontalHeaderItem(kObjectsColumn)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(std::max(list_->fontMetrics().height(), kLayerImageHeight) + 6);
  list_->setShowGrid(true);
  list_->setWordWrap(false);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  list_->setIconSize(QSize(kLayerImageWidth, kLayerImageHeight));
  auto* delegate = new LampDelegate(list_);
  delegate->renamed = [this](int row, const QString& name) { model_->Rename(row, ToStoreText(name)); };
  list_->setItemDelegate(delegate);
  list_->delegate = delegate;
  list_->lampClicked = [this](int row) { model_->ClickLamp(row); };

  const auto button = [this](const QString& text, const char* name) {
    auto* made = new QPushButton(text, this);
    made->setObjectName(QString::fromLatin1(name));
    made->setAutoDefault(false);
    return made;
  };
  add_ = button(QStringLiteral("&Add"), "addButton");
  delete_ = button(QStringLiteral("&Delete"), "deleteButton");
  current_ = button(QStringLiteral("&Current"), "currentButton");
  mergeUp_ = button(QStringLiteral("Merge &Up"), "mergeUpButton");
  mergeDown_ = button(QStringLiteral("Merge Do&wn"), "mergeDownButton");
  ok_ = button(QStringLiteral("OK"), "okButton");
  ok_->setDefault(true);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {add_, delete_, current_, mergeUp_, mergeDown_}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  auto* body = new QHBoxLayout;
  body->addWidget(list_, 1);
  body->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(currentLabel_);
  layout->addLayout(body, 1);
  const DialogUnits units(font());
  resize(units.Size(230, 170));

  connect(add_, &QPushButton::clicked, this, [this] { model_->Add(); });
  // Delete and merge run to their end without returning to the event loop, so
  // neither the list nor the main window's tree is drawn half-way; the model
  // tells the list once, at the end (and before a question about deleting).
  connect(delete_, &QPushButton::clicked, this, [this] { model_->Delete(); });
  connect(current_, &QPushButton::clicked, this, [this] { model_->MakeCurrent(); });
  connect(mergeUp_, &QPushButton::clicked, this, [this] { model_->MergeUp(); });
  connect(mergeDown_, &QPushButton::clicked, this, [this] { model_->MergeDown(); });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { TakeSelection(); });
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { TakeSelection(); });
  connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { model_->DoubleClick(row); });

  model_->SetListener(this);
  model_->SelectFirstRow();
}

CLayerManagerDialog::~CLayerManagerDialog() {
  model_->SetListener(nullptr);
  delete list_;  // with its delegate, while the model they call exists
}

void CLayerManagerDialog::RowsChanged() {
  syncing_ = true;
  list_->setRowCount(model_->RowCount());
  QItemSelection selection;
  for (int row = 0; row < model_->RowCount(); ++row) {
    const LayerManagerRow shown = model_->Row(row);
    QTableWidgetItem* name = list_->item(row, kNameColumn);
    if (name == nullptr) {
      name = new QTableWidgetItem;
      list_->setItem(row, kNameColumn, name);
    }
    name->setText(ToWindowText(shown.name));
    name->setIcon(LayerImagePixmap(shown.lampImage));
    QTableWidgetItem* objects = list_->item(row, kObjectsColumn);
    if (objects == nullptr) {
      objects = new QTableWidgetItem;
      objects->setFlags(objects->flags() & ~Qt::ItemIsEditable);
      objects->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      list_->setItem(row, kObjectsColumn, objects);
    }
    objects->setText(ToWindowText(shown.objects));
    if (model_->IsSelected(row))
      selection.select(list_->model()->index(row, 0), list_->model()->index(row, kObjectsColumn));
  }
  QItemSelectionModel* selected = list_->selectionModel();
  const int focused = model_->FocusedRow();
  if (focused >= 0) selected->setCurrentIndex(list_->model()->index(focused, 0), QItemSelectionModel::NoUpdate);
  selected->select(selection, QItemSelectionModel::ClearAndSelect);
  if (focused >= 0) list_->scrollTo(list_->model()->index(focused, 0));
  syncing_ = false;
  currentLabel_->setText(ToWindowText(model_->CurrentLabel()));
  ShowButtons();
  list_->setFocus();
}

void CLayerManagerDialog::TakeSelection() {
  if (syncing_) return;
  std::vector<int> rows;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows()) rows.push_back(index.row());
  model_->SetSelection(rows, list_->currentIndex().isValid() ? list_->currentIndex().row() : -1);
  ShowButtons();
}

void CLayerManagerDialog::ShowButtons() {
  add_->setEnabled(model_->AddEnabled());
  delete_->setEnabled(model_->DeleteEnabled());
  current_->setEnabled(model_->CurrentEnabled());
  mergeUp_->setEnabled(model_->MergeEnabled());
  mergeDown_->setEnabled(model_->MergeEnabled());
}

void CLayerManagerDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  SizeColumns();
}

void CLayerManagerDialog::SizeColumns() {
  const int width = list_->width();
  list_->horizontalHeader()->resizeSection(kNameColumn, width * 2 / 3);
  list_->horizontalHeader()->resizeSection(kObjectsColumn, std::max(0, width - width * 2 / 3 - kObjectsColumnMargin));
}

}  // namespace verdanto
