#pragma once
// The headless backend of base/Platform.h: message boxes that are recorded and
// answered from a script, file choosers that answer from scripts, readings that
// run the readers at once (no loading dialog) and a scripted units conversion.
// The tests, the benchmarks and the screenshot tool use it in place of windows.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/Platform.h"

namespace verdanto {

struct RecordedMessage {
  std::string text;
  std::string caption;
  Icon icon;
  Buttons buttons;
};

// Records every message; answers from `script` in order, afterwards the answer
// that decides nothing (OK, No, Cancel).
class RecordingPrompter final : public Prompter {
 public:
  std::vector<RecordedMessage> messages;
  std::deque<Answer> script;

  Answer Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) override;
  std::vector<std::string> Texts() const;
};

class RecordingProgress final : public ProgressSink {
 public:
  std::uint32_t maximum = 0;
  std::vector<std::uint32_t> positions;
  void SetRange(std::uint32_t max) override { maximum = max; }
  void SetPosition(std::uint32_t position) override { positions.push_back(position); }
};

struct FileRequest {
  enum class Kind { OpenFiles, OpenFile, SaveFile };
  Kind kind;
  std::string filter;
  std::string initialName;
  std::string defaultExtension;  // SaveFile only
  bool askOverwrite = false;     // SaveFile only
};

// Records every request; an empty script (or an empty entry) answers "cancelled".
class ScriptedFileChooser final : public FileChooser {
 public:
  std::vector<FileRequest> requests;
  std::deque<std::optional<std::string>> answers;                     // OpenFile and SaveFile
  std::deque<std::optional<std::vector<std::string>>> multiAnswers;  // OpenFiles

  std::optional<std::vector<std::string>> OpenFiles(std::string_view filter, std::string_view initialName) override;
  std::optional<std::string> OpenFile(std::string_view filter, std::string_view initialName) override;
  std::optional<std::string> SaveFile(std::string_view filter, std::string_view defaultExtension,
                                      std::string_view initialName, bool askOverwrite) override;
};

// Runs the reader at once and remembers what it was asked to read.
class DirectLoadRunner final : public LoadRunner {
 public:
  explicit DirectLoadRunner(Prompter& prompter) : prompter_(prompter) {}

  struct Request {
    LoadKind kind;
    std::string path;
  };
  std::vector<Request> requests;
  RecordingProgress progress;

  bool Run(LoadKind kind, const std::string& path, Dictionary& store) override;

 private:
  Prompter& prompter_;
};

// Answers the units conversion from a script; an empty script cancels.
class ScriptedConversions final : public ConversionRunner {
 public:
  struct Request {
    std::string value, siUnit, ipUnit;
  };
  std::vector<Request> requests;
  std::deque<std::optional<std::string>> answers;

  std::optional<std::string> Run(std::string_view value, std::string_view siUnit, std::string_view ipUnit) override;
};

// All four, as one Platform.
struct HeadlessPlatform {
  RecordingPrompter prompter;
  ScriptedFileChooser files;
  DirectLoadRunner loader{prompter};
  ScriptedConversions conversions;

  Platform Services() { return {prompter, files, loader, conversions}; }
};

}  // namespace verdanto
