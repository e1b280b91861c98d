// Operations on layers and their objects: delete, merge, move, and handing the
// objects of an opened file to a layer.

#include <gtest/gtest.h>

#include <numeric>
#include <tuple>

#include "layers/LayerOps.h"
#include "layers/OpenFiles.h"
#include "store/Dictionary.h"
#include "base/Text.h"
#include "support/RecordingPrompter.h"

namespace verdanto {
namespace {

using Calls = std::vector<std::string>;

// Writes down every call as one short line.
struct RecordingTree final : ObjectTreeObserver {
  using U = std::uint16_t;
  Calls calls;
  void BeginTreeChange(TreeChange kind) override { calls.push_back(Kind("begin", kind)); }
  void EndTreeChange(TreeChange kind) override { calls.push_back(Kind("end", kind)); }
  void ObjectRemoved(U g, U c, U o) override { calls.push_back(Format("removed %u.%u.%u", g, c, o)); }
  void ObjectRenumbered(U g, U c, U from, U to) override {
    calls.push_back(Format("renumbered %u.%u %u>%u", g, c, from, to));
  }
  void ObjectLayerChanged(U g, U c, U o, U id) override {
    calls.push_back(Format("layer %u.%u.%u id %u", g, c, o, id));
  }
  void ObjectHidden(U g, U c, U o) override { calls.push_back(Format("hidden %u.%u.%u", g, c, o)); }
  void ObjectShown(U g, U c, U o, U id) override { calls.push_back(Format("shown %u.%u.%u id %u", g, c, o, id)); }
  static std::string Kind(const char* what, TreeChange kind) {
    return std::string(what) + (kind == TreeChange::Delete ? " delete" : " merge");
  }
};

// Group 0 holds Zone and Wall, group 1 holds Window, each with a name only; the
// layers are given by name. Objects are named so a test can see which is where.
struct World {
  Dictionary store;
  LayerList layers;
  testing::RecordingPrompter prompter;
  RecordingTree tree;

