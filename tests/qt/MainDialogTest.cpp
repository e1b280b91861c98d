#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWheelEvent>
#include <string>
#include <tuple>
#include <string_view>
#include <vector>

#include "tests/qt/WithMainDialog.h"
#include "ui/qt/ClassTreeModel.h"
#include "ui/qt/LayerImages.h"
#include "ui/qt/LayersBox.h"
#include "ui/qt/MessageBoxPrompter.h"

namespace verdanto::testing {
namespace {

// What QAbstractItemModelTester finds wrong in an item model fails the test.
std::vector<std::string> modelFaults;
QtMessageHandler otherMessages = nullptr;
void CollectModelFaults(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (context.category != nullptr && std::string_view(context.category) == "qt.modeltest" && type >= QtWarningMsg) {
    modelFaults.push_back(message.toStdString());
  } else if (otherMessages != nullptr) {
    otherMessages(type, context, message);
  }
}

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
    modelFaults.clear();
    otherMessages = qInstallMessageHandler(CollectModelFaults);
    for (QAbstractItemModel* items : {tree->model(), detail->model()})
      new QAbstractItemModelTester(items, QAbstractItemModelTester::FailureReportingMode::Warning, items);
  }
  void TearDown() override {
    qInstallMessageHandler(otherMessages);
    EXPECT_EQ(modelFaults, std::vector<std::string>{});
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

TEST_F(MainDialog, EscapeOrTheCloseBoxOnTheCloseQuestionKeepsTheWindowAndItsLayers) {
  MessageBoxPrompter boxes(nullptr);
  ASSERT_TRUE(MakeMain(boxes));
  Click(*main, "addButton");
  for (const auto end : {+[](QWidget& question) { QTest::keyClick(&question, Qt::Key_Escape); },
                         +[](QWidget& question) { question.close(); }}) {
    WhenModalShown(end);
    MainChild<QAction>("exitAction")->trigger();
    EXPECT_EQ(released, 0);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(Model().layers.At(0).modified);
    EXPECT_EQ(TreeChildren({0, 0}), QStringList{"<Object 1> \"\""});
  }
}

TEST_F(MainDialog, TheWheelOverTheClosedLayersBoxMovesNothing) {
  OpenZone1();
  tree->setCurrentIndex(TreeIndex({1, 0, 1}));
  ASSERT_EQ(box->currentText(), "Zone1");
  for (const int delta : {120, -120, -120}) {
    const QPointF at(box->width() / 2.0, box->height() / 2.0);
    QWheelEvent wheel(at, box->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(box->currentText(), "Zone1");
    EXPECT_EQ(tree->currentIndex().data(ClassTreeModel::kKeyRole).toUInt(), 0x00010002u);
    EXPECT_FALSE(Model().layers.At(0).modified);
  }
}

TEST_F(MainDialog, RemovedItemsAreTheRemovedObjectsOwnRows) {
  Read("Zone1", "Zone, Z1, 1;\r\nZone, Z2, 2;\r\nZone, Z3, 3;\r\nZone, Z4, 4;\r\nZone, Z5, 5;\r\n");
  const auto rows = [this] {
    std::vector<QPersistentModelIndex> out;
    for (int row = 0; row < tree->model()->rowCount(TreeIndex({1, 0})); ++row) out.emplace_back(TreeIndex({1, 0, row}));
    return out;
  };
  // Deleting the first object: its own row goes, the others move up and are renumbered.
  tree->setCurrentIndex(TreeIndex({1, 0, 0}));
  std::vector<QPersistentModelIndex> zones = rows();
  Click(*main, "delButton");
  EXPECT_FALSE(zones[0].isValid());
  EXPECT_EQ(zones[1].row(), 0);
  EXPECT_EQ(zones[1].data().toString(), "<Object 1> \"Z2\"");

  // Z3 and Z5 (now objects 2 and 4) to layer "0", which is then switched off and on again.
  for (const int object : {1, 3}) {
    tree->setCurrentIndex(TreeIndex({1, 0, object}));
    emit box->activated(0);
  }
  zones = rows();
  ClickLampOfTheClosedBox();
  ASSERT_FALSE(Model().layers.At(0).on);
  EXPECT_FALSE(zones[1].isValid() || zones[3].isValid());
  EXPECT_EQ(std::tuple(zones[0].row(), zones[2].row()), std::tuple(0, 1));
  EXPECT_EQ(zones[2].data().toString(), "<Object 3> \"Z4\"");
  zones = rows();
  box->showPopup();
  const QRect zero = box->view()->visualRect(box->view()->model()->index(0, 0));
  QTest::mouseClick(box->view()->viewport(), Qt::LeftButton, {}, zero.topLeft() + QPoint(20, zero.height() / 2));
  ASSERT_TRUE(Model().layers.At(0).on);
  EXPECT_EQ(std::tuple(zones[0].row(), zones[1].row()), std::tuple(0, 2));
  EXPECT_EQ(TreeChildren({1, 0}), (QStringList{"<Object 1> \"Z2\"", "<Object 2> \"Z3\"", "<Object 3> \"Z4\"",
                                               "<Object 4> \"Z5\""}));
}

TEST_F(MainDialog, UpGoesOnPastItemsThatTheSelectionRuleWouldLeaveAtOnce) {
  OpenZone1();
  tree->expand(TreeIndex({0}));
  tree->setCurrentIndex(TreeIndex({1, 0, 1}));
  QTest::keyClick(tree, Qt::Key_Up);
  EXPECT_EQ(Current(), "<Object 1> \"Z1\"");
  QTest::keyClick(tree, Qt::Key_Up);  // past the class Zone and the group Zones, which lead back here
  EXPECT_EQ(Current(), "Building");
  QTest::keyClick(tree, Qt::Key_Down);  // downward the rule holds: the group leads on to its first object
  EXPECT_EQ(Current(), "<Object 1> \"Z1\"");
}

TEST_F(MainDialog, EnterOrF2OnADetailRowOpensTheFieldEditorOfThatField) {
  OpenZone1();
  tree->setCurrentIndex(TreeIndex({1, 0, 1}));
  detail->setCurrentIndex(detail->model()->index(1, 0));
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2}) {
    QString opened;
    WhenModalShown([&opened](QWidget& editor) { opened = editor.windowTitle(); }, 2000);
    QTest::keyClick(detail, key);
    EXPECT_EQ(opened, "N1 - X Origin") << key;
  }
}

TEST_F(MainDialog, ColumnsFitTheirTextsAndKeepTheWidthsTheUserSet) {
  OpenZone1();
  tree->setCurrentIndex(TreeIndex({1, 0, 0}));
  QHeaderView* header = detail->horizontalHeader();
  const int margins = 2 * (detail->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  EXPECT_GE(header->sectionSize(1), detail->fontMetrics().horizontalAdvance("Outside Boundary Condition") + margins);
  header->resizeSection(1, 321);
  header->resizeSection(4, 123);
  for (const std::initializer_list<int> item : {std::initializer_list<int>{1, 0, 2}, {1, 1}, {0, 0}, {1, 0, 0}}) {
    tree->setCurrentIndex(TreeIndex(item));
    EXPECT_EQ(header->sectionSize(1), 321);
  }
  EXPECT_EQ(header->sectionSize(4), 123);

  // The open layers list shows a long name whole.
  const QString name = QString(60, QChar('W'));
  Read(name.toStdString(), "Zone, Z9, 9;\r\n");
  box->showPopup();
  const QRect entry = box->view()->visualRect(box->view()->model()->index(1, 0));
  EXPECT_GE(box->view()->viewport()->width(),
            entry.left() + kLayerNameLeft + box->fontMetrics().horizontalAdvance(name));
  box->hidePopup();
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
