#include "ui/qt/CMainDialog.h"

#include <array>

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTreeView>

#include "host/Host.h"
#include "base/Platform.h"
#include "ui/models/LayersBoxModel.h"
#include "ui/models/MainWindowModel.h"
#include "ui/models/MainWindowReferences.h"
#include "ui/models/StartupLoad.h"
#include "ui/qt/CAboutDialog.h"
#include "ui/qt/CFieldDialog.h"
#include "ui/qt/CLayerManagerDialog.h"
#include "ui/qt/CSaveManagerDialog.h"
#include "ui/qt/ClassTreeModel.h"
#include "ui/qt/DetailTableModel.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/LayersBox.h"
#include "ui/qt/MainWindowViews.h"
#include "ui/qt/ReferencesWindows.h"
#include "ui/qt/TextConversion.h"

namespace verdanto {

namespace {

// Store texts end lines with CR LF; a text box wants "\n".
QString BoxText(std::string_view text) {
  QString shown = ToWindowText(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

// Report lists show one line of text per row.
int RowHeight(const QWidget& list) { return list.fontMetrics().height() + 4; }

// Column widths in pixels, as the lists are described.
constexpr int kDetailWidths[] = {40, 200, 90, 36, 180};
constexpr int kPropertiesNameWidth = 100;

}  // namespace

struct CMainDialog::Impl final : MainWindowListener {
  Impl(CMainDialog& owner, Host& theHost, ResourceHandle theModule, const Platform& services, std::string settings,
       std::function<void()> releaseWindow)
      : window(owner), host(theHost), module(theModule), platform(services), settingsPath(std::move(settings)),
        release(std::move(releaseWindow)) {
    Build();
    model.SetListener(this);
  }

  CMainDialog& window;
  Host& host;
  ResourceHandle module;
  Platform platform;
  std::string settingsPath;
  std::function<void()> release;
  MainWindowModel model{platform.prompter, platform.files, platform.loader};
  LayersBoxModel boxModel{model.layers};
  ClassTreeModel treeModel{model};
  DetailTableModel detailModel{model};

  LayersBox* layersBox = nullptr;
  QPushButton* addLayerButton = nullptr;
  QTreeView* tree = nullptr;
  QMenu* treeMenu = nullptr;
  QTableWidget* properties = nullptr;
  QPlainTextEdit* memo = nullptr;
  QPlainTextEdit* note = nullptr;
  QPushButton* dupButton = nullptr;
  QPushButton* addButton = nullptr;
  QPushButton* delButton = nullptr;
  QPushButton* selectButton = nullptr;
  QTableView* detail = nullptr;
  QAction* renameAction = nullptr;  // enabled while the selected field fills lists

  bool syncing = false;    // the window itself moves a view's selection to the model's
  int treeChanging = 0;    // the tree's items are being changed
  // The detail list's column widths: the described ones scaled to the font, and
  // each as the user last dragged it; a new class keeps them.
  std::array<int, std::size(kDetailWidths)> detailWidths{};
  bool sizingDetail = false;

  void Build();
  void BuildMenus(QMenuBar* bar);
  QAction* AddAction(QMenu* menu, const QString& text, const char* name, void (Impl::*handler)());

  // Handlers of the menus.
  void OpenInFilenameLayer() { OpenFiles(OpenMode::FilenameLayer); }
  void OpenInCurrentLayer() { OpenFiles(OpenMode::CurrentLayer); }
  void OpenFiles(OpenMode mode) {
    const ResourceScope scope(host, module);
    model.OpenFiles(mode);
  }
  void ChangeDictionaryPath() {
    const ResourceScope scope(host, module);
    ChangeDictionary(settingsPath, platform.files, platform.prompter);
  }
  void About() {
    const ResourceScope scope(host, module);
    CAboutDialog about(&window);
    about.exec();
  }
  void SaveAs() {
    const ResourceScope scope(host, module);
    CSaveManagerDialog saveManager(model.store, model.layers, {model.saveAllPath, model.insertComments},
                                   platform.prompter, platform.files, &window);
    if (saveManager.exec() != QDialog::Accepted) return;
    model.saveAllPath = saveManager.Choices().allTogetherPath;
    model.insertComments = saveManager.Choices().insertComments;
  }
  void LayerManager() {
    {
      const ResourceScope scope(host, module);
      // The model is the class tree that follows the manager's deletes and merges.
      CLayerManagerDialog layerManager(model.store, model.layers, model, platform.prompter, &window);
      layerManager.exec();
    }
    layersBox->Refresh();  // added and renamed layers tell the main window nothing
  }
  void Exit() { window.RunCloseProcedure(); }
  void Relations() {
    bool selected = false;
    {
      const ResourceScope scope(host, module);
      selected = RunRelationsWindow(model, &window);
    }
    if (selected) detail->setFocus();
  }
  void ObjectListReference() {
    const ResourceScope scope(host, module);
    RunObjListRefWindow(model.store, &window);
  }
  void RenameWithReferences() {
    const ResourceScope scope(host, module);
    RunRenameWindow(model, platform.prompter, &window);
  }
  void OpenAll() { model.SetAllOpen(true); }
  void CloseAll() { model.SetAllOpen(false); }

  // A click in the value column; the model takes back the editor's filter
  // whatever the result, and on OK renews the cell, the tree item and the
  // layer's modified mark.
  void OpenFieldEditor(const FieldAddress& target) {
    bool accepted = false;
    LayerFilter filter = model.fieldLayerFilter;
    {
      const ResourceScope scope(host, module);
      CFieldDialog editor(model.store, model.layers, target.group, target.classNo, target.object, target.field,
                          model.fieldLayerFilter, platform.prompter, platform.conversions, &window);
      accepted = editor.exec() == QDialog::Accepted;
      filter = editor.Filter();
    }
    model.FieldEdited(target, accepted, filter);
  }

  // The surface tool holds the host's command line; its messages are windows of ours.
  void SelectRegion() {
    const ResourceScope scope(host, module);
    model.SelectRegion(host);
  }

  // MainWindowListener
  void BeginTreeReset() override {
    ++treeChanging;
    treeModel.BeginTreeReset();
  }
  void EndTreeReset() override {
    treeModel.EndTreeReset();
    --treeChanging;
  }
  void BeginObjectItemsChange(std::uint16_t g, std::uint16_t c, int first, int oldCount, int newCount) override {
    ++treeChanging;
    treeModel.BeginObjectItemsChange(g, c, first, oldCount, newCount);
  }
  void EndObjectItemsChange(std::uint16_t g, std::uint16_t c, int, int newCount) override {
    treeModel.EndObjectItemsChange(g, c, newCount);
    --treeChanging;
  }
  void ViewsChanged(unsigned parts) override;
  void SetAllExpanded(bool expanded, std::uint16_t groupOnTop) override;
  void MinimiseWindow() override { window.showMinimized(); }
  void RestoreWindow() override {
    window.showNormal();
    window.raise();
    window.activateWindow();
  }

  void ShowTreeSelection();
  void ShowDetailSelection();
  void ShowProperties();
  void ShowButtons();
};

void CMainDialog::Impl::Build() {
  window.setObjectName(QStringLiteral("mainDialog"));
  const auto label = [&](const QString& text, QWidget* buddy) {
    auto* shown = new QLabel(text, &window);
    shown->setBuddy(buddy);
    return shown;
  };
  const auto button = [&](const QString& text, const char* name, void (MainWindowModel::*command)()) {
    auto* made = new QPushButton(text, &window);
    made->setObjectName(QString::fromLatin1(name));
    if (command) QObject::connect(made, &QPushButton::clicked, &window, [this, command] { (model.*command)(); });
    return made;
  };

  layersBox = new LayersBox(boxModel, &window);
  layersBox->setObjectName(QStringLiteral("layersBox"));
  addLayerButton = button(QStringLiteral("+"), "addLayerButton", nullptr);
  QObject::connect(addLayerButton, &QPushButton::clicked, &window, [this] { LayerManager(); });

  tree = new ClassTreeView(&window);
  tree->setObjectName(QStringLiteral("classTree"));
  tree->setModel(&treeModel);
  tree->setHeaderHidden(true);
  tree->setUniformRowHeights(true);
  tree->setSelectionMode(QAbstractItemView::SingleSelection);
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree->setContextMenuPolicy(Qt::CustomContextMenu);
  // Long object names scroll sideways instead of being cut off.
  tree->header()->setStretchLastSection(false);
  tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  QObject::connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, &window,
                   [this](const QModelIndex& current) {
                     if (!syncing && treeChanging == 0) model.SelectTreeItem(treeModel.ItemOf(current));
                   });
  // A mouse press selects the pressed row after the model has already moved on from
  // it (a group or class leads to its first child): the highlight follows the current item.
  QObject::connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, &window, [this] {
    const QModelIndex current = tree->currentIndex();
    if (current.isValid() && !tree->selectionModel()->isSelected(current))
      tree->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
  });
  treeMenu = new QMenu(&window);
  AddAction(treeMenu, QStringLiteral("Open all"), "openAllAction", &Impl::OpenAll);
  AddAction(treeMenu, QStringLiteral("Close all"), "closeAllAction", &Impl::CloseAll);
  QObject::connect(tree, &QWidget::customContextMenuRequested, &window, [this](const QPoint& at) {
    if (tree->viewport()->rect().contains(at)) treeMenu->exec(tree->viewport()->mapToGlobal(at));
  });

