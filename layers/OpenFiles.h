#pragma once
// The layer side of opening input files: which layer receives a file's objects,
// and handing the objects the reader left in layer id 0 to it. Per file:
//   if (!LoadInputFile(path, store, progress)) continue;
//   const OpenTarget target = BeginOpen(layers, mode, path);
//   FinishOpen(store, layers, target, tree);

#include <cstdint>
#include <string>
#include <string_view>

#include "layers/LayerList.h"
#include "layers/LayerOps.h"

namespace verdanto {

class Dictionary;

enum class OpenMode { FilenameLayer, CurrentLayer };

struct OpenTarget {
  std::uint16_t layerId = 0;  // 0: there is no target (empty layer list)
  bool created = false;       // made for this file: stays unmodified
  std::uint32_t countBefore = 0;
};

// The file name after the last '/' or '\', without its last extension; the whole
// name when it has no '.' or its only '.' is its first character.
std::string BaseName(std::string_view path);

// Chooses the target: the current layer, or the layer named like the file's base
// name, created now (with the path as outputPath) when there is none. An existing
// target takes the path as its outputPath and has its count remembered.
OpenTarget BeginOpen(LayerList& layers, OpenMode mode, std::string_view path);

// Every object with layer id 0, class by class in store order, gets the id of the
// layer at layerIndex and is counted into it; when that layer is on, the tree is
// told to show it. Returns how many objects were handed over.
std::uint32_t HandReadObjectsToLayer(Dictionary& store, LayerList& layers, int layerIndex, ObjectTreeObserver& tree);

// Hands the read objects to the target and marks an existing target modified when
// its count changed; a layer created by BeginOpen stays unmodified. Without a
// target (no free layer id) the read objects are removed.
void FinishOpen(Dictionary& store, LayerList& layers, const OpenTarget& target, ObjectTreeObserver& tree);

}  // namespace verdanto
