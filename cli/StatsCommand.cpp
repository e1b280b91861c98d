#include <cstdio>

#include "cli/Commands.h"

namespace verdanto::cli {

// Not yet available.
int RunStats(const Args&) {
  std::fprintf(stderr, "verdanto stats: not available yet\n");
  return 1;
}

}  // namespace verdanto::cli
