#include "ui/qt/CObjListRefDialog.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

#include "ui/qt/DialogUnits.h"
#include "ui/qt/TextConversion.h"

namespace verdanto {

CObjListRefDialog::CObjListRefDialog(const Dictionary& store, QWidget* parent) : QDialog(parent), model_(store) {
  setObjectName(QStringLiteral("objListRefDialog"));
  setWindowTitle(QString::fromLatin1(kObjListRefTitle));
  setModal(true);

  names_ = new QComboBox(this);
  names_->setObjectName(QStringLiteral("nameBox"));
  names_->setMaxVisibleItems(25);
  names_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  for (const std::string& name : model_.names) names_->addItem(ToWindowText(name));  // kept in index order
  names_->setCurrentIndex(model_.selectedName);
  auto* label = new QLabel(QStringLiteral("&Name:"), this);
  label->setBuddy(names_);

  sides_ = new QButtonGroup(this);
  auto* objectList = new QRadioButton(QStringLiteral("&Object List"), this);
  objectList->setObjectName(QStringLiteral("objectListRadio"));
  auto* reference = new QRadioButton(QStringLiteral("&Reference"), this);
  reference->setObjectName(QStringLiteral("referenceRadio"));
  sides_->addButton(objectList, static_cast<int>(ReferenceSide::ObjectList));
  sides_->addButton(reference, static_cast<int>(ReferenceSide::Reference));
  objectList->setChecked(true);

  list_ = new QTableWidget(0, 4, this);
  list_->setObjectName(QStringLiteral("referenceList"));
  list_->setHorizontalHeaderLabels(
      {QStringLiteral("Num"), QStringLiteral("Group"), QStringLiteral("Object"), QStringLiteral("Field")});
  list_->horizontalHeaderItem(0)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  list_->verticalHeader()->hide();
  list_->setShowGrid(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setWordWrap(false);

  auto* top = new QHBoxLayout;
  top->addWidget(label);
  top->addWidget(names_, 1);
  top->addWidget(objectList);
  top->addWidget(reference);
  auto* rows = new QVBoxLayout(this);
  rows->addLayout(top);
  rows->addWidget(list_, 1);
  resize(DialogUnits(font()).Size(450, 150));

  connect(names_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.SelectName(index);
    ShowRows();
  });
  connect(sides_, &QButtonGroup::idClicked, this, [this](int id) {
    model_.SetSide(static_cast<ReferenceSide>(id));
    ShowRows();
  });
  names_->setFocus();
  ShowRows();
}

void CObjListRefDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The columns share the list's inner width, known once the window is laid out.
  if (!sized_) SizeColumns();
  sized_ = true;
}

void CObjListRefDialog::SizeColumns() {
  const ObjListRefColumns widths = ObjListRefColumnWidths(list_->viewport()->width());
  QHeaderView* header = list_->horizontalHeader();
  header->resizeSection(0, widths.num);
  header->resizeSection(1, widths.group);
  header->resizeSection(2, widths.object);
  header->resizeSection(3, widths.field);
}

void CObjListRefDialog::ShowRows() {
  list_->setUpdatesEnabled(false);
  list_->setRowCount(static_cast<int>(model_.rows.size()));
  for (int row = 0; row < list_->rowCount(); ++row) {
    const ReferenceRow& shown = model_.rows[static_cast<std::size_t>(row)];
    auto* num = new QTableWidgetItem(ToWindowText(shown.num));
    num->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    list_->setItem(row, 0, num);
    list_->setItem(row, 1, new QTableWidgetItem(ToWindowText(shown.group)));
    list_->setItem(row, 2, new QTableWidgetItem(ToWindowText(shown.object)));
    list_->setItem(row, 3, new QTableWidgetItem(ToWindowText(shown.field)));
  }
  list_->setUpdatesEnabled(true);
}

}  // namespace verdanto
