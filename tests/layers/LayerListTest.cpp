#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layers/CaseName.h"
#include "layers/LayerList.h"
#include "support/RecordingPrompter.h"

namespace verdanto {
namespace {

using testing::CaseName;
using testing::RecordingPrompter;

std::vector<std::string> Names(const LayerList& layers) {
  std::vector<std::string> names;
  for (const Layer& layer : layers.layers) names.push_back(layer.name);
  return names;
}

// Layer "0" first, as the main window does, then the others in the given order.
LayerList MakeList(std::initializer_list<const char*> others) {
  LayerList layers;
  layers.AddLayer("0", "");
  for (const char* name : others) layers.AddLayer(name, "");
  return layers;
}

struct CountingListener final : LayerListListener {
  int calls = 0;
  void LayerSelectionChanged() override { ++calls; }
};

TEST(LayerListTest, FirstLayerGetsIdOneAndBecomesCurrentAndShown) {
  LayerList layers;
  EXPECT_EQ(layers.CurrentLayer(), -1);
  EXPECT_EQ(layers.AddLayer("0", "a.idf"), 0);
  const Layer& zero = layers.At(0);
  EXPECT_EQ(zero.id, kLayerZeroId);
  EXPECT_TRUE(zero.on);
  EXPECT_FALSE(zero.modified);
  EXPECT_EQ(zero.objectCount, 0u);
  EXPECT_EQ(zero.outputPath, "a.idf");
  EXPECT_EQ(layers.CurrentLayer(), 0);
  EXPECT_EQ(layers.shown, 0);
}

TEST(LayerListTest, IdsStartAtTwoAndReuseTheLowestGap) {
  LayerList layers = MakeList({"a", "b", "c"});
  EXPECT_EQ(layers.At(layers.FindLayerByName("a")).id, 2);
  EXPECT_EQ(layers.At(layers.FindLayerByName("c")).id, 4);
  EXPECT_EQ(layers.RemoveLayer(layers.FindLayerByName("b")), 3);
  EXPECT_EQ(layers.RemoveLayer(layers.FindLayerByName("a")), 2);
  EXPECT_EQ(layers.At(layers.AddLayer("d", "")).id, 2);
  EXPECT_EQ(layers.At(layers.AddLayer("e", "")).id, 3);
  EXPECT_EQ(layers.At(layers.AddLayer("f", "")).id, 5);
}

TEST(LayerListTest, KeepsNamesInCaseInsensitiveCharacterOrder) {
  // Letters compare as lower case, so "_" falls between digits and letters.
  const LayerList layers = MakeList({"Layer 2", "beta", "Layer 10", "Alpha", "_x"});
  EXPECT_EQ(Names(layers), (std::vector<std::string>{"0", "_x", "Alpha", "beta", "Layer 10", "Layer 2"}));
}

TEST(LayerListTest, AddingBeforeTheCurrentAndShownLayerKeepsThemOnTheirLayers) {
  LayerList layers = MakeList({"m"});
  layers.SetCurrentLayer(1);
  layers.shown = 1;
  layers.AddLayer("a", "");  // before "m"
  layers.AddLayer("z", "");  // after "m"
  EXPECT_EQ(layers.At(layers.CurrentLayer()).name, "m");
  EXPECT_EQ(layers.At(layers.shown).name, "m");
}

TEST(LayerListTest, LookupsAnswerMinusOneOutsideTheList) {
  const LayerList layers = MakeList({"Zone1"});
  EXPECT_EQ(layers.FindLayerByName("ZONE1"), 1);
  EXPECT_EQ(layers.FindLayerByName("Zone"), -1);
  EXPECT_EQ(layers.FindLayerByName("Zone12"), -1);
  EXPECT_EQ(layers.LayerIdOfItem(1), 2);
  EXPECT_EQ(layers.LayerIdOfItem(2), -1);
  EXPECT_EQ(layers.LayerIdOfItem(-1), -1);
  EXPECT_EQ(layers.ItemOfLayerId(2), 1);
  EXPECT_EQ(layers.ItemOfLayerId(7), -1);
  EXPECT_FALSE(layers.IsLayerOn(5));
}

TEST(LayerListTest, RemoveRefusesMinusOneLayerZeroAndBadIndexes) {
  LayerList layers = MakeList({"a"});
  for (const int index : {-1, 0, 2, 99}) EXPECT_EQ(layers.RemoveLayer(index), -1) << index;
  EXPECT_EQ(layers.Count(), 2);
}

struct RemoveCase {
  const char* what;
  int current, shown, removed;
  int expectCurrent, expectShown;  // indexes after the removal
};

class RemoveLayerTest : public ::testing::TestWithParam<RemoveCase> {};

// Layers: 0 "0", 1 "a", 2 "b", 3 "c".
TEST_P(RemoveLayerTest, AdjustsCurrentAndShownLayer) {
  const RemoveCase& t = GetParam();
  LayerList layers = MakeList({"a", "b", "c"});
  layers.SetCurrentLayer(t.current);
  layers.shown = t.shown;
  EXPECT_GE(layers.RemoveLayer(t.removed), 2);
  EXPECT_EQ(layers.CurrentLayer(), t.expectCurrent);
  EXPECT_EQ(layers.shown, t.expectShown);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemoveLayerTest,
                         ::testing::Values(RemoveCase{"below current and shown", 3, 2, 1, 2, 1},
                                           RemoveCase{"above current and shown", 1, 1, 3, 1, 1},
                                           RemoveCase{"shown: next takes its index", 0, 2, 2, 0, 2},
                                           RemoveCase{"shown last: first is shown", 0, 3, 3, 0, 0},
                                           RemoveCase{"current: follows shown", 2, 2, 2, 2, 2}),
                         CaseName<RemoveCase>);

TEST(LayerListTest, NewLayerNameTakesTheFirstFreeNumberIgnoringCase) {
  EXPECT_EQ(MakeList({}).NewLayerName(), "Layer 1");
  EXPECT_EQ(MakeList({"layer 1"}).NewLayerName(), "Layer 2");
  EXPECT_EQ(MakeList({"Layer 1", "LAYER 2", "Layer 4"}).NewLayerName(), "Layer 3");
}

TEST(LayerListTest, NotifyChangeRecordsTheChangeAndTellsTheListener) {
  LayerList layers = MakeList({"a"});
  layers.NotifyChange(1, ChangeKind::OnOffToggled);  // no listener yet: nothing to call
  CountingListener listener;
  layers.listener = &listener;
  layers.NotifyChange(0, ChangeKind::CurrentChanged);
  EXPECT_EQ(listener.calls, 1);
  EXPECT_EQ(layers.lastChanged, 0);
  EXPECT_EQ(layers.changeKind, ChangeKind::CurrentChanged);
  layers.ChangeHandled();
  EXPECT_EQ(layers.lastChanged, -1);
}

TEST(LayerListTest, ShowLayerFindsTheEntryById) {
  LayerList layers = MakeList({"b", "a"});  // "a" id 3 at 1, "b" id 2 at 2
  layers.ShowLayer(2);
  EXPECT_EQ(layers.shown, 2);
  layers.ShowLayer(9);
  EXPECT_EQ(layers.shown, 2);
  layers.ShowCurrentLayer();
  EXPECT_EQ(layers.shown, 0);
}

struct RenameCase {
  const char* what;
  int current;  // index in "0", "b", "d", "f"
  int index;
  const char* newName;
  RenameResult result;
  int newIndex;
  const char* expectCurrent;  // name of the current layer afterwards
  bool notified;
};

class RenameLayerTest : public ::testing::TestWithParam<RenameCase> {};

TEST_P(RenameLayerTest, MovesTheLayerAndKeepsTheCurrentOne) {
  const RenameCase& t = GetParam();
  LayerList layers = MakeList({"b", "d", "f"});
  layers.At(t.index).objectCount = 5;
  layers.At(t.index).modified = true;
  const std::uint16_t id = layers.At(t.index).id;
  layers.SetCurrentLayer(t.current);
  CountingListener listener;
  layers.listener = &listener;
  RecordingPrompter prompter;

  const RenameOutcome outcome = layers.RenameLayer(t.index, t.newName, prompter);
  EXPECT_EQ(outcome.result, t.result);
  EXPECT_EQ(outcome.index, t.newIndex);
  EXPECT_EQ(layers.At(layers.CurrentLayer()).name, t.expectCurrent);
  EXPECT_EQ(listener.calls, t.notified ? 1 : 0);
  EXPECT_EQ(layers.At(outcome.index).id, id);
  EXPECT_EQ(layers.At(outcome.index).objectCount, 5u);
  EXPECT_TRUE(layers.At(outcome.index).modified);
  if (t.notified) {
    EXPECT_EQ(layers.lastChanged, outcome.index);
    EXPECT_EQ(layers.changeKind, ChangeKind::CurrentChanged);
  }

  if (t.result == RenameResult::Renamed) {
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(layers.At(outcome.index).name, t.newName);
    return;
  }
  ASSERT_EQ(prompter.messages.size(), 1u);
  const auto& m = prompter.messages[0];
  EXPECT_EQ(m.text, t.result == RenameResult::LayerZeroCannotBeRenamed
                        ? "Layer 0 cannot be renamed"
                        : "Invalid layer name\r\nThe layer name must be unique");
  EXPECT_EQ(m.caption, "Change Layer Name");
  EXPECT_EQ(m.icon, Icon::Warning);
  EXPECT_EQ(m.buttons, Buttons::Ok);
  EXPECT_EQ(Names(layers), (std::vector<std::string>{"0", "b", "d", "f"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenameLayerTest,
    ::testing::Values(RenameCase{"layer zero", 1, 0, "x", RenameResult::LayerZeroCannotBeRenamed, 0, "b", false},
                      RenameCase{"own name", 1, 2, "d", RenameResult::NameNotUnique, 2, "b", false},
                      RenameCase{"own name other case", 1, 2, "D", RenameResult::NameNotUnique, 2, "b", false},
                      RenameCase{"other layer's name", 1, 2, "F", RenameResult::NameNotUnique, 2, "b", false},
                      RenameCase{"current moves down", 1, 1, "g", RenameResult::Renamed, 3, "g", true},
                      RenameCase{"current stays", 2, 2, "e", RenameResult::Renamed, 2, "e", true},
                      RenameCase{"from above to before current", 2, 3, "c", RenameResult::Renamed, 2, "d", false},
                      RenameCase{"from below to after current", 2, 1, "e", RenameResult::Renamed, 2, "d", false},
                      RenameCase{"from below to below current", 2, 1, "a", RenameResult::Renamed, 1, "d", false},
                      RenameCase{"from above to above current", 1, 2, "z", RenameResult::Renamed, 3, "b", false}),
    CaseName<RenameCase>);

TEST(LayerListTest, RenameOfAMissingLayerChangesNothing) {
  LayerList layers = MakeList({"a"});
  RecordingPrompter prompter;
  EXPECT_EQ(layers.RenameLayer(5, "x", prompter).result, RenameResult::NoSuchLayer);
  EXPECT_EQ(layers.RenameLayer(-1, "x", prompter).result, RenameResult::NoSuchLayer);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST(LayerListTest, RenameKeepsTheShownLayer) {
  LayerList layers = MakeList({"b", "d"});
  layers.shown = 1;  // "b"
  RecordingPrompter prompter;
  layers.RenameLayer(1, "e", prompter);
  EXPECT_EQ(layers.At(layers.shown).name, "e");
  layers.RenameLayer(1, "a", prompter);  // "d" becomes "a" and keeps its place
  EXPECT_EQ(layers.At(layers.shown).name, "e");
}

}  // namespace
}  // namespace verdanto
