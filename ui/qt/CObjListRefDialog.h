#pragma once
// The object-list and reference browser: a read-only modal window that draws an
// ObjListRefModel. It changes nothing and returns nothing.

#include <QDialog>

#include "ui/models/ObjListRefModel.h"

class QButtonGroup;
class QComboBox;
class QTableWidget;

namespace verdanto {

class CObjListRefDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CObjListRefDialog(const Dictionary& store, QWidget* parent = nullptr);
  const ObjListRefModel& Model() const { return model_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowRows();
  void SizeColumns();

  ObjListRefModel model_;
  QComboBox* names_ = nullptr;
  QButtonGroup* sides_ = nullptr;
  QTableWidget* list_ = nullptr;
  bool sized_ = false;
};

}  // namespace verdanto
