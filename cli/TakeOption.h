#pragma once
// Options that only some commands know: taken out of the arguments before the
// shared input options are read, so that those see only what they know.

#include <algorithm>
#include <string>

#include "cli/Commands.h"

namespace verdanto::cli {

// Removes "name VALUE" from args. False when the option is there without a value.
inline bool TakeOption(Args& args, const std::string& name, std::string& value) {
  const auto at = std::find(args.begin(), args.end(), name);
  if (at == args.end()) return true;
  if (at + 1 == args.end()) return false;
  value = *(at + 1);
  args.erase(at, at + 2);
  return true;
}

// Removes the switch `name` from args; true when it was there.
inline bool TakeSwitch(Args& args, const std::string& name) {
  const auto at = std::find(args.begin(), args.end(), name);
  if (at == args.end()) return false;
  args.erase(at);
  return true;
}

}  // namespace verdanto::cli