  explicit World(std::initializer_list<const char*> layerNames) {
    const auto g0 = store.AddGroup("Thermal Zones");
    store.AddField(g0, store.AddClass(g0, "Zone"), "A1");
    store.AddField(g0, store.AddClass(g0, "Wall"), "A1");
    const auto g1 = store.AddGroup("Fenestration");
    store.AddField(g1, store.AddClass(g1, "Window"), "A1");
    for (const char* name : layerNames) layers.AddLayer(name, "");
  }
  // Adds an object and counts it into its layer, if there is one with the id.
  void Add(std::uint16_t g, std::uint16_t c, std::uint16_t id, std::string_view name) {
    store.GetValue(g, c, 0, store.AddObject(g, c, id)).value = name;
    if (const int index = layers.ItemOfLayerId(id); index >= 0) ++layers.At(index).objectCount;
  }
  // "name:layer" of each object of the class, in order.
  std::string Objects(std::uint16_t g, std::uint16_t c) const {
    std::string out;
    const auto& cls = store.GetClass(g, c);
    for (std::uint16_t o = 0; o < cls.objectCount(); ++o)
      out += (out.empty() ? "" : " ") + store.GetValue(g, c, 0, o).value.str() + Format(":%u", cls.objectLayers[o]);
    return out;
  }
  // Zones, walls and windows.
  std::string All() const { return Objects(0, 0) + " | " + Objects(0, 1) + " | " + Objects(1, 0); }
  // "name:count" of each layer, "*" after a modified one, "@path" where it has an output path.
  std::string Counts() const {
    std::string out;
    for (const Layer& l : layers.layers)
      out += (out.empty() ? "" : " ") + l.name + ":" + std::to_string(l.objectCount) + (l.modified ? "*" : "") +
             (l.outputPath.empty() ? "" : "@" + l.outputPath);
    return out;
  }
  Layer& Named(const char* name) { return layers.At(layers.FindLayerByName(name)); }
  std::string Names() const {
    return std::accumulate(layers.layers.begin(), layers.layers.end(), std::string(),
                           [](std::string names, const Layer& layer) { return names + layer.name; });
  }
};

// Layers "0" (id 1), "a" (2), "b" (3), "c" (4), "d" (5) at indexes 0..4. Objects:
// Zone: z1 in 0, z2 in b, z3 in c, z4 in b, z5 in 0; Wall: w1 in b; Window: n1 in 0.
struct LayersWithObjects : World {
  LayersWithObjects() : World({"0", "a", "b", "c", "d"}) {
    for (const auto& [c, id, name] : {std::tuple{0, 1, "z1"}, {0, 3, "z2"}, {0, 4, "z3"}, {0, 3, "z4"}, {0, 1, "z5"},
                                      {1, 3, "w1"}})
      Add(0, static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(id), name);
    Add(1, 0, 1, "n1");
  }
};
struct LayerOps : ::testing::Test, LayersWithObjects {};

TEST(DeleteLayersTest, ClassifiesAsksAndRemoves) {
  const std::string cannot = "The following layers cannot be deleted:\r\n0 (layer 0)\r\nd (current layer)";
  const std::string question = "\r\n\r\nDo you want to empty and delete (*) layers?";
  const std::string ask = "The following layers contain objects:\r\nb (*)" + question;
  const std::string askBC = "The following layers contain objects:\r\nb (*)\r\nc (*)" + question;
  // Selected, current, answer, message (empty: no question at all), removed rows, layers left, zones left.
  const std::tuple<std::vector<int>, const char*, Answer, std::string, std::vector<int>, const char*, int> cases[] = {
      // clang-format off
      {{4, 1}, "0", Answer::Ok, "", {1, 3}, "0bc", 5},  // only empty layers: nothing to ask
      {{0, 4}, "d", Answer::Ok, cannot, {}, "0abcd", 5},
      {{0, 1, 4}, "d", Answer::Ok, cannot, {1}, "0bcd", 5},
      {{2}, "0", Answer::No, ask, {}, "0abcd", 5},
      {{2}, "0", Answer::Cancel, ask, {}, "0abcd", 5},  // Escape: nothing is deleted
      {{3, 2, 2}, "0", Answer::Yes, askBC, {2, 2}, "0ad", 2},
      {{4, 2, 1, 0, 17, -1}, "d", Answer::Yes, cannot + "\r\n\r\n" + ask, {1, 1}, "0cd", 3},
      {{}, "0", Answer::Ok, "", {}, "0abcd", 5},
      // clang-format on
  };
  for (const auto& [selected, current, answer, message, removedRows, remaining, zonesLeft] : cases) {
    SCOPED_TRACE(remaining);
    LayersWithObjects w;
    w.layers.SetCurrentLayer(w.layers.FindLayerByName(current));
    w.prompter.script = {answer};
    const DeleteLayersResult result = DeleteLayers(w.store, w.layers, selected, w.prompter, w.tree);
    EXPECT_EQ(w.prompter.Texts(), message.empty() ? Calls{} : Calls{message});
    // Enter on the question must not delete: No is its default button.
    for (const auto& m : w.prompter.messages)
      EXPECT_EQ(std::tuple(m.caption, m.icon, m.buttons),
                std::tuple(std::string("Delete Layers"), Icon::Warning,
                           answer == Answer::Ok ? Buttons::Ok : Buttons::YesNoDefaultNo));
    EXPECT_EQ(result.removedRows, removedRows);
    EXPECT_EQ(w.Names(), remaining);
    EXPECT_EQ(w.layers.At(w.layers.CurrentLayer()).name, current);
    EXPECT_EQ(w.store.GetClass(0, 0).objectCount(), zonesLeft);
  }
}

TEST_F(LayerOps, DeleteTellsTheTreeWhatWentAndWhatMovedDown) {
  prompter.script.push_back(Answer::Yes);
  EXPECT_TRUE(DeleteLayers(store, layers, std::vector<int>{2, 3}, prompter, tree).objectsDeleted);
  EXPECT_EQ(tree.calls,
            (Calls{"begin delete",
                   // b: z2, z4, w1 go; z3 and z5 move down
                   "removed 0.0.1", "removed 0.0.3", "removed 0.1.0", "renumbered 0.0 2>1", "renumbered 0.0 4>2",
                   // c: z3 goes; z5 moves down again
                   "removed 0.0.1", "renumbered 0.0 2>1", "end delete"}));
  EXPECT_EQ(All(), "z1:1 z5:1 |  | n1:1");
  EXPECT_EQ(Counts(), "0:3 a:0 d:0");
}

// "b" holds z2, z4, w1 and "c" holds z3; up merges c into b, down b into c.
TEST(MergeLayersTest, MovesObjectsAndTellsTheTreeByOnOffState) {
  // b on, c on, target, the calls between "begin merge" and "end merge".
  const std::tuple<bool, bool, MergeTarget, Calls> cases[] = {
      {true, true, MergeTarget::First, {"layer 0.0.2 id 3"}},
      {true, false, MergeTarget::First, {"shown 0.0.2 id 3"}},
      {false, true, MergeTarget::First, {"hidden 0.0.2"}},
      {false, false, MergeTarget::First, {"layer 0.0.2 id 3"}},
      {true, false, MergeTarget::Last, {"hidden 0.0.1", "hidden 0.0.3", "hidden 0.1.0"}},
      {false, true, MergeTarget::Last, {"shown 0.0.1 id 4", "shown 0.0.3 id 4", "shown 0.1.0 id 4"}},
  };
  for (const auto& [bOn, cOn, target, calls] : cases) {
    SCOPED_TRACE(calls.front());
    LayersWithObjects w;
    w.Named("b").on = bOn;
    w.Named("c").on = cOn;
    ASSERT_TRUE(MergeLayers(w.store, w.layers, std::vector<int>{3, 2}, target, w.tree));
    Calls expected = calls;
    expected.insert(expected.begin(), "begin merge");
    expected.push_back("end merge");
    EXPECT_EQ(w.tree.calls, expected);
    const bool up = target == MergeTarget::First;
    EXPECT_EQ(w.Counts(), up ? "0:3 a:0 b:4* c:0* d:0" : "0:3 a:0 b:0* c:4* d:0");
    EXPECT_EQ(w.All(), up ? "z1:1 z2:3 z3:3 z4:3 z5:1 | w1:3 | n1:1" : "z1:1 z2:4 z3:4 z4:4 z5:1 | w1:4 | n1:1");
  }
}

TEST_F(LayerOps, MergeOfSeveralSourcesIncludingLayerZeroAndTheCurrent) {
  layers.SetCurrentLayer(0);
  ASSERT_TRUE(MergeLayers(store, layers, std::vector<int>{0, 2, 1}, MergeTarget::Last, tree));
  // "a" gave no objects and "c" was not selected: neither is modified.
  EXPECT_EQ(Counts(), "0:0* a:0 b:6* c:1 d:0");
  EXPECT_EQ(All(), "z1:3 z2:3 z3:4 z4:3 z5:3 | w1:3 | n1:3");
  EXPECT_EQ(layers.CurrentLayer(), 0);
}

TEST_F(LayerOps, MergeNeedsTwoDistinctLayersAndMoveAnotherLayer) {
  for (const std::vector<int>& selected : {std::vector<int>{}, {2}, {2, 2}, {2, 9, -1}})
    EXPECT_FALSE(MergeLayers(store, layers, selected, MergeTarget::First, tree));
  EXPECT_TRUE(tree.calls.empty());
  for (const int refused : {2, 5, -1})  // z2 already lies in "b"; no such layers
    EXPECT_FALSE(MoveObjectToLayer(store, layers, 0, 0, 1, refused));
  EXPECT_EQ(Counts(), "0:3 a:0 b:3 c:1 d:0");
  ASSERT_TRUE(MoveObjectToLayer(store, layers, 0, 0, 1, layers.FindLayerByName("a")));
  EXPECT_EQ(Objects(0, 0), "z1:1 z2:2 z3:4 z4:3 z5:1");
  EXPECT_EQ(Counts(), "0:3 a:1* b:2* c:1 d:0");
}

TEST(BaseNameTest, TakesTheFileNameWithoutItsLastExtension) {
  // A dot in a folder is no extension; only a leading dot: the whole name.
  const std::pair<const char*, const char*> cases[] = {
      {"Zone1.idf", "Zone1"}, {"C:\\mixed/dir\\office.v2.IDF", "office.v2"}, {"/a.b/c", "c"}, {"/models/.idf", ".idf"},
      {"..idf", "."},         {"Zone1.", "Zone1"},                            {"/models/", ""},
  };
  for (const auto& [path, base] : cases) EXPECT_EQ(BaseName(path), base) << path;
}

struct OpenFiles : ::testing::Test, World {
  OpenFiles() : World({"0"}) {}
  // Reading a file adds objects with layer id 0: two zones and a window.
  void ReadThreeObjects() {
    Add(0, 0, kReadObjectsLayerId, "new zone 1");
    Add(1, 0, kReadObjectsLayerId, "new window");
    Add(0, 0, kReadObjectsLayerId, "new zone 2");
  }
  void Open(OpenMode mode, const char* path, bool withObjects = true) {
    if (withObjects) ReadThreeObjects();
    FinishOpen(store, layers, BeginOpen(layers, mode, path), tree);
  }
};

TEST_F(OpenFiles, OpeningZone1TwiceCreatesTheLayerThenMarksItModified) {
  Open(OpenMode::FilenameLayer, "/models/Zone1.idf");
  EXPECT_EQ(Counts(), "0:0 Zone1:3@/models/Zone1.idf");
  EXPECT_EQ(layers.CurrentLayer(), 0);  // a new layer does not become current
  EXPECT_EQ(Objects(0, 0), "new zone 1:2 new zone 2:2");
  EXPECT_EQ(tree.calls, (Calls{"shown 0.0.0 id 2", "shown 0.0.1 id 2", "shown 1.0.0 id 2"}));

  tree.calls.clear();
  Open(OpenMode::FilenameLayer, "/copy/ZONE1.idf");  // the same layer, whatever the case
  EXPECT_EQ(Counts(), "0:0 Zone1:6*@/copy/ZONE1.idf");
  EXPECT_EQ(tree.calls, (Calls{"shown 0.0.2 id 2", "shown 0.0.3 id 2", "shown 1.0.1 id 2"}));
}

TEST_F(OpenFiles, CurrentLayerTakesThePathAndIsMarkedOnlyWhenObjectsCame) {
  layers.SetCurrentLayer(layers.AddLayer("walls", "/old.idf"));
  Open(OpenMode::CurrentLayer, "/models/empty.idf", false);
  EXPECT_EQ(Counts(), "0:0 walls:0@/models/empty.idf");
  Open(OpenMode::CurrentLayer, "/models/Zone1.idf");
  EXPECT_EQ(Counts(), "0:0 walls:3*@/models/Zone1.idf");
}

TEST_F(OpenFiles, ObjectsHandedToALayerThatIsOffGetNoTreeItem) {
  const int hidden = layers.AddLayer("hidden", "");
  layers.SetLayerOn(hidden, false);
  Add(0, 0, 1, "old zone");
  ReadThreeObjects();
  EXPECT_EQ(HandReadObjectsToLayer(store, layers, hidden, tree), 3u);
  EXPECT_TRUE(tree.calls.empty());
  EXPECT_EQ(Objects(0, 0), "old zone:1 new zone 1:2 new zone 2:2");
  EXPECT_EQ(Counts(), "0:1 hidden:3");  // not modified: the open command decides that
  EXPECT_EQ(HandReadObjectsToLayer(store, layers, hidden, tree), 0u);  // layer id 0 is empty again
  EXPECT_EQ(HandReadObjectsToLayer(store, layers, 7, tree), 0u);
}

// Objects that no layer can take are removed, so that the next file's layer does not get them.
TEST_F(OpenFiles, AnEmptyListHasNoTargetAndTheReadObjectsGo) {
  layers = LayerList();
  Add(0, 0, 1, "old zone");
  ReadThreeObjects();
  const OpenTarget target = BeginOpen(layers, OpenMode::CurrentLayer, "a.idf");
  EXPECT_EQ(target.layerId, 0);
  FinishOpen(store, layers, target, tree);
  EXPECT_EQ(All(), "old zone:1 |  | ");
  EXPECT_TRUE(tree.calls.empty());
}

}  // namespace
}  // namespace verdanto
