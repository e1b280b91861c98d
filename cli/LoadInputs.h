#pragma once
// What the commands that read input files share: their options, and loading the
// dictionary and the inputs the way the editor's "Open in file&name layer..."
// does: layer "0" first, then each file into the layer named after its base
// name, created when missing.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "layers/LayerList.h"
#include "store/Dictionary.h"
#include "base/Platform.h"

namespace verdanto::cli {

struct InputOptions {
  std::string dictionary;           // --idd DICT
  std::vector<std::string> inputs;  // IN...
  std::string output;               // -o OUT
  bool comments = true;             // cleared by --no-comments
};

// Parses "--idd DICT IN...", and with `withOutput` also "-o OUT" (required) and
// "--no-comments", in any order. False, with a line on stderr, on bad usage.
bool ParseInputOptions(const Args& args, bool withOutput, InputOptions& options);

struct LoadedInput {
  std::string path;
  bool read = false;          // opened and read; its faults may still have dropped objects
  std::uint16_t layerId = 0;  // the layer its objects went to; 0 when not read
};

struct LoadedInputs {
  std::vector<LoadedInput> inputs;  // in the order given
  int messages = 0;                 // messages shown while reading inputs: some object was not loaded
  double readMilliseconds = 0;      // time spent reading the inputs, the dictionary not included
};

// Called before each input is read, with its position in options.inputs.
using BeforeInput = std::function<void(std::size_t input)>;

// Loads the dictionary, then every input. False, with nothing read, when the
// dictionary cannot be loaded. Messages go through the prompter.
bool LoadDictionaryAndInputs(const InputOptions& options, Dictionary& store, LayerList& layers, Prompter& prompter,
                             LoadedInputs& loaded, const BeforeInput& beforeInput = {});

}  // namespace verdanto::cli
