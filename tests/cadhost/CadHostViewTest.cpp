// The host's drawing view as a user meets it: keys typed while it has the
// focus, and the highlight of a pick that a plug-in asks again.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "CadHostWindow.h"
#include "DrawingArea.h"

namespace {

TEST(CadHostViewTest, KeysTypedWhileTheDrawingHasTheFocusReachTheCommandLine) {
  cadhost::CadHostWindow host;
  host.show();
  host.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  host.findChild<QWidget*>(QStringLiteral("drawingArea"))->setFocus(Qt::MouseFocusReason);
  QWidget* focused = QApplication::focusWidget();
  ASSERT_NE(focused, nullptr);
  QTest::keyClicks(focused, QStringLiteral("ZOOM E"));
  QTest::keyClick(focused, Qt::Key_Return);
  const auto* history = host.findChild<QPlainTextEdit*>(QStringLiteral("commandHistory"));
  EXPECT_TRUE(history->toPlainText().contains(QStringLiteral("Command: ZOOM E"))) << history->toPlainText().toStdString();
}

TEST(CadHostViewTest, EscapeCancelsAPlugInsWaitingPrompt) {
  cadhost::CadHostWindow host;
  host.show();
  host.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  QTimer::singleShot(0, &host, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
  // Should Escape not reach it, an answer ends the prompt rather than the test hanging.
  QTimer::singleShot(5000, &host, [&host] {
    auto* input = host.findChild<QLineEdit*>(QStringLiteral("commandInput"));
    input->setText(QStringLiteral("No"));
    emit input->returnPressed();
  });
  EXPECT_EQ(host.GetKeyword("Yes No", "\nFlip surface normal? [Yes/No] <No>: ").status, verdanto::PromptStatus::Cancelled);
}

TEST(CadHostViewTest, APickAskedAgainHighlightsOnlyTheNewAnswer) {
  cadhost::CadHostWindow host;
  host.show();
  host.RunScript({"LINE", "0,0", "10,0", "", "LINE", "0,5", "10,5", "", "ZOOM E"}, true);  // handles 100, 101
  auto* view = host.findChild<cadhost::DrawingArea*>(QStringLiteral("drawingArea"));
  ASSERT_NE(view, nullptr);
  // Whether some pixel along the horizontal line at y has the highlight's colour.
  const auto lit = [view](const QImage& image, double y) {
    const int row = static_cast<int>(std::lround(view->height() / 2.0 - (y - 2.5) * view->scale()));
    for (int x = view->width() / 4; x < view->width() * 3 / 4; ++x) {
      if (image.pixelColor(x, row) == QColor(0xFF, 0xC0, 0x20)) return true;
    }
    return false;
  };
  QImage during;
  host.AddCommand("TEST", "PICKTWICE", "PICKTWICE", 0, [&] {
    host.PickEntity("\nSelect: ");  // the plug-in refuses this one and asks again
    host.PickEntity("\nSelect: ");
    during = view->grab().toImage();
  });
  host.RunScript({"PICKTWICE", "100", "101"}, true);
  ASSERT_FALSE(during.isNull());
  EXPECT_FALSE(lit(during, 0));
  EXPECT_TRUE(lit(during, 5));
  EXPECT_FALSE(lit(view->grab().toImage(), 5)) << "after the command";
}

}  // namespace
