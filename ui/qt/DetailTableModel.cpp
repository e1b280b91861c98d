#include "ui/qt/DetailTableModel.h"

#include "ui/qt/TextConversion.h"

namespace verdanto {

int DetailTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int DetailTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant DetailTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(model_.detailRows.size())) return {};
  if (role == Qt::TextAlignmentRole && index.column() == 3) return int(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return {};
  const DetailRow& row = model_.detailRows[static_cast<std::size_t>(index.row())];
  switch (index.column()) {
    case 0: return ToWindowText(row.id);
    case 1: return ToWindowText(row.field);
    case 2: return ToWindowText(row.units);
    case 3: return ToWindowText(row.rfs);
    case kValueColumn: return model_.hasValueColumn ? ToWindowText(row.value) : QVariant();
    default: return {};
  }
}

QVariant DetailTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::TextAlignmentRole && section == 3) return int(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return {};
  switch (section) {
    case 0: return QStringLiteral("ID");
    case 1: return QStringLiteral("Fields");
    case 2: return QStringLiteral("Units");
    case 3: return QStringLiteral("RFs");
    case kValueColumn: return ToWindowText(model_.valueHeader);
    default: return {};
  }
}

bool DetailTableModel::Renew(bool rows) {
  const int newRows = static_cast<int>(model_.detailRows.size());
  const int newColumns = model_.hasValueColumn ? kValueColumn + 1 : kValueColumn;
  if (rows || newRows != rows_ || newColumns != columns_) {
    beginResetModel();
    rows_ = newRows;
    columns_ = newColumns;
    endResetModel();
    return true;
  }
  if (columns_ > kValueColumn) {
    emit headerDataChanged(Qt::Horizontal, kValueColumn, kValueColumn);
    if (rows_ > 0) emit dataChanged(index(0, kValueColumn), index(rows_ - 1, kValueColumn), {Qt::DisplayRole});
  }
  return false;
}

}  // namespace verdanto
