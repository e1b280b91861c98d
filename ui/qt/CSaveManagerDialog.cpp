#include "ui/qt/CSaveManagerDialog.h"

#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

#include "ui/qt/DialogUnits.h"
#include "ui/qt/MessageBoxPrompter.h"
#include "ui/qt/QtFileChooser.h"
#include "ui/qt/TextConversion.h"

namespace verdanto {

namespace {

// The "File Path" column ends this far before the list's right edge, room for a scroll bar.
constexpr int kPathColumnMargin = 17;

}  // namespace

// The list's rows as a table model over SaveManagerModel: check marks in the
// first column, "Objects" right-aligned.
class CSaveManagerDialog::Rows final : public QAbstractTableModel {
 public:
  explicit Rows(SaveManagerModel& model, QObject* parent) : QAbstractTableModel(parent), model_(model) {}

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : model_.RowCount(); }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 3; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const SaveManagerRow row = model_.Row(index.row());
    switch (role) {
      case Qt::DisplayRole:
        switch (index.column()) {
          case kLayerNameColumn: return ToWindowText(row.name);
          case kObjectsColumn: return ToWindowText(row.objects);
          case kFilePathColumn: return ToWindowText(row.path);
          default: return {};
        }
      case Qt::CheckStateRole:
        if (index.column() == kLayerNameColumn) return row.checked ? Qt::Checked : Qt::Unchecked;
        return {};
      case Qt::TextAlignmentRole:
        if (index.column() == kObjectsColumn) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
      default: return {};
    }
  }

  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!index.isValid() || index.column() != kLayerNameColumn || role != Qt::CheckStateRole) return false;
    model_.SetChecked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == kLayerNameColumn) flags |= Qt::ItemIsUserCheckable;
    return flags;
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole && section == kObjectsColumn)
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (section) {
      case kLayerNameColumn: return QStringLiteral("Layer Name");
      case kObjectsColumn: return QStringLiteral("Objects");
      case kFilePathColumn: return QStringLiteral("File Path");
      default: return {};
    }
  }

  void RowChanged(int row) { emit dataChanged(index(row, 0), index(row, columnCount({}) - 1)); }

 private:
  SaveManagerModel& model_;
};

// What the model changes while it works, drawn at once: Save runs without
// returning to the event loop, so the label and the bar are painted as they change.
class CSaveManagerDialog::View final : public SaveManagerView {
 public:
  explicit View(CSaveManagerDialog& dialog) : dialog_(dialog) {}

  void RowChanged(int row) override { dialog_.rows_->RowChanged(row); }
  void SelectionChanged() override { dialog_.ShowSelection(); }
  void ShowProgress(bool shown) override {
    dialog_.progressLabel_->setVisible(shown);
    dialog_.progressBar_->setVisible(shown);
    if (shown) {
      dialog_.progressLabel_->repaint();
      dialog_.progressBar_->repaint();
    }
  }
  void SetProgressLabel(std::string_view text) override {
    dialog_.progressLabel_->setText(ToWindowText(text));
    if (dialog_.progressLabel_->isVisible()) dialog_.progressLabel_->repaint();
  }
  void SetRange(std::uint32_t maximum) override {
    // QProgressBar counts in int; very large ranges are scaled down together with positions.
    scale_ = maximum > kBarMaximum ? maximum / kBarMaximum + 1 : 1;
    dialog_.progressBar_->setRange(0, static_cast<int>(maximum / scale_));
  }
  void SetPosition(std::uint32_t position) override {
    dialog_.progressBar_->setValue(static_cast<int>(position / scale_));  // repaints when the bar looks different
  }

 private:
  static constexpr std::uint32_t kBarMaximum = 1u << 30;
  CSaveManagerDialog& dialog_;
  std::uint32_t scale_ = 1;
};

