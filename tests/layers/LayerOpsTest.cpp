// Operations on layers and their objects: delete, merge, move, and handing the
// objects of an opened file to a layer.

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

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
  const struct {
    std::vector<int> selected;
    const char* current;
    Answer answer;
    std::string message;  // empty: no question at all
    std::vector<int> removedRows;
    const char* remaining;
    std::uint16_t zonesLeft;
  } cases[] = {
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
  for (const auto& t : cases) {
    SCOPED_TRACE(t.remaining);
    LayersWithObjects w;
    w.layers.SetCurrentLayer(w.layers.FindLayerByName(t.current));
    w.prompter.script = {t.answer};
    const DeleteLayersResult result = DeleteLayers(w.store, w.layers, t.selected, w.prompter, w.tree);
    EXPECT_EQ(w.prompter.Texts(), t.message.empty() ? Calls{} : Calls{t.message});
    for (const auto& m : w.prompter.messages) {
      EXPECT_EQ(m.caption, "Delete Layers");
      EXPECT_EQ(m.icon, Icon::Warning);
      // Enter on the question must not delete: No is its default button.
      EXPECT_EQ(m.buttons, t.answer == Answer::Ok ? Buttons::Ok : Buttons::YesNoDefaultNo);
    }
    EXPECT_EQ(result.removedRows, t.removedRows);
    EXPECT_EQ(w.Names(), t.remaining);
    EXPECT_EQ(w.layers.At(w.layers.CurrentLayer()).name, t.current);
    EXPECT_EQ(w.store.GetClass(0, 0).objectCount(), t.zonesLeft);
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
  EXPECT_EQ(Objects(0, 0), "z1:1 z5:1");
  EXPECT_EQ(Objects(0, 1), "");
  EXPECT_EQ(Objects(1, 0), "n1:1");
  EXPECT_EQ(layers.At(0).objectCount, 3u);
  EXPECT_FALSE(layers.At(0).modified);
}

// "b" holds z2, z4, w1 and "c" holds z3; up merges c into b, down b into c.
TEST(MergeLayersTest, MovesObjectsAndTellsTheTreeByOnOffState) {
  const struct {
    bool bOn, cOn;
    MergeTarget target;
    Calls calls;  // between "begin merge" and "end merge"
  } cases[] = {
      {true, true, MergeTarget::First, {"layer 0.0.2 id 3"}},
      {true, false, MergeTarget::First, {"shown 0.0.2 id 3"}},
      {false, true, MergeTarget::First, {"hidden 0.0.2"}},
      {false, false, MergeTarget::First, {"layer 0.0.2 id 3"}},
      {true, false, MergeTarget::Last, {"hidden 0.0.1", "hidden 0.0.3", "hidden 0.1.0"}},
      {false, true, MergeTarget::Last, {"shown 0.0.1 id 4", "shown 0.0.3 id 4", "shown 0.1.0 id 4"}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.calls.front());
    LayersWithObjects w;
    w.Named("b").on = t.bOn;
    w.Named("c").on = t.cOn;
    ASSERT_TRUE(MergeLayers(w.store, w.layers, std::vector<int>{3, 2}, t.target, w.tree));
    Calls calls = t.calls;
    calls.insert(calls.begin(), "begin merge");
    calls.push_back("end merge");
    EXPECT_EQ(w.tree.calls, calls);
    const bool up = t.target == MergeTarget::First;
    EXPECT_EQ(w.Named(up ? "b" : "c").objectCount, 4u);
    EXPECT_EQ(w.Named(up ? "c" : "b").objectCount, 0u);
    EXPECT_TRUE(w.Named("b").modified && w.Named("c").modified);
    EXPECT_EQ(w.Objects(0, 0), up ? "z1:1 z2:3 z3:3 z4:3 z5:1" : "z1:1 z2:4 z3:4 z4:4 z5:1");
    EXPECT_EQ(w.Objects(0, 1), up ? "w1:3" : "w1:4");
    EXPECT_EQ(w.Names(), "0abcd");
  }
}

TEST_F(LayerOps, MergeOfSeveralSourcesIncludingLayerZeroAndTheCurrent) {
  layers.SetCurrentLayer(0);
  ASSERT_TRUE(MergeLayers(store, layers, std::vector<int>{0, 2, 1}, MergeTarget::Last, tree));
  EXPECT_EQ(Named("b").objectCount, 6u);
  EXPECT_EQ(Named("0").objectCount, 0u);
  EXPECT_TRUE(Named("0").modified);
  EXPECT_FALSE(Named("a").modified);  // it gave no objects
  EXPECT_FALSE(Named("c").modified);  // not selected
  EXPECT_EQ(Objects(0, 0), "z1:3 z2:3 z3:4 z4:3 z5:3");
  EXPECT_EQ(Objects(1, 0), "n1:3");
  EXPECT_EQ(layers.CurrentLayer(), 0);
}

TEST_F(LayerOps, MergeNeedsTwoDistinctLayersAndMoveAnotherLayer) {
  for (const std::vector<int>& selected : {std::vector<int>{}, {2}, {2, 2}, {2, 9, -1}})
    EXPECT_FALSE(MergeLayers(store, layers, selected, MergeTarget::First, tree));
  EXPECT_TRUE(tree.calls.empty());
  for (const int refused : {2, 5, -1})  // z2 already lies in "b"; no such layers
    EXPECT_FALSE(MoveObjectToLayer(store, layers, 0, 0, 1, refused));
  EXPECT_EQ(Named("b").objectCount, 3u);
  EXPECT_FALSE(Named("b").modified);
  ASSERT_TRUE(MoveObjectToLayer(store, layers, 0, 0, 1, layers.FindLayerByName("a")));
  EXPECT_EQ(Objects(0, 0), "z1:1 z2:2 z3:4 z4:3 z5:1");
  EXPECT_EQ(Named("a").objectCount, 1u);
  EXPECT_EQ(Named("b").objectCount, 2u);
  EXPECT_TRUE(Named("a").modified && Named("b").modified);
}

TEST(BaseNameTest, TakesTheFileNameWithoutItsLastExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"Zone1.idf", "Zone1"},
      {"C:\\mixed/dir\\office.v2.IDF", "office.v2"},
      {"/a.b/c", "c"},           // a dot in a folder is no extension
      {"/models/.idf", ".idf"},  // only a leading dot: the whole name
      {"..idf", "."},
      {"Zone1.", "Zone1"},
      {"/models/", ""},
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
  const int zone1 = layers.FindLayerByName("Zone1");
  ASSERT_GE(zone1, 0);
  EXPECT_EQ(layers.At(zone1).outputPath, "/models/Zone1.idf");
  EXPECT_EQ(layers.At(zone1).objectCount, 3u);
  EXPECT_FALSE(layers.At(zone1).modified);
  EXPECT_EQ(layers.CurrentLayer(), 0);  // a new layer does not become current
  EXPECT_EQ(Objects(0, 0), "new zone 1:2 new zone 2:2");
  EXPECT_EQ(tree.calls, (Calls{"shown 0.0.0 id 2", "shown 0.0.1 id 2", "shown 1.0.0 id 2"}));

  tree.calls.clear();
  Open(OpenMode::FilenameLayer, "/copy/ZONE1.idf");  // the same layer, whatever the case
  EXPECT_EQ(Names(), "0Zone1");
  EXPECT_EQ(layers.At(zone1).outputPath, "/copy/ZONE1.idf");
  EXPECT_EQ(layers.At(zone1).objectCount, 6u);
  EXPECT_TRUE(layers.At(zone1).modified);
  EXPECT_EQ(tree.calls, (Calls{"shown 0.0.2 id 2", "shown 0.0.3 id 2", "shown 1.0.1 id 2"}));
  EXPECT_FALSE(layers.At(0).modified);
}

