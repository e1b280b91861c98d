// The host's window fed a script: the prompts of the host interface as a
// plug-in's command meets them (its own commands are CadSessionTest's).

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "CadHostWindow.h"

namespace {

using verdanto::PromptStatus;

TEST(CadHostScriptTest, APlugInCommandsPromptsAreAnsweredFromTheCommandLine) {
  cadhost::CadHostWindow host;
  host.RunScript({"3DFACE", "0,0,0", "1,0,0", "1,1,0", ""}, true);  // handle 100
  std::vector<verdanto::PromptAnswer> answers;
  verdanto::PickAnswer pick;
  host.AddCommand("TEST", "ASK", "ASK", 0, [&] {
    pick = host.PickEntity("\nSelect a region: ");
    answers.push_back(host.GetKeyword("LLC LRC ULC URC SForward SBackward", "\nCorner: "));
    answers.push_back(host.GetKeyword("CCW CW", "\nOrder: "));
    answers.push_back(host.GetString("\nName: ", true));
    answers.push_back(host.GetString("\nWord: ", false));
    answers.push_back(host.GetKeyword("Yes No", "\nAgain? "));
  });
  // A bad handle and a bad keyword are asked again; the script ends before the last answer.
  host.RunScript({"ask", "FFFF", "100", "nonsense", "sf", "", "South Wall 1", "one two"}, true);
  EXPECT_EQ(std::tuple(pick.status, pick.entity), std::tuple(PromptStatus::Ok, 0x100u));
  ASSERT_EQ(answers.size(), 5u);
  EXPECT_EQ(std::tuple(answers[0].text, answers[1].status, answers[2].text, answers[3].text, answers[4].status),
            std::tuple("SForward", PromptStatus::Empty, "South Wall 1", "one", PromptStatus::Cancelled));
  EXPECT_TRUE(host.ActiveDocument()->InApplicationContext()) << "outside a command";
}

TEST(CadHostScriptTest, AClickNearALineWhileAPickWaitsInItsOwnEventLoopPicksIt) {
  cadhost::CadHostWindow host;
  host.show();
  host.RunScript({"LINE", "0,0", "10,0", "", "ZOOM E"}, true);  // the line runs through the view's middle
  auto* view = host.findChild<QWidget*>(QStringLiteral("drawingArea"));
  ASSERT_NE(view, nullptr);
  const QPoint middle(view->width() / 2, view->height() / 2);
  QTimer::singleShot(0, view, [view, middle] {
    QTest::mouseClick(view, Qt::LeftButton, {}, middle + QPoint(0, 40));
    // Posted after the first prompt has its answer: it reaches the second one.
    QTimer::singleShot(0, view, [view, middle] { QTest::mouseClick(view, Qt::LeftButton, {}, middle + QPoint(0, 3)); });
  });
  // The first click misses: the plug-in hears Empty and asks again, as its contract says.
  const verdanto::PickAnswer missed = host.PickEntity("\nSelect: ");
  const verdanto::PickAnswer hit = host.PickEntity("\nSelect: ");
  EXPECT_EQ(std::tuple(missed.status, hit.status, hit.entity), std::tuple(PromptStatus::Empty, PromptStatus::Ok, 0x100u));
}

}  // namespace
