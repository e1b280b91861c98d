#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Text.h"
#include "checks/NewNameCheck.h"
#include "cli/Commands.h"
#include "cli/LoadInputs.h"
#include "cli/ObjectArgs.h"
#include "cli/StderrPrompter.h"
#include "cli/TakeOption.h"
#include "output/SaveLayers.h"
#include "relations/RenameReferences.h"

namespace verdanto::cli {
namespace {

bool FindFieldById(const DictClass& cls, const std::string& id, std::uint16_t& f) {
  for (f = 0; f < cls.fieldCount(); ++f)
    if (EqualsNoCase(cls.fields[f].name, id)) return true;
  return false;
}

// Where each input goes: OUT itself for one input, OUT/<file name> for several.
std::vector<std::string> OutputPaths(const InputOptions& options) {
  if (options.inputs.size() == 1) return {options.output};
  std::vector<std::string> paths;
  for (const std::string& input : options.inputs)
    paths.push_back((std::filesystem::path(options.output) / std::filesystem::path(input).filename()).string());
  return paths;
}

}  // namespace

// Renames the value of a reference field and every object-list value that names
// it, prints each changed field and writes every input anew. Exit status: 0; 1
// when an output could not be written; 2 on bad usage, an unreadable input, an
// unknown class, object or field, a field that fills no list, or a refused name.
int RunRename(const Args& arguments) {
  Args args = arguments;
  std::string className, objectText, fieldId, newName;
  bool given = TakeOption(args, "--class", className) && TakeOption(args, "--object", objectText) &&
               TakeOption(args, "--field", fieldId) && TakeOption(args, "--to", newName);
  if (!given || className.empty() || objectText.empty() || fieldId.empty()) {
    std::fprintf(stderr, "verdanto rename: --class C, --object N, --field F and --to NEW are needed\n");
    return 2;
  }
  InputOptions options;
  if (!ParseInputOptions(args, true, options)) return 2;

  Dictionary store;
  LayerList layers;
  StderrPrompter prompter;
  LoadedInputs loaded;
  if (!LoadDictionaryAndInputs(options, store, layers, prompter, loaded)) return 2;
  for (const LoadedInput& input : loaded.inputs)
    if (!input.read) return 2;
  ObjectField source;
  if (!FindObjectClass(store, className, source.group, source.classNo, "rename") ||
      !ReadObjectNumber(store, source.group, source.classNo, objectText, source.object, "rename"))
    return 2;
  const DictClass& cls = store.GetClass(source.group, source.classNo);
  if (!FindFieldById(cls, fieldId, source.field)) {
    std::fprintf(stderr, "verdanto rename: %s has no field %s\n", cls.name.str().c_str(), fieldId.c_str());
    return 2;
  }
  if (!IsReferenceField(store, source.group, source.classNo, source.field)) {
    std::fprintf(stderr, "verdanto rename: %s %s fills no list: nothing names it\n", cls.name.str().c_str(),
                 fieldId.c_str());
    return 2;
  }
  const RenameCheck check = CheckNewName(store, source, newName);
  if (!check.Ok()) {
    std::fprintf(stderr, "verdanto rename: %s\n", OneLine(check.message).c_str());
    return 2;
  }

  const std::vector<ObjectField> naming = FindNamingFields(store, source);
  std::vector<std::string> lines{NamingFieldText(store, layers, source)};
  for (const ObjectField& at : naming) lines.push_back(NamingFieldText(store, layers, at));
  ApplyRename(store, layers, source, naming, newName);
  std::string out;
  for (const std::string& line : lines) out.append(line).append(" = \"").append(newName).append("\"\n");
  std::fwrite(out.data(), 1, out.size(), stdout);

  if (loaded.inputs.size() > 1) std::filesystem::create_directories(options.output);
  const std::vector<std::string> paths = OutputPaths(options);
  NullProgress progress;
  int status = 0;
  for (std::size_t i = 0; i < loaded.inputs.size(); ++i) {
    const int layer = layers.ItemOfLayerId(loaded.inputs[i].layerId);
    if (!SaveAllTogether(store, layers, std::span(&layer, 1), paths[i], options.comments, prompter, progress))
      status = 1;
  }
  return status;
}

}  // namespace verdanto::cli
