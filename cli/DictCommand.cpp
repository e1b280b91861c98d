#include <cstdio>

#include "cli/Commands.h"

namespace verdanto::cli {

// Not yet available.
int RunDict(const Args&) {
  std::fprintf(stderr, "verdanto dict: not available yet\n");
  return 1;
}

}  // namespace verdanto::cli
