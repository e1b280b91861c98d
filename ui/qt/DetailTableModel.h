#pragma once
// The "Object Detail" list as a Qt table over MainWindowModel's detail rows:
// "ID", "Fields", "Units", "RFs" and, while an object is shown, its values
// under "<Object %d>".

#include <QAbstractTableModel>

#include "ui/models/MainWindowModel.h"

namespace verdanto {

class DetailTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kValueColumn = 4;

  explicit DetailTableModel(const MainWindowModel& model, QObject* parent = nullptr)
      : QAbstractTableModel(parent), model_(model) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // The model made new rows (true) or new values only (false). Returns whether
  // the columns were made anew, so that the view sets their widths again.
  bool Renew(bool rows);

 private:
  const MainWindowModel& model_;
  int rows_ = 0;
  int columns_ = 4;
};

}  // namespace verdanto
