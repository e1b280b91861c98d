#pragma once
// "Rename with References": a small modal window that draws a RenameModel: the
// old name, a box for the new one and every field that names the old one. OK
// renames everywhere; Cancel changes nothing.

#include <QDialog>

#include "ui/models/RenameModel.h"

class QLineEdit;

namespace verdanto {

class CRenameDialog : public QDialog {
  Q_OBJECT

 public:
  CRenameDialog(Dictionary& store, LayerList& layers, const ObjectField& source, Prompter& prompter,
                QWidget* parent = nullptr);
  const RenameModel& Model() const { return model_; }

  void accept() override;

 private:
  RenameModel model_;
  QLineEdit* newName_ = nullptr;
};

}  // namespace verdanto
