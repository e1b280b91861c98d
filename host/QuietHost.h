#pragma once
// A host without a command line or a drawing, for programs that run the windows
// on their own (benchmarks, the screenshot tool). Override Print to see output.
// Every prompt is answered as if cancelled.

#include "host/Host.h"

namespace verdanto {

class QuietHost : public Host {
 public:
  void Print(std::string_view) override {}
  PickAnswer PickEntity(std::string_view) override { return {}; }
  PromptAnswer GetKeyword(std::string_view, std::string_view) override { return {}; }
  PromptAnswer GetString(std::string_view, bool) override { return {}; }
  void PostCommandPrompt() override {}
  void AddCommand(std::string_view, std::string_view, std::string_view, std::uint32_t, CommandHandler) override {}
  void RemoveGroup(std::string_view) override {}
  void PushResourceHandle(ResourceHandle) override {}
  void PopResourceHandle() override {}
  void SetKeepFocusQuery(KeepFocusQuery) override {}
  HostDocument* ActiveDocument() override { return nullptr; }
};

}  // namespace verdanto
