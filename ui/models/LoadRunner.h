#pragma once
// Runs one of the file readers for a window. In the windows it is the modal
// loading dialog (CLoadDialog), which shows the reader's progress; tests run
// the reader directly or script the outcome.

#include <string>

namespace verdanto {

enum class LoadKind : int {
  LoadIdf = 0,  // an input file, with LoadInputFile
  LoadIdd = 1,  // the data dictionary, with LoadDictionary
};

class LoadRunner {
 public:
  virtual ~LoadRunner() = default;
  // Reads `path` into the store the runner was made for; the reader has told
  // the user why when it fails.
  virtual bool Run(LoadKind kind, const std::string& path) = 0;
};

}  // namespace verdanto
