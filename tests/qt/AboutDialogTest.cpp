#include "ui/qt/CAboutDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include "ui/qt/DialogUnits.h"

namespace verdanto {
namespace {

TEST(AboutDialogTest, ShowsTheFixedTextCentredAndClosesWithEscape) {
  CAboutDialog about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About Verdanto"));
  const auto* text = about.findChild<QTextEdit*>(QStringLiteral("aboutText"));
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly());
  const QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
  ASSERT_GE(lines.size(), 6);
  EXPECT_EQ(lines.mid(0, 4), (QStringList{"Verdanto BETA Version", "Free CAD plug-in to create and edit",
                                          "EnergyPlus input files", ""}));
  EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{"", "This release: " __DATE__}));
  for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next())
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << block.blockNumber();

  about.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
  EXPECT_EQ(QApplication::focusWidget(), text);
  EXPECT_FALSE(text->textCursor().hasSelection());
  QTest::keyClick(&about, Qt::Key_Escape);
  EXPECT_FALSE(about.isVisible());
}

TEST(DialogUnitsTest, FollowTheFontSize) {
  QFont normal = QApplication::font();
  normal.setPointSize(9);
  QFont doubled = normal;
  doubled.setPointSize(18);
  const DialogUnits small(normal), large(doubled);
  ASSERT_GT(small.baseWidth(), 0);
  // Four horizontal units are one average character, eight vertical units one line.
  EXPECT_EQ(QPoint(small.X(4), small.Y(8)), QPoint(small.baseWidth(), small.baseHeight()));
  EXPECT_EQ(small.Rect(6, 20, 188, 6), QRect(small.X(6), small.Y(20), small.X(188), small.Y(6)));
  // Twice the font: about twice the window, so that its texts still fit.
  EXPECT_NEAR(large.X(200), 2 * small.X(200), small.X(200) / 5);
  EXPECT_NEAR(large.Y(32), 2 * small.Y(32), small.Y(32) / 5);
}

}  // namespace
}  // namespace verdanto
