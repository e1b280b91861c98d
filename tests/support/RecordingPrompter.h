#pragma once
// A Prompter that records every message and answers from a script.

#include <deque>
#include <string>
#include <vector>

#include "base/Platform.h"

namespace verdanto::testing {

struct RecordedMessage {
  std::string text;
  std::string caption;
  Icon icon;
  Buttons buttons;
};

class RecordingPrompter final : public Prompter {
 public:
  std::vector<RecordedMessage> messages;
  std::deque<Answer> script;  // answers handed out in order; afterwards the default

  Answer Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) override {
    messages.push_back({std::string(text), std::string(caption), icon, buttons});
    if (!script.empty()) {
      const Answer answer = script.front();
      script.pop_front();
      return answer;
    }
    switch (buttons) {
      case Buttons::Ok: return Answer::Ok;
      case Buttons::YesNo:
      case Buttons::YesNoDefaultNo: return Answer::No;
      case Buttons::YesNoCancel: return Answer::Cancel;
    }
    return Answer::Ok;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
  }
};

class RecordingProgress final : public ProgressSink {
 public:
  std::uint32_t maximum = 0;
  std::vector<std::uint32_t> positions;
  void SetRange(std::uint32_t max) override { maximum = max; }
  void SetPosition(std::uint32_t position) override { positions.push_back(position); }
};

}  // namespace verdanto::testing
