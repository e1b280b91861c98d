#include <cstdio>
#include <cstring>

#include "cli/Commands.h"

namespace {

void Usage(std::FILE* out) {
  std::fprintf(out,
               "usage: verdanto dict PATH\n"
               "       verdanto stats --idd DICT IN...\n"
               "       verdanto format --idd DICT [--no-comments] -o OUT IN...\n"
               "       verdanto check --idd DICT [--strict] [--summary] IN...\n"
               "       verdanto refs --idd DICT [--reference] [NAME]\n"
               "       verdanto relations --idd DICT [--ascending] [--potential] [--layers on|current] [--depth K]\n"
               "                          --class C [--object N] IN...\n"
               "       verdanto rename --idd DICT --class C --object N --field F --to NEW -o OUT IN...\n"
               "       verdanto surface --idd DICT --dxf DRAWING --entity HANDLE --class C [--object N] [--flip]\n"
               "                        [--order CCW|CW] [--corner LLC|LRC|ULC|URC] [--shift K] [--name TEXT]\n"
               "                        [--ucs world|object] -o OUT IN\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    Usage(stderr);
    return 2;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "help") == 0) {
    Usage(stdout);
    return 0;
  }
  const verdanto::cli::Args args(argv + 2, argv + argc);
  const char* command = argv[1];
  if (std::strcmp(command, "dict") == 0) return verdanto::cli::RunDict(args);
  if (std::strcmp(command, "stats") == 0) return verdanto::cli::RunStats(args);
  if (std::strcmp(command, "format") == 0) return verdanto::cli::RunFormat(args);
  if (std::strcmp(command, "check") == 0) return verdanto::cli::RunCheck(args);
  if (std::strcmp(command, "refs") == 0) return verdanto::cli::RunRefs(args);
  if (std::strcmp(command, "relations") == 0) return verdanto::cli::RunRelations(args);
  if (std::strcmp(command, "rename") == 0) return verdanto::cli::RunRename(args);
  if (std::strcmp(command, "surface") == 0) return verdanto::cli::RunSurface(args);
  std::fprintf(stderr, "verdanto: unknown command \"%s\"\n", command);
  Usage(stderr);
  return 2;
}
