#pragma once
// The layers: named sets of objects, each with its own output file. Every object
// of the store carries the id of its layer; layer "0" has id 1, id 0 marks objects
// that a reader has just added and that are handed to a layer at once.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace verdanto {

enum class ChangeKind { CurrentChanged = 0, OnOffToggled = 1 };
enum class LayerFilter { OnlyCurrent = 0, OnlyOn = 1 };

struct Layer {
  std::string name;  // 8-bit (UTF-8) text, unique without regard to case
  std::uint16_t id = 0;
  bool on = true;
  std::string outputPath;
  bool modified = false;
  std::uint32_t objectCount = 0;
};

class LayerList {
 public:
  std::vector<Layer> layers;  // ascending by name without regard to case
  std::int32_t current = -1;
  std::int32_t lastChanged = -1;
  ChangeKind changeKind = ChangeKind::CurrentChanged;

  int AddLayer(std::string_view name, std::string_view outputPath);
  int FindLayerByName(std::string_view name) const;
  int LayerIdOfItem(int index) const;
  int ItemOfLayerId(std::uint16_t id) const;
  bool IsLayerOn(int index) const { return layers[static_cast<std::size_t>(index)].on; }
  void SetLayerOn(int index, bool on) { layers[static_cast<std::size_t>(index)].on = on; }
  int CurrentLayer() const { return current; }
  void SetCurrentLayer(int index) { current = index; }
  int Count() const { return static_cast<int>(layers.size()); }
};

}  // namespace verdanto
