#pragma once
// A command line that answers the surface tool's prompts from a script: the
// command-line tool runs the dialogue this way with the answers from its
// options, and the tests with theirs. When the script runs out, every prompt is
// cancelled, so a dialogue that asks again always ends.

#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "host/HostDocument.h"

namespace verdanto {

// An answer that cancels the prompt, as Escape does.
inline constexpr std::string_view kEscape = "\x1b";

class AnswerScript final : public HostCommandLine {
 public:
  std::deque<EntityId> picks;        // kNoEntity: the pick hits nothing
  std::deque<std::string> answers;   // keywords and texts in order; "" is Enter
  std::string transcript;            // prompts, printed texts and answers, as a user would see them
  std::function<void(std::string_view)> echo;  // also receives what is printed, when set
  int commandPrompts = 0;            // PostCommandPrompt calls

  void Print(std::string_view text) override;
  PickAnswer PickEntity(std::string_view prompt) override;
  // Keywords match without regard to case; an answer that is none of them is
  // refused and the next one taken.
  PromptAnswer GetKeyword(std::string_view keywords, std::string_view prompt) override;
  PromptAnswer GetString(std::string_view prompt, bool allowSpaces) override;
  void PostCommandPrompt() override { ++commandPrompts; }

 private:
  // The next answer, or nothing when the script is used up or says Escape.
  bool Next(std::string& answer);
};

}  // namespace verdanto
