// The browser, the rename window and what the main window hands to and takes
// back from the references windows.

#include <gtest/gtest.h>

#include "tests/support/MainWindowSupport.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/RelationsSample.h"
#include "tests/support/ScriptedFileChooser.h"
#include "ui/models/MainWindowReferences.h"
#include "ui/models/ObjListRefModel.h"
#include "ui/models/RenameModel.h"

namespace verdanto {
namespace {

using S = testing::RelationsSample;
using Rows = std::vector<std::string>;

Rows Fields(const ObjListRefModel& model) {
  Rows out;
  for (const ReferenceRow& row : model.rows) out.push_back(row.num + " " + row.object + " " + row.field);
  return out;
}

TEST(ObjListRefModel, ShowsUsersOrDefinersOfTheChosenName) {
  S sample;
  ObjListRefModel browser(sample.store);
  EXPECT_EQ(browser.names, (Rows{"NodeNames", "SpaceNames", "WallNames", "ZoneNames"}));
  EXPECT_EQ(Fields(browser), (Rows{"1 Node A2 - Next Node"}));
  browser.SelectName(3);
  EXPECT_EQ(Fields(browser), (Rows{"1 Lamp A3 - Zone Name", "2 Wall A2 - Zone Name"}));
  browser.SetSide(ReferenceSide::Reference);
  EXPECT_EQ(Fields(browser), (Rows{"1 Zone A1 - Name"}));
  browser.SelectName(-1);  // nothing chosen: the rows stay
  EXPECT_EQ(Fields(browser), (Rows{"1 Zone A1 - Name"}));
}

TEST(ObjListRefModel, ColumnsShareTheWidthInTenths) {
  const struct {
    int width;
    ObjListRefColumns expected;
  } cases[] = {{500, {33, 150, 150, 150}}, {509, {42, 150, 150, 150}}, {0, {-17, 0, 0, 0}}};
  for (const auto& c : cases) {
    const ObjListRefColumns got = ObjListRefColumnWidths(c.width);
    EXPECT_EQ((std::array{got.num, got.group, got.object, got.field}),
              (std::array{c.expected.num, c.expected.group, c.expected.object, c.expected.field}))
        << c.width;
  }
}

// Which names are refused is the rename command's test; here a refusal is told, changes
// nothing and leaves the window open for another name.
TEST(RenameWindow, ListsEveryNamingFieldOnEveryLayerRefusesATakenNameAndRenamesThemAll) {
  S sample;
  RecordingPrompter prompter;
  const auto value = [&](std::uint16_t g, std::uint16_t c, std::uint16_t f, std::uint16_t o) {
    return sample.store.GetValue(g, c, f, o).value.str();
  };
  RenameModel rename(sample.store, sample.layers, {S::zones, S::zone, 0, 0}, prompter);
  EXPECT_EQ(rename.oldName, "Z1");
  EXPECT_EQ(rename.listed, (Rows{"0 | Lamp <Object 1> \"L1\" | A2 - Space Name", "0 | Lamp <Object 1> \"L1\" | A3 - Zone Name",
                                 "0 | Wall <Object 1> \"W1\" | A2 - Zone Name", "0 | Wall <Object 2> \"W2\" | A2 - Zone Name",
                                 "C | Wall <Object 4> \"W3\" | A2 - Zone Name"}));
  EXPECT_FALSE(rename.Accept("z2"));
  ASSERT_EQ(prompter.Texts().size(), 1u);
  EXPECT_TRUE(prompter.Texts()[0].starts_with("The name \"z2\" is already used by Zone <Object 2>.")) << prompter.Texts()[0];
  EXPECT_EQ(std::tuple(value(S::gear, S::wall, 1, S::w1), sample.layers.At(0).modified), std::tuple("Z1", false));

  ASSERT_TRUE(rename.Accept("Core"));
  EXPECT_EQ(rename.changed.size(), 6u);
  for (const ObjectField& at : rename.changed) EXPECT_EQ(value(at.group, at.classNo, at.field, at.object), "Core");
  EXPECT_EQ(value(S::gear, S::wall, 1, S::w4), "Z2");  // names another zone
  const auto modified = [&](const char* layer) { return sample.layers.At(sample.layers.FindLayerByName(layer)).modified; };
  EXPECT_EQ(std::tuple(modified("0"), modified("B"), modified("C"), prompter.messages.size()),
            std::tuple(true, false, true, 1u));
}

// A main window over the relations sample: every object read into layer "0".
struct MainWindowReferences : ::testing::Test {
  RecordingPrompter prompter;
  testing::ScriptedFileChooser chooser;
  testing::MemoryLoadRunner loader{prompter};
  MainWindowModel model{prompter, chooser, loader};

  void SetUp() override {
    NullProgress progress;
    LoadDictionaryText(testing::kRelationsIdd, "relations.idd", model.store, progress, prompter);
    model.SetUp();
    loader.files["/models/sample.idf"] = testing::kRelationsLayer0;
    chooser.multiAnswers.push_back(std::vector<std::string>{"/models/sample.idf"});
    model.OpenFiles(OpenMode::CurrentLayer);
  }
};

TEST_F(MainWindowReferences, RelationsRootAndSelectGoBothWaysAndRenamedNamesShowAtOnce) {
  model.SelectTreeItem({TreeItemKind::Object, S::gear, S::wall, S::w2});
  EXPECT_EQ(RelationsRootOfSelection(model), (RelationRoot{S::gear, S::wall, 1, S::w2, 0}));
  ShowRelationRoot(model, {S::gear, S::window, 1, 1, 1});
  EXPECT_EQ(std::tuple(model.SelectedItem(), model.selectedDetailRow),
            std::tuple(TreeItem{TreeItemKind::Object, S::gear, S::window, 1}, 1));

  KeepRelationsChoices(model, {Flow::Ascending, LayerFilter::OnlyOn, true});
  EXPECT_EQ(RelationsChoices(model), (RelationsOptions{Flow::Ascending, LayerFilter::OnlyOn, true}));

  // Renaming needs a selected field that fills lists.
  model.SelectTreeItem({TreeItemKind::Object, S::gear, S::wall, S::w1});
  model.SelectDetailRow(1);  // Zone Name: an object list
  EXPECT_FALSE(RenameSource(model));
  model.SelectDetailRow(0);
  ASSERT_TRUE(RenameSource(model));
  RenameModel rename(model.store, model.layers, *RenameSource(model), prompter);
  ASSERT_TRUE(rename.Accept("West Wall"));
  ShowRenamed(model, rename.changed);
  EXPECT_EQ(std::tuple(model.detailRows[0].value, model.ItemText(model.SelectedItem()),
                       model.store.GetValue(S::gear, S::window, 1, 0).value.str()),
            std::tuple("West Wall", "<Object 1> \"West Wall\"", "West Wall"));
}

}  // namespace
}  // namespace verdanto
