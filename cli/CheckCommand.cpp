#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cli/Commands.h"
#include "cli/ProcessStore.h"
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

// Takes a flag out of the arguments; true when it was there.
bool TakeFlag(Args& args, std::string_view flag) {
  const auto end = std::remove(args.begin(), args.end(), flag);
  const bool found = end != args.end();
  args.erase(end, args.end());
  return found;
}

// "<class>, field <name> - <label>: <kind>": findings of one kind in one field.
std::string SummaryKey(const Dictionary& store, std::uint16_t g, std::uint16_t c, std::uint16_t f,
                       std::string_view finding) {
  const DictClass& cls = store.GetClass(g, c);
  const DictField& field = cls.fields[f];
  std::string key(cls.name.view());
  key.append(", field ").append(field.name.view());
  if (!field.label.empty()) key.append(" - ").append(field.label.view());
  return key.append(": ").append(FindingKind(finding));
}

void AppendSummary(const std::map<std::string, std::uint64_t>& counts, Output& out) {
  std::vector<std::pair<std::string, std::uint64_t>> kinds(counts.begin(), counts.end());
  std::stable_sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
  for (const auto& [key, count] : kinds) {
    out.Line().append(std::to_string(count)).append("\t").append(key);
    out.EndLine();
  }
}

}  // namespace

// Reads the inputs as "stats" does and prints one line per doubtful value (see
// StoreCheck), file by file in argument order, then class, object and field in
// store order, and "findings: <n>" at the end; with --summary, instead of the
// findings, "<count>\t<class>, field <name> - <label>: <kind>" for each kind of
// finding in a field, most frequent first. --strict judges by the editor's rules
// (see StoreCheck). Exit status: 1 when
// there is a finding, else 0; 2 when the check could not be made (usage, the
// dictionary, an input that could not be read).
int RunCheck(const Args& arguments) {
  Args args = arguments;
  const bool strict = TakeFlag(args, "--strict");
  const bool summary = TakeFlag(args, "--summary");
  InputOptions options;
  if (!ParseInputOptions(args, false, options)) return 2;
  Dictionary& store = ProcessStore();
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

  StoreCheck check(store, strict ? CheckRules::Strict : CheckRules::AsRead);
  Output out;
  std::map<std::string, std::uint64_t> kindCounts;
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
          if (summary) {
            ++kindCounts[SummaryKey(store, g, c, f, text)];
            return;
          }
          AppendFindingLine(out.Line(), input.path, store, g, c, o, first, f, text);
          out.EndLine();
        });
      }
  }
  AppendSummary(kindCounts, out);
  out.Line().append("findings: ").append(std::to_string(findings));
  out.EndLine();
  if (!allRead) return 2;
  return findings > 0 ? 1 : 0;
}

}  // namespace verdanto::cli
