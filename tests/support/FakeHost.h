#pragma once
// A Host that records every call, answers from scripts (prompts: AnswerScript) and checks that the
// resource handle pushes and pops pair up.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "host/Host.h"
#include "surface/AnswerScript.h"
#include "base/Text.h"

namespace verdanto::testing {

struct RegisteredCommand {
  std::string group;
  std::string globalName;
  std::string localName;
  std::uint32_t flags = 0;
  Host::CommandHandler handler;
};

class FakeHost final : public Host {
 public:
  std::string printed;                          // everything printed, in order
  std::map<std::string, RegisteredCommand> commands;  // by upper-case global name
  std::vector<std::string> removedGroups;
  std::vector<ResourceHandle> resourceStack;    // pushed and not yet popped
  int pushCount = 0, popCount = 0, maxDepth = 0;
  bool poppedEmpty = false;                     // a pop without a push: a fault
  KeepFocusQuery keepFocus;
  HostDocument* activeDocument = nullptr;       // scripted

  AnswerScript script;                          // answers the prompts; its transcript has the dialogue

  void Print(std::string_view text) override {
    printed += text;
    script.Print(text);
  }
  PickAnswer PickEntity(std::string_view prompt) override { return script.PickEntity(prompt); }
  PromptAnswer GetKeyword(std::string_view keywords, std::string_view prompt) override {
    return script.GetKeyword(keywords, prompt);
  }
  PromptAnswer GetString(std::string_view prompt, bool allowSpaces) override {
    return script.GetString(prompt, allowSpaces);
  }
  void PostCommandPrompt() override { script.PostCommandPrompt(); }

  void AddCommand(std::string_view group, std::string_view globalName, std::string_view localName,
                  std::uint32_t flags, CommandHandler handler) override {
    commands[ToUpperAscii(globalName)] = {std::string(group), std::string(globalName), std::string(localName),
                                          flags, std::move(handler)};
  }
  void RemoveGroup(std::string_view group) override {
    removedGroups.emplace_back(group);
    std::erase_if(commands, [&](const auto& entry) { return EqualsNoCase(entry.second.group, group); });
  }

  void PushResourceHandle(ResourceHandle handle) override {
    resourceStack.push_back(handle);
    ++pushCount;
    maxDepth = std::max(maxDepth, static_cast<int>(resourceStack.size()));
  }
  void PopResourceHandle() override {
    ++popCount;
    if (resourceStack.empty())
      poppedEmpty = true;
    else
      resourceStack.pop_back();
  }

  void SetKeepFocusQuery(KeepFocusQuery query) override { keepFocus = std::move(query); }
  HostDocument* ActiveDocument() override { return activeDocument; }

  // Runs a registered command as the host's command line would; false when
  // there is no such command.
  bool RunCommand(std::string_view name) {
    const auto found = commands.find(ToUpperAscii(name));
    if (found == commands.end()) return false;
    const CommandHandler handler = found->second.handler;  // a copy: the handler may remove its own group
    handler();
    return true;
  }

  bool Balanced() const { return resourceStack.empty() && !poppedEmpty && pushCount == popCount; }
};

}  // namespace verdanto::testing
