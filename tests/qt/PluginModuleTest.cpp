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

#ifdef VERDANTO_PLUGIN_PATH

std::vector<QWidget*> VisibleWindows() {
  std::vector<QWidget*> shown;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible()) shown.push_back(widget);
  }
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
    std::filesystem::copy_file(VERDANTO_PLUGIN_PATH, path);
    module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    entry = reinterpret_cast<EntryPointFunction>(dlsym(module, "acrxEntryPoint"));
    version = reinterpret_cast<ApiVersionFunction>(dlsym(module, "acrxGetApiVersion"));
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(version, nullptr);
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

TEST_F(PluginModuleTest, OpensTheMainWindowAndRefusesUnloadWhileItIsOpen) {
  // The messages' effects in detail are the plug-in state's; here the module's exports reach them,
  // and the command reads the dictionary through the loading dialog.
  EXPECT_EQ(version(), 0x110000);
  EXPECT_EQ(Send(kInitAppMessage), kEntryOk);
  EXPECT_EQ(host.commands.at("VERDANTO").group, "TOVA");

  const std::string idd = folder.Write(
      "Energy+.idd", "!IDD_Version 9.2.0\r\n\\group Zones\r\nZone,\r\n  A1 ; \\field Name\r\n");
  folder.Write("Verdanto.ini", "[IDD PATH]\r\n" + idd);
  const std::size_t windowsBefore = VisibleWindows().size();
  ASSERT_TRUE(host.RunCommand("verdanto"));
  EXPECT_EQ(dismissed, 0);
  EXPECT_EQ(VisibleWindows().size(), windowsBefore + 1);
  EXPECT_TRUE(host.Balanced());
  ASSERT_TRUE(host.keepFocus);
  EXPECT_EQ(host.keepFocus(), 1);

  EXPECT_EQ(Send(kUnloadAppMessage), kEntryRefused);

  // Quitting restores the window and closes it; nothing was changed, so it goes.
  EXPECT_EQ(Send(kQuitMessage), kEntryOk);
  EXPECT_EQ(VisibleWindows().size(), windowsBefore);
  EXPECT_FALSE(host.keepFocus);
  EXPECT_EQ(Send(kUnloadAppMessage), kEntryOk);
  EXPECT_TRUE(host.commands.empty());
  EXPECT_TRUE(host.Balanced());
}

TEST_F(PluginModuleTest, GivingUpOnTheDictionaryLeavesNoWindow) {
  ASSERT_EQ(Send(kInitAppMessage), kEntryOk);
  // No settings file: "Unable to find Energy+.idd.", then the file dialog, both dismissed.
  const std::size_t windowsBefore = VisibleWindows().size();
  ASSERT_TRUE(host.RunCommand("VERDANTO"));
  EXPECT_EQ(dismissed, 2);
  EXPECT_EQ(VisibleWindows().size(), windowsBefore);
  EXPECT_TRUE(host.Balanced());
  EXPECT_FALSE(host.keepFocus);
  EXPECT_TRUE(std::filesystem::exists(folder.PathOf("Verdanto.ini")));
  EXPECT_EQ(Send(kUnloadAppMessage), kEntryOk);
}

#endif

}  // namespace
}  // namespace verdanto
