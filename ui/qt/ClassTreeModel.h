#pragma once
// The class tree as a Qt item model over MainWindowModel: groups at the top,
// their classes below, the shown objects of each class below those. It holds
// no items of its own; the main window forwards the model's notifications so
// that views follow item by item.

#include <QAbstractItemModel>

#include "ui/models/MainWindowModel.h"

namespace verdanto {

class ClassTreeModel final : public QAbstractItemModel {
  Q_OBJECT

 public:
  static constexpr int kKeyRole = Qt::UserRole;  // the item's 32-bit key

  explicit ClassTreeModel(const MainWindowModel& model, QObject* parent = nullptr)
      : QAbstractItemModel(parent), model_(model) {}

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  TreeItem ItemOf(const QModelIndex& index) const;
  QModelIndex IndexOf(const TreeItem& item) const;

  // Forwarded from MainWindowListener.
  void BeginTreeReset() { beginResetModel(); }
  void EndTreeReset() { endResetModel(); }
  void BeginObjectItemsChange(std::uint16_t g, std::uint16_t c, int first, int oldCount, int newCount);
  void EndObjectItemsChange(std::uint16_t g, std::uint16_t c, int newCount);

 private:
  const MainWindowModel& model_;
  enum class Pending { None, Insert, Remove } pending_ = Pending::None;
};

}  // namespace verdanto
