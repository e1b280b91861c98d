// The references windows draw their models and forward the user's acts; what
// the trees, lists and renaming decide is the model tests' concern.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include "tests/qt/WithMainDialog.h"
#include "tests/support/RelationsSample.h"
#include "ui/qt/CObjListRefDialog.h"
#include "ui/qt/CRelationsDialog.h"
#include "ui/qt/CRenameDialog.h"

namespace verdanto::testing {
namespace {

using S = RelationsSample;

// The drawn tree in the tree's own dump format, to see that it mirrors the model.
std::string Drawn(const QTreeWidget& view) {
  std::string out;
  const auto walk = [&](auto&& self, const QTreeWidgetItem& item, int depth) -> void {
    out.append(static_cast<std::size_t>(depth) * 2, ' ').append(item.text(0).toStdString()).push_back('\n');
    for (int i = 0; i < item.childCount(); ++i) self(self, *item.child(i), depth + 1);
  };
  for (int i = 0; i < view.topLevelItemCount(); ++i) walk(walk, *view.topLevelItem(i), 0);
  return out;
}

QTreeWidgetItem* Item(const QTreeWidget& view, const char* text) {
  const auto found = view.findItems(QString::fromUtf8(text), Qt::MatchExactly | Qt::MatchRecursive);
  EXPECT_EQ(found.size(), 1) << text;
  return found.isEmpty() ? nullptr : found.front();
}

TEST(RelationsDialog, OpenExpandSwitchFlowAndSelect) {
  S sample;
  CRelationsDialog dialog(sample.store, sample.layers, {S::gear, S::wall, 1, S::w1, 0}, {});
  dialog.show();
  auto* view = Child<QTreeWidget>(dialog, "relationsTree");
  EXPECT_EQ(std::tuple(view->currentItem()->text(0), view->currentItem()->font(0).bold()),
            std::tuple("OBJECT: <Object 1> \"W1\"", true));

  // Opening the field node fills the zone below it, which names nothing.
  QTreeWidgetItem* field = Item(*view, "FIELD (R): A1 - Name = \"Z1\"");
  view->expandItem(field);
  EXPECT_EQ(field->child(0)->childCount(), 0);
  EXPECT_EQ(Drawn(*view), dialog.Tree().Dump());

  // Ascending (the tree's shape is RelationsTreeTest's): the window that names the wall appears.
  Click(dialog, "ascendingRadio");
  EXPECT_EQ(Drawn(*view), dialog.Tree().Dump());
  view->setCurrentItem(Item(*view, "OBJECT: <Object 1> \"Win1\""));
  Click(dialog, "selectButton");
  EXPECT_EQ(std::tuple(dialog.result(), dialog.Root(), dialog.Options()),
            std::tuple(int{QDialog::Accepted}, RelationRoot{S::gear, S::window, 1, 0, 0},
                       RelationsOptions{Flow::Ascending, LayerFilter::OnlyCurrent, false}));
}

TEST(RelationsDialog, ChangeRootRebuildsFromTheSelectionAndAGroupLeadsToItsField) {
  S sample;
  CRelationsDialog dialog(sample.store, sample.layers, {S::gear, S::window, 1, 0, 0}, {});
  dialog.show();
  auto* view = Child<QTreeWidget>(dialog, "relationsTree");
  view->setCurrentItem(view->topLevelItem(0));
  EXPECT_EQ(view->currentItem()->text(0), "OBJECT: <Object 1> \"Win1\"");
  view->setCurrentItem(Item(*view, "OBJECT: <Object 1> \"W1\""));
  Click(dialog, "changeRootButton");
  EXPECT_EQ(view->topLevelItem(0)->child(0)->text(0), "CLASS: Wall");
  Click(dialog, "cancelButton");
  EXPECT_EQ(std::tuple(dialog.result(), dialog.Root()),
            std::tuple(int{QDialog::Rejected}, RelationRoot{S::gear, S::wall, 1, S::w1, 0}));
}

TEST(ObjListRefDialog, AChosenNameOrSideRefillsTheList) {
  S sample;
  CObjListRefDialog browser(sample.store);
  browser.show();
  auto* names = Child<QComboBox>(browser, "nameBox");
  auto* list = Child<QTableWidget>(browser, "referenceList");
  const auto shown = [list] {
    QStringList rows;
    for (int row = 0; row < list->rowCount(); ++row)
      rows << list->item(row, 0)->text() + " " + list->item(row, 2)->text() + " " + list->item(row, 3)->text();
    return rows;
  };
  EXPECT_EQ(std::tuple(names->count(), shown(), list->horizontalHeader()->sectionSize(1)),
            std::tuple(4, QStringList{"1 Node A2 - Next Node"}, ObjListRefColumnWidths(list->viewport()->width()).group));
  names->setCurrentIndex(names->findText("ZoneNames"));
  EXPECT_EQ(shown(), (QStringList{"1 Lamp A3 - Zone Name", "2 Wall A2 - Zone Name"}));
  Click(browser, "referenceRadio");
  EXPECT_EQ(shown(), QStringList{"1 Zone A1 - Name"});
}

TEST_F(WithMainDialog, TheToolsMenuOpensTheObjectListBrowser) {
  QString title;
  WhenModalShown([&title](QWidget& window) { title = window.windowTitle(); });
  MainChild<QAction>("objectListAction")->trigger();
  EXPECT_EQ(std::tuple(title, host.Balanced()), std::tuple("Object List - Reference", true));
}

// Enter is OK; a refused name keeps the window open; Escape changes nothing.
TEST(RenameDialog, ListsTheNamingFieldsAndRenamesThemOnOkOnly) {
  S sample;
  RecordingPrompter prompter;
  const auto wallsZone = [&] { return sample.store.GetValue(S::gear, S::wall, 1, S::w1).value.str(); };
  CRenameDialog cancelled(sample.store, sample.layers, {S::zones, S::zone, 0, 0}, prompter);
  cancelled.show();
  QTest::keyClick(Child<QLineEdit>(cancelled, "newNameBox"), Qt::Key_Escape);
  EXPECT_EQ(std::tuple(cancelled.result(), wallsZone()), std::tuple(int{QDialog::Rejected}, "Z1"));

  CRenameDialog rename(sample.store, sample.layers, {S::zones, S::zone, 0, 0}, prompter);
  rename.show();
  auto* newName = Child<QLineEdit>(rename, "newNameBox");
  EXPECT_EQ(std::tuple(Child<QLineEdit>(rename, "oldNameBox")->text(), newName->selectedText(),
                       Child<QListWidget>(rename, "namingList")->count()),
            std::tuple("Z1", "Z1", 5));
  QTest::keyClicks(newName, "z2");  // replaces the selected old name; taken by another zone
  QTest::keyClick(newName, Qt::Key_Return);
  EXPECT_EQ(std::tuple(rename.isVisible(), prompter.messages.size(), wallsZone()), std::tuple(true, 1u, "Z1"));
  newName->setText("Core");
  Click(rename, "okButton");
  EXPECT_EQ(std::tuple(rename.result(), rename.Model().changed.size(), wallsZone()),
            std::tuple(int{QDialog::Accepted}, 6u, "Core"));
}

}  // namespace
}  // namespace verdanto::testing
