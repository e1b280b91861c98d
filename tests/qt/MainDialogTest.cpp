#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QPlainTextEdit>
#include <QPushButton>

#include "tests/qt/WithMainDialog.h"
#include "ui/qt/ClassTreeModel.h"
#include "ui/qt/LayersBox.h"

namespace verdanto::testing {
namespace {

struct MainDialog : WithMainDialog {
  QTreeView* tree = nullptr;
  QTableView* detail = nullptr;
  LayersBox* box = nullptr;

  void SetUp() override {
    WithMainDialog::SetUp();
    tree = MainChild<QTreeView>("classTree");
    detail = MainChild<QTableView>("detailList");
    box = MainChild<LayersBox>("layersBox");
    ASSERT_TRUE(tree && detail && box);
  }
  QString Current() const { return tree->currentIndex().data().toString(); }
  QString Note() { return MainChild<QPlainTextEdit>("noteBox")->toPlainText(); }
  void OpenZone1() { Read("Zone1", "Zone, Z1, 1;\r\nZone, Z2, 2;\r\nZone, Z3, 3;\r\n"); }
  void ClickLampOfTheClosedBox() { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20, box->height() / 2)); }
};

TEST_F(MainDialog, CreationShowsTheTitleTheTreeAndTheFirstClass) {
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(main->windowTitle(), "Verdanto BETA Version - IDD Version 9.9.0");
  EXPECT_EQ(TreeChildren({}), (QStringList{"Simulation Parameters", "Zones", "Misc"}));
  EXPECT_EQ(Current(), "Version");
  EXPECT_EQ(detail->model()->headerData(3, Qt::Horizontal).toString(), "RFs");
  EXPECT_EQ(DetailColumn(0), QStringList{"A1"});
  EXPECT_EQ(Note(), "Field \"A1 - Version Identifier\" Note:\nMajor and minor version.\n");
  EXPECT_EQ(MainChild<QPlainTextEdit>("memoBox")->toPlainText(), "Object Memo:\nSpecifies the EnergyPlus version.\n");
  EXPECT_EQ(box->currentText(), "0");
  EXPECT_FALSE(MainChild<QPushButton>("selectButton")->isEnabled());
  EXPECT_TRUE(host.Balanced());
}

TEST_F(MainDialog, SelectingInTheTreeFollowsTheSelectionRules) {
  OpenZone1();
  EXPECT_EQ(host.pushCount, 1);
  EXPECT_TRUE(host.Balanced());
  EXPECT_EQ(TreeChildren({1, 0}), (QStringList{"<Object 1> \"Z1\"", "<Object 2> \"Z2\"", "<Object 3> \"Z3\""}));
  tree->setCurrentIndex(TreeIndex({1}));  // the group Zones: on to its first class and that class's first object
  EXPECT_EQ(Current(), "<Object 1> \"Z1\"");
  EXPECT_EQ(tree->currentIndex().data(ClassTreeModel::kKeyRole).toUInt(), 0x00000002u);
  EXPECT_EQ(detail->model()->columnCount(), 5);
  EXPECT_EQ(detail->model()->headerData(4, Qt::Horizontal).toString(), "<Object 1>");
  tree->setCurrentIndex(TreeIndex({1, 0, 2}));
  EXPECT_EQ(DetailColumn(4), (QStringList{"Z3", "3"}));
  EXPECT_EQ(box->currentText(), "Zone1");
  EXPECT_EQ(detail->currentIndex().row(), 0);
  detail->setCurrentIndex(detail->model()->index(1, 1));  // choosing a row shows its note
  EXPECT_EQ(Note(), "Field \"N1 - X Origin\" Note:\n");
  tree->setCurrentIndex(TreeIndex({1, 1}));
  EXPECT_EQ(detail->model()->columnCount(), 4);
  EXPECT_FALSE(MainChild<QPushButton>("delButton")->isEnabled());
  EXPECT_EQ(box->currentText(), "0");
}

