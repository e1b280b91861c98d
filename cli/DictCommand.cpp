#include <chrono>
#include <cstdint>
#include <cstdio>

#include "cli/Commands.h"
#include "cli/ProcessStore.h"
#include "cli/StderrPrompter.h"
#include "store/Dictionary.h"
#include "store/IddReader.h"

namespace verdanto::cli {

// Reads a dictionary and prints what it holds and how long reading took.
int RunDict(const Args& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: verdanto dict PATH\n");
    return 2;
  }
  Dictionary& store = ProcessStore();
  NullProgress progress;
  StderrPrompter prompter;
  const auto start = std::chrono::steady_clock::now();
  const bool loaded = LoadDictionary(args[0], store, progress, prompter);
  const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  if (!loaded) return 1;

  std::uint64_t fields = 0;
  std::uint64_t keys = 0;
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (const DictClass& cls : store.GetGroup(g).classes) {
      fields += cls.fieldCount();
      for (const DictField& field : cls.fields) keys += field.keyCount();
    }
  std::printf("version: %s\n", store.version.c_str());
  std::printf("groups: %u\n", static_cast<unsigned>(store.GroupCount()));
  std::printf("classes: %u\n", static_cast<unsigned>(store.TotalClassCount()));
  std::printf("fields: %llu\n", static_cast<unsigned long long>(fields));
  std::printf("keys: %llu\n", static_cast<unsigned long long>(keys));
  std::printf("reference names: %u\n", static_cast<unsigned>(store.RefNameCount()));
  std::printf("read: %.1f ms\n", elapsed.count());
  return 0;
}

}  // namespace verdanto::cli
