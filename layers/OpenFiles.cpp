#include "layers/OpenFiles.h"

#include "store/Dictionary.h"

namespace verdanto {

std::string BaseName(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  // A name that is all extension (".idf") or has none stays whole.
  return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

OpenTarget BeginOpen(LayerList& layers, OpenMode mode, std::string_view path) {
  OpenTarget target;
  int index = layers.CurrentLayer();
  if (mode == OpenMode::FilenameLayer) {
    const std::string name = BaseName(path);
    index = layers.FindLayerByName(name);
    if (index < 0) {
      index = layers.AddLayer(name, path);
      target.created = index >= 0;
    }
  }
  if (!layers.IsValid(index)) return target;
  Layer& layer = layers.At(index);
  target.layerId = layer.id;
  if (!target.created) {
    layer.outputPath = path;
    target.countBefore = layer.objectCount;
  }
  return target;
}

std::uint32_t HandReadObjectsToLayer(Dictionary& store, LayerList& layers, int layerIndex, ObjectTreeObserver& tree) {
  if (!layers.IsValid(layerIndex)) return 0;
  Layer& layer = layers.At(layerIndex);
  std::uint32_t handed = 0;
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (std::uint16_t c = 0; c < store.ClassCount(g); ++c) {
      auto& objectLayers = store.GetClass(g, c).objectLayers;
      for (std::size_t o = 0; o < objectLayers.size(); ++o) {
        if (objectLayers[o] != kReadObjectsLayerId) continue;
        objectLayers[o] = layer.id;
        ++handed;
        if (layer.on) tree.ObjectShown(g, c, static_cast<std::uint16_t>(o), layer.id);
      }
    }
  layer.objectCount += handed;
  return handed;
}

void FinishOpen(Dictionary& store, LayerList& layers, const OpenTarget& target, ObjectTreeObserver& tree) {
  const int index = target.layerId == 0 ? -1 : layers.ItemOfLayerId(target.layerId);
  if (index < 0) {
    // No layer takes them: left behind, they would go to the next file's layer.
    store.DeleteLayerObjects(kReadObjectsLayerId);
    return;
  }
  HandReadObjectsToLayer(store, layers, index, tree);
  Layer& layer = layers.At(index);
  if (!target.created && layer.objectCount != target.countBefore) layer.modified = true;
}

}  // namespace verdanto
