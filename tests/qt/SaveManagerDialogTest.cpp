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
    dialog = std::make_unique<CSaveManagerDialog>(store, layers, std::move(choices), nullptr, &prompter, &chooser);
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

TEST_F(SaveManagerDialogTest, OpensWithTheLayersTheLastRowAndTheFirstRowSelected) {
  Open();
  EXPECT_EQ(dialog->windowTitle(), "Save Manager");
  EXPECT_EQ(Rows(), (QStringList{"0 1", "a* 3 [x]", "b* 1 [x]", "<All together checked layers> 4"}));
  EXPECT_EQ(list->model()->headerData(2, Qt::Horizontal).toString(), "File Path");
  EXPECT_EQ(list->selectionModel()->selectedRows().size(), 1);
  EXPECT_EQ(list->currentIndex().row(), 0);
  EXPECT_TRUE(Child<QCheckBox>(*dialog, "insertCommentsCheck")->isChecked());
  EXPECT_FALSE(Child<QLabel>(*dialog, "progressLabel")->isVisible());
  EXPECT_FALSE(ProgressShown());
}

TEST_F(SaveManagerDialogTest, SavesTwoLayersEachToItsOwnFileAndOkClosesWithTheChoices) {
  Open({"/kept/all.idf", true});
  const std::string pathA = folder.PathOf("a.idf");
  const std::string pathB = folder.PathOf("b.idf");
  chooser.answers.push_back(pathA);
  ClickCell(1, 2);  // a click in a "File Path" cell browses
  EXPECT_EQ(list->model()->index(1, 2).data().toString().toStdString(), pathA);
  ClickCell(2, 0);
  EXPECT_TRUE(chooser.answers.empty()) << "a click in another cell does not browse";
  chooser.answers.push_back(pathB);
  Click(*dialog, "browseButton");
  EXPECT_EQ(layers.At(2).outputPath, pathB);

  Click(*dialog, "saveButton");
  EXPECT_TRUE(prompter.recorder.messages.empty());
  EXPECT_EQ(ReadBack(pathA), kLayerA);
  EXPECT_EQ(ReadBack(pathB), "Zone: [Z2] [] [] []\n");
  EXPECT_EQ(Rows(), (QStringList{"0 1", "a 3", "b 1", "<All together checked layers> 0"}));
  EXPECT_FALSE(ProgressShown());

  Click(*dialog, "insertCommentsCheck");
  QTest::keyClick(list, Qt::Key_Return);  // Enter acts as OK
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->Choices().allTogetherPath, "/kept/all.idf");
  EXPECT_FALSE(dialog->Choices().insertComments);
}

TEST_F(SaveManagerDialogTest, TheProgressShowsWhichLayerIsWrittenWhenItFails) {
  layers.At(1).outputPath = folder.PathOf("missing/a.idf");
  layers.At(2).outputPath = folder.PathOf("b.idf");
  Open();
  QStringList seen;
  prompter.look = [&] {
    seen << (ProgressShown() ? "bar" : "no bar") << Child<QLabel>(*dialog, "progressLabel")->text();
  };
  prompter.recorder.script.push_back(Answer::Yes);
  Click(*dialog, "saveButton");
  EXPECT_EQ(seen, (QStringList{"bar", "Writing progress: a"}));
  ASSERT_EQ(prompter.recorder.messages.size(), 1u);
  EXPECT_EQ(prompter.recorder.messages[0].caption, "Writing Error");
  EXPECT_EQ(Rows(), (QStringList{"0 1", "a* 3 [x]", "b 1", "<All together checked layers> 3"}));
  EXPECT_FALSE(Child<QLabel>(*dialog, "progressLabel")->isVisible());
}

