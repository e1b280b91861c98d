#include "ui/qt/CLayerManagerDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "tests/qt/WithMainDialog.h"
#include "tests/support/WindowScenarios.h"
#include "ui/models/LayersBoxModel.h"
#include "ui/qt/LayerImages.h"

namespace verdanto::testing {
namespace {

QStringList Column(const QTableWidget& list, int column) {
  QStringList out;
  for (int row = 0; row < list.rowCount(); ++row) out << list.item(row, column)->text();
  return out;
}

// A click on the row's name, away from its lamp.
void ClickRow(QTableWidget& list, int row, Qt::KeyboardModifiers modifiers = {}) {
  const QRect cell = list.visualItemRect(list.item(row, 0));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, QPoint(cell.right() - 4, cell.center().y()));
}

// A click on the lamp, drawn at the left of the name cell.
void ClickLamp(QTableWidget& list, int row) {
  const QRect cell = list.visualItemRect(list.item(row, 0));
  const QPoint lamp(cell.left() + 3 + kLayerImageWidth / 2, cell.center().y());
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, lamp);
}

// Edits the row's name in place and ends the edit with Enter.
void RenameInPlace(QTableWidget& list, int row, const QString& name) {
  list.editItem(list.item(row, 0));
  auto* editor = list.viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, name);
  QTest::keyClick(editor, Qt::Key_Return);
  // The edit is committed, and then the rename made, from posted events.
  for (int pass = 0; pass < 3; ++pass) QApplication::processEvents();
}

// The layer manager over FiveLayers.
struct LayerManagerDialogTest : ::testing::Test, FiveLayers {
  RecordingPrompter prompter;
  ObjectTreeObserver noTree;
  std::unique_ptr<CLayerManagerDialog> dialog;
  QTableWidget* list = nullptr;

  void SetUp() override {
    dialog = std::make_unique<CLayerManagerDialog>(store, layers, noTree, prompter);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    list = Child<QTableWidget>(*dialog, "layerList");
    ASSERT_NE(list, nullptr);
  }

  QStringList Column(int column) const { return testing::Column(*list, column); }
  QString CurrentLabel() const { return Child<QLabel>(*dialog, "currentLayerLabel")->text(); }
  std::vector<int> SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
  }
  QString Enabled() const {
    QString out;
    for (const char* name :
         {"addButton", "deleteButton", "currentButton", "mergeUpButton", "mergeDownButton", "okButton"})
      if (Child<QPushButton>(*dialog, name)->isEnabled()) out += QString::fromLatin1(name).remove("Button") + " ";
    return out.trimmed();
  }
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) { testing::ClickRow(*list, row, modifiers); }
  bool ShowsLamp(int row, int image) const {
    return list->item(row, 0)->icon().pixmap(kLayerImageWidth, kLayerImageHeight).toImage() ==
           LayerImagePixmap(image).toImage();
  }
};

TEST_F(LayerManagerDialogTest, OpensWithTheLayersAndTheFirstRowSelected) {
  EXPECT_EQ(dialog->windowTitle(), "Layer Manager");
  EXPECT_EQ(CurrentLabel(), "Current Layer: 0");
  EXPECT_EQ(Column(0), (QStringList{"0", "a", "b", "c", "d"}));
  EXPECT_EQ(Column(1), (QStringList{"0", "0", "2", "1", "0"}));
  EXPECT_EQ(list->item(0, 1)->textAlignment() & Qt::AlignRight, Qt::AlignRight);
  EXPECT_TRUE(ShowsLamp(0, kLampOnImage));
  EXPECT_EQ(SelectedRows(), std::vector<int>{0});
  EXPECT_EQ(Enabled(), "add delete current ok");
}

TEST_F(LayerManagerDialogTest, ButtonsFollowTheSelectionAndMergeMovesTheObjects) {
  ClickRow(1);
  ClickRow(2, Qt::ControlModifier);
  ClickRow(3, Qt::ControlModifier);
  EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Enabled(), "add delete mergeUp mergeDown ok");
  Click(*dialog, "mergeDownButton");  // into the last selected row
  EXPECT_EQ(Column(1), (QStringList{"0", "0", "0", "3", "0"}));
  EXPECT_TRUE(layers.At(2).modified && layers.At(3).modified);
  ClickRow(0);
  ClickRow(3, Qt::ControlModifier);
  Click(*dialog, "mergeUpButton");  // into the first
  EXPECT_EQ(Column(1), (QStringList{"3", "0", "0", "0", "0"}));
  list->clearSelection();
  EXPECT_EQ(Enabled(), "add ok");
}

