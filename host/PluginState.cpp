#include "host/PluginState.h"

#include <exception>

#include "base/Text.h"

namespace verdanto {

PluginState::PluginState(Host& host, MainWindowFactory& factory, ResourceHandle resources)
    : host_(host), factory_(factory), resources_(resources) {}

// A window still open here belongs to a host that is going away without
// unloading the module; there is nobody left to hand it to.
PluginState::~PluginState() = default;

int PluginState::HandleMessage(int message) {
  switch (message) {
    case kInitAppMessage:
      Initialise();
      return kEntryOk;
    case kUnloadAppMessage:
      if (mainWindowOpen_) return kEntryRefused;
      host_.RemoveGroup(kCommandGroup);
      return kEntryOk;
    case kQuitMessage:
      if (mainWindowOpen_ && mainWindow_) {
        // The close procedure may open the save manager: our windows need our resources.
        ResourceScope scope(host_, resources_);
        mainWindow_->RestoreWindow();
        mainWindow_->RunCloseProcedure();
      }
      return kEntryOk;
    default:
      return kEntryOk;
  }
}

void PluginState::Initialise() {
  host_.AddCommand(kCommandGroup, kCommandName, kCommandName, kCommandFlags, [this] { OpenMainWindow(); });
  host_.Print("\nVerdanto: Enter \"VERDANTO\" to bring up the dialog.\n");
  mainWindowOpen_ = false;
}

void PluginState::OpenMainWindow() {
  ResourceScope scope(host_, resources_);
  if (mainWindowOpen_ && mainWindow_) {
    mainWindow_->RestoreWindow();
    return;
  }
  MainWindow* window = nullptr;
  bool created = false;
  // The command runs inside the host's command processing: nothing may escape
  // into it. A failed creation leaves the flag at 0, so the next command tries again.
  try {
    window = factory_.Make([this] { ReleaseMainWindow(); });
    mainWindow_ = window;
    created = window->Create();
  } catch (const std::exception& error) {
    host_.Print(Format("\nVerdanto: the window could not be opened: %s\n", error.what()));
  } catch (...) {
    host_.Print("\nVerdanto: the window could not be opened.\n");
  }
  if (!window || mainWindow_ != window) return;  // not made, or released during its creation
  if (created) {
    mainWindowOpen_ = true;
    host_.SetKeepFocusQuery([window] { return window->KeepFocus(); });
  } else {
    mainWindow_ = nullptr;
    factory_.Discard(window);
  }
}

void PluginState::ReleaseMainWindow() {
  MainWindow* window = mainWindow_;
  mainWindow_ = nullptr;
  if (mainWindowOpen_) host_.SetKeepFocusQuery({});
  mainWindowOpen_ = false;
  if (window) factory_.Discard(window);
}

std::string SettingsPathBeside(std::string_view modulePath) {
  const std::size_t slash = modulePath.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  const std::size_t dot = modulePath.rfind('.');
  // A dot that starts the name (".arx") marks a hidden file, not an extension.
  if (dot == std::string_view::npos || dot <= nameStart) return std::string(modulePath) + ".ini";
  return std::string(modulePath.substr(0, dot)) + ".ini";
}

}  // namespace verdanto
