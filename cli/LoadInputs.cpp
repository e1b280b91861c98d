#include "cli/LoadInputs.h"

#include <chrono>
#include <cstdio>

#include "layers/OpenFiles.h"
#include "store/IddReader.h"
#include "store/IdfReader.h"

namespace verdanto::cli {
namespace {

// Counts the messages passed on, to tell whether any object was left out. The
// reader's one question, whether to go on reporting faults, is answered Yes
// without being shown: the tool prints every fault.
class CountingPrompter final : public Prompter {
 public:
  explicit CountingPrompter(Prompter& inner) : inner_(inner) {}
  int count = 0;
  Answer Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) override {
    if (caption == kIdfErrorCaption && buttons == Buttons::YesNo) return Answer::Yes;
    ++count;
    return inner_.Show(text, caption, icon, buttons);
  }

 private:
  Prompter& inner_;
};

}  // namespace

bool ParseInputOptions(const Args& args, bool withOutput, InputOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--idd" && hasValue) {
      options.dictionary = args[++i];
    } else if (withOutput && arg == "-o" && hasValue) {
      options.output = args[++i];
    } else if (withOutput && arg == "--no-comments") {
      options.comments = false;
    } else if (!arg.empty() && arg[0] == '-') {
      std::fprintf(stderr, "verdanto: unknown or incomplete option %s\n", arg.c_str());
      return false;
    } else {
      options.inputs.push_back(arg);
    }
  }
  if (options.dictionary.empty() || options.inputs.empty() || (withOutput && options.output.empty())) {
    std::fprintf(stderr, "verdanto: %s\n",
                 withOutput ? "--idd DICT, -o OUT and at least one input are needed"
                            : "--idd DICT and at least one input are needed");
    return false;
  }
  return true;
}

bool LoadDictionaryAndInputs(const InputOptions& options, Dictionary& store, LayerList& layers, Prompter& prompter,
                             LoadedInputs& loaded, const BeforeInput& beforeInput) {
  NullProgress progress;
  if (!LoadDictionary(options.dictionary, store, progress, prompter)) return false;
  if (layers.Count() == 0) layers.AddLayer("0", "");

  CountingPrompter counting(prompter);
  ObjectTreeObserver noTree;
  const auto start = std::chrono::steady_clock::now();
  for (const std::string& path : options.inputs) {
    if (beforeInput) beforeInput(loaded.inputs.size());
    LoadedInput& input = loaded.inputs.emplace_back();
    input.path = path;
    if (!LoadInputFile(path, store, progress, counting)) continue;
    const OpenTarget target = BeginOpen(layers, OpenMode::FilenameLayer, path);
    FinishOpen(store, layers, target, noTree);
    input.read = true;
    input.layerId = target.layerId;
  }
  loaded.readMilliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  loaded.messages = counting.count;
  return true;
}

}  // namespace verdanto::cli
