// "&Select..." in the main window: enabled for surface classes, minimises the
// window while the host's command line has the dialogue, and restores it.

#include <gtest/gtest.h>

#include <QPushButton>

#include "tests/qt/WithMainDialog.h"
#include "tests/support/ScriptedDocument.h"

namespace verdanto::testing {
namespace {

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

  EXPECT_TRUE(minimisedWhileAsked);
  EXPECT_FALSE(main->isMinimized());
  EXPECT_EQ(TreeChildren({1, 2}), QStringList{"<Object 1> \"Roof\""});
  EXPECT_EQ(DetailColumn(4), (QStringList{"Roof", "3", "0", "0", "0", "2", "0", "0", "0", "1.5", "0"}));
  EXPECT_EQ(main->KeepFocus(), 1);
  EXPECT_TRUE(host.Balanced());
}

}  // namespace
}  // namespace verdanto::testing
