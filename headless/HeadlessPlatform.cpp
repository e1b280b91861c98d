#include "headless/HeadlessPlatform.h"

#include "store/IddReader.h"
#include "store/IdfReader.h"

namespace verdanto {

namespace {

// Written out in full: moving the optional itself draws a false
// maybe-uninitialized warning from GCC 12 at -O2.
template <typename T>
std::optional<T> Next(std::deque<std::optional<T>>& script) {
  if (script.empty()) return std::nullopt;
  if (!script.front()) {
    script.pop_front();
    return std::nullopt;
  }
  T answer = std::move(*script.front());
  script.pop_front();
  return answer;
}

}  // namespace

Answer RecordingPrompter::Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) {
  messages.push_back({std::string(text), std::string(caption), icon, buttons});
  if (!script.empty()) {
    const Answer answer = script.front();
    script.pop_front();
    return answer;
  }
  return AnswerThatChangesNothing(buttons);
}

std::vector<std::string> RecordingPrompter::Texts() const {
  std::vector<std::string> out;
  out.reserve(messages.size());
  for (const auto& message : messages) out.push_back(message.text);
  return out;
}

std::optional<std::vector<std::string>> ScriptedFileChooser::OpenFiles(std::string_view filter,
                                                                       std::string_view initialName) {
  requests.push_back({FileRequest::Kind::OpenFiles, std::string(filter), std::string(initialName), {}, false});
  return Next(multiAnswers);
}

std::optional<std::string> ScriptedFileChooser::OpenFile(std::string_view filter, std::string_view initialName) {
  requests.push_back({FileRequest::Kind::OpenFile, std::string(filter), std::string(initialName), {}, false});
  return Next(answers);
}

std::optional<std::string> ScriptedFileChooser::SaveFile(std::string_view filter, std::string_view defaultExtension,
                                                         std::string_view initialName, bool askOverwrite) {
  requests.push_back({FileRequest::Kind::SaveFile, std::string(filter), std::string(initialName),
                      std::string(defaultExtension), askOverwrite});
  return Next(answers);
}

bool DirectLoadRunner::Run(LoadKind kind, const std::string& path, Dictionary& store) {
  requests.push_back({kind, path});
  return kind == LoadKind::LoadIdd ? LoadDictionary(path, store, progress, prompter_)
                                   : LoadInputFile(path, store, progress, prompter_);
}

std::optional<std::string> ScriptedConversions::Run(std::string_view value, std::string_view siUnit,
                                                    std::string_view ipUnit) {
  requests.push_back({std::string(value), std::string(siUnit), std::string(ipUnit)});
  return Next(answers);
}

}  // namespace verdanto
