#include "ui/qt/CFieldDialog.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <algorithm>

#include "base/Platform.h"
#include "ui/models/FieldEditorModel.h"
#include "ui/qt/CConversionDialog.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/MessageBoxPrompter.h"
#include "ui/qt/TextConversion.h"

namespace verdanto {

namespace {

// The "Values" column ends this far before the list's inner right edge.
constexpr int kValuesColumnMargin = 117;
constexpr int kPropertiesColumnWidth = 100;

// Store texts end lines with CR LF; a text box wants "\n".
QString BoxText(std::string_view text) {
  QString shown = ToWindowText(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

QString WithCrLf(QString boxText) { return boxText.replace(QStringLiteral("\n"), QStringLiteral("\r\n")); }

}  // namespace

CFieldDialog::CFieldDialog(Dictionary& store, const LayerList& layers, std::uint16_t g, std::uint16_t c,
                           std::uint16_t o, std::uint16_t f, LayerFilter filter, Prompter& prompter,
                           ConversionRunner& converter, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("fieldDialog"));
  setModal(true);
  model_ = std::make_unique<FieldEditorModel>(store, layers, FieldAddress{g, c, o, f}, filter, prompter, converter);
  setWindowTitle(ToWindowText(model_->title));

  value_ = new QComboBox(this);
  value_->setObjectName(QStringLiteral("valueBox"));
  value_->setEditable(true);
  value_->setInsertPolicy(QComboBox::NoInsert);  // the list holds only what the field offers
  value_->setCompleter(nullptr);                 // what the user types stays as typed
  value_->setMaxVisibleItems(20);
  // Long lists of names: the box is sized by the layout, not by measuring every entry.
  value_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  value_->setMinimumContentsLength(12);
  if (auto* list = qobject_cast<QListView*>(value_->view())) list->setUniformItemSizes(true);
  convert_ = new QPushButton(QStringLiteral("&C"), this);
  convert_->setObjectName(QStringLiteral("convertButton"));
  convert_->setAutoDefault(false);
  convert_->setFixedWidth(DialogUnits(font()).X(20));

  auto* layersLabel = new QLabel(QStringLiteral("Layers:"), this);
  auto* onlyCurrent = new QRadioButton(QStringLiteral("Only C&urrent"), this);
  onlyCurrent->setObjectName(QStringLiteral("onlyCurrentRadio"));
  auto* onlyOn = new QRadioButton(QStringLiteral("Only &On"), this);
  onlyOn->setObjectName(QStringLiteral("onlyOnRadio"));
  filters_ = new QButtonGroup(this);
  filters_->addButton(onlyCurrent, static_cast<int>(LayerFilter::OnlyCurrent));
  filters_->addButton(onlyOn, static_cast<int>(LayerFilter::OnlyOn));
  filters_->button(static_cast<int>(model_->layerFilter))->setChecked(true);
  for (QWidget* control : {static_cast<QWidget*>(layersLabel), static_cast<QWidget*>(onlyCurrent),
                           static_cast<QWidget*>(onlyOn)})
    control->setEnabled(model_->filterEnabled);

  note_ = new QPlainTextEdit(BoxText(model_->noteText), this);
  note_->setObjectName(QStringLiteral("noteBox"));
  note_->setReadOnly(true);
  note_->setTabChangesFocus(true);
  shownComment_ = model_->commentText;
  comment_ = new QPlainTextEdit(BoxText(shownComment_), this);
  comment_->setObjectName(QStringLiteral("commentBox"));
  comment_->setTabChangesFocus(true);  // Enter makes a new line; Tab moves on

  properties_ = new QTableWidget(static_cast<int>(model_->propertyRows.size()), 2, this);
  properties_->setObjectName(QStringLiteral("propertiesList"));
  properties_->setHorizontalHeaderLabels({QStringLiteral("Properties"), QStringLiteral("Values")});
  properties_->verticalHeader()->hide();
  properties_->verticalHeader()->setDefaultSectionSize(properties_->fontMetrics().height() + 4);
  properties_->horizontalHeader()->setHighlightSections(false);
  properties_->setShowGrid(true);
  properties_->setSelectionBehavior(QAbstractItemView::SelectRows);
  properties_->setSelectionMode(QAbstractItemView::SingleSelection);
  properties_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  properties_->setWordWrap(false);
  for (int row = 0; row < properties_->rowCount(); ++row) {
    const PropertyRow& shown = model_->propertyRows[static_cast<std::size_t>(row)];
    properties_->setItem(row, 0, new QTableWidgetItem(ToWindowText(shown.property)));
    properties_->setItem(row, 1, new QTableWidgetItem(ToWindowText(shown.value)));
  }

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("okButton"));
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("cancelButton"));
  cancel_->setAutoDefault(false);

