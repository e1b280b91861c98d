#include "ui/qt/CAboutDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include "ui/qt/DialogUnits.h"

namespace verdanto {
namespace {

TEST(AboutDialogTest, ShowsItsTextCentredWithNothingSelectedAndClosesWithEscape) {
  CAboutDialog about;
  const auto* text = about.findChild<QTextEdit*>(QStringLiteral("aboutText"));
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_TRUE(text->toPlainText().endsWith(QStringLiteral("This release: " __DATE__)));
  for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next())
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << block.blockNumber();
  about.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
  EXPECT_EQ(QApplication::focusWidget(), text);
  EXPECT_FALSE(text->textCursor().hasSelection());
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

}  // namespace
}  // namespace verdanto
