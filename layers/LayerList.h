#pragma once
// The layers: named sets of objects, each with its own output file. Every object
// of the store carries the id of its layer; layer "0" has id 1, id 0 marks objects
// that a reader has just added and that are handed to a layer at once.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace verdanto {

class Prompter;

enum class ChangeKind { CurrentChanged = 0, OnOffToggled = 1 };
enum class LayerFilter { OnlyCurrent = 0, OnlyOn = 1 };

inline constexpr std::uint16_t kReadObjectsLayerId = 0;  // objects a reader has just added
inline constexpr std::uint16_t kLayerZeroId = 1;         // layer "0", never renamed or removed

struct Layer {
  std::string name;  // 8-bit (UTF-8) text, unique without regard to case
  std::uint16_t id = 0;
  bool on = true;
  std::string outputPath;  // empty: none chosen yet
  bool modified = false;   // objects changed since the layer was last written on its own
  std::uint32_t objectCount = 0;
};

enum class RenameResult { Renamed, LayerZeroCannotBeRenamed, NameNotUnique, NameBlank, NoSuchLayer };
struct RenameOutcome {
  RenameResult result = RenameResult::NoSuchLayer;
  int index = -1;  // the layer's new index when Renamed, else its unchanged index
};

// Implemented by the main window: a view changed `on` or the current layer of
// layer `lastChanged` (what: `changeKind`). It resets lastChanged with ChangeHandled().
class LayerListListener {
 public:
  virtual ~LayerListListener() = default;
  virtual void LayerSelectionChanged() = 0;
};

class LayerList {
 public:
  std::vector<Layer> layers;  // ascending by name without regard to case
  std::int32_t current = -1;
  std::int32_t lastChanged = -1;
  ChangeKind changeKind = ChangeKind::CurrentChanged;
  std::int32_t shown = -1;                // index of the layer the layers box shows
  LayerListListener* listener = nullptr;  // told by NotifyChange; may be null

  // Next free id (1 when empty, else lowest free from 2), on, sorted in; keeps
  // `current` and `shown` naming their layers. Returns the new index, -1 when
  // every id is taken. Does not check that the name is unique.
  int AddLayer(std::string_view name, std::string_view outputPath);
  // Refuses (-1) an invalid index and layer 0; otherwise removes it, moves `shown`
  // to the layer taking its index (or the first) and keeps `current`. Returns its id.
  int RemoveLayer(int index);
  int FindLayerByName(std::string_view name) const;  // whole name, case ignored; -1 when none
  int LayerIdOfItem(int index) const;                // -1 when index is out of range
  int ItemOfLayerId(std::uint16_t id) const;         // -1 when no layer has the id
  bool IsLayerOn(int index) const { return IsValid(index) && At(index).on; }
  void SetLayerOn(int index, bool on) {
    if (IsValid(index)) At(index).on = on;
  }
  int CurrentLayer() const { return current; }
  void SetCurrentLayer(int index) { current = index; }  // stores the index, nothing else
  // Layer 0 and names already in the list (the layer's own included) are refused
  // with a warning through the prompter (caption "Change Layer Name"). Renaming the
  // current layer keeps it current and notifies with CurrentChanged.
  RenameOutcome RenameLayer(int index, std::string_view newName, Prompter& prompter);
  // "Layer %d" with the smallest %d from 1 whose name is not in the list.
  std::string NewLayerName() const;

  // A view changed layer `index` on the user's behalf: sets lastChanged and
  // changeKind and tells the listener.
  void NotifyChange(int index, ChangeKind kind);
  void ChangeHandled() { lastChanged = -1; }
  // What the layers box shows: the layer with this id / the current layer.
  void ShowLayer(std::uint16_t id);
  void ShowCurrentLayer() { shown = current; }

  int Count() const { return static_cast<int>(layers.size()); }
  bool IsValid(int index) const { return index >= 0 && index < Count(); }
  bool IsLayerZero(int index) const { return IsValid(index) && At(index).id == kLayerZeroId; }
  Layer& At(int index) { return layers[static_cast<std::size_t>(index)]; }
  const Layer& At(int index) const { return layers[static_cast<std::size_t>(index)]; }

 private:
  int SortedPosition(std::string_view name) const;
  std::uint16_t FreeId() const;  // 0 when none is left
};

}  // namespace verdanto
