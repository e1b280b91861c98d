// The layer manager draws its model and forwards clicks, double clicks, in-place
// edits and buttons; the layer operations themselves are the model tests' concern.

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

// Where a row's name (away from its lamp) or its lamp (at the left of the name cell) is.
QPoint At(const QTableWidget& list, int row, bool lamp = false) {
  const QRect cell = list.visualItemRect(list.item(row, 0));
  return {lamp ? cell.left() + 3 + kLayerImageWidth / 2 : cell.right() - 4, cell.center().y()};
}
void ClickRow(QTableWidget& list, int row, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, At(list, row));
}
// What a double click sends: a click, then the second press as a double click.
void DoubleClick(QTableWidget& list, int row, bool lamp) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, At(list, row, lamp));
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, At(list, row, lamp));
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

// The layer manager over FiveLayers: "0", "a", "b" (2 zones), "c" (1 zone), "d".
struct LayerManagerDialogTest : ::testing::Test, FiveLayers {
  RecordingPrompter prompter;
  ObjectTreeObserver noTree;
  CLayerManagerDialog dialog{store, layers, noTree, prompter};
  QTableWidget* list = nullptr;

  void SetUp() override {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    list = Child<QTableWidget>(dialog, "layerList");
    ASSERT_NE(list, nullptr);
  }
  QString CurrentLabel() const { return Child<QLabel>(dialog, "currentLayerLabel")->text(); }
  std::vector<int> SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
  }
  QString Enabled() const {
    QString out;
    for (const char* name : {"addButton", "deleteButton", "currentButton", "mergeUpButton", "mergeDownButton"})
      if (Child<QPushButton>(dialog, name)->isEnabled()) out += QString::fromLatin1(name).remove("Button") + " ";
    return out.trimmed();
  }
  bool ShowsLamp(int row, int image) const {
    return list->item(row, 0)->icon().pixmap(kLayerImageWidth, kLayerImageHeight).toImage() ==
           LayerImagePixmap(image).toImage();
  }
};

TEST_F(LayerManagerDialogTest, DrawsTheLayersAndItsButtonsFollowTheSelection) {
  EXPECT_EQ(std::tuple(dialog.windowTitle(), CurrentLabel(), Column(*list, 0) + Column(*list, 1), ShowsLamp(0, kLampOnImage)),
            std::tuple("Layer Manager", "Current Layer: 0", QStringList{"0", "a", "b", "c", "d", "0", "0", "2", "1", "0"}, true));
  EXPECT_EQ(std::tuple(SelectedRows(), Enabled()), std::tuple(std::vector<int>{0}, "add delete current"));
  ClickRow(*list, 1);
  ClickRow(*list, 2, Qt::ControlModifier);
  ClickRow(*list, 3, Qt::ControlModifier);
  EXPECT_EQ(std::tuple(SelectedRows(), Enabled()), std::tuple(std::vector<int>{1, 2, 3}, "add delete mergeUp mergeDown"));
  Click(dialog, "mergeDownButton");  // into the last selected row
  EXPECT_EQ(Column(*list, 1), (QStringList{"0", "0", "0", "3", "0"}));
  ClickRow(*list, 0);
  ClickRow(*list, 3, Qt::ControlModifier);
  Click(dialog, "mergeUpButton");  // into the first
  EXPECT_EQ(Column(*list, 1), (QStringList{"3", "0", "0", "0", "0"}));
  Click(dialog, "addButton");
  EXPECT_EQ(std::tuple(Column(*list, 0).last(), SelectedRows()), std::tuple("Layer 1", std::vector<int>{5}));
  Click(dialog, "deleteButton");  // empty: nothing is asked
  EXPECT_EQ(std::tuple(list->rowCount(), prompter.messages.size(), Enabled()), std::tuple(5, 0u, "add"));
}

TEST_F(LayerManagerDialogTest, RenamingInPlaceMovesTheRowKeepsItSelectedAndRenewsTheCurrentLabel) {
  ClickRow(*list, 1);
  RenameInPlace(*list, 1, "B");  // the refused name does not stay in the row
  EXPECT_EQ(std::tuple(prompter.messages.size(), Column(*list, 0)), std::tuple(1u, QStringList{"0", "a", "b", "c", "d"}));
  RenameInPlace(*list, 1, "z");
  EXPECT_EQ(std::tuple(Column(*list, 0), SelectedRows(), list->currentRow()),
            std::tuple(QStringList{"0", "b", "c", "d", "z"}, std::vector<int>{4}, 4));
  ClickRow(*list, 1);
  Click(dialog, "currentButton");
  RenameInPlace(*list, 1, "Attic");  // sorted without regard to case
  EXPECT_EQ(std::tuple(CurrentLabel(), Column(*list, 0)),
            std::tuple("Current Layer: Attic", QStringList{"0", "Attic", "c", "d", "z"}));
}

TEST_F(LayerManagerDialogTest, ALampSwitchesOnceAndADoubleClickMakesTheLayerCurrent) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, At(*list, 0, true));  // the current layer: off, still current
  EXPECT_EQ(std::tuple(layers.IsLayerOn(0), layers.CurrentLayer(), SelectedRows(), ShowsLamp(0, kLampOffImage)),
            std::tuple(false, 0, std::vector<int>{0}, true));
  DoubleClick(*list, 3, true);  // on the lamp: switched once, and current
  EXPECT_EQ(std::tuple(layers.IsLayerOn(3), layers.CurrentLayer(), CurrentLabel()),
            std::tuple(false, 3, "Current Layer: c"));
  DoubleClick(*list, 1, false);
  EXPECT_EQ(CurrentLabel(), "Current Layer: a");
  QTest::keyClick(list, Qt::Key_Escape);  // the change is made already: Escape keeps it
  EXPECT_EQ(std::tuple(dialog.isVisible(), layers.CurrentLayer()), std::tuple(false, 1));
}

TEST_F(WithMainDialog, TheLayerManagersChangesReachTheClassTreeAndTheLayersBox) {
  Read("Zone1", "Zone, Z1;\r\nZone, Z2;\r\n");
  std::size_t depth = 0;
  WhenModalShown([&](QWidget& window) {
    depth = host.resourceStack.size();
    auto& list = *Child<QTableWidget>(window, "layerList");
    Click(window, "addButton");
    RenameInPlace(list, 1, "Zz");
    ASSERT_EQ(Column(list, 0), (QStringList{"0", "Zone1", "Zz"}));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, At(list, 2, true));
    ClickRow(list, 1);
    ClickRow(list, 2, Qt::ControlModifier);
    Click(window, "mergeDownButton");
    Click(window, "okButton");
  });
  Click(*main, "addLayerButton");  // the objects went to a layer that is off
  auto* box = MainChild<QComboBox>("layersBox");
  EXPECT_EQ(std::tuple(depth, TreeChildren({1, 0}).size(), box->count(), box->itemText(2)), std::tuple(1u, 0, 3, "Zz"));

  QString title;  // the menu command opens it too
  WhenModalShown([&](QWidget& window) { title = window.windowTitle(); });
  MainChild<QAction>("layerManagerAction")->trigger();
  EXPECT_EQ(std::tuple(title, host.Balanced()), std::tuple("Layer Manager", true));
}

}  // namespace
}  // namespace verdanto::testing
