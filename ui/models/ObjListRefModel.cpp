#include "ui/models/ObjListRefModel.h"

namespace verdanto {

ObjListRefColumns ObjListRefColumnWidths(int clientWidth) {
  const int tenth = clientWidth / 10;
  return {clientWidth - 9 * tenth - 17, 3 * tenth, 3 * tenth, 3 * tenth};
}

ObjListRefModel::ObjListRefModel(const Dictionary& store) : store_(store) {
  names.reserve(store.RefNameCount());
  for (std::uint32_t i = 0; i < store.RefNameCount(); ++i) names.push_back(store.GetRefName(i).name);
  if (!names.empty()) selectedName = 0;
  Refill();
}

void ObjListRefModel::SelectName(int index) {
  selectedName = index >= 0 && static_cast<std::size_t>(index) < names.size() ? index : -1;
  Refill();
}

void ObjListRefModel::SetSide(ReferenceSide shown) {
  side = shown;
  Refill();
}

void ObjListRefModel::Refill() {
  // Without a chosen name the rows stay as they were.
  if (selectedName < 0) return;
  rows = ReferenceRows(store_, static_cast<std::uint32_t>(selectedName), side);
}

}  // namespace verdanto