TEST_F(MainDialog, AddDupAndDelChangeTheTreeInPlace) {
  OpenZone1();
  tree->setCurrentIndex(TreeIndex({1, 0, 1}));
  Click(*main, "dupButton");
  EXPECT_EQ(Current(), "<Object 4> \"Z2\"");
  Click(*main, "addButton");
  EXPECT_EQ(Current(), "<Object 5> \"\"");
  tree->setCurrentIndex(TreeIndex({1, 0, 0}));
  Click(*main, "delButton");
  EXPECT_EQ(TreeChildren({1, 0}),
            (QStringList{"<Object 1> \"Z2\"", "<Object 2> \"Z3\"", "<Object 3> \"Z2\"", "<Object 4> \"\""}));
  EXPECT_EQ(Current(), "<Object 1> \"Z2\"");
  EXPECT_EQ(DetailColumn(4), (QStringList{"Z2", "2"}));
}

TEST_F(MainDialog, ALampClickInTheClosedBoxHidesTheShownLayersObjects) {
  OpenZone1();
  tree->setCurrentIndex(TreeIndex({1, 0, 1}));
  ASSERT_EQ(box->currentText(), "Zone1");
  ClickLampOfTheClosedBox();
  EXPECT_FALSE(box->view()->isVisible());
  EXPECT_EQ(TreeChildren({1, 0}), QStringList{});
  EXPECT_EQ(Current(), "Zone");
  ClickLampOfTheClosedBox();  // the box shows layer 0 now
  EXPECT_FALSE(Model().layers.At(0).on);
}

TEST_F(MainDialog, ImagesInTheOpenListActAndKeepItOpenWhileANamePicks) {
  OpenZone1();
  tree->setCurrentIndex(TreeIndex({1, 0, 1}));
  box->showPopup();
  QAbstractItemView* list = box->view();
  ASSERT_TRUE(list->isVisible());
  const QRect zone1 = list->visualRect(list->model()->index(1, 0));
  const QPoint zone1Lamp = zone1.topLeft() + QPoint(20, zone1.height() / 2);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, zone1Lamp);
  EXPECT_TRUE(list->isVisible());
  EXPECT_FALSE(Model().layers.IsLayerOn(1));
  EXPECT_EQ(TreeChildren({1, 0}).size(), 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, zone1Lamp);
  EXPECT_EQ(TreeChildren({1, 0}).size(), 3);

  // A pick of the name "0" moves the selected object there.
  tree->setCurrentIndex(TreeIndex({1, 0, 1}));
  box->showPopup();
  const QPoint zero = list->visualRect(list->model()->index(0, 0)).center() + QPoint(10, 0);
  QTest::mouseMove(list->viewport(), zero);
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, zero);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(tree->currentIndex().data(ClassTreeModel::kKeyRole).toUInt(), 0x00010001u);
  EXPECT_EQ(box->currentText(), "0");
  EXPECT_TRUE(Model().layers.At(0).modified);
}

TEST_F(MainDialog, ClosingAsksAboutModifiedLayersAndGoesOnlyOnNo) {
  main->close();
  EXPECT_EQ(released, 1);
  EXPECT_TRUE(prompter.messages.empty());

  main->show();
  Click(*main, "addButton");
  prompter.script = {Answer::Yes, Answer::No};
  WhenModalShown([](QWidget& saveManager) { saveManager.close(); });  // Yes opened it
  MainChild<QAction>("exitAction")->trigger();
  EXPECT_EQ(released, 1);
  EXPECT_TRUE(main->isVisible());
  main->close();
  EXPECT_EQ(released, 2);
  EXPECT_FALSE(main->isVisible());
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[1].text, "Save changes to following layers?\r\n\r\n    0");
}

TEST_F(MainDialog, OpenAllExpandsEveryClassAndCloseAllKeepsTheSelectionShown) {
  OpenZone1();
  tree->setCurrentIndex(TreeIndex({1, 0, 2}));
  MainChild<QAction>("openAllAction")->trigger();
  EXPECT_TRUE(tree->isExpanded(TreeIndex({0})));
  EXPECT_TRUE(tree->isExpanded(TreeIndex({2})));
  MainChild<QAction>("closeAllAction")->trigger();
  EXPECT_FALSE(tree->isExpanded(TreeIndex({0})));
  EXPECT_EQ(Current(), "<Object 3> \"Z3\"");
}

}  // namespace
}  // namespace verdanto::testing
