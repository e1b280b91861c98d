#include "ui/models/LayerManagerModel.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "models/MainWindowFixture.h"
#include "store/Dictionary.h"
#include "tests/support/RecordingPrompter.h"
#include "ui/models/LayersBoxModel.h"

namespace verdanto::testing {
namespace {

using Rows = std::vector<int>;
using Strings = std::vector<std::string>;

// Stands in for the main window: writes down every change a view reports.
class ChangeLog final : public LayerListListener {
 public:
  explicit ChangeLog(LayerList& layers) : layers_(layers) { layers_.listener = this; }
  ~ChangeLog() override { layers_.listener = nullptr; }
  std::vector<std::pair<int, ChangeKind>> changes;
  void LayerSelectionChanged() override {
    changes.emplace_back(layers_.lastChanged, layers_.changeKind);
    layers_.ChangeHandled();
  }

 private:
  LayerList& layers_;
};

// Writes down what the list shows at every redraw, "name|objects" per row.
class ListView final : public LayerManagerListener {
 public:
  explicit ListView(const LayerManagerModel& model) : model_(model) {}
  std::vector<Strings> redraws;
  void RowsChanged() override {
    Strings rows;
    for (int row = 0; row < model_.RowCount(); ++row)
      rows.push_back(model_.Row(row).name + "|" + model_.Row(row).objects);
    redraws.push_back(rows);
  }

 private:
  const LayerManagerModel& model_;
};

// Layers "0", "a", "b" (2 objects), "c" (1 object), "d"; "0" is current.
struct LayerManagerTest : ::testing::Test {
  Dictionary store;
  LayerList layers;
  ChangeLog log{layers};
  RecordingPrompter prompter;
  ObjectTreeObserver noTree;
  LayerManagerModel model{store, layers, prompter, noTree};
  ListView view{model};

  void SetUp() override {
    const auto g = store.AddGroup("Zones");
    const auto c = store.AddClass(g, "Zone");
    store.AddField(g, c, "A1");
    for (const char* name : {"0", "a", "b", "c", "d"}) layers.AddLayer(name, "");
    for (const char* name : {"b", "b", "c"}) {
      Layer& layer = layers.At(layers.FindLayerByName(name));
      store.AddObject(g, c, layer.id);
      ++layer.objectCount;
    }
    model.SetListener(&view);
    model.SelectFirstRow();
  }

