#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layers/CaseName.h"
#include "layers/LayerOps.h"
#include "layers/RecordingTree.h"
#include "support/RecordingPrompter.h"

namespace verdanto {
namespace {

using testing::CaseName;
using testing::RecordingPrompter;
using testing::RecordingTree;
using testing::SmallStore;
using Calls = std::vector<std::string>;

std::vector<std::string> Names(const LayerList& layers) {
  std::vector<std::string> names;
  for (const Layer& layer : layers.layers) names.push_back(layer.name);
  return names;
}

// Layers "0" (id 1), "a" (2), "b" (3), "c" (4), "d" (5) at indexes 0..4. Objects:
// Zone: z1 in 0, z2 in b, z3 in c, z4 in b, z5 in 0; Wall: w1 in b; Window: n1 in 0.
struct LayersWithObjects : ::testing::Test {
  SmallStore s;
  LayerList layers;
  RecordingPrompter prompter;
  RecordingTree tree;

  void SetUp() override {
    for (const char* name : {"0", "a", "b", "c", "d"}) layers.AddLayer(name, "");
    for (const auto& [c, id, name] : std::vector<std::tuple<int, int, const char*>>{
             {0, 1, "z1"}, {0, 3, "z2"}, {0, 4, "z3"}, {0, 3, "z4"}, {0, 1, "z5"}, {1, 3, "w1"}}) {
      s.Add(0, static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(id), name);
      ++layers.At(layers.ItemOfLayerId(static_cast<std::uint16_t>(id))).objectCount;
    }
    s.Add(1, 0, 1, "n1");
    ++layers.At(0).objectCount;
  }
  Layer& Named(const char* name) { return layers.At(layers.FindLayerByName(name)); }
};

struct DeleteCase {
  const char* what;
  std::vector<int> selected;
  const char* current;
  Answer answer;
  const char* message;  // empty: no question at all
  Buttons buttons;
  std::vector<int> removedRows;
  std::vector<std::string> remaining;
};

class DeleteLayersTest : public LayersWithObjects, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteLayersTest, ClassifiesAsksAndRemoves) {
  const DeleteCase& t = GetParam();
  layers.SetCurrentLayer(layers.FindLayerByName(t.current));
  prompter.script.push_back(t.answer);

  const DeleteLayersResult result = DeleteLayers(s.store, layers, t.selected, prompter, tree);
  if (*t.message == '\0') {
    EXPECT_TRUE(prompter.messages.empty());
  } else {
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, t.message);
    EXPECT_EQ(prompter.messages[0].caption, "Delete Layers");
    EXPECT_EQ(prompter.messages[0].icon, Icon::Warning);
    EXPECT_EQ(prompter.messages[0].buttons, t.buttons);
  }
  EXPECT_EQ(result.removedRows, t.removedRows);
  EXPECT_EQ(Names(layers), t.remaining);
  EXPECT_EQ(layers.At(layers.CurrentLayer()).name, t.current);
}

const char* const kCannot0AndD = "The following layers cannot be deleted:\r\n0 (layer 0)\r\nd (current layer)";
const char* const kAskB =
    "The following layers contain objects:\r\nb (*)\r\n\r\nDo you want to empty and delete (*) layers?";

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteLayersTest,
    ::testing::Values(
        DeleteCase{"only empty layers asks nothing", {4, 1}, "0", Answer::Ok, "", Buttons::Ok, {1, 3}, {"0", "b", "c"}},
        DeleteCase{"layer 0 and current only",
                   {0, 4},
                   "d",
                   Answer::Ok,
                   kCannot0AndD,
                   Buttons::Ok,
                   {},
                   {"0", "a", "b", "c", "d"}},
        DeleteCase{"refusals after an empty layer went",
                   {0, 1, 4},
                   "d",
                   Answer::Ok,
                   kCannot0AndD,
                   Buttons::Ok,
                   {1},
                   {"0", "b", "c", "d"}},
        DeleteCase{"objects, answer No", {2}, "0", Answer::No, kAskB, Buttons::YesNo, {}, {"0", "a", "b", "c", "d"}},
        DeleteCase{"objects, answer Yes",
                   {3, 2, 2},
                   "0",
                   Answer::Yes,
                   "The following layers contain objects:\r\nb (*)\r\nc (*)\r\n\r\nDo you want to empty and delete (*) "
                   "layers?",
                   Buttons::YesNo,
                   {2, 2},
                   {"0", "a", "d"}},
        DeleteCase{"refusals, empty and objects",
                   {4, 2, 1, 0, 17, -1},
                   "d",
                   Answer::Yes,
                   "The following layers cannot be deleted:\r\n0 (layer 0)\r\nd (current layer)\r\n\r\n"
                   "The following layers contain objects:\r\nb (*)\r\n\r\nDo you want to empty and delete (*) layers?",
                   Buttons::YesNo,
                   {1, 1},
                   {"0", "c", "d"}},
        DeleteCase{"nothing selected", {}, "0", Answer::Ok, "", Buttons::Ok, {}, {"0", "a", "b", "c", "d"}}),
    CaseName<DeleteCase>);

