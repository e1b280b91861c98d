#pragma once
// Saving layers as the save manager and the command-line tool do it: writing a
// file, and what the user is told and asked when it cannot be written.

#include <span>
#include <string>

#include "layers/LayerList.h"
#include "store/Dictionary.h"
#include "base/Platform.h"

namespace verdanto {

enum class SaveOutcome {
  Saved,  // written; the layer's modified mark is cleared
  GoOn,   // not written, and the user chose to go on with the following layers
  Stop,   // not written, and the user chose to stop
};

// Writes layer `index` to its own outputPath. The progress range is the layer's
// object count and the position the number of objects written so far. On failure
// asks "Unable to save %s file.\r\nProceed with following layers?" (caption
// "Writing Error"); the layer keeps its modified mark.
SaveOutcome SaveLayerFile(const Dictionary& store, LayerList& layers, int index, bool insertComments,
                          Prompter& prompter, ProgressSink& progress);

// Writes the objects of every layer in `checked` (layer indexes) together to
// `path`; no modified mark changes. On failure shows "Unable to save %s file."
// and returns false.
bool SaveAllTogether(const Dictionary& store, const LayerList& layers, std::span<const int> checked,
                     const std::string& path, bool insertComments, Prompter& prompter, ProgressSink& progress);

}  // namespace verdanto
