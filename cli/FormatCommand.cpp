#include <vector>

#include "cli/Commands.h"
#include "cli/ProcessStore.h"
#include "cli/LoadInputs.h"
#include "cli/StderrPrompter.h"
#include "output/SaveLayers.h"

namespace verdanto::cli {

// Reads the inputs and writes every layer together into one file.
// Exit status: 0 when written with every object, 2 when written but some object
// was not loaded, 1 when nothing was written.
int RunFormat(const Args& args) {
  InputOptions options;
  if (!ParseInputOptions(args, true, options)) return 2;
  Dictionary& store = ProcessStore();
  LayerList layers;
  StderrPrompter prompter;
  LoadedInputs loaded;
  if (!LoadDictionaryAndInputs(options, store, layers, prompter, loaded)) return 1;

  std::vector<int> every(static_cast<std::size_t>(layers.Count()));
  for (int i = 0; i < layers.Count(); ++i) every[static_cast<std::size_t>(i)] = i;
  NullProgress progress;
  if (!SaveAllTogether(store, layers, every, options.output, options.comments, prompter, progress)) return 1;
  return loaded.messages == 0 ? 0 : 2;
}

}  // namespace verdanto::cli
