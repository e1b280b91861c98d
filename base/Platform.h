#pragma once
// How the core speaks to the user: message boxes through a Prompter, progress
// through a ProgressSink. Windows implement them with real message boxes and
// progress bars; tests with recorders that also script the answers.

#include <cstdint>
#include <string_view>

namespace verdanto {

enum class Icon { None, Error, Exclamation, Warning, Question, Information };
// YesNoDefaultNo: Yes and No with No as the default button, for the questions whose
// Yes deletes something. A question closed without an answer (Escape, the close
// box) answers Cancel, which every caller takes as "change nothing".
enum class Buttons { Ok, YesNo, YesNoCancel, YesNoDefaultNo };
enum class Answer { Ok, Yes, No, Cancel };

inline constexpr std::string_view kAppCaption = "Verdanto";
inline constexpr std::string_view kIdfErrorCaption = "IDF Parsing Error";
inline constexpr std::string_view kWriteErrorCaption = "Writing Error";

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

}  // namespace verdanto