  const auto label = [this](const QString& text, QWidget* buddy) {
    auto* shown = new QLabel(text, this);
    shown->setBuddy(buddy);
    return shown;
  };
  // Left: value, layer filter, note and comment. Right: the properties list.
  auto* valueRow = new QHBoxLayout;
  valueRow->addWidget(value_, 1);
  valueRow->addWidget(convert_);
  auto* layersRow = new QHBoxLayout;
  layersRow->addWidget(layersLabel);
  layersRow->addWidget(onlyCurrent);
  layersRow->addWidget(onlyOn);
  layersRow->addStretch(1);
  auto* left = new QVBoxLayout;
  left->addWidget(label(QStringLiteral("&Value:"), value_));
  left->addLayout(valueRow);
  left->addLayout(layersRow);
  left->addWidget(label(QStringLiteral("&Note:"), note_));
  left->addWidget(note_, 3);
  left->addWidget(label(QStringLiteral("Co&mment:"), comment_));
  left->addWidget(comment_, 2);
  auto* right = new QVBoxLayout;
  right->addWidget(label(QStringLiteral("&Field Properties:"), properties_));
  right->addWidget(properties_, 1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(buttons);
  const DialogUnits units(font());
  resize(units.Size(340, 200));

  FillValues();
  shownValue_ = model_->valueText;
  ShowValue(ToWindowText(shownValue_));
  value_->setFocus();

  connect(filters_, &QButtonGroup::idClicked, this,
          [this](int id) { ChangeFilter(static_cast<LayerFilter>(id)); });
  connect(convert_, &QPushButton::clicked, this, [this] { Convert(); });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

CFieldDialog::~CFieldDialog() = default;

LayerFilter CFieldDialog::Filter() const { return model_->layerFilter; }

void CFieldDialog::accept() {
  TakeTexts();
  if (model_->Ok() == OkResult::Stored) {
    QDialog::accept();
    return;
  }
  value_->setFocus();
  value_->lineEdit()->selectAll();
}

void CFieldDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  SizeColumns();
}

void CFieldDialog::FillValues() {
  QStringList entries;
  entries.reserve(static_cast<qsizetype>(model_->offeredValues.size()));
  for (const std::string& entry : model_->offeredValues) entries << ToWindowText(entry);
  value_->addItems(entries);
}

void CFieldDialog::ChangeFilter(LayerFilter filter) {
  const QString typed = value_->currentText();
  if (!model_->ChangeFilter(filter)) return;
  value_->clear();
  FillValues();
  ShowValue(typed);
}

void CFieldDialog::Convert() {
  TakeTexts();
  if (!model_->Convert()) return;
  shownValue_ = model_->valueText;
  ShowValue(ToWindowText(shownValue_));
}

void CFieldDialog::ShowValue(const QString& text) {
  // The entry that matches the text is the one the dropped list starts on.
  value_->setCurrentIndex(value_->findText(text, Qt::MatchFixedString));
  value_->setEditText(text);
  value_->lineEdit()->selectAll();
}

void CFieldDialog::TakeTexts() {
  model_->valueText = StoreValue(value_->currentText());
  model_->commentText = ToStoreTextKeeping(WithCrLf(comment_->toPlainText()), shownComment_);
}

std::string CFieldDialog::StoreValue(const QString& shown) const {
  if (shown == ToWindowText(shownValue_)) return shownValue_;
  // An entry picked from the list is the store's own text.
  for (const std::string& entry : model_->offeredValues)
    if (shown == ToWindowText(entry)) return entry;
  return ToStoreText(shown);
}

void CFieldDialog::SizeColumns() {
  QHeaderView* header = properties_->horizontalHeader();
  const DialogUnits units(properties_->font());
  header->resizeSection(0, units.Pixels(kPropertiesColumnWidth));
  header->resizeSection(1, std::max(0, properties_->contentsRect().width() - units.Pixels(kValuesColumnMargin)));
}

}  // namespace verdanto
