// The Qt tests need one QApplication for the whole run; windows are drawn
// offscreen unless the caller chose a platform. Any warning from Qt fails the
// running test, apart from the platform's own noise.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// What the offscreen platform cannot do, and a test machine's missing runtime folder.
bool IsPlatformNoise(const QMessageLogContext& context, const QString& message) {
  const QLatin1StringView category(context.category ? context.category : "");
  return category.startsWith(QLatin1StringView("qt.qpa")) ||
         message.startsWith(QLatin1StringView("This plugin does not support")) ||
         message.startsWith(QLatin1StringView("QStandardPaths: "));
}

void FailOnQtWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg || IsPlatformNoise(context, message)) return;
  const std::string text = message.toStdString();
  std::fprintf(stderr, "Qt: %s\n", text.c_str());
  ADD_FAILURE() << "Qt warned: " << text;
  if (type == QtFatalMsg) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(FailOnQtWarnings);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