TEST_F(LayersWithObjects, DeleteTellsTheTreeWhatWentAndWhatMovedDown) {
  prompter.script.push_back(Answer::Yes);
  const DeleteLayersResult result = DeleteLayers(s.store, layers, std::vector<int>{2, 3}, prompter, tree);
  EXPECT_TRUE(result.objectsDeleted);
  EXPECT_EQ(tree.calls,
            (Calls{"begin delete",
                   // b: z2, z4, w1 go; z3 and z5 move down
                   "removed 0.0.1", "removed 0.0.3", "removed 0.1.0", "renumbered 0.0 2>1", "renumbered 0.0 4>2",
                   // c: z3 goes; z5 moves down again
                   "removed 0.0.1", "renumbered 0.0 2>1", "end delete"}));
  EXPECT_EQ(s.Objects(0, 0), "z1:1 z5:1");
  EXPECT_EQ(s.Objects(0, 1), "");
  EXPECT_EQ(s.Objects(1, 0), "n1:1");
  EXPECT_EQ(layers.At(0).objectCount, 3u);
  EXPECT_FALSE(layers.At(0).modified);
}

TEST_F(LayersWithObjects, DeleteAnsweredNoTouchesNothing) {
  DeleteLayers(s.store, layers, std::vector<int>{2}, prompter, tree);  // the prompter answers No
  EXPECT_TRUE(tree.calls.empty());
  EXPECT_EQ(s.Objects(0, 0), "z1:1 z2:3 z3:4 z4:3 z5:1");
  EXPECT_EQ(Named("b").objectCount, 3u);
}

struct MergeCase {
  const char* what;
  bool bOn, cOn;  // "b" holds z2, z4, w1; "c" holds z3
  MergeTarget target;
  Calls calls;
};

class MergeLayersTest : public LayersWithObjects, public ::testing::WithParamInterface<MergeCase> {};

