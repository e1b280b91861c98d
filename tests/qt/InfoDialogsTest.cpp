// The windows that only show something: About, and the loading window with its progress bar.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <climits>

#include "ui/qt/CAboutDialog.h"
#include "ui/qt/CLoadDialog.h"
#include "ui/qt/DialogUnits.h"

namespace verdanto {
namespace {

TEST(AboutDialogTest, ShowsItsTextCentredWithNothingSelectedAndClosesWithEscape) {
  CAboutDialog about;
  const auto* text = about.findChild<QTextEdit*>(QStringLiteral("aboutText"));
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly() && text->toPlainText().endsWith(QStringLiteral("This release: " __DATE__)));
  for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next())
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << block.blockNumber();
  about.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
  EXPECT_EQ(std::tuple(QApplication::focusWidget(), text->textCursor().hasSelection()), std::tuple(text, false));
  QTest::keyClick(&about, Qt::Key_Escape);
  EXPECT_FALSE(about.isVisible());
}

// Window sizes are given in dialog units so that a larger font gets a larger window.
TEST(DialogUnitsTest, FollowTheFontSize) {
  QFont normal = QApplication::font();
  normal.setPointSize(9);
  QFont doubled = normal;
  doubled.setPointSize(18);
  const DialogUnits small(normal), large(doubled);
  ASSERT_GT(small.baseWidth(), 0);
  // Four horizontal units are one average character, eight vertical units one line.
  EXPECT_EQ(QPoint(small.X(4), small.Y(8)), QPoint(small.baseWidth(), small.baseHeight()));
  EXPECT_NEAR(large.X(200), 2 * small.X(200), small.X(200) / 5);
  EXPECT_NEAR(large.Y(32), 2 * small.Y(32), small.Y(32) / 5);
}

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
  EXPECT_EQ(std::tuple(dialog.windowTitle(), dialog.findChild<QLabel*>(QStringLiteral("loadText"))->text(), dialog.started()),
            std::tuple("Loading data", "Parsing Energy+.idd", false));
  EXPECT_EQ(ExecWithWatchdog(dialog), QDialog::Accepted);
  EXPECT_EQ(std::tuple(runs, visibleWhileReading, bar), std::tuple(1, true, std::vector<int>{200, 150, INT_MAX}));
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
  EXPECT_EQ(std::tuple(ExecWithWatchdog(dialog), dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint)),
            std::tuple(int{QDialog::Rejected}, false));
}

}  // namespace
}  // namespace verdanto
