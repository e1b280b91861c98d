#pragma once
// A LoadRunner that runs the reader at once, without the loading dialog, and
// remembers what it was asked to read.

#include <string>
#include <vector>

#include "store/Dictionary.h"
#include "store/IddReader.h"
#include "store/IdfReader.h"
#include "tests/support/RecordingPrompter.h"
#include "base/Platform.h"

namespace verdanto::testing {

class DirectLoadRunner final : public LoadRunner {
 public:
  DirectLoadRunner(Dictionary& store, Prompter& prompter) : store_(store), prompter_(prompter) {}

  struct Request {
    LoadKind kind;
    std::string path;
  };
  std::vector<Request> requests;
  RecordingProgress progress;

  bool Run(LoadKind kind, const std::string& path) override {
    requests.push_back({kind, path});
    return kind == LoadKind::LoadIdd ? LoadDictionary(path, store_, progress, prompter_)
                                     : LoadInputFile(path, store_, progress, prompter_);
  }

 private:
  Dictionary& store_;
  Prompter& prompter_;
};

}  // namespace verdanto::testing
