#include "ui/qt/CRelationsDialog.h"

#include <gtest/gtest.h>

#include <QTreeWidget>

#include "tests/qt/WindowDriver.h"
#include "tests/support/RelationsSample.h"

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

}  // namespace
}  // namespace verdanto::testing
