// The stand-in host with the real plug-in module, driven through its command
// line as a user types it; what the host says is read from its history.

#include "CadHostWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTimer>
#include <filesystem>

#include "tests/support/TempFolder.h"

namespace {

int VisibleWindows() {
  int shown = 0;
  for (const QWidget* widget : QApplication::topLevelWidgets()) shown += widget->isVisible() ? 1 : 0;
  return shown;
}

TEST(CadHostTest, LoadsRunsAndRefusesToUnloadThePlugInWhileItsWindowIsOpenThenQuits) {
  verdanto::testing::TempFolder folder;
  // A copy in a folder of its own, with the settings file that names its dictionary.
  const std::string module = folder.PathOf("Verdanto.arx");
  std::filesystem::copy_file(VERDANTO_PLUGIN_PATH, module);
  const std::string idd =
      folder.Write("Energy+.idd", "!IDD_Version 9.2.0\r\n\\group Zones\r\nZone,\r\n  A1 ; \\field Name\r\n");
  folder.Write("Verdanto.ini", "[IDD PATH]\r\n" + idd);

  QTimer dismisser;  // a message box or file dialog would wait for a user: reject it and count it
  int dismissed = 0;
  QObject::connect(&dismisser, &QTimer::timeout, [&dismissed] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog->objectName() != QStringLiteral("loadDialog")) {  // the loading dialog ends by itself
      ++dismissed;
      dialog->reject();
    }
  });
  dismisser.start(50);

  cadhost::CadHostWindow host;
  host.show();
  const auto* history = host.findChild<QPlainTextEdit*>(QStringLiteral("commandHistory"));
  ASSERT_NE(history, nullptr);
  const auto said = [history](const char* text) { return history->toPlainText().contains(QString::fromUtf8(text)); };
  const int windowsBefore = VisibleWindows();

  // APPLOAD and APPUNLOAD with their argument, as the command line passes it on.
  ASSERT_TRUE(host.LoadPlugin(QString::fromStdString(module)));
  EXPECT_TRUE(said("Verdanto.arx successfully loaded.") && said("Enter \"VERDANTO\" to bring up the dialog."))
      << history->toPlainText().toStdString();

  host.RunCommandLine(QStringLiteral("verdanto"));
  EXPECT_EQ(VisibleWindows(), windowsBefore + 1) << "the main window";
  EXPECT_FALSE(said("Unknown command"));

  EXPECT_FALSE(host.UnloadPlugin(QStringLiteral("Verdanto.arx")));
  EXPECT_TRUE(said("Unable to unload Verdanto.arx: it is in use."));
  EXPECT_EQ(VisibleWindows(), windowsBefore + 1);

  // Quitting closes the unchanged main window, unloads the plug-in and closes the host.
  host.RunCommandLine(QStringLiteral("QUIT"));
  EXPECT_TRUE(said("Verdanto.arx unloaded.")) << history->toPlainText().toStdString();
  EXPECT_EQ(std::tuple(host.isVisible(), VisibleWindows(), dismissed), std::tuple(false, windowsBefore - 1, 0));
}

}  // namespace
