#include "ui/qt/ClassTreeModel.h"

#include "ui/qt/TextConversion.h"

namespace verdanto {

namespace {

// An index's internal id names its parent: a group item has the root, a class
// item its group, an object item its class. The tag in the top bits tells which.
constexpr quintptr kGroupTag = quintptr{1} << 40;
constexpr quintptr kClassTag = quintptr{2} << 40;
constexpr quintptr kObjectTag = quintptr{3} << 40;
constexpr quintptr kTagMask = quintptr{3} << 40;

quintptr Tag(const QModelIndex& index) { return index.internalId() & kTagMask; }
std::uint16_t LowGroup(const QModelIndex& index) { return static_cast<std::uint16_t>(index.internalId() & 0xFFFF); }
std::uint16_t ObjectClass(const QModelIndex& index) {
  return static_cast<std::uint16_t>((index.internalId() >> 16) & 0xFFFF);
}

}  // namespace

QModelIndex ClassTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0 || row >= rowCount(parent)) return {};
  if (!parent.isValid()) return createIndex(row, 0, kGroupTag);
  const auto parentRow = static_cast<quintptr>(parent.row());
  if (Tag(parent) == kGroupTag) return createIndex(row, 0, kClassTag | parentRow);
  if (Tag(parent) == kClassTag) return createIndex(row, 0, kObjectTag | LowGroup(parent) | (parentRow << 16));
  return {};
}

QModelIndex ClassTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  if (Tag(child) == kClassTag) return createIndex(LowGroup(child), 0, kGroupTag);
  if (Tag(child) == kObjectTag) return createIndex(ObjectClass(child), 0, kClassTag | LowGroup(child));
  return {};
}

int ClassTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return model_.store.GroupCount();
  if (parent.column() != 0) return 0;
  const auto row = static_cast<std::uint16_t>(parent.row());
  if (Tag(parent) == kGroupTag) return row < model_.store.GroupCount() ? model_.store.ClassCount(row) : 0;
  if (Tag(parent) == kClassTag) return model_.ObjectItemCount(LowGroup(parent), row);
  return 0;
}

int ClassTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant ClassTreeModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != kKeyRole) return {};
  const TreeItem item = ItemOf(index);
  if (item.kind == TreeItemKind::None) return {};
  if (role == kKeyRole) return QVariant::fromValue(model_.ItemKey(item));
  return ToWindowText(model_.ItemText(item));
}

TreeItem ClassTreeModel::ItemOf(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return {};
  const auto row = static_cast<std::uint16_t>(index.row());
  switch (Tag(index)) {
    case kGroupTag:
      if (row < model_.store.GroupCount()) return {TreeItemKind::Group, row, 0, 0};
      break;
    case kClassTag:
      if (LowGroup(index) < model_.store.GroupCount() && row < model_.store.ClassCount(LowGroup(index)))
        return {TreeItemKind::Class, LowGroup(index), row, 0};
      break;
    case kObjectTag:
      if (index.row() < model_.ObjectItemCount(LowGroup(index), ObjectClass(index)))
        return {TreeItemKind::Object, LowGroup(index), ObjectClass(index),
                model_.ObjectOfItem(LowGroup(index), ObjectClass(index), index.row())};
      break;
    default: break;
  }
  return {};
}

QModelIndex ClassTreeModel::IndexOf(const TreeItem& item) const {
  switch (item.kind) {
    case TreeItemKind::Group: return index(item.group, 0);
    case TreeItemKind::Class: return index(item.classNo, 0, index(item.group, 0));
    case TreeItemKind::Object: {
      const int row = model_.RowOfObject(item.group, item.classNo, item.object);
      return row < 0 ? QModelIndex() : index(row, 0, IndexOf({TreeItemKind::Class, item.group, item.classNo, 0}));
    }
    case TreeItemKind::None: break;
  }
  return {};
}

void ClassTreeModel::BeginObjectItemsChange(std::uint16_t g, std::uint16_t c, int first, int oldCount,
                                            int newCount) {
  const QModelIndex classIndex = createIndex(c, 0, kClassTag | g);
  pending_ = Pending::None;
  if (newCount > oldCount) {
    beginInsertRows(classIndex, first, first + newCount - oldCount - 1);
    pending_ = Pending::Insert;
  } else if (newCount < oldCount) {
    beginRemoveRows(classIndex, first, first + oldCount - newCount - 1);
    pending_ = Pending::Remove;
  }
}

void ClassTreeModel::EndObjectItemsChange(std::uint16_t g, std::uint16_t c, int newCount) {
  if (pending_ == Pending::Insert) endInsertRows();
  if (pending_ == Pending::Remove) endRemoveRows();
  pending_ = Pending::None;
  // Renumbered objects show new texts, so every item of the class may have changed.
  if (newCount > 0) {
    const QModelIndex classIndex = createIndex(c, 0, kClassTag | g);
    emit dataChanged(index(0, 0, classIndex), index(newCount - 1, 0, classIndex), {Qt::DisplayRole, kKeyRole});
  }
}

}  // namespace verdanto
