// The main window draws its model and forwards the user's acts to it; what the
// model then decides is the model tests' concern. Both item models run under
// QAbstractItemModelTester, whose warnings fail the test.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <tuple>
#include <vector>

#include "tests/qt/WithMainDialog.h"
#include "tests/support/ScriptedDocument.h"
#include "ui/qt/ClassTreeModel.h"
#include "ui/qt/LayerImages.h"
#include "ui/qt/LayersBox.h"
#include "ui/qt/MessageBoxPrompter.h"

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
    for (QAbstractItemModel* items : {tree->model(), detail->model()})
      new QAbstractItemModelTester(items, QAbstractItemModelTester::FailureReportingMode::Warning, items);
  }
  QString Current() const { return tree->currentIndex().data().toString(); }
  unsigned CurrentKey() const { return tree->currentIndex().data(ClassTreeModel::kKeyRole).toUInt(); }
  QString Note() { return MainChild<QPlainTextEdit>("noteBox")->toPlainText(); }
  void OpenZone1() { Read("Zone1", "Zone, Z1, 1;\r\nZone, Z2, 2;\r\nZone, Z3, 3;\r\n"); }
  void ClickLampOfTheClosedBox() { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20, box->height() / 2)); }
  // Where the open list's entry `row` has its lamp (x 20) or its name (x 10 past the middle).
  QPoint InList(int row, bool lamp) const {
    const QRect entry = box->view()->visualRect(box->view()->model()->index(row, 0));
    return lamp ? entry.topLeft() + QPoint(20, entry.height() / 2) : entry.center() + QPoint(10, 0);
  }
};

TEST_F(MainDialog, DrawsTheModelAndItsButtonsAndChoicesReachIt) {
  EXPECT_EQ(std::tuple(main->windowTitle(), TreeChildren({}), Current(), detail->model()->headerData(3, Qt::Horizontal).toString()),
            std::tuple("Verdanto BETA Version - IDD Version 9.9.0", QStringList{"Simulation Parameters", "Zones", "Misc"},
                       "Version", "RFs"));
  EXPECT_EQ(Note() + MainChild<QPlainTextEdit>("memoBox")->toPlainText(),
            "Field \"A1 - Version Identifier\" Note:\nMajor and minor version.\nObject Memo:\nSpecifies the EnergyPlus version.\n");
  EXPECT_FALSE(MainChild<QPushButton>("selectButton")->isEnabled());
  OpenZone1();
  EXPECT_EQ(std::tuple(host.pushCount, host.Balanced()), std::tuple(1, true));
  tree->setCurrentIndex(TreeIndex({1}));  // the group Zones: on to its first class and that class's first object
  EXPECT_EQ(std::tuple(Current(), CurrentKey(), box->currentText()), std::tuple("<Object 1> \"Z1\"", 2u, "Zone1"));
  EXPECT_EQ(detail->model()->headerData(4, Qt::Horizontal).toString(), "<Object 1>");
  detail->setCurrentIndex(detail->model()->index(1, 1));  // choosing a row shows its note
  EXPECT_EQ(Note(), "Field \"N1 - X Origin\" Note:\n");
  tree->setCurrentIndex(TreeIndex({1, 0, 1}));
  Click(*main, "dupButton");
  EXPECT_EQ(Current(), "<Object 4> \"Z2\"");
  Click(*main, "addButton");
  EXPECT_EQ(std::tuple(Current(), DetailColumn(4)), std::tuple("<Object 5> \"\"", QStringList{"", ""}));
  tree->setCurrentIndex(TreeIndex({1, 1}));
  EXPECT_EQ(std::tuple(detail->model()->columnCount(), MainChild<QPushButton>("delButton")->isEnabled(), box->currentText()),
            std::tuple(4, false, "0"));
}

