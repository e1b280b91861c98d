#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>

#include "tests/qt/ModalDialog.h"
#include "tests/support/FakeHost.h"
#include "tests/support/MainWindowSupport.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempFolder.h"
#include "ui/models/MainWindowModel.h"
#include "ui/qt/CMainDialog.h"
#include "ui/qt/ClassTreeModel.h"
#include "ui/qt/LayersBox.h"

namespace verdanto::testing {
namespace {

struct MainDialog : ::testing::Test {
  TempFolder folder;
  FakeHost host;
  RecordingPrompter prompter;
  ScriptedFileChooser chooser;
  MemoryLoadRunner loader{prompter};
  int released = 0;
  std::unique_ptr<CMainDialog> dialog;
  QTreeView* tree = nullptr;
  QTableView* detail = nullptr;
  LayersBox* box = nullptr;

  void SetUp() override {
    const std::string settings = folder.Write("Verdanto.ini", "[IDD PATH]\r\n/dictionaries/Energy+.idd");
    dialog = std::make_unique<CMainDialog>(host, settings, [this] { ++released; });
    dialog->UseServices(&prompter, &chooser, &loader);
    loader.store = &dialog->Model().store;
    ASSERT_TRUE(dialog->Create());
    tree = dialog->findChild<QTreeView*>("classTree");
    detail = dialog->findChild<QTableView*>("detailList");
    box = dialog->findChild<LayersBox*>("layersBox");
    ASSERT_TRUE(tree && detail && box);
  }

  template <typename T>
  T* Child(const char* name) {
    T* child = dialog->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QModelIndex Index(std::initializer_list<int> rows) const {
    QModelIndex index;
    for (const int row : rows) index = tree->model()->index(row, 0, index);
    return index;
  }
  QString Text(const QModelIndex& index) const { return index.data().toString(); }
  QString Current() const { return Text(tree->currentIndex()); }
  QStringList Children(std::initializer_list<int> rows) const {
    const QModelIndex parent = Index(rows);
    QStringList out;
    for (int row = 0; row < tree->model()->rowCount(parent); ++row) out << Text(tree->model()->index(row, 0, parent));
    return out;
  }
  QStringList DetailColumn(int column) const {
    QStringList out;
    const QAbstractItemModel& rows = *detail->model();
    for (int row = 0; row < rows.rowCount(); ++row) out << rows.index(row, column).data().toString();
    return out;
  }
  void OpenZone1() {
    loader.files["/models/Zone1.idf"] = "Zone, Z1, 1;\r\nZone, Z2, 2;\r\nZone, Z3, 3;\r\n";
    chooser.multiAnswers.push_back(std::vector<std::string>{"/models/Zone1.idf"});
    Child<QAction>("openFilenameLayerAction")->trigger();
  }
  void Click(const char* button) { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }
};

TEST_F(MainDialog, CreationShowsTheTitleTheTreeAndTheFirstClass) {
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->windowTitle(), "Verdanto BETA Version - IDD Version 9.9.0");
  EXPECT_EQ(Children({}), (QStringList{"Simulation Parameters", "Zones", "Misc"}));
  EXPECT_EQ(Current(), "Version");
  EXPECT_EQ(detail->model()->columnCount(), 4);
  EXPECT_EQ(detail->model()->headerData(3, Qt::Horizontal).toString(), "RFs");
  EXPECT_EQ(detail->horizontalHeader()->sectionSize(1), 200);
  EXPECT_EQ(DetailColumn(0), QStringList{"A1"});
  EXPECT_EQ(Child<QPlainTextEdit>("noteBox")->toPlainText(),
            "Field \"A1 - Version Identifier\" Note:\nMajor and minor version.\n");
  EXPECT_EQ(Child<QPlainTextEdit>("memoBox")->toPlainText(), "Object Memo:\nSpecifies the EnergyPlus version.\n");
  EXPECT_EQ(box->currentText(), "0");
  EXPECT_TRUE(Child<QAction>("saveAsAction")->isEnabled());
  EXPECT_FALSE(Child<QPushButton>("selectButton")->isEnabled());
  EXPECT_TRUE(host.Balanced());
}

TEST_F(MainDialog, SelectingInTheTreeFollowsTheSelectionRules) {
  OpenZone1();
  EXPECT_EQ(host.pushCount, 1);
  EXPECT_TRUE(host.Balanced());
  EXPECT_EQ(Children({1, 0}), (QStringList{"<Object 1> \"Z1\"", "<Object 2> \"Z2\"", "<Object 3> \"Z3\""}));
  tree->setCurrentIndex(Index({1}));  // the group Zones: on to its first class and that class's first object
  EXPECT_EQ(Current(), "<Object 1> \"Z1\"");
  EXPECT_EQ(tree->currentIndex().data(ClassTreeModel::kKeyRole).toUInt(), 0x00000002u);
  EXPECT_EQ(detail->model()->columnCount(), 5);
  EXPECT_EQ(detail->model()->headerData(4, Qt::Horizontal).toString(), "<Object 1>");
  EXPECT_EQ(detail->horizontalHeader()->sectionSize(4), 180);
  tree->setCurrentIndex(Index({1, 0, 2}));
  EXPECT_EQ(DetailColumn(4), (QStringList{"Z3", "3"}));
  EXPECT_EQ(box->currentText(), "Zone1");
  EXPECT_EQ(detail->currentIndex().row(), 0);

  // Choosing a row shows its note.
  detail->setCurrentIndex(detail->model()->index(1, 1));
  EXPECT_EQ(Child<QPlainTextEdit>("noteBox")->toPlainText(), "Field \"N1 - X Origin\" Note:\n");
  tree->setCurrentIndex(Index({1, 1}));
  EXPECT_EQ(detail->model()->columnCount(), 4);
  EXPECT_FALSE(Child<QPushButton>("delButton")->isEnabled());
  EXPECT_EQ(box->currentText(), "0");
}

TEST_F(MainDialog, AddDupAndDelChangeTheTreeInPlace) {
  OpenZone1();
  tree->setCurrentIndex(Index({1, 0, 1}));
  Click("dupButton");
  EXPECT_EQ(Children({1, 0}).last(), "<Object 4> \"Z2\"");
  EXPECT_EQ(Current(), "<Object 4> \"Z2\"");
  Click("addButton");
  EXPECT_EQ(Current(), "<Object 5> \"\"");
  tree->setCurrentIndex(Index({1, 0, 0}));
  Click("delButton");
  EXPECT_EQ(Children({1, 0}), (QStringList{"<Object 1> \"Z2\"", "<Object 2> \"Z3\"", "<Object 3> \"Z2\"",
                                           "<Object 4> \"\""}));
  EXPECT_EQ(Current(), "<Object 1> \"Z2\"");
  EXPECT_EQ(DetailColumn(4), (QStringList{"Z2", "2"}));
}

TEST_F(MainDialog, ALampClickInTheClosedBoxHidesTheShownLayersObjects) {
  OpenZone1();
  tree->setCurrentIndex(Index({1, 0, 1}));
  ASSERT_EQ(box->currentText(), "Zone1");
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20, box->height() / 2));
  EXPECT_FALSE(box->view()->isVisible());
  EXPECT_EQ(tree->model()->rowCount(Index({1, 0})), 0);
  EXPECT_EQ(Current(), "Zone");
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20, box->height() / 2));  // the box shows layer 0 now
  EXPECT_FALSE(dialog->Model().layers.At(0).on);
}

