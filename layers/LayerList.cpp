#include "layers/LayerList.h"

#include <algorithm>

#include "base/Platform.h"
#include "base/Text.h"

namespace verdanto {

namespace {

constexpr std::string_view kRenameCaption = "Change Layer Name";

// Keeps an index naming the same layer after the layer at `from` moved to `to`
// (from -1: inserted at `to`; to -1: removed from `from`).
void FollowMove(std::int32_t& index, int from, int to) {
  if (index < 0) return;
  if (from >= 0 && from < index) --index;
  if (to >= 0 && to <= index) ++index;
}

}  // namespace

int LayerList::SortedPosition(std::string_view name) const {
  const auto it = std::upper_bound(layers.begin(), layers.end(), name, [](std::string_view n, const Layer& layer) {
    return CompareNoCase(n, layer.name) < 0;
  });
  return static_cast<int>(it - layers.begin());
}

std::uint16_t LayerList::FreeId() const {
  if (layers.empty()) return kLayerZeroId;
  std::vector<bool> taken(0x10000, false);
  for (const Layer& layer : layers) taken[layer.id] = true;
  for (std::uint32_t id = 2; id < taken.size(); ++id)
    if (!taken[id]) return static_cast<std::uint16_t>(id);
  return 0;
}

int LayerList::AddLayer(std::string_view name, std::string_view outputPath) {
  const std::uint16_t id = FreeId();
  if (id == 0) return -1;
  const int index = SortedPosition(name);
  Layer layer;
  layer.name = name;
  layer.id = id;
  layer.outputPath = outputPath;
  layers.insert(layers.begin() + index, std::move(layer));
  if (current == -1) {
    current = index;
    shown = index;
  } else {
    FollowMove(current, -1, index);
    FollowMove(shown, -1, index);
  }
  return index;
}

int LayerList::RemoveLayer(int index) {
  if (!IsValid(index) || IsLayerZero(index)) return -1;
  const int id = At(index).id;
  const bool wasCurrent = index == current;
  layers.erase(layers.begin() + index);
  if (shown == index) {
    if (shown >= Count()) shown = Count() > 0 ? 0 : -1;
  } else {
    FollowMove(shown, index, -1);
  }
  if (wasCurrent)
    current = shown;
  else
    FollowMove(current, index, -1);
  return id;
}

int LayerList::FindLayerByName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (EqualsNoCase(At(i).name, name)) return i;
  return -1;
}

int LayerList::LayerIdOfItem(int index) const { return IsValid(index) ? At(index).id : -1; }

int LayerList::ItemOfLayerId(std::uint16_t id) const {
  for (int i = 0; i < Count(); ++i)
    if (At(i).id == id) return i;
  return -1;
}

RenameOutcome LayerList::RenameLayer(int index, std::string_view newName, Prompter& prompter) {
  if (!IsValid(index)) return {RenameResult::NoSuchLayer, index};
  if (IsLayerZero(index)) {
    prompter.Show("Layer 0 cannot be renamed", kRenameCaption, Icon::Warning, Buttons::Ok);
    return {RenameResult::LayerZeroCannotBeRenamed, index};
  }
  // A name of blanks only would show as an empty row, and its file as an empty name.
  if (newName.find_first_not_of(" \t") == std::string_view::npos) {
    prompter.Show("Invalid layer name\r\nThe layer name must not be blank", kRenameCaption, Icon::Warning,
                  Buttons::Ok);
    return {RenameResult::NameBlank, index};
  }
  if (FindLayerByName(newName) >= 0) {
    prompter.Show("Invalid layer name\r\nThe layer name must be unique", kRenameCaption, Icon::Warning, Buttons::Ok);
    return {RenameResult::NameNotUnique, index};
  }
  Layer layer = std::move(At(index));
  layer.name = newName;
  layers.erase(layers.begin() + index);
  const int newIndex = SortedPosition(layer.name);
  layers.insert(layers.begin() + newIndex, std::move(layer));

  if (shown == index)
    shown = newIndex;
  else
    FollowMove(shown, index, newIndex);
  if (current == index) {
    current = newIndex;
    NotifyChange(newIndex, ChangeKind::CurrentChanged);
  } else {
    FollowMove(current, index, newIndex);
  }
  return {RenameResult::Renamed, newIndex};
}

std::string LayerList::NewLayerName() const {
  for (std::uint32_t n = 1; n <= 0xFFFF; ++n) {
    std::string name = Format("Layer %u", n);
    if (FindLayerByName(name) < 0) return name;
  }
  return {};  // cannot happen: there are fewer layers than names
}

void LayerList::NotifyChange(int index, ChangeKind kind) {
  lastChanged = index;
  changeKind = kind;
  if (listener) listener->LayerSelectionChanged();
}

void LayerList::ShowLayer(std::uint16_t id) {
  const int index = ItemOfLayerId(id);
  if (index >= 0) shown = index;
}

}  // namespace verdanto
