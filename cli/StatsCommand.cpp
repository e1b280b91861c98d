#include <cstdint>
#include <cstdio>

#include "cli/Commands.h"
#include "cli/ProcessStore.h"
#include "cli/LoadInputs.h"
#include "cli/StderrPrompter.h"

namespace verdanto::cli {

// Reads the inputs and prints the objects per class in dictionary order, then
// the number of layers (layer "0" included), of objects and the reading time.
// Exit status: 0, or 2 when some object was not loaded, 1 when nothing was read.
int RunStats(const Args& args) {
  InputOptions options;
  if (!ParseInputOptions(args, false, options)) return 2;
  Dictionary& store = ProcessStore();
  LayerList layers;
  StderrPrompter prompter;
  LoadedInputs loaded;
  if (!LoadDictionaryAndInputs(options, store, layers, prompter, loaded)) return 1;

  std::uint64_t objects = 0;
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (const DictClass& cls : store.GetGroup(g).classes) {
      if (cls.objectLayers.empty()) continue;
      objects += cls.objectLayers.size();
      std::printf("%zu\t%s\n", cls.objectLayers.size(), cls.name.str().c_str());
    }
  std::printf("layers: %d\n", layers.Count());
  std::printf("objects: %llu\n", static_cast<unsigned long long>(objects));
  std::printf("read: %.1f ms\n", loaded.readMilliseconds);
  return loaded.messages == 0 ? 0 : 2;
}

}  // namespace verdanto::cli
