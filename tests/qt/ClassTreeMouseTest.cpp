// The class tree as the mouse meets it: the highlight ends on the item the
// selection rules lead to, and long names can be scrolled to.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

#include "tests/qt/WithMainDialog.h"

namespace verdanto::testing {
namespace {

struct ClassTreeMouse : WithMainDialog {
  QTreeView* tree = nullptr;

  void SetUp() override {
    WithMainDialog::SetUp();
    tree = MainChild<QTreeView>("classTree");
    Read("Zone1", "Zone, Z1, 1;\r\nZone, Z2, 2;\r\nZone, Z3, 3;\r\n");
    tree->expandAll();
  }
  QModelIndex Index(const std::vector<int>& rows) const {
    QModelIndex index;
    for (const int row : rows) index = tree->model()->index(row, 0, index);
    return index;
  }
};

TEST_F(ClassTreeMouse, APressLeavesTheHighlightOnTheItemTheSelectionRulesLeadTo) {
  struct Case {
    std::vector<int> pressed;
    Qt::MouseButton button;
    const char* shown;
  };
  const Case cases[] = {
      {{1}, Qt::LeftButton, "<Object 1> \"Z1\""},         // a group: its first class's first object
      {{1, 0}, Qt::LeftButton, "<Object 1> \"Z1\""},      // a class with objects
      {{1, 0, 2}, Qt::LeftButton, "<Object 3> \"Z3\""},   // an object
      {{1, 1}, Qt::LeftButton, "Old Zone"},               // a class without objects
      {{0}, Qt::RightButton, "Version"},                  // the press that opens the context menu
  };
  for (const Case& c : cases) {
    const QRect row = tree->visualRect(Index(c.pressed));
    ASSERT_TRUE(row.isValid());
    QTest::mouseClick(tree->viewport(), c.button, {}, row.center());
    const QModelIndexList selected = tree->selectionModel()->selectedIndexes();
    EXPECT_EQ(tree->currentIndex().data().toString(), c.shown) << c.shown;
    ASSERT_EQ(selected.size(), 1) << c.shown;
    EXPECT_EQ(selected.front().data().toString(), c.shown);
    EXPECT_EQ(selected.front(), tree->currentIndex()) << c.shown;
  }
}

TEST_F(ClassTreeMouse, ALongNameWidensTheColumnInsteadOfBeingCut) {
  const std::string name(300, 'W');
  Read("Long", "Zone, " + name + ", 4;\r\n");
  tree->expandAll();
  const QString text = QString::fromStdString("<Object 4> \"" + name + "\"");
  EXPECT_GE(tree->header()->sectionSize(0), tree->fontMetrics().horizontalAdvance(text));
  EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0);
}

}  // namespace
}  // namespace verdanto::testing