  properties = new QTableWidget(0, 2, &window);
  properties->setObjectName(QStringLiteral("propertiesList"));
  properties->setHorizontalHeaderLabels({QStringLiteral("Properties"), QStringLiteral("Values")});
  properties->verticalHeader()->hide();
  properties->verticalHeader()->setDefaultSectionSize(RowHeight(*properties));
  properties->setSelectionBehavior(QAbstractItemView::SelectRows);
  properties->setSelectionMode(QAbstractItemView::SingleSelection);
  properties->setEditTriggers(QAbstractItemView::NoEditTriggers);
  properties->horizontalHeader()->resizeSection(0, DialogUnits(properties->font()).Pixels(kPropertiesNameWidth));
  properties->horizontalHeader()->setStretchLastSection(true);

  memo = new QPlainTextEdit(&window);
  memo->setObjectName(QStringLiteral("memoBox"));
  memo->setReadOnly(true);
  note = new QPlainTextEdit(&window);
  note->setObjectName(QStringLiteral("noteBox"));
  note->setReadOnly(true);

  dupButton = button(QStringLiteral("D&up Object"), "dupButton", &MainWindowModel::DupObject);
  addButton = button(QStringLiteral("&Add Object"), "addButton", &MainWindowModel::AddObject);
  delButton = button(QStringLiteral("D&el Object"), "delButton", &MainWindowModel::DelObject);
  selectButton = button(QStringLiteral("&Select..."), "selectButton", nullptr);
  QObject::connect(selectButton, &QPushButton::clicked, &window, [this] { SelectRegion(); });

