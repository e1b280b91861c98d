#pragma once
// The plug-in's side of the host contract, without any window toolkit: the
// answers to the entry point's messages, the command VERDANTO and the one main
// window it opens. The module's exports (host/plugin/) forward to one instance.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "host/Host.h"

namespace verdanto {

inline constexpr std::string_view kCommandGroup = "TOVA";
inline constexpr std::string_view kCommandName = "VERDANTO";
inline constexpr std::uint32_t kCommandFlags = 0x00400000;

// What the plug-in needs of its main window.
class MainWindow {
 public:
  virtual ~MainWindow() = default;
  virtual bool Create() = 0;  // false when the user gave up
  virtual void RestoreWindow() = 0;
  virtual void RunCloseProcedure() = 0;  // may call the release it was made with
  virtual int KeepFocus() const = 0;
};

class MainWindowFactory {
 public:
  virtual ~MainWindowFactory() = default;
  // A new, not yet created window; `release` is what its close procedure calls.
  virtual MainWindow* Make(std::function<void()> release) = 0;
  // Ends a window made here. It may be called from inside one of the window's
  // own members, so the window must outlive that call (Qt: deleteLater).
  virtual void Discard(MainWindow* window) = 0;
};

class PluginState {
 public:
  // `resources` is the module's handle, pushed around every window it opens.
  PluginState(Host& host, MainWindowFactory& factory, ResourceHandle resources);
  ~PluginState();
  PluginState(const PluginState&) = delete;
  PluginState& operator=(const PluginState&) = delete;

  // The entry point's answer to `message` (an EntryMessage or any other code).
  int HandleMessage(int message);

  void OpenMainWindow();     // the command VERDANTO
  void ReleaseMainWindow();  // ends the main window, if there is one

  bool mainWindowOpen() const noexcept { return mainWindowOpen_; }

 private:
  void Initialise();

  Host& host_;
  MainWindowFactory& factory_;
  ResourceHandle resources_;
  bool mainWindowOpen_ = false;
  MainWindow* mainWindow_ = nullptr;
};

// The settings file beside a module: its path with the extension (".arx")
// replaced by ".ini", or ".ini" added when the file name has none.
std::string SettingsPathBeside(std::string_view modulePath);

}  // namespace verdanto
