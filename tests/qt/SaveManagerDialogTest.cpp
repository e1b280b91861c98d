#include "ui/qt/CSaveManagerDialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>

#include "store/IdfReader.h"
#include "tests/qt/ModalDialog.h"
#include "tests/qt/WithMainDialog.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/StoreDump.h"
#include "tests/support/TempFolder.h"

// Failures show window texts as text.
static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

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

// Layers "0", "a" (two zones, modified) and "b" (a wall, modified) over the sample dictionary.
struct SaveManagerDialogTest : ::testing::Test {
  TempFolder folder;
  Dictionary store;
  LayerList layers;
  LookingPrompter prompter;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSaveManagerDialog> dialog;
  QTableView* list = nullptr;

  void SetUp() override {
    BuildSampleDictionary(store);
    for (const char* name : {"0", "a", "b"}) layers.AddLayer(name, "");
    Add(1, 0, "a", {"Z1", "30"});
    Add(1, 0, "a", {"Z2", "", "7"});
    Add(1, 1, "b", {"W1", "Z1"});
    store.GetValue(1, 0, 1, 0).comment = "turned";
    layers.At(1).modified = true;
    layers.At(2).modified = true;
  }
  void Add(std::uint16_t g, std::uint16_t c, const char* layer, std::initializer_list<const char*> values) {
    Layer& owner = layers.At(layers.FindLayerByName(layer));
    const std::uint16_t o = store.AddObject(g, c, owner.id);
    std::uint16_t f = 0;
    for (const char* value : values) store.GetValue(g, c, f++, o).value = value;
    ++owner.objectCount;
  }
  void Open(SaveChoices choices = {}) {
    dialog = std::make_unique<CSaveManagerDialog>(store, layers, std::move(choices), nullptr, &prompter, &chooser);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    list = dialog->findChild<QTableView*>("layerList");
    ASSERT_NE(list, nullptr);
  }
  template <typename T>
  T* Child(const char* name) {
    T* child = dialog->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QString Cell(int row, int column) const { return list->model()->index(row, column).data().toString(); }
  bool Checked(int row) const {
    return list->model()->index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
  }
  void ClickCell(int row, int column) {
    const QRect cell = list->visualRect(list->model()->index(row, column));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  }
  static std::string ReadBack(const std::string& path) {
    Dictionary copy;
    BuildSampleDictionary(copy);
    RecordingPrompter quiet;
    NullProgress progress;
    EXPECT_TRUE(LoadInputFile(path, copy, progress, quiet));
    return DumpObjects(copy);
  }
};

TEST_F(SaveManagerDialogTest, OpensWithTheLayersTheLastRowAndTheFirstRowSelected) {
  Open();
  EXPECT_EQ(dialog->windowTitle(), "Save Manager");
  ASSERT_EQ(list->model()->rowCount(), 4);
  EXPECT_EQ(Cell(1, 0), "a*");
  EXPECT_EQ(Cell(1, 1), "2");
  EXPECT_EQ(Cell(3, 0), "<All together checked layers>");
  EXPECT_EQ(Cell(3, 1), "3");
  EXPECT_EQ(list->model()->headerData(2, Qt::Horizontal).toString(), "File Path");
  EXPECT_EQ(list->model()->index(1, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
            Qt::AlignRight);
  EXPECT_EQ((std::vector<bool>{Checked(0), Checked(1), Checked(2), Checked(3)}),
            (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(list->selectionModel()->selectedRows().size(), 1);
  EXPECT_EQ(list->currentIndex().row(), 0);
  EXPECT_TRUE(list->showGrid());
  const int width = list->width();
  EXPECT_EQ(list->horizontalHeader()->sectionSize(0), width * 3 / 9);
  EXPECT_EQ(list->horizontalHeader()->sectionSize(1), width / 9);
  EXPECT_EQ(list->horizontalHeader()->sectionSize(2), width - width * 3 / 9 - width / 9 - 17);
  EXPECT_TRUE(Child<QCheckBox>("insertCommentsCheck")->isChecked());
  EXPECT_TRUE(Child<QPushButton>("browseButton")->isEnabled());
  EXPECT_FALSE(Child<QLabel>("progressLabel")->isVisible());
  EXPECT_FALSE(Child<QProgressBar>("progressBar")->isVisible());
}

TEST_F(SaveManagerDialogTest, SavesTwoLayersEachToItsOwnFileAndOkClosesWithTheChoices) {
  Open({"/kept/all.idf", true});
  const std::string pathA = folder.PathOf("a.idf");
  const std::string pathB = folder.PathOf("b.idf");
  chooser.answers.push_back(pathA);
  ClickCell(1, 2);  // a click in a "File Path" cell browses
  EXPECT_EQ(Cell(1, 2).toStdString(), pathA);
  ClickCell(2, 0);
  EXPECT_TRUE(chooser.answers.empty()) << "a click in another cell does not browse";
  chooser.answers.push_back(pathB);
  QTest::mouseClick(Child<QPushButton>("browseButton"), Qt::LeftButton);
  EXPECT_EQ(layers.At(2).outputPath, pathB);

  QTest::mouseClick(Child<QPushButton>("saveButton"), Qt::LeftButton);
  EXPECT_TRUE(prompter.recorder.messages.empty());
  EXPECT_EQ(ReadBack(pathA), "Zone: [Z1] [30 !turned] [] []\nZone: [Z2] [] [7] []\n");
  EXPECT_EQ(ReadBack(pathB), "Wall: [W1] [Z1] []\n");
  EXPECT_EQ(Cell(1, 0), "a");
  EXPECT_EQ(Cell(2, 0), "b");
  EXPECT_EQ((std::vector<bool>{Checked(0), Checked(1), Checked(2), Checked(3)}),
            (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(Cell(3, 1), "0");
  EXPECT_FALSE(Child<QProgressBar>("progressBar")->isVisible());

  QTest::mouseClick(Child<QCheckBox>("insertCommentsCheck"), Qt::LeftButton);
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
    seen << (Child<QProgressBar>("progressBar")->isVisible() ? "bar" : "no bar")
         << Child<QLabel>("progressLabel")->text();
  };
  prompter.recorder.script.push_back(Answer::Yes);
  QTest::mouseClick(Child<QPushButton>("saveButton"), Qt::LeftButton);
  EXPECT_EQ(seen, (QStringList{"bar", "Writing progress: a"}));
  ASSERT_EQ(prompter.recorder.messages.size(), 1u);
  EXPECT_EQ(prompter.recorder.messages[0].caption, "Writing Error");
  EXPECT_EQ(Cell(1, 0), "a*");
  EXPECT_TRUE(Checked(1));
  EXPECT_EQ(Cell(2, 0), "b");
  EXPECT_FALSE(Child<QLabel>("progressLabel")->isVisible());
}

TEST_F(SaveManagerDialogTest, CheckingTheLastRowWritesAllTogether) {
  Open({folder.PathOf("all.idf"), false});
  list->setCurrentIndex(list->model()->index(3, 0));
  QTest::keyClick(list, Qt::Key_Space);  // checks the row under the cursor
  EXPECT_TRUE(Checked(3));
  QTest::mouseClick(Child<QPushButton>("saveButton"), Qt::LeftButton);
  EXPECT_TRUE(prompter.recorder.messages.empty());
  EXPECT_EQ(ReadBack(folder.PathOf("all.idf")), "Zone: [Z1] [30] [] []\nZone: [Z2] [] [7] []\nWall: [W1] [Z1] []\n");
  EXPECT_FALSE(Checked(1));
  EXPECT_FALSE(Checked(3));
  EXPECT_EQ(Cell(1, 0), "a*") << "all together keeps the layers modified";
}

// --- Opened from the main window ------------------------------------------------------

struct SaveAsFromMainWindowTest : WithMainDialog {
  // Runs "&Save as..." with `act` on the save manager; the depth of pushed resource handles meanwhile.
  std::size_t SaveAs(const std::function<void(CSaveManagerDialog&)>& act) {
    std::size_t depth = 0;
    WhenModalShown([&](QWidget& window) {
      auto* saveManager = qobject_cast<CSaveManagerDialog*>(&window);
      ASSERT_NE(saveManager, nullptr);
      depth = host.resourceStack.size();
      act(*saveManager);
    });
    MainChild<QAction>("saveAsAction")->trigger();
    EXPECT_TRUE(host.Balanced());
    return depth;
  }
  static void Press(CSaveManagerDialog& window, const char* button) {
    QTest::mouseClick(window.findChild<QAbstractButton*>(button), Qt::LeftButton);
  }
  static void SelectRow(CSaveManagerDialog& window, int row) {
    auto* list = window.findChild<QTableView*>("layerList");
    list->setCurrentIndex(list->model()->index(row, 0));
  }
};

TEST_F(SaveAsFromMainWindowTest, OkHandsTheAllTogetherPathAndTheOptionBackForTheNextOpening) {
  const std::size_t depth = SaveAs([&](CSaveManagerDialog& window) {
    SelectRow(window, 1);  // layers "0", then the all-together row
    chooser.answers.push_back("/out/all.idf");
    Press(window, "browseButton");
    Press(window, "insertCommentsCheck");
    Press(window, "okButton");
  });
  EXPECT_EQ(depth, 1u);
  EXPECT_EQ(Model().saveAllPath, "/out/all.idf");
  EXPECT_EQ(Model().insertComments, 0);

  SaveChoices seen;
  SaveAs([&](CSaveManagerDialog& window) { seen = window.Choices(); });
  EXPECT_EQ(seen.allTogetherPath, "/out/all.idf");
  EXPECT_FALSE(seen.insertComments);
}

TEST_F(SaveAsFromMainWindowTest, EscapeDropsTheAllTogetherPathButNotALayersPath) {
  SaveAs([&](CSaveManagerDialog& window) {
    chooser.answers = {std::string("/out/zero.idf"), std::string("/out/all.idf")};
    Press(window, "browseButton");  // the first row is selected
    SelectRow(window, 1);
    Press(window, "browseButton");
    Press(window, "insertCommentsCheck");
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  EXPECT_EQ(Model().saveAllPath, "");
  EXPECT_EQ(Model().insertComments, 1);
  EXPECT_EQ(Model().layers.At(0).outputPath, "/out/zero.idf");
}

TEST_F(SaveAsFromMainWindowTest, YesToTheCloseQuestionOpensTheSaveManagerAndTheWindowStays) {
  MainChild<QPushButton>("addButton")->click();  // a Version object: layer "0" is modified now
  Model().store.GetValue(0, 0, 0, 0).value = "9.9";
  const std::string path = folder.PathOf("zero.idf");
  prompter.script = {Answer::Yes};
  WhenModalShown([&](QWidget& window) {
    EXPECT_EQ(window.windowTitle(), "Save Manager");
    chooser.answers.push_back(path);
    Press(static_cast<CSaveManagerDialog&>(window), "browseButton");
    Press(static_cast<CSaveManagerDialog&>(window), "saveButton");
    Press(static_cast<CSaveManagerDialog&>(window), "okButton");
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
