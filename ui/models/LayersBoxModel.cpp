#include "ui/models/LayersBoxModel.h"

namespace verdanto {

namespace {
// Closed box: the images occupy pixels 1..27 from the box's left edge.
constexpr int kClosedImagesFirst = 1;
constexpr int kClosedImagesLast = 27;
// Open list: the images occupy the first 26 pixels of an entry.
constexpr int kListImagesWidth = 26;
// Within the image area: up to this many pixels is the current mark, beyond it the lamp.
constexpr int kMarkWidth = 13;
}  // namespace

LayersBoxEntry LayersBoxModel::Entry(int index) const {
  const Layer& layer = layers_.At(index);
  return {layer.name, index == layers_.current ? kCurrentImage : kNotCurrentImage,
          layer.on ? kLampOnImage : kLampOffImage};
}

bool LayersBoxModel::ClickClosedBox(int x) {
  if (x < kClosedImagesFirst || x > kClosedImagesLast || !layers_.IsValid(layers_.shown)) return false;
  ClickImages(layers_.shown, x - kClosedImagesFirst);
  return true;
}

bool LayersBoxModel::ClickListEntry(int index, int x) {
  if (x < 0 || x >= kListImagesWidth || !layers_.IsValid(index)) return false;
  ClickImages(index, x);
  return true;
}

void LayersBoxModel::Pick(int index) {
  if (!layers_.IsValid(index)) return;
  layers_.shown = index;
  layers_.lastChanged = -1;
  if (layers_.listener != nullptr) layers_.listener->LayerSelectionChanged();
}

void LayersBoxModel::ClickImages(int index, int x) {
  if (x > kMarkWidth) {
    layers_.SetLayerOn(index, !layers_.IsLayerOn(index));
    layers_.NotifyChange(index, ChangeKind::OnOffToggled);
  } else {
    ApplyCurrentMarkRule(index);
    layers_.NotifyChange(index, ChangeKind::CurrentChanged);
  }
}

void LayersBoxModel::ApplyCurrentMarkRule(int index) {
  if (index != layers_.current) {
    layers_.SetCurrentLayer(index);
  } else {
    layers_.SetCurrentLayer(index + 1 < layers_.Count() ? index + 1 : 0);
  }
}

}  // namespace verdanto
