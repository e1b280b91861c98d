#include "surface/AnswerScript.h"

#include "base/Text.h"

namespace verdanto {

void AnswerScript::Print(std::string_view text) {
  transcript += text;
  if (echo) echo(text);
}

bool AnswerScript::Next(std::string& answer) {
  if (answers.empty()) return false;
  answer = std::move(answers.front());
  answers.pop_front();
  if (answer == kEscape) return false;
  transcript += answer;
  return true;
}

PickAnswer AnswerScript::PickEntity(std::string_view prompt) {
  transcript += prompt;
  if (picks.empty()) return {PromptStatus::Cancelled, kNoEntity};
  const EntityId entity = picks.front();
  picks.pop_front();
  transcript += Format(" %llX", static_cast<unsigned long long>(entity));
  return {entity == kNoEntity ? PromptStatus::Empty : PromptStatus::Ok, entity};
}

PromptAnswer AnswerScript::GetKeyword(std::string_view keywords, std::string_view prompt) {
  for (;;) {
    transcript += prompt;
    std::string answer;
    if (!Next(answer)) return {PromptStatus::Cancelled, {}};
    if (answer.empty()) return {PromptStatus::Empty, {}};
    for (std::size_t at = 0; at < keywords.size();) {
      std::size_t end = keywords.find(' ', at);
      if (end == std::string_view::npos) end = keywords.size();
      const std::string_view keyword = keywords.substr(at, end - at);
      if (EqualsNoCase(keyword, answer)) return {PromptStatus::Ok, std::string(keyword)};
      at = end + 1;
    }
    Print("\nInvalid option keyword.");
  }
}

PromptAnswer AnswerScript::GetString(std::string_view prompt, bool allowSpaces) {
  transcript += prompt;
  std::string answer;
  if (!Next(answer)) return {PromptStatus::Cancelled, {}};
  // Without spaces a typed blank ends the text, as Enter does.
  if (!allowSpaces) answer = answer.substr(0, answer.find(' '));
  return {PromptStatus::Ok, answer};
}

}  // namespace verdanto
