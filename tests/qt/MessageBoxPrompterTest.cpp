#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <ostream>

#include "tests/qt/WindowDriver.h"
#include "ui/qt/MessageBoxPrompter.h"

namespace verdanto::testing {
namespace {

// How the user ends a box.
void PressEscape(QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); }
void PressEnter(QWidget& box) { QTest::keyClick(&box, Qt::Key_Return); }
void CloseBox(QWidget& box) { box.close(); }
void ClickYes(QWidget& box) { static_cast<QMessageBox&>(box).button(QMessageBox::Yes)->click(); }

struct EndingCase {
  const char* name;
  Buttons buttons;
  void (*end)(QWidget&);
  Answer expected;
};
void PrintTo(const EndingCase& c, std::ostream* out) { *out << c.name; }

class MessageBoxEnding : public ::testing::TestWithParam<EndingCase> {};

TEST_P(MessageBoxEnding, GivesTheAnswerOfTheUsersChoice) {
  const EndingCase& c = GetParam();
  MessageBoxPrompter boxes;
  WhenModalShown([&c](QWidget& box) { c.end(box); });
  EXPECT_EQ(boxes.Show("Question?", kAppCaption, Icon::Question, c.buttons), c.expected);
}

// Escape and the close box decide nothing: a Yes/No question answers Cancel, which
// every caller takes as "leave everything as it is". Enter takes the default
// button: No for a question whose Yes deletes something.
INSTANTIATE_TEST_SUITE_P(
    Endings, MessageBoxEnding,
    ::testing::Values(EndingCase{"YesNoEscape", Buttons::YesNo, PressEscape, Answer::Cancel},
                      EndingCase{"YesNoCloseBox", Buttons::YesNo, CloseBox, Answer::Cancel},
                      EndingCase{"YesNoYes", Buttons::YesNo, ClickYes, Answer::Yes},
                      EndingCase{"YesNoEnter", Buttons::YesNo, PressEnter, Answer::Yes},
                      EndingCase{"YesNoDefaultNoEnter", Buttons::YesNoDefaultNo, PressEnter, Answer::No},
                      EndingCase{"YesNoDefaultNoEscape", Buttons::YesNoDefaultNo, PressEscape, Answer::Cancel},
                      EndingCase{"YesNoCancelEscape", Buttons::YesNoCancel, PressEscape, Answer::Cancel},
                      EndingCase{"OkEscape", Buttons::Ok, PressEscape, Answer::Ok}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace verdanto::testing
