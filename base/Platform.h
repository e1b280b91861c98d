#pragma once
// Everything the system needs of the outside world apart from the CAD host
// (host/Host.h): message boxes, progress, file choosers and the two modal
// runners that the windows' models start. Each interface has one Qt backend
// (ui/qt/QtPlatform.h) and one headless backend (headless/), which the tests,
// the command-line tool and the benchmarks use.
//
// Texts are 8-bit store text; "\r\n" separates lines of a message.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verdanto {

class Dictionary;

enum class Icon { None, Error, Exclamation, Warning, Question, Information };
// YesNoDefaultNo: Yes and No with No as the default button, for the questions whose
// Yes deletes something. A question closed without an answer (Escape, the close
// box) answers Cancel, which every caller takes as "change nothing".
enum class Buttons { Ok, YesNo, YesNoCancel, YesNoDefaultNo };
enum class Answer { Ok, Yes, No, Cancel };

inline constexpr std::string_view kAppCaption = "Verdanto";
inline constexpr std::string_view kIdfErrorCaption = "IDF Parsing Error";
inline constexpr std::string_view kWriteErrorCaption = "Writing Error";

// The answer that decides nothing: what a box closed without a choice means.
constexpr Answer AnswerThatChangesNothing(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoDefaultNo: return Answer::No;
    case Buttons::YesNoCancel: return Answer::Cancel;
  }
  return Answer::Ok;
}

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Texts are 8-bit store text; "\r\n" separates lines.
  virtual Answer Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) = 0;
};

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void SetRange(std::uint32_t maximum) = 0;  // the range is 0 .. maximum
  virtual void SetPosition(std::uint32_t position) = 0;
};

class NullProgress final : public ProgressSink {
 public:
  void SetRange(std::uint32_t) override {}
  void SetPosition(std::uint32_t) override {}
};

// Files. Filters are written as "Description|pattern|Description|pattern||";
// several patterns of one entry are separated by ';'. Every open dialog accepts
// only existing files, shows no read-only check box and can be resized.

class FileChooser {
 public:
  virtual ~FileChooser() = default;

  // Several files; nothing when the user cancels.
  virtual std::optional<std::vector<std::string>> OpenFiles(std::string_view filter,
                                                            std::string_view initialName) = 0;
  // One file; nothing when the user cancels.
  virtual std::optional<std::string> OpenFile(std::string_view filter, std::string_view initialName) = 0;
  // A file to write. `defaultExtension` (without the dot, e.g. "idf") is added to
  // a name typed without one; `askOverwrite` asks before an existing file is chosen.
  virtual std::optional<std::string> SaveFile(std::string_view filter, std::string_view defaultExtension,
                                              std::string_view initialName, bool askOverwrite) = 0;
};

// Runs one of the file readers for a window: in the windows the modal loading
// dialog, which shows the reader's progress.
enum class LoadKind : int {
  LoadIdf = 0,  // an input file, with LoadInputFile
  LoadIdd = 1,  // the data dictionary, with LoadDictionary
};

class LoadRunner {
 public:
  virtual ~LoadRunner() = default;
  // Reads `path` into `store`; the reader has told the user why when it fails.
  virtual bool Run(LoadKind kind, const std::string& path, Dictionary& store) = 0;
};

// Opens the units conversion window for the field editor's "&C".
class ConversionRunner {
 public:
  virtual ~ConversionRunner() = default;
  // Opens the window on `value` (8-bit store text) for a field whose SI unit is
  // `siUnit` and inch-pound unit `ipUnit`. The new value text when the user
  // chose "Keep new", nothing when the window was cancelled.
  virtual std::optional<std::string> Run(std::string_view value, std::string_view siUnit,
                                         std::string_view ipUnit) = 0;
};

// What a window may need of the outside world, handed to it when it is made.
struct Platform {
  Prompter& prompter;
  FileChooser& files;
  LoadRunner& loader;
  ConversionRunner& conversions;
};

}  // namespace verdanto
