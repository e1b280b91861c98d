#include "ui/qt/CRenameDialog.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "checks/NewNameCheck.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/TextConversion.h"

namespace verdanto {

CRenameDialog::CRenameDialog(Dictionary& store, LayerList& layers, const ObjectField& source, Prompter& prompter,
                             QWidget* parent)
    : QDialog(parent), model_(store, layers, source, prompter) {
  setObjectName(QStringLiteral("renameDialog"));
  setWindowTitle(QString::fromLatin1(kRenameCaption.data(), static_cast<qsizetype>(kRenameCaption.size())));
  setModal(true);

  auto* oldName = new QLineEdit(ToWindowText(model_.oldName), this);
  oldName->setObjectName(QStringLiteral("oldNameBox"));
  oldName->setReadOnly(true);
  newName_ = new QLineEdit(ToWindowText(model_.oldName), this);
  newName_->setObjectName(QStringLiteral("newNameBox"));
  newName_->selectAll();
  auto* listed = new QListWidget(this);
  listed->setObjectName(QStringLiteral("namingList"));
  for (const std::string& line : model_.listed) listed->addItem(ToWindowText(line));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CRenameDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CRenameDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Old name:"), oldName);
  form->addRow(QStringLiteral("&New name:"), newName_);
  auto* rows = new QVBoxLayout(this);
  rows->addLayout(form);
  rows->addWidget(new QLabel(QStringLiteral("Fields that name it:"), this));
  rows->addWidget(listed, 1);
  rows->addWidget(buttons);
  resize(DialogUnits(font()).Size(300, 160));
  newName_->setFocus();
}

void CRenameDialog::accept() {
  // An unchanged text keeps its bytes; a refused name leaves the window open.
  if (model_.Accept(ToStoreTextKeeping(newName_->text(), model_.oldName))) QDialog::accept();
}

}  // namespace verdanto
