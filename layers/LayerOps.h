#pragma once
// Operations that change both the layer list and the objects of the store:
// deleting and merging layers, moving one object to another layer. They keep
// every layer's objectCount and modified mark right and tell the main window's
// class tree, through an ObjectTreeObserver, what became of each object.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "layers/LayerList.h"

namespace verdanto {

class Dictionary;
class Prompter;

enum class TreeChange { Delete, Merge };

// The class tree follows the store through these calls. The defaults do nothing,
// so a plain ObjectTreeObserver serves where there is no tree (the CLI, tests).
// Objects are (group g, class c, index o); an observer that has no item for an
// object ignores a call about it.
class ObjectTreeObserver {
 public:
  virtual ~ObjectTreeObserver() = default;
  // Around a batch: hold back redrawing (and, for Delete, selection changes);
  // at the end restore the selection as the kind requires.
  virtual void BeginTreeChange(TreeChange) {}
  virtual void EndTreeChange(TreeChange) {}
  // Delete: object o is about to leave the store; drop its item. Told for every
  // object of the layer, in ascending o, with indexes from before the removal.
  virtual void ObjectRemoved(std::uint16_t /*g*/, std::uint16_t /*c*/, std::uint16_t /*o*/) {}
  // Delete: after the removal the object once at oldIndex is at newIndex; renew
  // the item's index and label. Told per class in ascending order.
  virtual void ObjectRenumbered(std::uint16_t /*g*/, std::uint16_t /*c*/, std::uint16_t /*oldIndex*/,
                                std::uint16_t /*newIndex*/) {}
  // Merge: the object now carries newLayerId and stays shown (on to on) or hidden
  // (off to off); replace the layer id in its item, if it has one.
  virtual void ObjectLayerChanged(std::uint16_t /*g*/, std::uint16_t /*c*/, std::uint16_t /*o*/,
                                  std::uint16_t /*newLayerId*/) {}
  // Merge from an on to an off layer: remove the item; when it was the selected
  // one, the selection to restore moves to its next sibling, else its class.
  virtual void ObjectHidden(std::uint16_t /*g*/, std::uint16_t /*c*/, std::uint16_t /*o*/) {}
  // Merge from an off to an on layer, or read objects handed to an on layer: insert
  // an item for the object among its class's items at its place (after the item
  // of the previous shown object, first when none; for read objects: last).
  virtual void ObjectShown(std::uint16_t /*g*/, std::uint16_t /*c*/, std::uint16_t /*o*/, std::uint16_t /*layerId*/) {}
};

// Confirmation texts and caption of DeleteLayers.
inline constexpr std::string_view kDeleteLayersCaption = "Delete Layers";

struct DeleteLayersResult {
  // Layer rows removed, each index as it was at its removal, in removal order; a
  // list kept row-for-row with the layers stays so when it removes them in turn.
  std::vector<int> removedRows;
  bool objectsDeleted = false;  // the user said Yes and layers with objects went
};

// Removes the selected empty layers at once; refuses layer 0 and the current
// layer; asks (Yes/No, warning, "Delete Layers") before emptying and removing
// layers with objects. Invalid and repeated indexes are ignored.
DeleteLayersResult DeleteLayers(Dictionary& store, LayerList& layers, std::span<const int> selectedIndexes,
                                Prompter& prompter, ObjectTreeObserver& tree);

enum class MergeTarget { First, Last };  // merge up / merge down

// Moves every object of the selected layers other than the target (the first or
// last selected in index order) into the target. Sources stay, with 0 objects.
// Returns false, changing nothing, with fewer than two distinct valid layers.
bool MergeLayers(Dictionary& store, LayerList& layers, std::span<const int> selectedIndexes, MergeTarget target,
                 ObjectTreeObserver& tree);

// Object o of class (g, c) goes to the layer at targetIndex: counts of both layers
// follow, both get modified. Returns false, changing nothing, when the index is
// invalid or the object already lies in that layer. The caller updates its tree.
bool MoveObjectToLayer(Dictionary& store, LayerList& layers, std::uint16_t g, std::uint16_t c, std::uint16_t o,
                       int targetIndex);

}  // namespace verdanto