TEST_F(LayerManagerDialogTest, RenamingInPlaceMovesTheRowKeepsItSelectedAndRenewsTheCurrentLabel) {
  ClickRow(1);
  RenameInPlace(*list, 1, "B");
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Invalid layer name\r\nThe layer name must be unique");
  EXPECT_EQ(Column(0), (QStringList{"0", "a", "b", "c", "d"}));  // the refused name does not stay in the row
  RenameInPlace(*list, 1, "z");
  EXPECT_EQ(Column(0), (QStringList{"0", "b", "c", "d", "z"}));
  EXPECT_EQ(Column(1), (QStringList{"0", "2", "1", "0", "0"}));
  EXPECT_EQ(SelectedRows(), std::vector<int>{4});
  EXPECT_EQ(list->currentRow(), 4);
  ClickRow(1);
  Click(*dialog, "currentButton");
  EXPECT_EQ(CurrentLabel(), "Current Layer: b");
  RenameInPlace(*list, 1, "Attic");
  EXPECT_EQ(CurrentLabel(), "Current Layer: Attic");
  EXPECT_EQ(Column(0), (QStringList{"0", "Attic", "c", "d", "z"}));  // sorted without regard to case
}

TEST_F(LayerManagerDialogTest, APressOnTheLampSwitchesTheLayerAndLeavesTheSelection) {
  ClickLamp(*list, 2);
  EXPECT_FALSE(layers.IsLayerOn(2));
  EXPECT_TRUE(ShowsLamp(2, kLampOffImage));
  EXPECT_EQ(SelectedRows(), std::vector<int>{0});
  EXPECT_EQ(layers.lastChanged, 2);
  EXPECT_EQ(layers.changeKind, ChangeKind::OnOffToggled);
}

TEST_F(LayerManagerDialogTest, AddThenDeleteTheNewEmptyLayer) {
  Click(*dialog, "addButton");
  EXPECT_EQ(Column(0), (QStringList{"0", "a", "b", "c", "d", "Layer 1"}));
  EXPECT_EQ(SelectedRows(), std::vector<int>{5});
  Click(*dialog, "deleteButton");
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(Column(0), (QStringList{"0", "a", "b", "c", "d"}));
  EXPECT_EQ(Enabled(), "add ok");
}

TEST_F(LayerManagerDialogTest, DoubleClickMakesALayerCurrentAndEscapeKeepsIt) {
  const QRect cell = list->visualItemRect(list->item(3, 0));
  const QPoint at(cell.right() - 4, cell.center().y());
  // What a double click sends: a click, then the second press as a double click.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(CurrentLabel(), "Current Layer: c");
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(layers.CurrentLayer(), 3);
}

TEST_F(LayerManagerDialogTest, DoubleClickOnALampSwitchesTheLayerOnceAndMakesItCurrent) {
  const QRect cell = list->visualItemRect(list->item(3, 0));
  const QPoint lamp(cell.left() + 3 + kLayerImageWidth / 2, cell.center().y());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, lamp);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, lamp);
  EXPECT_FALSE(layers.IsLayerOn(3));
  EXPECT_TRUE(ShowsLamp(3, kLampOffImage));
  EXPECT_EQ(layers.CurrentLayer(), 3);
  EXPECT_EQ(CurrentLabel(), "Current Layer: c");
}

// --- Opened from the main window ------------------------------------------------------

using LayerManagerFromMainWindowTest = WithMainDialog;

TEST_F(LayerManagerFromMainWindowTest, RenameAndMergeInTheManagerReachTheClassTreeAndTheLayersBox) {
  Read("Zone1", "Zone, Z1;\r\nZone, Z2;\r\n");
  ASSERT_EQ(TreeChildren({1, 0}), (QStringList{"<Object 1> \"Z1\"", "<Object 2> \"Z2\""}));
  std::size_t depth = 0;
  QStringList counts;
  WhenModalShown([&](QWidget& window) {
    depth = host.resourceStack.size();
    auto& list = *Child<QTableWidget>(window, "layerList");
    Click(window, "addButton");
    ASSERT_EQ(Column(list, 0), (QStringList{"0", "Layer 1", "Zone1"}));
    RenameInPlace(list, 1, "Zz");
    ASSERT_EQ(Column(list, 0), (QStringList{"0", "Zone1", "Zz"}));
    ClickLamp(list, 2);
    ClickRow(list, 1);
    ClickRow(list, 2, Qt::ControlModifier);
    Click(window, "mergeDownButton");
    counts = Column(list, 1);
    Click(window, "okButton");
  });
  Click(*main, "addLayerButton");
  EXPECT_EQ(depth, 1u);
  EXPECT_TRUE(host.Balanced());
  EXPECT_EQ(counts, (QStringList{"0", "0", "2"}));
  EXPECT_TRUE(TreeChildren({1, 0}).isEmpty()) << "the objects went to a layer that is off";
  auto* box = MainChild<QComboBox>("layersBox");
  QStringList entries;
  for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
  EXPECT_EQ(entries, (QStringList{"0", "Zone1", "Zz"}));

  QString title;  // the menu command opens it too
  WhenModalShown([&](QWidget& window) { title = window.windowTitle(); });
  MainChild<QAction>("layerManagerAction")->trigger();
  EXPECT_EQ(title, "Layer Manager");
  EXPECT_TRUE(host.Balanced());
}

}  // namespace
}  // namespace verdanto::testing
