#pragma once
// Message boxes of the command-line tool: each message is one line on stderr,
// "Caption: text", with CR LF shown as a blank. Questions are answered No, so a
// script never waits and never overwrites anything it was not asked to.

#include <cstdio>
#include <string>

#include "base/Platform.h"
#include "base/Text.h"

namespace verdanto::cli {

class StderrPrompter final : public Prompter {
 public:
  int count = 0;
  Answer Show(std::string_view text, std::string_view caption, Icon, Buttons buttons) override {
    ++count;
    const std::string line = (caption.empty() ? std::string() : std::string(caption) + ": ") + OneLine(text);
    std::fprintf(stderr, "%s\n", line.c_str());
    return AnswerThatChangesNothing(buttons);
  }
};

}  // namespace verdanto::cli
