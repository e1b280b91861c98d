#include "ui/qt/CLoadDialog.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>


namespace verdanto {
namespace {

// Ends a dialog that never started its reader, so that a fault fails the test
// instead of hanging it.
int ExecWithWatchdog(QDialog& dialog) {
  QTimer::singleShot(10000, &dialog, [&dialog] { dialog.done(42); });
  return dialog.exec();
}

TEST(LoadDialogTest, RunsTheReaderOnceFromItsFirstPaintWithTheBarAsProgress) {
  int runs = 0;
  bool visibleWhileReading = false;
  std::vector<int> bar;  // maximum and value after each range
  CLoadDialog* self = nullptr;
  CLoadDialog dialog("/data/sets/Energy+.idd", [&](ProgressSink& progress, Prompter&) {
    ++runs;
    visibleWhileReading = self->isVisible();
    const auto* progressBar = self->findChild<QProgressBar*>(QStringLiteral("loadProgress"));
    progress.SetRange(200);
    for (std::uint32_t i = 0; i <= 150; ++i) progress.SetPosition(i);
    bar = {progressBar->maximum(), progressBar->value()};
    progress.SetRange(0xFFFFFFFFu);  // beyond the bar: clamped
    progress.SetPosition(0xFFFFFFFFu);
    bar.push_back(progressBar->maximum());
    self->update();  // another paint must not start the reader again
    return true;
  });
  self = &dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Loading data"));
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("loadText"))->text(), QStringLiteral("Parsing Energy+.idd"));
  EXPECT_FALSE(dialog.started());
  EXPECT_EQ(ExecWithWatchdog(dialog), QDialog::Accepted);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(visibleWhileReading);
  EXPECT_EQ(bar, (std::vector<int>{200, 150, INT_MAX}));
}

TEST(LoadDialogTest, FailureRejectsAndTheUserCannotStopAReading) {
  CLoadDialog* self = nullptr;
  CLoadDialog dialog("Energy+.idd", [&](ProgressSink&, Prompter&) {
    QTest::keyClick(self, Qt::Key_Escape);
    self->close();  // what a close request does
    EXPECT_TRUE(self->isVisible());
    return false;
  });
  self = &dialog;
  EXPECT_EQ(ExecWithWatchdog(dialog), QDialog::Rejected);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

}  // namespace
}  // namespace verdanto
