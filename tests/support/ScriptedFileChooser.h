#pragma once
// A FileChooser that records every request and answers from scripts.
// An empty script answers "cancelled".

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/Platform.h"

namespace verdanto::testing {

struct FileRequest {
  enum class Kind { OpenFiles, OpenFile, SaveFile };
  Kind kind;
  std::string filter;
  std::string initialName;
  std::string defaultExtension;  // SaveFile only
  bool askOverwrite = false;     // SaveFile only
};

class ScriptedFileChooser final : public FileChooser {
 public:
  std::vector<FileRequest> requests;
  std::deque<std::optional<std::string>> answers;                     // OpenFile and SaveFile
  std::deque<std::optional<std::vector<std::string>>> multiAnswers;  // OpenFiles

  std::optional<std::vector<std::string>> OpenFiles(std::string_view filter,
                                                    std::string_view initialName) override {
    requests.push_back({FileRequest::Kind::OpenFiles, std::string(filter), std::string(initialName), {}, false});
    return Next(multiAnswers);
  }
  std::optional<std::string> OpenFile(std::string_view filter, std::string_view initialName) override {
    requests.push_back({FileRequest::Kind::OpenFile, std::string(filter), std::string(initialName), {}, false});
    return Next(answers);
  }
  std::optional<std::string> SaveFile(std::string_view filter, std::string_view defaultExtension,
                                      std::string_view initialName, bool askOverwrite) override {
    requests.push_back({FileRequest::Kind::SaveFile, std::string(filter), std::string(initialName),
                        std::string(defaultExtension), askOverwrite});
    return Next(answers);
  }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& script) {
    if (script.empty()) return std::nullopt;
    if (!script.front()) {
      script.pop_front();
      return std::nullopt;
    }
    T answer = std::move(*script.front());
    script.pop_front();
    return answer;
  }
};

}  // namespace verdanto::testing
