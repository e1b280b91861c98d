#include "layers/LayerOps.h"

#include <algorithm>
#include <string>

#include "store/Dictionary.h"
#include "base/Platform.h"

namespace verdanto {

namespace {

// Ids of the valid selected layers in ascending index order, without repeats.
// Ids, not indexes, because removing a layer moves the later ones.
std::vector<std::uint16_t> SelectedIds(const LayerList& layers, std::span<const int> selectedIndexes) {
  std::vector<int> indexes(selectedIndexes.begin(), selectedIndexes.end());
  std::erase_if(indexes, [&](int i) { return !layers.IsValid(i); });
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  std::vector<std::uint16_t> ids;
  for (const int i : indexes) ids.push_back(layers.At(i).id);
  return ids;
}

// Tells the tree about the objects of one layer, removes them from the store
// and tells the tree how the remaining ones were renumbered.
void DeleteObjectsOfLayer(Dictionary& store, Layer& layer, ObjectTreeObserver& tree) {
  struct Renumber {
    std::uint16_t g, c, oldIndex, newIndex;
  };
  std::vector<Renumber> renumbers;
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (std::uint16_t c = 0; c < store.ClassCount(g); ++c) {
      const auto& objectLayers = store.GetClass(g, c).objectLayers;
      std::uint16_t removed = 0;
      for (std::size_t o = 0; o < objectLayers.size(); ++o) {
        const auto index = static_cast<std::uint16_t>(o);
        if (objectLayers[o] == layer.id) {
          tree.ObjectRemoved(g, c, index);
          if (layer.objectCount > 0) --layer.objectCount;
          ++removed;
        } else if (removed > 0) {
          renumbers.push_back({g, c, index, static_cast<std::uint16_t>(index - removed)});
        }
      }
    }
  store.DeleteLayerObjects(layer.id);
  for (const Renumber& r : renumbers) tree.ObjectRenumbered(r.g, r.c, r.oldIndex, r.newIndex);
}

}  // namespace

DeleteLayersResult DeleteLayers(Dictionary& store, LayerList& layers, std::span<const int> selectedIndexes,
                                Prompter& prompter, ObjectTreeObserver& tree) {
  DeleteLayersResult result;
  std::string cannotDelete;
  std::string withObjects;
  std::vector<std::uint16_t> idsWithObjects;
  const int currentId = layers.LayerIdOfItem(layers.CurrentLayer());

  for (const std::uint16_t id : SelectedIds(layers, selectedIndexes)) {
    const int index = layers.ItemOfLayerId(id);
    const Layer& layer = layers.At(index);
    if (id == kLayerZeroId) {
      cannotDelete += "\r\n" + layer.name + " (layer 0)";
    } else if (id == currentId) {
      cannotDelete += "\r\n" + layer.name + " (current layer)";
    } else if (layer.objectCount != 0) {
      withObjects += "\r\n" + layer.name + " (*)";
      idsWithObjects.push_back(id);
    } else if (layers.RemoveLayer(index) >= 0) {
      result.removedRows.push_back(index);
    }
  }
  if (cannotDelete.empty() && withObjects.empty()) return result;

  const std::string cannotText =
      cannotDelete.empty() ? std::string() : "The following layers cannot be deleted:" + cannotDelete;
  if (withObjects.empty()) {
    prompter.Show(cannotText, kDeleteLayersCaption, Icon::Warning, Buttons::Ok);
    return result;
  }
  const std::string question = (cannotText.empty() ? std::string() : cannotText + "\r\n\r\n") +
                               "The following layers contain objects:" + withObjects +
                               "\r\n\r\nDo you want to empty and delete (*) layers?";
  if (prompter.Show(question, kDeleteLayersCaption, Icon::Warning, Buttons::YesNoDefaultNo) != Answer::Yes) {
    return result;
  }

  tree.BeginTreeChange(TreeChange::Delete);
  for (const std::uint16_t id : idsWithObjects) {
    const int index = layers.ItemOfLayerId(id);
    DeleteObjectsOfLayer(store, layers.At(index), tree);
    if (layers.RemoveLayer(index) >= 0) result.removedRows.push_back(index);
  }
  result.objectsDeleted = true;
  tree.EndTreeChange(TreeChange::Delete);
  return result;
}

bool MergeLayers(Dictionary& store, LayerList& layers, std::span<const int> selectedIndexes, MergeTarget target,
                 ObjectTreeObserver& tree) {
  std::vector<std::uint16_t> sourceIds = SelectedIds(layers, selectedIndexes);
  if (sourceIds.size() < 2) return false;
  const auto targetPos = target == MergeTarget::First ? sourceIds.begin() : sourceIds.end() - 1;
  const std::uint16_t targetId = *targetPos;
  sourceIds.erase(targetPos);
  Layer& targetLayer = layers.At(layers.ItemOfLayerId(targetId));

  // Per id: 0 not a source, 1 a source that is off, 2 a source that is on.
  std::vector<std::uint8_t> source(0x10000, 0);
  std::uint32_t total = 0;
  for (const std::uint16_t id : sourceIds) {
    Layer& layer = layers.At(layers.ItemOfLayerId(id));
    total += layer.objectCount;
    if (layer.objectCount != 0) layer.modified = true;
    layer.objectCount = 0;
    source[id] = layer.on ? 2 : 1;
  }
  if (total != 0) targetLayer.modified = true;

  tree.BeginTreeChange(TreeChange::Merge);
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (std::uint16_t c = 0; c < store.ClassCount(g); ++c) {
      auto& objectLayers = store.GetClass(g, c).objectLayers;
      for (std::size_t o = 0; o < objectLayers.size(); ++o) {
        const std::uint8_t from = source[objectLayers[o]];
        if (from == 0) continue;
        objectLayers[o] = targetId;
        const auto index = static_cast<std::uint16_t>(o);
        const bool wasOn = from == 2;
        if (wasOn == targetLayer.on)
          tree.ObjectLayerChanged(g, c, index, targetId);
        else if (wasOn)
          tree.ObjectHidden(g, c, index);
        else
          tree.ObjectShown(g, c, index, targetId);
      }
    }
  targetLayer.objectCount += total;
  tree.EndTreeChange(TreeChange::Merge);
  return true;
}

bool MoveObjectToLayer(Dictionary& store, LayerList& layers, std::uint16_t g, std::uint16_t c, std::uint16_t o,
                       int targetIndex) {
  if (!layers.IsValid(targetIndex)) return false;
  std::uint16_t& layerId = store.GetClass(g, c).objectLayers[o];
  Layer& to = layers.At(targetIndex);
  if (layerId == to.id) return false;
  const int fromIndex = layers.ItemOfLayerId(layerId);
  layerId = to.id;
  ++to.objectCount;
  to.modified = true;
  if (fromIndex >= 0) {
    Layer& from = layers.At(fromIndex);
    if (from.objectCount > 0) --from.objectCount;
    from.modified = true;
  }
  return true;
}

}  // namespace verdanto
