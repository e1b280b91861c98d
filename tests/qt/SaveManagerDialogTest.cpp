// The save manager draws its model and forwards clicks, keys and buttons; the
// rows, saving and its progress are the model tests' concern. Its item model
// runs under QAbstractItemModelTester, whose warnings fail the test.

#include "ui/qt/CSaveManagerDialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <functional>

#include "tests/qt/WithMainDialog.h"
#include "tests/support/WindowScenarios.h"

namespace verdanto::testing {
namespace {

// Answers like a RecordingPrompter and first looks at the window, as a user
// reading the message would see it.
class LookingPrompter final : public Prompter {
 public:
  RecordingPrompter recorder;
  std::function<void()> look;
  Answer Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) override {
    if (look) look();
    return recorder.Show(text, caption, icon, buttons);
  }
};

struct SaveManagerDialogTest : ::testing::Test, SavedLayers {
  TempFolder folder;
  LookingPrompter prompter;
  ScriptedFileChooser chooser;
};

TEST_F(SaveManagerDialogTest, ControlsReachTheModelAndTheWindowFollowsIt) {
  CSaveManagerDialog dialog(store, layers, {"/kept/all.idf", true}, prompter, chooser);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  auto* list = Child<QTableView>(dialog, "layerList");
  QAbstractItemModelTester tester(list->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
  const auto rows = [list] {  // every row as "name objects", with "[x]" when checked
    QStringList out;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
      const QModelIndex name = list->model()->index(row, 0);
      out << name.data().toString() + " " + list->model()->index(row, 1).data().toString() +
                 (name.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked ? " [x]" : "");
    }
    return out;
  };
  const auto clickCell = [list](int row, int column) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, column)).center());
  };
  auto* bar = Child<QProgressBar>(dialog, "progressBar");
  EXPECT_EQ(std::tuple(rows(), Child<QCheckBox>(dialog, "insertCommentsCheck")->isChecked(), bar->isVisible()),
            std::tuple(QStringList{"0 1", "a* 3 [x]", "b* 1 [x]", "<All together checked layers> 4"}, true, false));

  const std::string pathA = folder.PathOf("a.idf");
  chooser.answers.push_back(pathA);
  clickCell(1, 2);  // a click in a "File Path" cell browses, elsewhere not
  clickCell(2, 0);
  EXPECT_EQ(list->model()->index(1, 2).data().toString().toStdString(), pathA);
  chooser.answers.push_back(folder.PathOf("missing/b.idf"));
  Click(dialog, "browseButton");
  EXPECT_EQ(std::tuple(chooser.requests.size(), chooser.answers.size()), std::tuple(2u, 0u));
  list->setCurrentIndex(list->model()->index(0, 0));
  QTest::keyClick(list, Qt::Key_Space);  // checks the row under the cursor
  EXPECT_EQ(rows().first(), "0 1 [x]");
  list->setCurrentIndex(list->model()->index(0, 0));
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(rows().first(), "0 1");

  QStringList seen;  // what the user sees behind the message about "b"
  prompter.look = [&] { seen << (bar->isVisible() ? "bar" : "no bar") << Child<QLabel>(dialog, "progressLabel")->text(); };
  Click(dialog, "saveButton");
  EXPECT_EQ(std::tuple(seen, prompter.recorder.messages.size(), ReadBack(pathA)),
            std::tuple(QStringList{"bar", "Writing progress: b"}, 1u, kLayerA));
  EXPECT_EQ(std::tuple(rows(), bar->isVisible() || Child<QLabel>(dialog, "progressLabel")->isVisible()),
            std::tuple(QStringList{"0 1", "a 3", "b* 1 [x]", "<All together checked layers> 1"}, false));

  Click(dialog, "insertCommentsCheck");
  QTest::keyClick(list, Qt::Key_Return);  // Enter acts as OK
  EXPECT_EQ(std::tuple(dialog.result(), dialog.isVisible()), std::tuple(int{QDialog::Accepted}, false));
  EXPECT_EQ(std::tuple(dialog.Choices().allTogetherPath, dialog.Choices().insertComments),
            std::tuple("/kept/all.idf", false));
}

// The main window keeps the choices of an accepted save manager for its next
// opening; a cancelled one keeps only what changed a layer (its path).
TEST_F(WithMainDialog, SaveAsKeepsTheChoicesOnOkAndOnlyALayersPathOnEscape) {
  const auto saveAs = [&](const std::function<void(QWidget&, QTableView&)>& act) {
    WhenModalShown([&](QWidget& window) {
      EXPECT_EQ(std::tuple(window.windowTitle(), host.resourceStack.size()), std::tuple("Save Manager", 1u));
      act(window, *Child<QTableView>(window, "layerList"));
    });
    MainChild<QAction>("saveAsAction")->trigger();
    EXPECT_TRUE(host.Balanced());
  };
  const auto browseAllTogether = [&](QWidget& window, QTableView& list, const char* path) {
    list.setCurrentIndex(list.model()->index(1, 0));
    chooser.answers.push_back(path);
    Click(window, "browseButton");
    Click(window, "insertCommentsCheck");
  };
  saveAs([&](QWidget& window, QTableView& list) {
    chooser.answers = {std::string("/out/zero.idf")};
    Click(window, "browseButton");  // layer "0", the first row
    browseAllTogether(window, list, "/out/escaped.idf");
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  EXPECT_EQ(std::tuple(Model().saveAllPath, Model().insertComments, Model().layers.At(0).outputPath),
            std::tuple("", true, "/out/zero.idf"));
  saveAs([&](QWidget& window, QTableView& list) {
    browseAllTogether(window, list, "/out/all.idf");
    Click(window, "okButton");
  });
  EXPECT_EQ(std::tuple(Model().saveAllPath, Model().insertComments), std::tuple("/out/all.idf", false));
  saveAs([&](QWidget& window, QTableView&) {
    const SaveChoices& kept = static_cast<CSaveManagerDialog&>(window).Choices();
    EXPECT_EQ(std::tuple(kept.allTogetherPath, kept.insertComments), std::tuple("/out/all.idf", false));
  });
}

}  // namespace
}  // namespace verdanto::testing