TEST_F(MainDialog, OpenAllAndCloseAllKeepTheSelectionShownAndAPressLeavesTheHighlightWhereTheRulesLead) {
  OpenZone1();
  tree->setCurrentIndex(TreeIndex({1, 0, 2}));
  MainChild<QAction>("openAllAction")->trigger();
  EXPECT_TRUE(tree->isExpanded(TreeIndex({0})) && tree->isExpanded(TreeIndex({2})));
  MainChild<QAction>("closeAllAction")->trigger();
  EXPECT_EQ(std::tuple(tree->isExpanded(TreeIndex({0})), Current()), std::tuple(false, "<Object 3> \"Z3\""));
  tree->expandAll();
  const struct {
    std::initializer_list<int> pressed;
    Qt::MouseButton button;
    const char* shown;
  } cases[] = {
      {{1}, Qt::LeftButton, "<Object 1> \"Z1\""},        {{1, 0, 2}, Qt::LeftButton, "<Object 3> \"Z3\""},
      {{1, 1}, Qt::LeftButton, "Old Zone"},              {{0}, Qt::RightButton, "Version"},  // the context menu's press
  };
  for (const auto& c : cases) {
    QTest::mouseClick(tree->viewport(), c.button, {}, tree->visualRect(TreeIndex(c.pressed)).center());
    const QModelIndexList selected = tree->selectionModel()->selectedIndexes();
    ASSERT_EQ(selected.size(), 1) << c.shown;
    EXPECT_EQ(std::tuple(Current(), selected.front()), std::tuple(c.shown, tree->currentIndex()));
  }
}

// Faults users met: Up stuck on an item that leads back, Enter or F2 not opening the field editor,
// the wheel over the closed layers box moving the object, and a pick in the open list.
TEST_F(MainDialog, UpEnterF2TheWheelAndAPickInTheOpenListDoWhatTheUserMeans) {
  OpenZone1();
  tree->expand(TreeIndex({0}));
  tree->setCurrentIndex(TreeIndex({1, 0, 1}));
  // The second Up goes past the class Zone and the group Zones, which lead back; downward the
  // rule holds: the group leads on to its first object.
  QStringList seen;
  for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down}) {
    QTest::keyClick(tree, key);
    seen << Current();
  }
  EXPECT_EQ(seen, (QStringList{"<Object 1> \"Z1\"", "Building", "<Object 1> \"Z1\""}));

  tree->setCurrentIndex(TreeIndex({1, 0, 1}));
  detail->setCurrentIndex(detail->model()->index(1, 0));
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2}) {
    QString opened;
    WhenModalShown([&opened](QWidget& editor) { opened = editor.windowTitle(); }, 2000);
    QTest::keyClick(detail, key);
    EXPECT_EQ(opened, "N1 - X Origin") << key;
  }

  for (const int delta : {120, -120, -120}) {
    const QPointF at(box->width() / 2.0, box->height() / 2.0);
    QWheelEvent wheel(at, box->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(std::tuple(box->currentText(), CurrentKey(), Model().layers.At(0).modified),
              std::tuple("Zone1", 0x00010002u, false));
  }

  box->showPopup();  // a pick of a name moves the selected object to that layer
  QTest::mouseMove(box->view()->viewport(), InList(0, false));
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  QTest::mouseClick(box->view()->viewport(), Qt::LeftButton, {}, InList(0, false));
  EXPECT_EQ(std::tuple(box->view()->isVisible(), CurrentKey(), box->currentText()), std::tuple(false, 0x00010001u, "0"));
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
  EXPECT_EQ(std::tuple(zones[0].isValid(), zones[1].row(), zones[1].data().toString()),
            std::tuple(false, 0, "<Object 1> \"Z2\""));
  EXPECT_EQ(std::tuple(Current(), DetailColumn(4)), std::tuple("<Object 1> \"Z2\"", QStringList{"Z2", "2"}));

  // Z3 and Z5 (now objects 2 and 4) to layer "0", which the closed box's lamp switches off.
  for (const int object : {1, 3}) {
    tree->setCurrentIndex(TreeIndex({1, 0, object}));
    emit box->activated(0);
  }
  zones = rows();
  ClickLampOfTheClosedBox();
  // The lamp acts, the list stays closed.
  ASSERT_EQ(std::tuple(box->view()->isVisible(), Model().layers.At(0).on), std::tuple(false, false));
  EXPECT_EQ(std::tuple(zones[1].isValid() || zones[3].isValid(), zones[0].row(), zones[2].row(), zones[2].data().toString()),
            std::tuple(false, 0, 1, "<Object 3> \"Z4\""));
  // The lamp in the open list switches it on again and keeps the list open.
  zones = rows();
  box->showPopup();
  QTest::mouseClick(box->view()->viewport(), Qt::LeftButton, {}, InList(0, true));
  ASSERT_EQ(std::tuple(box->view()->isVisible(), Model().layers.At(0).on), std::tuple(true, true));
  EXPECT_EQ(std::tuple(zones[0].row(), zones[1].row()), std::tuple(0, 2));
  EXPECT_EQ(TreeChildren({1, 0}), (QStringList{"<Object 1> \"Z2\"", "<Object 2> \"Z3\"", "<Object 3> \"Z4\"",
                                               "<Object 4> \"Z5\""}));
  box->hidePopup();
}

