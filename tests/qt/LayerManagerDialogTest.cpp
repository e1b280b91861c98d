#include "ui/qt/CLayerManagerDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "store/Dictionary.h"
#include "tests/qt/ModalDialog.h"
#include "tests/qt/WithMainDialog.h"
#include "tests/support/RecordingPrompter.h"
#include "ui/models/LayersBoxModel.h"
#include "ui/qt/LayerImages.h"

// Failures show window texts as text.
static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

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

// Layers "0", "a" (one zone), "b" (two zones), "c"; "0" is current.
struct LayerManagerDialogTest : ::testing::Test {
  Dictionary store;
  LayerList layers;
  RecordingPrompter prompter;
  ObjectTreeObserver noTree;
  std::unique_ptr<CLayerManagerDialog> dialog;
  QTableWidget* list = nullptr;

  void SetUp() override {
    const auto g = store.AddGroup("Zones");
    const auto c = store.AddClass(g, "Zone");
    store.AddField(g, c, "A1");
    for (const char* name : {"0", "a", "b", "c"}) layers.AddLayer(name, "");
    for (const char* name : {"a", "b", "b"}) {
      Layer& layer = layers.At(layers.FindLayerByName(name));
      store.AddObject(g, c, layer.id);
      ++layer.objectCount;
    }
    dialog = std::make_unique<CLayerManagerDialog>(store, layers, noTree, nullptr, &prompter);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    list = dialog->findChild<QTableWidget*>("layerList");
    ASSERT_NE(list, nullptr);
  }

  template <typename T>
  T* Child(const char* name) {
    T* child = dialog->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QStringList Column(int column) const { return testing::Column(*list, column); }
  std::vector<int> SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
  }
  QString Enabled() {
    QString out;
    for (const char* name :
         {"addButton", "deleteButton", "currentButton", "mergeUpButton", "mergeDownButton", "okButton"})
      if (Child<QPushButton>(name)->isEnabled()) out += QString::fromLatin1(name).remove("Button") + " ";
    return out.trimmed();
  }
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) { testing::ClickRow(*list, row, modifiers); }
  void Click(const char* button) { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }
  void RenameInPlace(int row, const QString& name) { testing::RenameInPlace(*list, row, name); }
  bool ShowsLamp(int row, int image) const {
    return list->item(row, 0)->icon().pixmap(kLayerImageWidth, kLayerImageHeight).toImage() ==
           LayerImagePixmap(image).toImage();
  }
};

TEST_F(LayerManagerDialogTest, OpensWithTheLayersAndTheFirstRowSelected) {
  EXPECT_EQ(dialog->windowTitle(), "Layer Manager");
  EXPECT_EQ(Child<QLabel>("currentLayerLabel")->text(), "Current Layer: 0");
  EXPECT_EQ(Column(0), (QStringList{"0", "a", "b", "c"}));
  EXPECT_EQ(Column(1), (QStringList{"0", "1", "2", "0"}));
  EXPECT_EQ(list->item(0, 1)->textAlignment() & Qt::AlignRight, Qt::AlignRight);
  EXPECT_TRUE(ShowsLamp(0, kLampOnImage));
  EXPECT_EQ(SelectedRows(), std::vector<int>{0});
  const int width = list->width();
  EXPECT_EQ(list->horizontalHeader()->sectionSize(0), width * 2 / 3);
  EXPECT_EQ(list->horizontalHeader()->sectionSize(1), width - width * 2 / 3 - 17);
  EXPECT_EQ(Enabled(), "add delete current ok");
}

TEST_F(LayerManagerDialogTest, ButtonsFollowTheSelection) {
  ClickRow(1, Qt::ControlModifier);
  EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1}));
  EXPECT_EQ(Enabled(), "add delete mergeUp mergeDown ok");
  list->clearSelection();
  EXPECT_EQ(Enabled(), "add ok");
}

TEST_F(LayerManagerDialogTest, RenamingInPlaceMovesTheRowAndKeepsItSelected) {
  ClickRow(1);
  RenameInPlace(1, "z");
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(Column(0), (QStringList{"0", "b", "c", "z"}));
  EXPECT_EQ(Column(1), (QStringList{"0", "2", "0", "1"}));
  EXPECT_EQ(SelectedRows(), std::vector<int>{3});
  EXPECT_EQ(list->currentRow(), 3);
  EXPECT_EQ(layers.At(3).name, "z");
}

TEST_F(LayerManagerDialogTest, ARefusedRenameIsShownAndTheRowKeepsItsName) {
  ClickRow(1);
  RenameInPlace(1, "B");
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Invalid layer name\r\nThe layer name must be unique");
  EXPECT_EQ(Column(0), (QStringList{"0", "a", "b", "c"}));
}

