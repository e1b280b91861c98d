#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/StderrPrompter.h"
#include "cli/TakeOption.h"
#include "relations/ReferenceRows.h"
#include "store/IddReader.h"

namespace verdanto::cli {

// Without NAME: every list name of the dictionary in index order with the
// number of its users and definers, then "names: <n>". With NAME: the
// browser's rows for it, the object-list side or, with --reference, the
// definers' side. Exit status: 0, or 2 on bad usage, an unreadable dictionary
// or an unknown name.
int RunRefs(const Args& arguments) {
  Args args = arguments;
  std::string dictionary;
  if (!TakeOption(args, "--idd", dictionary) || dictionary.empty()) {
    std::fprintf(stderr, "verdanto refs: --idd DICT is needed\n");
    return 2;
  }
  const bool reference = TakeSwitch(args, "--reference");
  if (args.size() > 1 || (!args.empty() && args[0].starts_with("-"))) {
    std::fprintf(stderr, "verdanto refs: unknown option or more than one name\n");
    return 2;
  }
  Dictionary store;
  StderrPrompter prompter;
  NullProgress progress;
  if (!LoadDictionary(dictionary, store, progress, prompter)) return 2;

  std::string out;
  if (args.empty()) {
    for (std::uint32_t i = 0; i < store.RefNameCount(); ++i) {
      const RefName& name = store.GetRefName(i);
      out.append(name.name).append("\t").append(std::to_string(name.users.size()));
      out.append("\t").append(std::to_string(name.definers.size())).append("\n");
    }
    out.append("names: ").append(std::to_string(store.RefNameCount())).append("\n");
  } else {
    const auto found = FindRefName(store, args[0]);
    if (!found) {
      std::fprintf(stderr, "verdanto refs: no list is named \"%s\" in %s\n", args[0].c_str(), dictionary.c_str());
      return 2;
    }
    const auto side = reference ? ReferenceSide::Reference : ReferenceSide::ObjectList;
    for (const ReferenceRow& row : ReferenceRows(store, *found, side))
      out.append(row.num).append("\t").append(row.group).append("\t").append(row.object).append("\t")
          .append(row.field).append("\n");
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

}  // namespace verdanto::cli