TEST_F(MainDialog, ImagesInTheOpenListActAndKeepItOpenWhileANamePicks) {
  OpenZone1();
  tree->setCurrentIndex(Index({1, 0, 1}));
  box->showPopup();
  QAbstractItemView* list = box->view();
  ASSERT_TRUE(list->isVisible());
  const QRect zone1 = list->visualRect(list->model()->index(1, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, zone1.topLeft() + QPoint(20, zone1.height() / 2));
  EXPECT_TRUE(list->isVisible());
  EXPECT_FALSE(dialog->Model().layers.IsLayerOn(1));
  EXPECT_EQ(tree->model()->rowCount(Index({1, 0})), 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, zone1.topLeft() + QPoint(20, zone1.height() / 2));
  EXPECT_EQ(tree->model()->rowCount(Index({1, 0})), 3);

  // A pick of the name "0" moves the selected object there.
  tree->setCurrentIndex(Index({1, 0, 1}));
  box->showPopup();
  const QRect zero = list->visualRect(list->model()->index(0, 0));
  QTest::mouseMove(list->viewport(), zero.center() + QPoint(10, 0));
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, zero.center() + QPoint(10, 0));
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(tree->currentIndex().data(ClassTreeModel::kKeyRole).toUInt(), 0x00010001u);
  EXPECT_EQ(box->currentText(), "0");
  EXPECT_TRUE(dialog->Model().layers.At(0).modified);
}

TEST_F(MainDialog, ClosingAsksAboutModifiedLayersAndGoesOnlyOnNo) {
  dialog->close();
  EXPECT_EQ(released, 1);
  EXPECT_TRUE(prompter.messages.empty());

  dialog->show();
  Click("addButton");
  prompter.script = {Answer::Yes, Answer::No};
  WhenModalShown([](QWidget& saveManager) { saveManager.close(); });  // Yes opened it
  Child<QAction>("exitAction")->trigger();
  EXPECT_EQ(released, 1);
  EXPECT_TRUE(dialog->isVisible());
  dialog->close();
  EXPECT_EQ(released, 2);
  EXPECT_FALSE(dialog->isVisible());
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[1].text, "Save changes to following layers?\r\n\r\n    0");
}

TEST_F(MainDialog, OpenAllExpandsEveryClassAndCloseAllKeepsTheSelectionShown) {
  OpenZone1();
  tree->setCurrentIndex(Index({1, 0, 2}));
  Child<QAction>("openAllAction")->trigger();
  EXPECT_TRUE(tree->isExpanded(Index({0})));
  EXPECT_TRUE(tree->isExpanded(Index({2})));
  Child<QAction>("closeAllAction")->trigger();
  EXPECT_FALSE(tree->isExpanded(Index({0})));
  EXPECT_EQ(Current(), "<Object 3> \"Z3\"");
}

}  // namespace
}  // namespace verdanto::testing