  auto* details = new DetailListView(&window);
  details->editRequested = [this](int row) {
    if (const auto target = model.FieldToEdit(row, DetailTableModel::kValueColumn)) OpenFieldEditor(*target);
  };
  detail = details;
  detail->setObjectName(QStringLiteral("detailList"));
  detail->setModel(&detailModel);
  detail->verticalHeader()->hide();
  detail->verticalHeader()->setDefaultSectionSize(RowHeight(*detail));
  detail->setSelectionBehavior(QAbstractItemView::SelectRows);
  detail->setSelectionMode(QAbstractItemView::SingleSelection);
  detail->setEditTriggers(QAbstractItemView::NoEditTriggers);
  detail->setWordWrap(false);
  const DialogUnits detailUnits(detail->font());
  for (std::size_t column = 0; column < detailWidths.size(); ++column)
    detailWidths[column] = detailUnits.Pixels(kDetailWidths[column]);
  QObject::connect(detail->horizontalHeader(), &QHeaderView::sectionResized, &window,
                   [this](int column, int, int width) {
                     if (!sizingDetail && column >= 0 && column < static_cast<int>(detailWidths.size()))
                       detailWidths[static_cast<std::size_t>(column)] = width;
                   });
  QObject::connect(detail->selectionModel(), &QItemSelectionModel::currentRowChanged, &window,
                   [this](const QModelIndex& current) {
                     if (!syncing) model.SelectDetailRow(current.isValid() ? current.row() : -1);
                   });
  QObject::connect(detail, &QAbstractItemView::clicked, &window, [this](const QModelIndex& at) {
    if (const auto target = model.FieldToEdit(at.row(), at.column())) OpenFieldEditor(*target);
  });

