// The module's exports, which the host finds by name: the API version query
// and the entry point. Everything behind them is PluginState; this file only
// ties it to the real main window and to the module's own file.

#include <dlfcn.h>

#include <QApplication>
#include <QPointer>
#include <exception>
#include <memory>
#include <vector>

#include "host/Host.h"
#include "host/PluginState.h"
#include "base/Text.h"
#include "ui/qt/CMainDialog.h"
#include "ui/qt/QtPlatform.h"

#define VERDANTO_EXPORT extern "C" __attribute__((visibility("default")))

VERDANTO_EXPORT int acrxGetApiVersion();
VERDANTO_EXPORT int acrxEntryPoint(int message, void* appId);

namespace verdanto {
namespace {

class QtMainWindow final : public MainWindow {
 public:
  QtMainWindow(Host& host, ResourceHandle module, const Platform& platform, const std::string& settingsPath,
               std::function<void()> release)
      : dialog_(new CMainDialog(host, module, platform, settingsPath, std::move(release))) {}

  bool Create() override { return dialog_ && dialog_->Create(); }
  void RestoreWindow() override {
    if (dialog_) dialog_->RestoreWindow();
  }
  void RunCloseProcedure() override {
    if (dialog_) dialog_->RunCloseProcedure();
  }
  int KeepFocus() const override { return dialog_ ? dialog_->KeepFocus() : 0; }

  // The window may be in the middle of its own close procedure: it goes once
  // control is back in the event loop (or when the host flushes deferred
  // deletions before it unloads the module).
  void Discard() {
    if (dialog_) dialog_->deleteLater();
  }

 private:
  QPointer<CMainDialog> dialog_;
};

class QtMainWindowFactory final : public MainWindowFactory {
 public:
  QtMainWindowFactory(Host& host, ResourceHandle module, std::string settingsPath)
      : host_(host), module_(module), platform_(host, module), settingsPath_(std::move(settingsPath)) {}

  MainWindow* Make(std::function<void()> release) override {
    retired_.clear();  // their own members have long returned
    current_ = std::make_unique<QtMainWindow>(host_, module_, platform_.Services(), settingsPath_, std::move(release));
    return current_.get();
  }
  void Discard(MainWindow* window) override {
    if (window != current_.get()) return;
    current_->Discard();
    // Kept until the next window: Discard may run inside one of its members.
    retired_.push_back(std::move(current_));
  }

 private:
  Host& host_;
  ResourceHandle module_;
  QtPlatform platform_;
  std::string settingsPath_;
  std::unique_ptr<QtMainWindow> current_;
  std::vector<std::unique_ptr<QtMainWindow>> retired_;
};

struct Module {
  Host* host = nullptr;
  std::unique_ptr<QtMainWindowFactory> factory;
  std::unique_ptr<PluginState> state;
};

Module& TheModule() {
  static Module module;
  return module;
}

// The module's own file as the host loaded it, and its load address, which
// serves as the handle under which its windows are found.
struct ModuleFile {
  std::string path;
  ResourceHandle handle = nullptr;
};

ModuleFile FindModuleFile() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&acrxEntryPoint), &info) == 0 || !info.dli_fname) return {};
  return {info.dli_fname, info.dli_fbase};
}

int AnswerMessage(Module& module, int message) {
  try {
    return module.state->HandleMessage(message);
  } catch (const std::exception& error) {
    module.host->Print(Format("\nVerdanto: %s\n", error.what()));
  } catch (...) {
    module.host->Print("\nVerdanto: unexpected failure.\n");
  }
  // A failed unload keeps the module: its code may still be needed.
  return message == kUnloadAppMessage ? kEntryRefused : kEntryOk;
}

}  // namespace
}  // namespace verdanto

int acrxGetApiVersion() { return verdanto::kApiVersion; }

int acrxEntryPoint(int message, void* appId) {
  using namespace verdanto;
  Module& module = TheModule();
  if (message == kInitAppMessage && !module.state) {
    // The windows live in the host's Qt application; without one there is nothing to show them in.
    if (!appId || !qobject_cast<QApplication*>(QCoreApplication::instance())) return kEntryRefused;
    module.host = static_cast<Host*>(appId);
    const ModuleFile file = FindModuleFile();
    module.factory = std::make_unique<QtMainWindowFactory>(*module.host, file.handle, SettingsPathBeside(file.path));
    module.state = std::make_unique<PluginState>(*module.host, *module.factory, file.handle);
  }
  if (!module.state) return kEntryOk;
  const int result = AnswerMessage(module, message);
  if (message == kUnloadAppMessage && result == kEntryOk) {
    module.state.reset();
    module.factory.reset();
    module.host = nullptr;
  }
  return result;
}
