#pragma once
// The dictionaries the benchmarks read, and a prompter that counts the messages
// of a reading instead of showing them.

#include <memory>
#include <string>

#include "base/Platform.h"
#include "store/IddReader.h"

namespace verdanto::bench {

class CountingPrompter final : public Prompter {
 public:
  int count = 0;
  Answer Show(std::string_view, std::string_view, Icon, Buttons) override {
    ++count;
    return Answer::Ok;
  }
};

inline std::string SampleDictionary() { return std::string(VERDANTO_SOURCE_DIR) + "/examples/Sample.idd"; }

// The dictionary at `path`; null when the path is empty or it cannot be read.
inline std::unique_ptr<Dictionary> LoadedDictionary(const std::string& path) {
  auto store = std::make_unique<Dictionary>();
  NullProgress progress;
  CountingPrompter prompter;
  if (path.empty() || !LoadDictionary(path, *store, progress, prompter)) return nullptr;
  return store;
}

}  // namespace verdanto::bench
