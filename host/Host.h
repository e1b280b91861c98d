#pragma once
// Everything the system needs of the CAD host, as one interface. The plug-in
// reaches the host only through it; the stand-in host (cadhost/) implements it
// with Qt, tests with tests/support/FakeHost.h.
//
// Contract between a host and the plug-in module:
// - The module exports, with C linkage, `int acrxGetApiVersion()`, which answers
//   kApiVersion (interface version 17 in the upper 16 bits), and
//   `int acrxEntryPoint(int message, void* appId)`.
// - The host passes its `Host*` as `appId` (converted to void* from a `Host*`,
//   not from a derived class pointer), and the module keeps it until the module
//   is unloaded. Messages are EntryMessage values; the answer is an EntryResult.
// - Everything runs on the host's user-interface thread.
// - Handlers and queries that a module hands to the host are its own code: the
//   host drops them before it unloads the module.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "host/HostDocument.h"

namespace verdanto {

inline constexpr int kApiVersion = 0x110000;

enum EntryMessage : int { kInitAppMessage = 1, kUnloadAppMessage = 2, kQuitMessage = 8 };
enum EntryResult : int { kEntryOk = 0, kEntryRefused = 3 };

using EntryPointFunction = int (*)(int message, void* appId);
using ApiVersionFunction = int (*)();

// Identifies the module whose windows and resources the host should use.
using ResourceHandle = const void*;

// The host is also its command line (HostCommandLine: printing and prompts).
class Host : public HostCommandLine {
 public:
  using CommandHandler = std::function<void()>;
  // The keep-focus answer of a modeless window: 1 keeps the focus in it while
  // the cursor is over the drawing, 0 lets the drawing take it.
  using KeepFocusQuery = std::function<int()>;

  ~Host() override = default;

  // Registration. Command names match without regard to letter case; flags are
  // passed through as the module gives them.
  virtual void AddCommand(std::string_view group, std::string_view globalName, std::string_view localName,
                          std::uint32_t flags, CommandHandler handler) = 0;
  virtual void RemoveGroup(std::string_view group) = 0;

  // Resources: every window of the module opens between a push of the
  // module's handle and the matching pop (see ResourceScope).
  virtual void PushResourceHandle(ResourceHandle handle) = 0;
  virtual void PopResourceHandle() = 0;

  // Window messages: who answers the host's keep-focus query; an empty query
  // withdraws the answer.
  virtual void SetKeepFocusQuery(KeepFocusQuery query) = 0;

  // Documents: the drawing the user works in, or null when none is open.
  virtual HostDocument* ActiveDocument() = 0;
};

// Pushes a resource handle for its lifetime; the pop happens also when the
// scope is left by an exception.
class ResourceScope {
 public:
  ResourceScope(Host& host, ResourceHandle handle) : host_(host) { host_.PushResourceHandle(handle); }
  ~ResourceScope() { host_.PopResourceHandle(); }
  ResourceScope(const ResourceScope&) = delete;
  ResourceScope& operator=(const ResourceScope&) = delete;

 private:
  Host& host_;
};

}  // namespace verdanto
