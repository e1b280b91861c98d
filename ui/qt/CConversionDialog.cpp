#include "ui/qt/CConversionDialog.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "ui/qt/DialogUnits.h"
#include "ui/qt/TextConversion.h"

namespace verdanto {

CConversionDialog::CConversionDialog(std::string value, std::string_view siUnit, std::string_view ipUnit,
                                     QWidget* parent)
    : QDialog(parent), model_(std::move(value), siUnit, ipUnit) {
  setObjectName(QStringLiteral("conversionDialog"));
  setWindowTitle(QStringLiteral("Units Conversion"));
  setModal(true);

  value_ = new QLineEdit(ToWindowText(model_.Value()), this);
  value_->setObjectName(QStringLiteral("valueEdit"));
  choices_ = new QComboBox(this);
  choices_->setObjectName(QStringLiteral("choiceList"));
  choices_->setMaxVisibleItems(20);
  for (const ConversionChoiceEntry& entry : model_.Choices()) choices_->addItem(ToWindowText(entry.text), entry.choice);
  choices_->setCurrentIndex(static_cast<int>(model_.SelectedPosition()));
  newValue_ = new QLineEdit(this);
  newValue_->setObjectName(QStringLiteral("newValueEdit"));
  newValue_->setReadOnly(true);
  keepNew_ = new QPushButton(QStringLiteral("Keep new"), this);
  keepNew_->setObjectName(QStringLiteral("keepNewButton"));
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("cancelButton"));
  // Neither button takes Enter, not even while it has the focus.
  for (QPushButton* button : {keepNew_, cancel_}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }

  auto* valueLabel = new QLabel(QStringLiteral("&Value:"), this);
  valueLabel->setBuddy(value_);
  auto* newValueLabel = new QLabel(QStringLiteral("&New value:"), this);
  newValueLabel->setBuddy(newValue_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(keepNew_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(valueLabel);
  layout->addWidget(value_);
  layout->addWidget(choices_);
  layout->addWidget(newValueLabel);
  layout->addWidget(newValue_);
  layout->addStretch(1);
  layout->addLayout(buttons);
  const DialogUnits units(font());
  resize(units.Size(180, 110));

  connect(value_, &QLineEdit::textChanged, this, [this](const QString& text) {
    model_.SetValue(ToStoreText(text));
    ShowNewValue();
  });
  connect(choices_, &QComboBox::currentIndexChanged, this, [this](int position) {
    if (position >= 0) model_.SelectPosition(static_cast<std::size_t>(position));
    ShowNewValue();
  });
  connect(keepNew_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  ShowNewValue();
  value_->selectAll();  // typing replaces the value handed over
}

CConversionDialog::~CConversionDialog() = default;

void CConversionDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();  // no default action
    return;
  }
  QDialog::keyPressEvent(event);  // Escape rejects
}

void CConversionDialog::ShowNewValue() { newValue_->setText(ToWindowText(model_.NewValue())); }

std::optional<std::string> QtConversionRunner::Run(std::string_view value, std::string_view siUnit,
                                                   std::string_view ipUnit) {
  const ResourceScope scope(host_, module_);
  CConversionDialog dialog{std::string(value), siUnit, ipUnit, QApplication::activeModalWidget()};
  const bool keep = dialog.exec() == QDialog::Accepted;
  return dialog.Model().Result(keep ? ConversionEnd::KeepNew : ConversionEnd::Cancel);
}

}  // namespace verdanto