  Strings Names() const {
    Strings names;
    for (int row = 0; row < model.RowCount(); ++row) names.push_back(model.Row(row).name);
    return names;
  }
  Strings Objects() const {
    Strings objects;
    for (int row = 0; row < model.RowCount(); ++row) objects.push_back(model.Row(row).objects);
    return objects;
  }
  int Row(const char* name) const { return layers.FindLayerByName(name); }
  void Select(const Rows& rows) { model.SetSelection(rows, rows.empty() ? -1 : rows.back()); }
};

TEST_F(LayerManagerTest, RowsMirrorTheLayersWithLampNameAndCount) {
  layers.SetLayerOn(Row("c"), false);
  EXPECT_EQ(Names(), (Strings{"0", "a", "b", "c", "d"}));
  EXPECT_EQ(Objects(), (Strings{"0", "0", "2", "1", "0"}));
  EXPECT_EQ(model.Row(Row("b")).lampImage, kLampOnImage);
  EXPECT_EQ(model.Row(Row("c")).lampImage, kLampOffImage);
  EXPECT_EQ(model.CurrentLabel(), "Current Layer: 0");
}

TEST_F(LayerManagerTest, OpeningSelectsAndFocusesTheFirstRow) {
  EXPECT_EQ(model.SelectedRows(), Rows{0});
  EXPECT_EQ(model.FocusedRow(), 0);
}

TEST_F(LayerManagerTest, ButtonsFollowTheNumberOfSelectedRows) {
  const struct {
    Rows selected;
    bool del, current, merge;
  } cases[] = {
      {{}, false, false, false},
      {{2}, true, true, false},
      {{0, 3}, true, false, true},
      {{1, 2, 4}, true, false, true},
      {{7, -1}, false, false, false},  // rows that do not exist select nothing
  };
  for (const auto& t : cases) {
    Select(t.selected);
    EXPECT_TRUE(model.AddEnabled());
    EXPECT_EQ(model.DeleteEnabled(), t.del) << ::testing::PrintToString(t.selected);
    EXPECT_EQ(model.CurrentEnabled(), t.current) << ::testing::PrintToString(t.selected);
    EXPECT_EQ(model.MergeEnabled(), t.merge) << ::testing::PrintToString(t.selected);
  }
}

TEST_F(LayerManagerTest, AddTakesTheFirstFreeNameAndLeavesOnlyTheNewRowSelected) {
  layers.AddLayer("layer 1", "");
  Select({0, 1, 2});
  model.Add();
  const int added = Row("Layer 2");
  ASSERT_GE(added, 0);
  EXPECT_EQ(model.SelectedRows(), Rows{added});
  EXPECT_EQ(model.FocusedRow(), added);
  EXPECT_EQ(model.Row(added).objects, "0");
  EXPECT_EQ(model.Row(added).lampImage, kLampOnImage);
  EXPECT_TRUE(log.changes.empty()) << "adding a layer does not tell the main window";
}

TEST_F(LayerManagerTest, RenameRefusalsShowTheirMessageAndKeepTheName) {
  const struct {
    const char* layer;
    const char* newName;
    const char* message;
  } cases[] = {
      {"0", "zero", "Layer 0 cannot be renamed"},
      {"a", "a", "Invalid layer name\r\nThe layer name must be unique"},
      {"a", "A", "Invalid layer name\r\nThe layer name must be unique"},
      {"a", "B", "Invalid layer name\r\nThe layer name must be unique"},
  };
  for (const auto& t : cases) {
    prompter.messages.clear();
    model.Rename(Row(t.layer), t.newName);
    ASSERT_EQ(prompter.messages.size(), 1u) << t.newName;
    EXPECT_EQ(prompter.messages[0].text, t.message);
    EXPECT_EQ(prompter.messages[0].caption, "Change Layer Name");
    EXPECT_EQ(prompter.messages[0].icon, Icon::Warning);
  }
  EXPECT_EQ(Names(), (Strings{"0", "a", "b", "c", "d"}));
  EXPECT_TRUE(log.changes.empty());
}

TEST_F(LayerManagerTest, RenamedRowMovesToItsPlaceAndStaysSelected) {
  Select({Row("a"), Row("c")});
  model.Rename(Row("a"), "z");
  EXPECT_EQ(Names(), (Strings{"0", "b", "c", "d", "z"}));
  EXPECT_EQ(model.SelectedRows(), (Rows{Row("c"), Row("z")}));
  EXPECT_EQ(model.FocusedRow(), Row("z"));
  EXPECT_TRUE(log.changes.empty()) << "only a renamed current layer tells the main window";
}

TEST_F(LayerManagerTest, RenamingTheCurrentLayerMovesTheLabelAndTellsTheMainWindow) {
  layers.SetCurrentLayer(Row("b"));
  model.Rename(Row("b"), "Basement");
  EXPECT_EQ(model.CurrentLabel(), "Current Layer: Basement");
  EXPECT_EQ(layers.CurrentLayer(), Row("Basement"));
  ASSERT_EQ(log.changes.size(), 1u);
  EXPECT_EQ(log.changes[0], std::make_pair(Row("Basement"), ChangeKind::CurrentChanged));
}

TEST_F(LayerManagerTest, LampClickOnTheCurrentLayerSwitchesItOffAndKeepsItCurrent) {
  model.ClickLamp(0);
  EXPECT_FALSE(layers.IsLayerOn(0));
  EXPECT_EQ(model.Row(0).lampImage, kLampOffImage);
  EXPECT_EQ(layers.CurrentLayer(), 0);
  model.ClickLamp(0);
  EXPECT_TRUE(layers.IsLayerOn(0));
  EXPECT_EQ(log.changes, (std::vector<std::pair<int, ChangeKind>>{{0, ChangeKind::OnOffToggled},
                                                                  {0, ChangeKind::OnOffToggled}}));
  EXPECT_EQ(layers.lastChanged, -1);
}

TEST_F(LayerManagerTest, CurrentAndDoubleClickMakeALayerCurrent) {
  Select({Row("c")});
  model.MakeCurrent();
  EXPECT_EQ(layers.CurrentLayer(), Row("c"));
  EXPECT_EQ(model.CurrentLabel(), "Current Layer: c");
  model.DoubleClick(Row("a"));
  EXPECT_EQ(model.CurrentLabel(), "Current Layer: a");
  EXPECT_EQ(log.changes, (std::vector<std::pair<int, ChangeKind>>{{Row("c"), ChangeKind::CurrentChanged},
                                                                  {Row("a"), ChangeKind::CurrentChanged}}));
}

TEST_F(LayerManagerTest, DoubleClickOnTheCurrentRowOrOutsideTheRowsDoesNothing) {
  model.DoubleClick(0);
  model.DoubleClick(-1);
  model.DoubleClick(model.RowCount());
  Select({1, 2});
  model.MakeCurrent();  // needs exactly one selected row
  EXPECT_EQ(layers.CurrentLayer(), 0);
  EXPECT_TRUE(log.changes.empty());
}

TEST_F(LayerManagerTest, DeletingEmptyLayersAsksNothingAndDropsTheirRows) {
  Select({Row("a"), Row("d")});
  model.Delete();
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(Names(), (Strings{"0", "b", "c"}));
  EXPECT_TRUE(model.SelectedRows().empty());
  EXPECT_EQ(model.FocusedRow(), -1);
  // A layer added later may get a removed layer's id; it does not come back selected.
  layers.AddLayer("e", "");
  EXPECT_TRUE(model.SelectedRows().empty());
}

TEST_F(LayerManagerTest, LayerZeroAndTheCurrentLayerAreRefusedWithAnOkMessage) {
  layers.SetCurrentLayer(Row("a"));
  Select({0, Row("a")});
  model.Delete();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text,
            "The following layers cannot be deleted:\r\n0 (layer 0)\r\na (current layer)");
  EXPECT_EQ(prompter.messages[0].buttons, Buttons::Ok);
  EXPECT_EQ(model.SelectedRows(), (Rows{0, Row("a")}));
}

TEST_F(LayerManagerTest, RowsOfRemovedLayersAreGoneBeforeTheQuestionIsAsked) {
  Select({Row("a"), Row("b")});
  prompter.script.push_back(Answer::No);
  model.Delete();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text,
            "The following layers contain objects:\r\nb (*)\r\n\r\nDo you want to empty and delete (*) layers?");
  ASSERT_GE(view.redraws.size(), 2u);
  EXPECT_EQ(view.redraws[view.redraws.size() - 2], (Strings{"0|0", "b|2", "c|1", "d|0"}));
  EXPECT_EQ(model.SelectedRows(), Rows{Row("b")});
}