TEST_F(LayerManagerDialogTest, RenamingTheCurrentLayerRenewsTheLabel) {
  ClickRow(2);
  Click("currentButton");
  EXPECT_EQ(Child<QLabel>("currentLayerLabel")->text(), "Current Layer: b");
  RenameInPlace(2, "Attic");
  EXPECT_EQ(Child<QLabel>("currentLayerLabel")->text(), "Current Layer: Attic");
  EXPECT_EQ(Column(0), (QStringList{"0", "a", "Attic", "c"}));  // sorted without regard to case
}

TEST_F(LayerManagerDialogTest, MergingDownMovesTheObjectsIntoTheLastSelectedRow) {
  ClickRow(1);
  ClickRow(2, Qt::ControlModifier);
  ClickRow(3, Qt::ControlModifier);
  Click("mergeDownButton");
  EXPECT_EQ(Column(1), (QStringList{"0", "0", "0", "3"}));
  EXPECT_TRUE(layers.At(1).modified);
  EXPECT_TRUE(layers.At(3).modified);
  ClickRow(0);
  ClickRow(3, Qt::ControlModifier);
  Click("mergeUpButton");
  EXPECT_EQ(Column(1), (QStringList{"3", "0", "0", "0"}));
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
  ClickRow(1);
  ClickRow(2, Qt::ControlModifier);
  Click("addButton");
  EXPECT_EQ(Column(0), (QStringList{"0", "a", "b", "c", "Layer 1"}));
  EXPECT_EQ(SelectedRows(), std::vector<int>{4});
  Click("deleteButton");
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(Column(0), (QStringList{"0", "a", "b", "c"}));
  EXPECT_EQ(Enabled(), "add ok");
}

TEST_F(LayerManagerDialogTest, DoubleClickMakesALayerCurrentAndEscapeKeepsIt) {
  const QRect cell = list->visualItemRect(list->item(3, 0));
  const QPoint at(cell.right() - 4, cell.center().y());
  // What a double click sends: a click, then the second press as a double click.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(layers.CurrentLayer(), 3);
  EXPECT_EQ(Child<QLabel>("currentLayerLabel")->text(), "Current Layer: c");
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(layers.CurrentLayer(), 3);
}

// --- Opened from the main window ------------------------------------------------------

using LayerManagerFromMainWindowTest = WithMainDialog;

TEST_F(LayerManagerFromMainWindowTest, RenameAndMergeInTheManagerReachTheClassTreeAndTheLayersBox) {
  Read("Zone1", "Zone, Z1;\r\nZone, Z2;\r\n");
  ASSERT_EQ(ObjectItems(1, 0), (QStringList{"<Object 1> \"Z1\"", "<Object 2> \"Z2\""}));
  std::size_t depth = 0;
  QStringList counts;
  WhenModalShown([&](QWidget& window) {
    auto* manager = qobject_cast<CLayerManagerDialog*>(&window);
    ASSERT_NE(manager, nullptr);
    depth = host.resourceStack.size();
    auto& list = *manager->findChild<QTableWidget*>("layerList");
    QTest::mouseClick(manager->findChild<QPushButton*>("addButton"), Qt::LeftButton);
    ASSERT_EQ(Column(list, 0), (QStringList{"0", "Layer 1", "Zone1"}));
    RenameInPlace(list, 1, "Zz");
    ASSERT_EQ(Column(list, 0), (QStringList{"0", "Zone1", "Zz"}));
    ClickLamp(list, 2);
    ClickRow(list, 1);
    ClickRow(list, 2, Qt::ControlModifier);
    QTest::mouseClick(manager->findChild<QPushButton*>("mergeDownButton"), Qt::LeftButton);
    counts = Column(list, 1);
    QTest::mouseClick(manager->findChild<QPushButton*>("okButton"), Qt::LeftButton);
  });
  QTest::mouseClick(MainChild<QPushButton>("addLayerButton"), Qt::LeftButton);
  EXPECT_EQ(depth, 1u);
  EXPECT_TRUE(host.Balanced());
  EXPECT_EQ(counts, (QStringList{"0", "0", "2"}));
  EXPECT_TRUE(ObjectItems(1, 0).isEmpty()) << "the objects went to a layer that is off";
  auto* box = MainChild<QComboBox>("layersBox");
  QStringList entries;
  for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
  EXPECT_EQ(entries, (QStringList{"0", "Zone1", "Zz"}));
}

TEST_F(LayerManagerFromMainWindowTest, TheMenuCommandOpensItToo) {
  QString title;
  WhenModalShown([&](QWidget& window) {
    title = window.windowTitle();
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  MainChild<QAction>("layerManagerAction")->trigger();
  EXPECT_EQ(title, "Layer Manager");
  EXPECT_EQ(host.pushCount, 1);
  EXPECT_TRUE(host.Balanced());
}

}  // namespace
}  // namespace verdanto::testing