CSaveManagerDialog::CSaveManagerDialog(const Dictionary& store, LayerList& layers, SaveChoices choices,
                                       Prompter& prompter, FileChooser& chooser, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("saveManagerDialog"));
  setWindowTitle(QStringLiteral("Save Manager"));
  setModal(true);
  model_ = std::make_unique<SaveManagerModel>(store, layers, prompter, chooser, std::move(choices));
  view_ = std::make_unique<View>(*this);
  rows_ = new Rows(*model_, this);

  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("layerList"));
  list_->setModel(rows_);
  list_->setShowGrid(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->horizontalHeader()->setStretchLastSection(false);

  insertComments_ = new QCheckBox(QStringLiteral("Insert &Comments"), this);
  insertComments_->setObjectName(QStringLiteral("insertCommentsCheck"));
  insertComments_->setChecked(model_->choices.insertComments);
  browse_ = new QPushButton(QStringLiteral("&Browse..."), this);
  browse_->setObjectName(QStringLiteral("browseButton"));
  save_ = new QPushButton(QStringLiteral("&Save"), this);
  save_->setObjectName(QStringLiteral("saveButton"));
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("okButton"));
  ok_->setDefault(true);  // Enter acts as OK
  progressLabel_ = new QLabel(this);
  progressLabel_->setObjectName(QStringLiteral("progressLabel"));
  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName(QStringLiteral("progressBar"));
  progressBar_->setTextVisible(false);
  progressLabel_->hide();
  progressBar_->hide();

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(insertComments_);
  buttons->addStretch(1);
  buttons->addWidget(browse_);
  buttons->addWidget(save_);
  buttons->addWidget(ok_);
  auto* progress = new QHBoxLayout;
  progress->addWidget(progressLabel_, 1);
  progress->addWidget(progressBar_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  layout->addLayout(progress);

  const DialogUnits units(font());
  resize(units.Size(420, 190));
  // The window keeps its height whether or not the progress line is shown.
  progressBar_->setMinimumHeight(progressLabel_->sizeHint().height());
  QSizePolicy keep = progressBar_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  progressBar_->setSizePolicy(keep);
  keep = progressLabel_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  progressLabel_->setSizePolicy(keep);

  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (syncing_) return;
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    model_->SelectRow(selected.isEmpty() ? -1 : selected.front().row());
  });
  connect(list_, &QAbstractItemView::clicked, this,
          [this](const QModelIndex& at) { model_->ClickCell(at.row(), at.column()); });
  connect(browse_, &QPushButton::clicked, this, [this] { model_->Browse(); });
  connect(save_, &QPushButton::clicked, this, [this] {
    model_->choices.insertComments = insertComments_->isChecked();
    model_->Save();
  });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  model_->SetView(view_.get());
  ShowSelection();
}

CSaveManagerDialog::~CSaveManagerDialog() {
  model_->SetView(nullptr);
  // The list and its rows go while the model they draw still exists.
  delete list_;
  delete rows_;
}

void CSaveManagerDialog::accept() {
  model_->choices.insertComments = insertComments_->isChecked();
  QDialog::accept();
}

void CSaveManagerDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  SizeColumns();
}

void CSaveManagerDialog::SizeColumns() {
  const int width = list_->width();
  QHeaderView* header = list_->horizontalHeader();
  header->resizeSection(kLayerNameColumn, width * 3 / 9);
  header->resizeSection(kObjectsColumn, width / 9);
  header->resizeSection(kFilePathColumn,
                        std::max(0, width - width * 3 / 9 - width / 9 - kPathColumnMargin));
}

void CSaveManagerDialog::ShowSelection() {
  const int row = model_->SelectedRow();
  syncing_ = true;
  if (row >= 0) {
    list_->selectionModel()->setCurrentIndex(rows_->index(row, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list_->scrollTo(rows_->index(row, 0));
  } else {
    list_->selectionModel()->clearSelection();
  }
  syncing_ = false;
  browse_->setEnabled(model_->BrowseEnabled());
  list_->setFocus();
}

}  // namespace verdanto
