#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/LoadInputs.h"
#include "cli/ObjectArgs.h"
#include "cli/StderrPrompter.h"
#include "cli/TakeOption.h"
#include "relations/RelationsTree.h"

namespace verdanto::cli {
// Reads the inputs as the open command does (each its own layer, all on, the
// last one current) and prints the relations tree of one object, opened down to
// --depth object levels, one node a line as the window shows it. Exit status:
// 0, or 2 on bad usage, an unreadable dictionary or input, an unknown class or
// object number.
int RunRelations(const Args& arguments) {
  Args args = arguments;
  std::string className, objectText, depthText = "3", layersText = "current";
  if (!TakeOption(args, "--class", className) || !TakeOption(args, "--object", objectText) ||
      !TakeOption(args, "--depth", depthText) || !TakeOption(args, "--layers", layersText)) {
    std::fprintf(stderr, "verdanto relations: an option lacks its value\n");
    return 2;
  }
  RelationsOptions options;
  if (TakeSwitch(args, "--ascending")) options.flow = Flow::Ascending;
  options.insertPotential = TakeSwitch(args, "--potential");
  long depth = 0;
  if (className.empty() || !ReadCount(depthText, 0, depth) || (layersText != "current" && layersText != "on")) {
    std::fprintf(stderr, "verdanto relations: --class C is needed, --depth takes a number, --layers on or current\n");
    return 2;
  }
  options.layers = layersText == "on" ? LayerFilter::OnlyOn : LayerFilter::OnlyCurrent;
  InputOptions inputs;
  if (!ParseInputOptions(args, false, inputs)) return 2;

  Dictionary store;
  LayerList layers;
  StderrPrompter prompter;
  LoadedInputs loaded;
  if (!LoadDictionaryAndInputs(inputs, store, layers, prompter, loaded)) return 2;
  if (!MakeCurrentLastInput(loaded, layers)) return 2;
  RelationRoot root;
  if (!FindObjectClass(store, className, root.group, root.classNo, "relations")) return 2;
  if (!objectText.empty()) {
    if (!ReadObjectNumber(store, root.group, root.classNo, objectText, root.object, "relations")) return 2;
    root.hasObject = 1;
  }

  RelationsTree tree(store, layers, root, options);
  tree.BuildRoot();
  OpenObjectLevels(tree, static_cast<int>(depth));
  const std::string out = tree.Dump();
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

}  // namespace verdanto::cli