  // Left: the layers box above the class tree. Right: properties beside the two
  // note boxes, the buttons, and the detail list below.
  auto* layersRow = new QHBoxLayout;
  layersRow->addWidget(layersBox, 1);
  layersRow->addWidget(addLayerButton);
  auto* left = new QVBoxLayout;
  left->addWidget(label(QStringLiteral("&Layers:"), layersBox));
  left->addLayout(layersRow);
  left->addWidget(label(QStringLiteral("&Class List:"), tree));
  left->addWidget(tree, 1);

  auto* notes = new QVBoxLayout;
  notes->addWidget(memo);
  notes->addWidget(note);
  auto* propertiesColumn = new QVBoxLayout;
  propertiesColumn->addWidget(label(QStringLiteral("Object &Properties:"), properties));
  propertiesColumn->addWidget(properties);
  auto* top = new QHBoxLayout;
  top->addLayout(propertiesColumn, 1);
  top->addLayout(notes, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {dupButton, addButton, delButton, selectButton}) buttons->addWidget(b);
  buttons->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addLayout(top, 2);
  right->addLayout(buttons);
  right->addWidget(label(QStringLiteral("Object &Detail:"), detail));
  right->addWidget(detail, 3);

  auto* columns = new QHBoxLayout(&window);
  columns->addLayout(left, 2);
  columns->addLayout(right, 5);
  auto* bar = new QMenuBar(&window);
  BuildMenus(bar);
  columns->setMenuBar(bar);

  const DialogUnits units(window.font());
  window.resize(units.Size(576, 366));
}

QAction* CMainDialog::Impl::AddAction(QMenu* menu, const QString& text, const char* name, void (Impl::*handler)()) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  QObject::connect(action, &QAction::triggered, &window, [this, handler] { (this->*handler)(); });
  return action;
}

void CMainDialog::Impl::BuildMenus(QMenuBar* bar) {
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  QMenu* open = file->addMenu(QStringLiteral("&Open..."));
  AddAction(open, QStringLiteral("Open in file&name layer..."), "openFilenameLayerAction", &Impl::OpenInFilenameLayer);
  AddAction(open, QStringLiteral("Open in &current layer..."), "openCurrentLayerAction", &Impl::OpenInCurrentLayer);
  AddAction(file, QStringLiteral("&Save as..."), "saveAsAction", &Impl::SaveAs);
  AddAction(file, QStringLiteral("&Change dictionary..."), "changeDictionaryAction", &Impl::ChangeDictionaryPath);
  file->addSeparator();
  AddAction(file, QStringLiteral("&Exit"), "exitAction", &Impl::Exit);
  QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
  AddAction(tools, QStringLiteral("&Object List - Reference..."), "objectListAction", &Impl::ObjectListReference);
  AddAction(tools, QStringLiteral("&Layer Manager..."), "layerManagerAction", &Impl::LayerManager);
  AddAction(tools, QStringLiteral("&Relations..."), "relationsAction", &Impl::Relations);
  renameAction = AddAction(tools, QStringLiteral("Re&name with References..."), "renameAction",
                           &Impl::RenameWithReferences);
  renameAction->setEnabled(false);
  QMenu* help = bar->addMenu(QStringLiteral("&?"));
  AddAction(help, QStringLiteral("&About Verdanto"), "aboutAction", &Impl::About);
}

