#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "layers/LayerList.h"
#include "support/RecordingPrompter.h"

namespace verdanto {
namespace {

using testing::RecordingPrompter;

std::string Names(const LayerList& layers) {
  std::string names;
  for (const Layer& layer : layers.layers) names += (names.empty() ? "" : ",") + layer.name;
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

TEST(LayerListTest, AddKeepsNamesSortedAndCurrentAndShownOnTheirLayers) {
  LayerList layers;
  EXPECT_EQ(layers.AddLayer("0", "a.idf"), 0);
  EXPECT_EQ(layers.At(0).id, kLayerZeroId);
  EXPECT_EQ(layers.CurrentLayer(), 0);
  EXPECT_EQ(layers.shown, 0);
  layers.SetCurrentLayer(layers.AddLayer("m", ""));
  layers.shown = layers.CurrentLayer();
  for (const char* name : {"Layer 2", "beta", "z", "Layer 10", "Alpha", "_x"}) layers.AddLayer(name, "");
  // Letters compare as lower case, so "_" falls between digits and letters.
  EXPECT_EQ(Names(layers), "0,_x,Alpha,beta,Layer 10,Layer 2,m,z");
  EXPECT_EQ(layers.At(layers.CurrentLayer()).name, "m");
  EXPECT_EQ(layers.At(layers.shown).name, "m");
}

TEST(LayerListTest, IdsStartAtTwoAndReuseTheLowestGapNamesTheFirstFreeNumber) {
  LayerList layers = MakeList({"a", "b", "c"});
  EXPECT_EQ(layers.At(layers.FindLayerByName("c")).id, 4);
  EXPECT_EQ(layers.RemoveLayer(layers.FindLayerByName("b")), 3);
  EXPECT_EQ(layers.RemoveLayer(layers.FindLayerByName("a")), 2);
  EXPECT_EQ(layers.At(layers.AddLayer("d", "")).id, 2);
  EXPECT_EQ(layers.At(layers.AddLayer("e", "")).id, 3);
  EXPECT_EQ(layers.At(layers.AddLayer("f", "")).id, 5);
}

TEST(LayerListTest, LookupsAnswerMinusOneOutsideTheList) {
  LayerList layers = MakeList({"Zone1", "a"});  // "a" id 3 at 1, "Zone1" id 2 at 2
  EXPECT_EQ(std::tuple(layers.FindLayerByName("ZONE1"), layers.FindLayerByName("Zone")), std::tuple(2, -1));
  EXPECT_EQ(std::tuple(layers.LayerIdOfItem(1), layers.LayerIdOfItem(3), layers.LayerIdOfItem(-1)),
            std::tuple(3, -1, -1));
  EXPECT_EQ(std::tuple(layers.ItemOfLayerId(3), layers.ItemOfLayerId(7)), std::tuple(1, -1));
  layers.ShowLayer(3);  // by id
  layers.ShowLayer(9);
  EXPECT_EQ(layers.shown, 1);
  layers.NotifyChange(1, ChangeKind::OnOffToggled);  // without a listener
  EXPECT_EQ(layers.lastChanged, 1);
}

TEST(LayerListTest, RemoveRefusesLayerZeroAndBadIndexesAndKeepsCurrentAndShown) {
  // Current, shown, removed; then id removed (-1: refused), current, shown. Removing
  // the shown layer shows the next, or the first when it was the last.
  const std::array<int, 6> cases[] = {{1, 1, -1, -1, 1, 1}, {1, 1, 0, -1, 1, 1}, {1, 1, 4, -1, 1, 1},
                                      {3, 2, 1, 2, 2, 1},   {1, 1, 3, 4, 1, 1},   {0, 2, 2, 3, 0, 2},
                                      {0, 3, 3, 4, 0, 0},   {2, 2, 2, 3, 2, 2}};
  for (const auto& [current, shown, removed, id, expectCurrent, expectShown] : cases) {
    LayerList layers = MakeList({"a", "b", "c"});
    layers.SetCurrentLayer(current);
    layers.shown = shown;
    EXPECT_EQ(layers.RemoveLayer(removed), id) << removed;
    EXPECT_EQ(std::tuple(layers.Count(), layers.CurrentLayer(), layers.shown),
              std::tuple(id < 0 ? 4 : 3, expectCurrent, expectShown)) << removed;
  }
  // A new layer name takes the first free number, ignoring case.
  EXPECT_EQ(MakeList({}).NewLayerName(), "Layer 1");
  EXPECT_EQ(MakeList({"Layer 1", "LAYER 2", "Layer 4"}).NewLayerName(), "Layer 3");
}

// Layers "0", "b", "d", "f"; the current layer is also the shown one.
TEST(LayerListTest, RenameMovesTheLayerWholeAndKeepsCurrentAndShown) {
  const char* const zero = "Layer 0 cannot be renamed";
  const char* const taken = "Invalid layer name\r\nThe layer name must be unique";
  // Current, index, new name, result, new index, current afterwards, message (null: none).
  const std::tuple<int, int, const char*, RenameResult, int, const char*, const char*> cases[] = {
      // clang-format off
      {1, 0, "x", RenameResult::LayerZeroCannotBeRenamed, 0, "b", zero},
      {1, 2, "D", RenameResult::NameNotUnique, 2, "b", taken},  // its own name
      {1, 5, "x", RenameResult::NoSuchLayer, 5, "b", nullptr},
      {1, -1, "x", RenameResult::NoSuchLayer, -1, "b", nullptr},
      {1, 1, "g", RenameResult::Renamed, 3, "g", nullptr},  // the current layer moves down
      {2, 2, "e", RenameResult::Renamed, 2, "e", nullptr},
      {2, 3, "c", RenameResult::Renamed, 2, "d", nullptr},  // from above to before the current layer
      {2, 1, "e", RenameResult::Renamed, 2, "d", nullptr},  // from below to after it
      {2, 1, "a", RenameResult::Renamed, 1, "d", nullptr},
      {1, 2, "z", RenameResult::Renamed, 3, "b", nullptr},
      // clang-format on
  };
  for (const auto& [current, index, newName, result, newIndex, expectCurrent, message] : cases) {
    SCOPED_TRACE(std::to_string(index) + " to " + newName);
    LayerList layers = MakeList({"b", "d", "f"});
    layers.SetCurrentLayer(current);
    layers.shown = current;
    const int id = layers.LayerIdOfItem(index);
    CountingListener listener;
    layers.listener = &listener;
    RecordingPrompter prompter;
    const RenameOutcome outcome = layers.RenameLayer(index, newName, prompter);
    EXPECT_EQ(std::tuple(outcome.result, outcome.index), std::tuple(result, newIndex));
    EXPECT_EQ(layers.LayerIdOfItem(outcome.index), id);  // the layer moved whole
    EXPECT_EQ(layers.At(layers.CurrentLayer()).name + layers.At(layers.shown).name,
              std::string(expectCurrent) + expectCurrent);
    const bool renamedCurrent = result == RenameResult::Renamed && index == current;
    EXPECT_EQ(listener.calls, renamedCurrent ? 1 : 0);
    if (renamedCurrent) {
      EXPECT_EQ(std::tuple(layers.lastChanged, layers.changeKind),
                std::tuple(outcome.index, ChangeKind::CurrentChanged));
    }
    const bool renamed = result == RenameResult::Renamed;
    EXPECT_EQ(renamed ? layers.At(outcome.index).name : Names(layers), renamed ? newName : "0,b,d,f");
    EXPECT_EQ(prompter.Texts(), message ? std::vector<std::string>{message} : std::vector<std::string>{});
    for (const auto& m : prompter.messages)
      EXPECT_EQ(std::tuple(m.caption, m.icon, m.buttons),
                std::tuple(std::string("Change Layer Name"), Icon::Warning, Buttons::Ok));
  }
}

}  // namespace
}  // namespace verdanto
