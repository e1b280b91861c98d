#include <cstdio>

#include "cli/Commands.h"

namespace verdanto::cli {

// Not yet available.
int RunFormat(const Args&) {
  std::fprintf(stderr, "verdanto format: not available yet\n");
  return 1;
}

}  // namespace verdanto::cli
