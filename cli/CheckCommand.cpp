#include <cstdio>

#include "cli/Commands.h"

namespace verdanto::cli {

// Not yet available.
int RunCheck(const Args&) {
  std::fprintf(stderr, "verdanto check: not available yet\n");
  return 1;
}

}  // namespace verdanto::cli
