#include "ui/qt/CSaveManagerDialog.h"

#include <gtest/gtest.h>

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

// The save manager over SavedLayers.
struct SaveManagerDialogTest : ::testing::Test, SavedLayers {
  TempFolder folder;
  LookingPrompter prompter;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSaveManagerDialog> dialog;
  QTableView* list = nullptr;

  void Open(SaveChoices choices = {}) {
    dialog = std::make_unique<CSaveManagerDialog>(store, layers, std::move(choices), prompter, chooser);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    list = Child<QTableView>(*dialog, "layerList");
    ASSERT_NE(list, nullptr);
  }
  // Every row as "name objects", with "[x]" when checked.
  QStringList Rows() const {
    QStringList rows;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
      const QModelIndex name = list->model()->index(row, 0);
      rows << name.data().toString() + " " + list->model()->index(row, 1).data().toString() +
                  (name.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked ? " [x]" : "");
    }
    return rows;
  }
  void ClickCell(int row, int column) {
    const QRect cell = list->visualRect(list->model()->index(row, column));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  }
  bool ProgressShown() const { return Child<QProgressBar>(*dialog, "progressBar")->isVisible(); }
};

// The rows, saving and its progress are the model's; here each control reaches it
// and the window redraws what it changed.
TEST_F(SaveManagerDialogTest, ControlsReachTheModelAndTheWindowFollowsIt) {
  Open({"/kept/all.idf", true});
  EXPECT_EQ(dialog->windowTitle(), "Save Manager");
  EXPECT_EQ(Rows(), (QStringList{"0 1", "a* 3 [x]", "b* 1 [x]", "<All together checked layers> 4"}));
  EXPECT_EQ(list->model()->headerData(2, Qt::Horizontal).toString(), "File Path");
  EXPECT_EQ(list->currentIndex().row(), 0);
  EXPECT_TRUE(Child<QCheckBox>(*dialog, "insertCommentsCheck")->isChecked());
  EXPECT_FALSE(ProgressShown());

  const std::string pathA = folder.PathOf("a.idf");
  chooser.answers.push_back(pathA);
  ClickCell(1, 2);  // a click in a "File Path" cell browses
  EXPECT_EQ(list->model()->index(1, 2).data().toString().toStdString(), pathA);
  ClickCell(2, 0);
  EXPECT_TRUE(chooser.answers.empty()) << "a click in another cell does not browse";
  chooser.answers.push_back(folder.PathOf("missing/b.idf"));
  Click(*dialog, "browseButton");
  list->setCurrentIndex(list->model()->index(0, 0));
  QTest::keyClick(list, Qt::Key_Space);  // checks the row under the cursor
  EXPECT_EQ(Rows().first(), "0 1 [x]");
  list->setCurrentIndex(list->model()->index(0, 0));
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(Rows().first(), "0 1");

  QStringList seen;  // what the user sees behind the message about "b"
  prompter.look = [&] {
    seen << (ProgressShown() ? "bar" : "no bar") << Child<QLabel>(*dialog, "progressLabel")->text();
  };
  Click(*dialog, "saveButton");
  EXPECT_EQ(seen, (QStringList{"bar", "Writing progress: b"}));
  ASSERT_EQ(prompter.recorder.messages.size(), 1u);
  EXPECT_EQ(prompter.recorder.messages[0].caption, "Writing Error");
  EXPECT_EQ(ReadBack(pathA), kLayerA);
  EXPECT_EQ(Rows(), (QStringList{"0 1", "a 3", "b* 1 [x]", "<All together checked layers> 1"}));
  EXPECT_FALSE(ProgressShown());
  EXPECT_FALSE(Child<QLabel>(*dialog, "progressLabel")->isVisible());

  Click(*dialog, "insertCommentsCheck");
  QTest::keyClick(list, Qt::Key_Return);  // Enter acts as OK
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->Choices().allTogetherPath, "/kept/all.idf");
  EXPECT_FALSE(dialog->Choices().insertComments);
}

// The main window keeps the choices of an accepted save manager for its next
// opening; a cancelled one keeps only what changed a layer (its path).
using SaveAsFromMainWindowTest = WithMainDialog;

TEST_F(SaveAsFromMainWindowTest, OkKeepsTheChoicesForTheNextOpeningAndEscapeOnlyALayersPath) {
  const auto saveAs = [&](const std::function<void(QWidget&, QTableView&)>& act) {
    WhenModalShown([&](QWidget& window) {
      EXPECT_EQ(window.windowTitle(), "Save Manager");
      EXPECT_EQ(host.resourceStack.size(), 1u);
      act(window, *Child<QTableView>(window, "layerList"));
    });
    MainChild<QAction>("saveAsAction")->trigger();
    EXPECT_TRUE(host.Balanced());
  };
  saveAs([&](QWidget& window, QTableView& list) {
    chooser.answers = {std::string("/out/zero.idf"), std::string("/out/escaped.idf")};
    Click(window, "browseButton");                    // layer "0", the first row
    list.setCurrentIndex(list.model()->index(1, 0));  // the all-together row
    Click(window, "browseButton");
    Click(window, "insertCommentsCheck");
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  EXPECT_EQ(Model().saveAllPath, "");
  EXPECT_EQ(Model().insertComments, 1);
  EXPECT_EQ(Model().layers.At(0).outputPath, "/out/zero.idf");

  saveAs([&](QWidget& window, QTableView& list) {
    list.setCurrentIndex(list.model()->index(1, 0));
    chooser.answers.push_back("/out/all.idf");
    Click(window, "browseButton");
    Click(window, "insertCommentsCheck");
    Click(window, "okButton");
  });
  EXPECT_EQ(Model().saveAllPath, "/out/all.idf");
  EXPECT_EQ(Model().insertComments, 0);
  saveAs([&](QWidget& window, QTableView&) {
    EXPECT_EQ(static_cast<CSaveManagerDialog&>(window).Choices().allTogetherPath, "/out/all.idf");
    EXPECT_FALSE(static_cast<CSaveManagerDialog&>(window).Choices().insertComments);
  });
}

}  // namespace
}  // namespace verdanto::testing
