#pragma once
// The store of a command run. A command ends the process: releasing a large
// store value by value only delays the exit, so it is never destroyed.

#include "store/Dictionary.h"

namespace verdanto::cli {

inline Dictionary& ProcessStore() {
  static Dictionary* const store = new Dictionary;  // reachable to the end, never released
  return *store;
}

}  // namespace verdanto::cli