TEST_F(OpenFiles, CurrentLayerTakesThePathAndIsMarkedOnlyWhenObjectsCame) {
  layers.SetCurrentLayer(layers.AddLayer("walls", "/old.idf"));
  Layer& walls = layers.At(layers.CurrentLayer());
  Open(OpenMode::CurrentLayer, "/models/empty.idf", false);
  EXPECT_EQ(walls.outputPath, "/models/empty.idf");
  EXPECT_FALSE(walls.modified);
  Open(OpenMode::CurrentLayer, "/models/Zone1.idf");
  EXPECT_EQ(Names(), "0walls");
  EXPECT_EQ(walls.outputPath, "/models/Zone1.idf");
  EXPECT_EQ(walls.objectCount, 3u);
  EXPECT_TRUE(walls.modified);
}

TEST_F(OpenFiles, ObjectsHandedToALayerThatIsOffGetNoTreeItem) {
  const int hidden = layers.AddLayer("hidden", "");
  layers.SetLayerOn(hidden, false);
  Add(0, 0, 1, "old zone");
  ReadThreeObjects();
  EXPECT_EQ(HandReadObjectsToLayer(store, layers, hidden, tree), 3u);
  EXPECT_TRUE(tree.calls.empty());
  EXPECT_EQ(Objects(0, 0), "old zone:1 new zone 1:2 new zone 2:2");
  EXPECT_EQ(layers.At(hidden).objectCount, 3u);
  EXPECT_FALSE(layers.At(hidden).modified);                          // the open command decides that
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
  EXPECT_EQ(Objects(0, 0), "old zone:1");
  EXPECT_EQ(Objects(1, 0), "");
  EXPECT_TRUE(tree.calls.empty());
}

}  // namespace
}  // namespace verdanto
