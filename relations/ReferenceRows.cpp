#include "relations/ReferenceRows.h"

#include <algorithm>

#include "base/Text.h"
#include "relations/RelationsTree.h"

namespace verdanto {

std::vector<ReferenceRow> ReferenceRows(const Dictionary& store, std::uint32_t refName, ReferenceSide side) {
  const RefName& record = store.GetRefName(refName);
  const auto& refs = side == ReferenceSide::ObjectList ? record.users : record.definers;
  std::vector<ReferenceRow> rows;
  rows.reserve(refs.size());
  for (std::size_t i = 0; i < refs.size(); ++i) {
    const FieldRef& at = refs[i];
    rows.push_back({std::to_string(i + 1), store.GetGroup(at.group).name.str(),
                    store.GetClass(at.group, at.classNo).name.str(),
                    FieldCaption(store.GetField(at.group, at.classNo, at.field))});
  }
  return rows;
}

std::optional<std::uint32_t> FindRefName(const Dictionary& store, std::string_view name) {
  // The index is sorted without regard to case, with no two names equal so.
  std::uint32_t low = 0, high = store.RefNameCount();
  while (low < high) {
    const std::uint32_t mid = low + (high - low) / 2;
    const int order = CompareNoCase(store.GetRefName(mid).name, name);
    if (order == 0) return mid;
    if (order < 0)
      low = mid + 1;
    else
      high = mid;
  }
  return std::nullopt;
}

}  // namespace verdanto
