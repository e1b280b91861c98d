#include "ui/qt/CLoadDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "store/Dictionary.h"
#include "tests/support/TempFolder.h"

namespace verdanto {
namespace {

// Ends a dialog that never started its reader, so that a fault fails the test
// instead of hanging it.
constexpr int kWatchdogResult = 42;
int ExecWithWatchdog(QDialog& dialog) {
  QTimer::singleShot(10000, &dialog, [&dialog] { dialog.done(kWatchdogResult); });
  return dialog.exec();
}

TEST(LoadDialogTest, RunsTheReaderOnceFromItsFirstPaintWithTheBarAsProgress) {
  int runs = 0;
  bool visibleWhileReading = false;
  int barMaximum = -1, barValue = -1;
  CLoadDialog* self = nullptr;
  CLoadDialog dialog("/data/sets/Energy+.idd", [&](ProgressSink& progress, Prompter&) {
    ++runs;
    visibleWhileReading = self->isVisible();
    progress.SetRange(200);
    for (std::uint32_t i = 0; i <= 150; ++i) progress.SetPosition(i);
    const auto* bar = self->findChild<QProgressBar*>(QStringLiteral("loadProgress"));
    barMaximum = bar->maximum();
    barValue = bar->value();
    self->update();  // another paint must not start the reader again
    return true;
  });
  self = &dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Loading data"));
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("loadText"))->text(), QStringLiteral("Parsing Energy+.idd"));
  EXPECT_FALSE(dialog.started());
  EXPECT_EQ(ExecWithWatchdog(dialog), QDialog::Accepted);
  EXPECT_TRUE(dialog.started());
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(visibleWhileReading);
  EXPECT_EQ(barMaximum, 200);
  EXPECT_EQ(barValue, 150);
}

TEST(LoadDialogTest, FailureRejectsAndTheUserCannotStopAReading) {
  CLoadDialog* self = nullptr;
  CLoadDialog dialog("Energy+.idd", [&](ProgressSink&, Prompter&) {
    QTest::keyClick(self, Qt::Key_Escape);
    self->close();   // what a close request does
    EXPECT_TRUE(self->isVisible());
    return false;
  });
  self = &dialog;
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("loadText"))->text(), QStringLiteral("Parsing Energy+.idd"));
  EXPECT_EQ(ExecWithWatchdog(dialog), QDialog::Rejected);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(LoadDialogTest, RangesBeyondTheBarAreClamped) {
  CLoadDialog* self = nullptr;
  int barMaximum = 0;
  CLoadDialog dialog("x.idf", [&](ProgressSink& progress, Prompter&) {
    progress.SetRange(0xFFFFFFFFu);
    progress.SetPosition(0xFFFFFFFFu);
    barMaximum = self->findChild<QProgressBar*>(QStringLiteral("loadProgress"))->maximum();
    return true;
  });
  self = &dialog;
  EXPECT_EQ(ExecWithWatchdog(dialog), QDialog::Accepted);
  EXPECT_EQ(barMaximum, INT_MAX);
}

TEST(LoadDialogTest, RunnerReadsTheDictionaryIntoTheStore) {
  testing::TempFolder folder;
  const std::string path = folder.Write("Energy+.idd",
                                        "!IDD_Version 9.2.0\r\n\\group Zones\r\nZone,\r\n  A1 ; \\field Name\r\n");
  Dictionary store;
  QtLoadRunner runner(store);
  QTimer::singleShot(10000, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  EXPECT_TRUE(runner.Run(LoadKind::LoadIdd, path));
  EXPECT_EQ(store.version, "9.2.0");
  EXPECT_EQ(store.GroupCount(), 1);
}

}  // namespace
}  // namespace verdanto