void CMainDialog::Impl::ViewsChanged(unsigned parts) {
  if (parts & kTitlePart) window.setWindowTitle(ToWindowText(model.title));
  if (parts & (kDetailRowsPart | kValueColumnPart)) {
    sizingDetail = true;
    if (detailModel.Renew((parts & kDetailRowsPart) != 0)) {
      for (int column = 0; column < detailModel.columnCount(); ++column)
        detail->horizontalHeader()->resizeSection(column, detailWidths[static_cast<std::size_t>(column)]);
    }
    sizingDetail = false;
  }
  if (parts & kPropertiesPart) ShowProperties();
  if (parts & kNotesPart) {
    memo->setPlainText(BoxText(model.memoText));
    note->setPlainText(BoxText(model.noteText));
  }
  if (parts & kButtonsPart) ShowButtons();
  if (parts & kLayersBoxPart) layersBox->Refresh();
  if (parts & kTreeSelectionPart) ShowTreeSelection();
  if (parts & kDetailSelectionPart) ShowDetailSelection();
  if (renameAction) renameAction->setEnabled(RenameSource(model).has_value());
}

void CMainDialog::Impl::SetAllExpanded(bool expanded, std::uint16_t groupOnTop) {
  tree->setUpdatesEnabled(false);
  if (expanded) {
    tree->expandAll();
  } else {
    tree->collapseAll();
  }
  ShowTreeSelection();
  tree->scrollTo(treeModel.IndexOf({TreeItemKind::Group, groupOnTop, 0, 0}), QAbstractItemView::PositionAtTop);
  tree->setUpdatesEnabled(true);
}

void CMainDialog::Impl::ShowTreeSelection() {
  const QModelIndex index = treeModel.IndexOf(model.SelectedItem());
  syncing = true;
  tree->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  syncing = false;
  if (index.isValid()) tree->scrollTo(index);
}

void CMainDialog::Impl::ShowDetailSelection() {
  syncing = true;
  if (model.selectedDetailRow >= 0) {
    detail->selectionModel()->setCurrentIndex(detailModel.index(model.selectedDetailRow, 0),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  } else {
    detail->selectionModel()->clear();
  }
  syncing = false;
}

void CMainDialog::Impl::ShowProperties() {
  properties->setRowCount(static_cast<int>(model.propertyRows.size()));
  for (int row = 0; row < properties->rowCount(); ++row) {
    const PropertyRow& shown = model.propertyRows[static_cast<std::size_t>(row)];
    properties->setItem(row, 0, new QTableWidgetItem(ToWindowText(shown.property)));
    properties->setItem(row, 1, new QTableWidgetItem(ToWindowText(shown.value)));
  }
}

void CMainDialog::Impl::ShowButtons() {
  addButton->setEnabled(model.addEnabled);
  dupButton->setEnabled(model.dupEnabled);
  delButton->setEnabled(model.delEnabled);
  selectButton->setEnabled(model.selectEnabled);
}

CMainDialog::CMainDialog(Host& host, ResourceHandle module, const Platform& platform, std::string settingsPath,
                         std::function<void()> releaseMainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window),
      impl_(std::make_unique<Impl>(*this, host, module, platform, std::move(settingsPath),
                                   std::move(releaseMainWindow))) {}

CMainDialog::~CMainDialog() {
  impl_->model.SetListener(nullptr);
  // The views go before the item models they draw, which live in impl_.
  qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

bool CMainDialog::Create() {
  if (!impl_->model.Create(impl_->settingsPath)) return false;
  show();
  // The first selection was scrolled into a view that had no size yet.
  impl_->tree->scrollToTop();
  return true;
}

void CMainDialog::RestoreWindow() {
  if (!impl_->model.RequestRestore()) return;
  showNormal();
  raise();
  activateWindow();
}

void CMainDialog::RunCloseProcedure() {
  switch (impl_->model.RequestClose()) {
    case CloseOutcome::Refused: return;
    case CloseOutcome::SaveFirst: impl_->SaveAs(); return;  // the window stays
    case CloseOutcome::Release: break;
  }
  hide();
  if (impl_->release) impl_->release();
}

int CMainDialog::KeepFocus() const { return impl_->model.keepFocus; }

MainWindowModel& CMainDialog::Model() { return impl_->model; }

void CMainDialog::closeEvent(QCloseEvent* event) {
  // Closing always goes through the question; the window goes only when released.
  event->ignore();
  RunCloseProcedure();
}

}  // namespace verdanto