TEST_P(MergeLayersTest, MovesObjectsAndTellsTheTreeByOnOffState) {
  const MergeCase& t = GetParam();
  Named("b").on = t.bOn;
  Named("c").on = t.cOn;
  ASSERT_TRUE(MergeLayers(s.store, layers, std::vector<int>{3, 2}, t.target, tree));
  EXPECT_EQ(tree.calls, t.calls);

  const bool up = t.target == MergeTarget::First;
  const Layer& target = Named(up ? "b" : "c");
  const Layer& source = Named(up ? "c" : "b");
  EXPECT_EQ(target.objectCount, 4u);
  EXPECT_EQ(source.objectCount, 0u);
  EXPECT_TRUE(target.modified);
  EXPECT_TRUE(source.modified);
  EXPECT_EQ(s.Objects(0, 0), up ? "z1:1 z2:3 z3:3 z4:3 z5:1" : "z1:1 z2:4 z3:4 z4:4 z5:1");
  EXPECT_EQ(s.Objects(0, 1), up ? "w1:3" : "w1:4");
  EXPECT_EQ(Names(layers), (std::vector<std::string>{"0", "a", "b", "c", "d"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeLayersTest,
    ::testing::Values(
        MergeCase{"up on to on", true, true, MergeTarget::First, {"begin merge", "layer 0.0.2 id 3", "end merge"}},
        MergeCase{"up off to on", true, false, MergeTarget::First, {"begin merge", "shown 0.0.2 id 3", "end merge"}},
        MergeCase{"up on to off", false, true, MergeTarget::First, {"begin merge", "hidden 0.0.2", "end merge"}},
        MergeCase{"up off to off", false, false, MergeTarget::First, {"begin merge", "layer 0.0.2 id 3", "end merge"}},
        MergeCase{"down on to on",
                  true,
                  true,
                  MergeTarget::Last,
                  {"begin merge", "layer 0.0.1 id 4", "layer 0.0.3 id 4", "layer 0.1.0 id 4", "end merge"}},
        MergeCase{"down on to off",
                  true,
                  false,
                  MergeTarget::Last,
                  {"begin merge", "hidden 0.0.1", "hidden 0.0.3", "hidden 0.1.0", "end merge"}},
        MergeCase{"down off to on",
                  false,
                  true,
                  MergeTarget::Last,
                  {"begin merge", "shown 0.0.1 id 4", "shown 0.0.3 id 4", "shown 0.1.0 id 4", "end merge"}}),
    CaseName<MergeCase>);

TEST_F(LayersWithObjects, MergeOfSeveralSourcesIncludingLayerZeroAndTheCurrent) {
  layers.SetCurrentLayer(0);
  ASSERT_TRUE(MergeLayers(s.store, layers, std::vector<int>{0, 2, 1}, MergeTarget::Last, tree));
  EXPECT_EQ(Named("b").objectCount, 6u);
  EXPECT_EQ(Named("0").objectCount, 0u);
  EXPECT_TRUE(Named("0").modified);
  EXPECT_FALSE(Named("a").modified);  // it gave no objects
  EXPECT_FALSE(Named("c").modified);  // not selected
  EXPECT_EQ(s.Objects(0, 0), "z1:3 z2:3 z3:4 z4:3 z5:3");
  EXPECT_EQ(s.Objects(1, 0), "n1:3");
  EXPECT_EQ(layers.CurrentLayer(), 0);
}

TEST_F(LayersWithObjects, MergeOfEmptyLayersChangesNoModifiedMark) {
  ASSERT_TRUE(MergeLayers(s.store, layers, std::vector<int>{1, 4}, MergeTarget::First, tree));
  for (const Layer& layer : layers.layers) EXPECT_FALSE(layer.modified) << layer.name;
  EXPECT_EQ(tree.calls, (Calls{"begin merge", "end merge"}));
}

TEST_F(LayersWithObjects, MergeNeedsTwoDistinctLayers) {
  for (const std::vector<int>& selected : {std::vector<int>{}, {2}, {2, 2}, {2, 9, -1}})
    EXPECT_FALSE(MergeLayers(s.store, layers, selected, MergeTarget::First, tree));
  EXPECT_TRUE(tree.calls.empty());
  EXPECT_EQ(Named("b").objectCount, 3u);
}

TEST_F(LayersWithObjects, MoveObjectCountsAndMarksBothLayers) {
  ASSERT_TRUE(MoveObjectToLayer(s.store, layers, 0, 0, 1, layers.FindLayerByName("a")));
  EXPECT_EQ(s.Objects(0, 0), "z1:1 z2:2 z3:4 z4:3 z5:1");
  EXPECT_EQ(Named("a").objectCount, 1u);
  EXPECT_EQ(Named("b").objectCount, 2u);
  EXPECT_TRUE(Named("a").modified);
  EXPECT_TRUE(Named("b").modified);

  layers.At(1).modified = false;
  EXPECT_FALSE(MoveObjectToLayer(s.store, layers, 0, 0, 1, 1));  // already there
  EXPECT_FALSE(MoveObjectToLayer(s.store, layers, 0, 0, 1, 5));
  EXPECT_FALSE(MoveObjectToLayer(s.store, layers, 0, 0, 1, -1));
  EXPECT_FALSE(layers.At(1).modified);
  EXPECT_EQ(s.Objects(0, 0), "z1:1 z2:2 z3:4 z4:3 z5:1");
}

}  // namespace
}  // namespace verdanto
