#include <cstdio>
#include <cstring>

#include "cli/Commands.h"

namespace {

void Usage() {
  std::fprintf(stderr,
               "usage: verdanto dict PATH\n"
               "       verdanto stats --idd DICT IN...\n"
               "       verdanto format --idd DICT [--no-comments] -o OUT IN...\n"
               "       verdanto check --idd DICT IN...\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    Usage();
    return 1;
  }
  const verdanto::cli::Args args(argv + 2, argv + argc);
  const char* command = argv[1];
  if (std::strcmp(command, "dict") == 0) return verdanto::cli::RunDict(args);
  if (std::strcmp(command, "stats") == 0) return verdanto::cli::RunStats(args);
  if (std::strcmp(command, "format") == 0) return verdanto::cli::RunFormat(args);
  if (std::strcmp(command, "check") == 0) return verdanto::cli::RunCheck(args);
  Usage();
  return 1;
}
