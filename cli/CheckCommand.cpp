#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/LoadInputs.h"
#include "cli/StderrPrompter.h"
#include "checks/StoreCheck.h"

namespace verdanto::cli {
namespace {

// Objects are appended as they are read, so the objects of one input are, in
// each class, those between the class's counts before and after reading it.
using ClassCounts = std::vector<std::uint16_t>;  // objectCount of every class, in store order

ClassCounts CountObjects(const Dictionary& store) {
  ClassCounts counts;
  counts.reserve(store.TotalClassCount());
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (const DictClass& cls : store.GetGroup(g).classes) counts.push_back(cls.objectCount());
  return counts;
}

// Lines go out in large writes: a big input can have many findings.
class Output {
 public:
  ~Output() { Flush(); }
  std::string& Line() { return text_; }
  void EndLine() {
    text_ += '\n';
    if (text_.size() > (1u << 20)) Flush();
  }
  void Flush() {
    std::fwrite(text_.data(), 1, text_.size(), stdout);
    text_.clear();
  }

 private:
  std::string text_;
};

}  // namespace

// Reads the inputs as "stats" does and prints one line per doubtful value (see
// StoreCheck), file by file in argument order, then class, object and field in
// store order, and "findings: <n>" at the end. Exit status: 1 when
// there is a finding, else 0; 2 when the check could not be made (usage, the
// dictionary, an input that could not be read).
int RunCheck(const Args& args) {
  InputOptions options;
  if (!ParseInputOptions(args, false, options)) return 2;
  Dictionary store;
  LayerList layers;
  StderrPrompter prompter;
  LoadedInputs loaded;
  std::vector<ClassCounts> before;  // per input, and once more after the last
  const auto countBefore = [&](std::size_t) { before.push_back(CountObjects(store)); };
  if (!LoadDictionaryAndInputs(options, store, layers, prompter, loaded, countBefore)) return 2;
  before.push_back(CountObjects(store));
  if (before.size() != loaded.inputs.size() + 1) {
    std::fprintf(stderr, "verdanto check: the inputs were not read one by one\n");
    return 2;
  }

  StoreCheck check(store);
  Output out;
  std::uint64_t findings = 0;
  bool allRead = true;
  for (std::size_t i = 0; i < loaded.inputs.size(); ++i) {
    const LoadedInput& input = loaded.inputs[i];
    allRead = allRead && input.read;
    std::size_t k = 0;  // class position in store order
    for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
      for (std::uint16_t c = 0; c < store.ClassCount(g); ++c, ++k) {
        const std::uint16_t first = before[i][k];
        const std::uint16_t end = before[i + 1][k];
        if (first == end) continue;
        findings += check.CheckObjects(g, c, first, end, [&](std::uint16_t o, std::uint16_t f, std::string_view text) {
          AppendFindingLine(out.Line(), input.path, store, g, c, o, first, f, text);
          out.EndLine();
        });
      }
  }
  out.Line().append("findings: ").append(std::to_string(findings));
  out.EndLine();
  if (!allRead) return 2;
  return findings > 0 ? 1 : 0;
}

}  // namespace verdanto::cli
