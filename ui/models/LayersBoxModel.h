#pragma once
// The layers box: a drop-down list whose entry i is layer i of the LayerList. Each
// entry shows a current-layer mark and an on/off lamp before the name; clicks on
// those images switch the layer on or off or make it current without a pick.
// The box keeps no layer data of its own.

#include <string_view>

#include "layers/LayerList.h"

namespace verdanto {

// Positions in the shared image strip (ui/resources/layer_images.png).
enum LayerImage : int { kLampOnImage = 0, kLampOffImage = 1, kCurrentImage = 2, kNotCurrentImage = 3 };

inline constexpr int kLayerImageWidth = 13;
inline constexpr int kLayerImageHeight = 16;
inline constexpr int kLayerNameLeft = 30;  // where an entry's name starts

struct LayersBoxEntry {
  std::string_view name;
  int currentImage = kNotCurrentImage;
  int lampImage = kLampOnImage;
};

class LayersBoxModel {
 public:
  explicit LayersBoxModel(LayerList& layers) : layers_(layers) {}

  int EntryCount() const { return layers_.Count(); }
  LayersBoxEntry Entry(int index) const;
  int ShownIndex() const { return layers_.shown; }  // the entry the closed box shows

  // A press at x pixels from the closed box's left edge. True when it acted on the
  // shown layer's images; false when the list should open as usual.
  bool ClickClosedBox(int x);
  // A press at x pixels from the left edge of entry `index` of the open list. True
  // when it acted on the entry's images (the list stays open); false for the name
  // part, which the list treats as a pick.
  bool ClickListEntry(int index, int x);
  // A plain pick of entry `index`: the box shows it and the main window is told
  // with lastChanged -1.
  void Pick(int index);

 private:
  void ClickImages(int index, int x);
  void ApplyCurrentMarkRule(int index);

  LayerList& layers_;
};

}  // namespace verdanto