TEST_F(MainDialog, ClosingAsksAboutModifiedLayersAndGoesOnlyOnNo) {
  main->close();
  EXPECT_EQ(released, 1);
  main->show();
  Click(*main, "addButton");
  prompter.script = {Answer::Yes, Answer::No};
  WhenModalShown([](QWidget& saveManager) { saveManager.close(); });  // Yes opened it
  MainChild<QAction>("exitAction")->trigger();
  EXPECT_EQ(std::tuple(released, main->isVisible()), std::tuple(1, true));
  main->close();
  EXPECT_EQ(std::tuple(released, main->isVisible(), prompter.messages.size()), std::tuple(2, false, 2u));
}

TEST_F(MainDialog, EscapeOrTheCloseBoxOnTheCloseQuestionKeepsTheWindowAndItsLayers) {
  MessageBoxPrompter boxes(nullptr);
  ASSERT_TRUE(MakeMain(boxes));
  Click(*main, "addButton");
  for (const auto end : {+[](QWidget& question) { QTest::keyClick(&question, Qt::Key_Escape); },
                         +[](QWidget& question) { question.close(); }}) {
    WhenModalShown(end);
    MainChild<QAction>("exitAction")->trigger();
    EXPECT_EQ(std::tuple(released, main->isVisible(), Model().layers.At(0).modified), std::tuple(0, true, true));
    EXPECT_EQ(TreeChildren({0, 0}), QStringList{"<Object 1> \"\""});
  }
}

// Widths: texts are shown whole, and a width the user set stays.
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

  const std::string name(300, 'W');  // a long object name widens the tree's column instead of being cut
  Read("Long", "Zone, " + name + ", 4;\r\n");
  tree->expandAll();
  EXPECT_GE(tree->header()->sectionSize(0),
            tree->fontMetrics().horizontalAdvance(QString::fromStdString("<Object 4> \"" + name + "\"")));
  EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0);
  const QString layer = QString(60, QChar('W'));  // the open layers list shows a long layer name whole
  Read(layer.toStdString(), "Zone, Z9, 9;\r\n");
  box->showPopup();
  const QRect entry = box->view()->visualRect(box->view()->model()->index(box->findText(layer), 0));
  EXPECT_GE(box->view()->viewport()->width(), entry.left() + kLayerNameLeft + box->fontMetrics().horizontalAdvance(layer));
  box->hidePopup();
}

// "&Select..." is enabled for surface classes and minimises the window while the host's command line asks.
TEST_F(WithMainDialog, SelectMakesASurfaceWhileTheWindowIsMinimised) {
  auto* select = MainChild<QPushButton>("selectButton");
  MainChild<QTreeView>("classTree")->setCurrentIndex(TreeIndex({1, 2}));  // Zones, Surface: three triples
  ASSERT_TRUE(select->isEnabled());

  ScriptedDocument document;
  host.activeDocument = &document;
  const EntityId line = document.AddPiece({0, 0, 0}, {1, 0, 0});
  host.script.picks = {line, document.AddRegion({{0, 0, 0}, {2, 0, 0}, {0, 1.5, 0}}, {0, 0, 1})};
  host.script.answers = {"No", "", "", "Roof"};
  bool minimisedWhileAsked = false;
  host.script.echo = [&](std::string_view) { minimisedWhileAsked = main->isMinimized(); };  // the line is refused
  select->click();

  EXPECT_EQ(std::tuple(minimisedWhileAsked, main->isMinimized(), main->KeepFocus(), host.Balanced()),
            std::tuple(true, false, 1, true));
  EXPECT_EQ(TreeChildren({1, 2}) + DetailColumn(4),
            (QStringList{"<Object 1> \"Roof\"", "Roof", "3", "0", "0", "0", "2", "0", "0", "0", "1.5", "0"}));
}

}  // namespace
}  // namespace verdanto::testing