TEST_F(LayerManagerTest, MergeUpAndDownMoveEveryObjectIntoTheFirstOrLastSelected) {
  Select({Row("b"), Row("c"), Row("d")});
  model.MergeDown();
  EXPECT_EQ(Objects(), (Strings{"0", "0", "0", "0", "3"}));
  Select({Row("a"), Row("d")});
  model.MergeUp();
  EXPECT_EQ(Objects(), (Strings{"0", "3", "0", "0", "0"}));
  EXPECT_EQ(Names(), (Strings{"0", "a", "b", "c", "d"})) << "sources stay";
}

TEST_F(LayerManagerTest, MergingEmptyLayersMarksNothingModified) {
  Select({Row("a"), Row("d")});
  model.MergeUp();
  for (const Layer& layer : layers.layers) EXPECT_FALSE(layer.modified) << layer.name;
}

// --- With the main window: its class tree follows the manager's commands ---------------

struct LayerManagerWithMainWindowTest : MainWindowTest {
  LayerManagerModel manager{model.store, model.layers, prompter, model};

  void SelectLayers(const Strings& names) {
    Rows rows;
    for (const std::string& name : names) rows.push_back(LayerIndex(name));
    manager.SetSelection(rows, rows.back());
  }
};

TEST_F(LayerManagerWithMainWindowTest, LampClicksHideAndShowTheLayersObjects) {
  Read("A", "Zone, Z1;\r\nZone, Z2;\r\n");
  Read("B", "Zone, Z3;\r\n");
  manager.ClickLamp(LayerIndex("A"));
  EXPECT_EQ(DumpObjects(model), "  Zone\n    <Object 3> \"Z3\" @3\n");
  manager.ClickLamp(LayerIndex("A"));
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n    <Object 1> \"Z1\" @2\n    <Object 2> \"Z2\" @2\n    <Object 3> \"Z3\" @3\n");
  EXPECT_EQ(model.layers.lastChanged, -1) << "the main window handled the change";
}

TEST_F(LayerManagerWithMainWindowTest, DeletingALayerWithObjectsRenumbersTheTree) {
  Read("A", "Zone, Z1;\r\n");
  Read("B", "Zone, Z2;\r\nZone, Z3;\r\n");
  SelectObject(kZones, kZone, 2);
  SelectLayers({"A"});
  prompter.script.push_back(Answer::Yes);
  manager.Delete();
  EXPECT_EQ(manager.RowCount(), 2);
  EXPECT_EQ(DumpObjects(model), "  Zone\n    <Object 1> \"Z2\" @3\n    <Object 2> \"Z3\" @3 *\n");
}

TEST_F(LayerManagerWithMainWindowTest, MergingIntoALayerThatIsOffHidesTheObjects) {
  Read("A", "Zone, Z1;\r\n");
  Read("B", "Zone, Z2;\r\n");
  manager.ClickLamp(LayerIndex("B"));
  SelectObject(kZones, kZone, 0);
  SelectLayers({"A", "B"});
  manager.MergeDown();
  EXPECT_EQ(DumpObjects(model), "");
  EXPECT_EQ(model.SelectedItem(), (TreeItem{TreeItemKind::Class, kZones, kZone, 0}));
  EXPECT_EQ(manager.Row(LayerIndex("B")).objects, "2");
  manager.ClickLamp(LayerIndex("B"));
  EXPECT_EQ(DumpObjects(model), "  Zone\n    <Object 1> \"Z1\" @3 *\n    <Object 2> \"Z2\" @3\n");
}

TEST_F(LayerManagerWithMainWindowTest, MakingALayerCurrentPutsNewObjectsInIt) {
  Read("A", "Zone, Z1;\r\n");
  manager.DoubleClick(LayerIndex("A"));
  Select(TreeItemKind::Class, kSim, kVersion);
  model.AddObject();
  EXPECT_EQ(model.selectedLayer, LayerNamed("A").id);
}

}  // namespace
}  // namespace verdanto::testing
