// The plug-in module as a host sees it: loaded with dlopen, driven only
// through its two exports and the Host it is given.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <filesystem>

#include "tests/support/FakeHost.h"
#include "tests/support/TempFolder.h"

namespace verdanto {
namespace {

constexpr const char* kPluginPath = VERDANTO_PLUGIN_PATH;

std::vector<QWidget*> VisibleWindows() {
  std::vector<QWidget*> shown;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible()) shown.push_back(widget);
  return shown;
}

struct PluginModuleTest : ::testing::Test {
  testing::TempFolder folder;
  testing::FakeHost host;
  void* module = nullptr;
  EntryPointFunction entry = nullptr;
  ApiVersionFunction version = nullptr;
  QTimer dismisser;  // rejects every modal window, as Escape would, so nothing waits for a user
  int dismissed = 0;

  void SetUp() override {
    // A copy in a folder of its own, so that its settings file lies there.
    const std::string path = folder.PathOf("Verdanto.arx");
    std::filesystem::copy_file(kPluginPath, path);
    module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    entry = reinterpret_cast<EntryPointFunction>(dlsym(module, "acrxEntryPoint"));
    version = reinterpret_cast<ApiVersionFunction>(dlsym(module, "acrxGetApiVersion"));
    ASSERT_TRUE(entry && version);
    QObject::connect(&dismisser, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      // The loading dialog ends by itself.
      if (dialog && dialog->objectName() != QStringLiteral("loadDialog")) {
        ++dismissed;
        dialog->reject();
      }
    });
    dismisser.start(50);
  }
  void TearDown() override {
    dismisser.stop();
    if (!module) return;
    // Windows released with deleteLater go while their code is still loaded.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    dlclose(module);
  }
  int Send(int message) { return entry(message, static_cast<void*>(static_cast<Host*>(&host))); }
};

// Loading, the command, unload refused while the window is open and quitting run
// through the real host in tests/cadhost; the messages' effects in detail are the
// plug-in state's. Here: the exports, and giving up on the dictionary.
TEST_F(PluginModuleTest, GivingUpOnTheDictionaryLeavesNoWindow) {
  EXPECT_EQ(version(), 0x110000);
  ASSERT_EQ(Send(kInitAppMessage), kEntryOk);
  // No settings file: "Unable to find Energy+.idd.", then the file dialog, both dismissed.
  const std::size_t windowsBefore = VisibleWindows().size();
  ASSERT_TRUE(host.RunCommand("VERDANTO"));
  EXPECT_EQ(std::tuple(dismissed, VisibleWindows().size(), host.Balanced(), bool(host.keepFocus),
                       std::filesystem::exists(folder.PathOf("Verdanto.ini"))),
            std::tuple(2, windowsBefore, true, false, true));
  EXPECT_EQ(Send(kUnloadAppMessage), kEntryOk);
}

}  // namespace
}  // namespace verdanto