TEST_F(SaveManagerDialogTest, CheckingTheLastRowWritesAllTogether) {
  Open({folder.PathOf("all.idf"), false});
  list->setCurrentIndex(list->model()->index(3, 0));
  QTest::keyClick(list, Qt::Key_Space);  // checks the row under the cursor
  EXPECT_EQ(Rows().last(), "<All together checked layers> 4 [x]");
  Click(*dialog, "saveButton");
  EXPECT_TRUE(prompter.recorder.messages.empty());
  EXPECT_EQ(ReadBack(folder.PathOf("all.idf")),
            "Zone: [Z1] [30] [] [4]\nZone: [Z2] [] [] []\nZone: [Z3] [] [1] []\nWall: [W1] [Z1] []\n");
  // All together unchecks every row and keeps the layers modified.
  EXPECT_EQ(Rows(), (QStringList{"0 1", "a* 3", "b* 1", "<All together checked layers> 0"}));
}

// --- Opened from the main window ------------------------------------------------------

struct SaveAsFromMainWindowTest : WithMainDialog {
  // Runs "&Save as..." with `act` on the save manager; the depth of pushed resource handles meanwhile.
  std::size_t SaveAs(const std::function<void(QWidget&)>& act) {
    std::size_t depth = 0;
    WhenModalShown([&](QWidget& window) {
      EXPECT_EQ(window.windowTitle(), "Save Manager");
      depth = host.resourceStack.size();
      act(window);
    });
    MainChild<QAction>("saveAsAction")->trigger();
    EXPECT_TRUE(host.Balanced());
    return depth;
  }
  static void SelectRow(QWidget& window, int row) {
    auto* list = Child<QTableView>(window, "layerList");
    list->setCurrentIndex(list->model()->index(row, 0));
  }
};

TEST_F(SaveAsFromMainWindowTest, OkHandsTheChoicesBackForTheNextOpeningAndEscapeOnlyALayersPath) {
  const std::size_t depth = SaveAs([&](QWidget& window) {
    chooser.answers = {std::string("/out/zero.idf"), std::string("/out/escaped.idf")};
    Click(window, "browseButton");  // the first row is selected
    SelectRow(window, 1);           // layer "0", then the all-together row
    Click(window, "browseButton");
    Click(window, "insertCommentsCheck");
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  EXPECT_EQ(depth, 1u);
  EXPECT_EQ(Model().saveAllPath, "");
  EXPECT_EQ(Model().insertComments, 1);
  EXPECT_EQ(Model().layers.At(0).outputPath, "/out/zero.idf");

  SaveAs([&](QWidget& window) {
    SelectRow(window, 1);
    chooser.answers.push_back("/out/all.idf");
    Click(window, "browseButton");
    Click(window, "insertCommentsCheck");
    Click(window, "okButton");
  });
  EXPECT_EQ(Model().saveAllPath, "/out/all.idf");
  EXPECT_EQ(Model().insertComments, 0);
  SaveChoices seen;
  SaveAs([&](QWidget& window) { seen = static_cast<CSaveManagerDialog&>(window).Choices(); });
  EXPECT_EQ(seen.allTogetherPath, "/out/all.idf");
  EXPECT_FALSE(seen.insertComments);
}

TEST_F(SaveAsFromMainWindowTest, YesToTheCloseQuestionOpensTheSaveManagerAndTheWindowStays) {
  Click(*main, "addButton");  // a Version object: layer "0" is modified now
  Model().store.GetValue(0, 0, 0, 0).value = "9.9";
  const std::string path = folder.PathOf("zero.idf");
  prompter.script = {Answer::Yes};
  WhenModalShown([&](QWidget& window) {
    EXPECT_EQ(window.windowTitle(), "Save Manager");
    chooser.answers.push_back(path);
    Click(window, "browseButton");
    Click(window, "saveButton");
    Click(window, "okButton");
  });
  MainChild<QAction>("exitAction")->trigger();
  EXPECT_EQ(released, 0);
  EXPECT_TRUE(main->isVisible());
  EXPECT_FALSE(Model().layers.At(0).modified);
  EXPECT_NE(TempFolder::Read(path).find("Version,\r\n    9.9;"), std::string::npos);
  MainChild<QAction>("exitAction")->trigger();  // nothing is left to save: no question
  EXPECT_EQ(released, 1);
  EXPECT_EQ(prompter.messages.size(), 1u);
}

}  // namespace
}  // namespace verdanto::testing
