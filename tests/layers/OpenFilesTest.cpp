#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layers/OpenFiles.h"
#include "layers/RecordingTree.h"

namespace verdanto {
namespace {

using testing::RecordingTree;
using testing::SmallStore;
using Calls = std::vector<std::string>;

TEST(BaseNameTest, TakesTheFileNameWithoutItsLastExtension) {
  const struct {
    const char* path;
    const char* base;
  } cases[] = {
      {"Zone1.idf", "Zone1"},
      {"/home/me/models/Zone1.idf", "Zone1"},
      {"C:\\models\\Zone1.IDF", "Zone1"},
      {"C:\\mixed/dir\\office.v2.idf", "office.v2"},
      {"/a.b/c", "c"},  // a dot in a folder is no extension
      {"/models/README", "README"},
      {"/models/.idf", ".idf"},  // only a leading dot: the whole name
      {"..idf", "."},
      {"Zone1.", "Zone1"},
      {"", ""},
      {"/models/", ""},
  };
  for (const auto& t : cases) EXPECT_EQ(BaseName(t.path), t.base) << t.path;
}

// Reading a file adds objects with layer id 0; this puts two there in Zone and
// one in Window, as a reader would.
void ReadThreeObjects(SmallStore& s) {
  s.Add(0, 0, kReadObjectsLayerId, "new zone 1");
  s.Add(1, 0, kReadObjectsLayerId, "new window");
  s.Add(0, 0, kReadObjectsLayerId, "new zone 2");
}

struct OpenFiles : ::testing::Test {
  SmallStore s;
  LayerList layers;
  RecordingTree tree;
  void SetUp() override { layers.AddLayer("0", ""); }

  void Open(OpenMode mode, const char* path) {
    ReadThreeObjects(s);
    const OpenTarget target = BeginOpen(layers, mode, path);
    FinishOpen(s.store, layers, target, tree);
  }
};

TEST_F(OpenFiles, OpeningZone1TwiceCreatesTheLayerThenMarksItModified) {
  Open(OpenMode::FilenameLayer, "/models/Zone1.idf");
  int zone1 = layers.FindLayerByName("Zone1");
  ASSERT_GE(zone1, 0);
  EXPECT_EQ(layers.At(zone1).id, 2);
  EXPECT_EQ(layers.At(zone1).outputPath, "/models/Zone1.idf");
  EXPECT_EQ(layers.At(zone1).objectCount, 3u);
  EXPECT_FALSE(layers.At(zone1).modified);
  EXPECT_EQ(layers.At(layers.CurrentLayer()).name, "0");  // a new layer does not become current
  EXPECT_EQ(s.Objects(0, 0), "new zone 1:2 new zone 2:2");
  EXPECT_EQ(tree.calls, (Calls{"shown 0.0.0 id 2", "shown 0.0.1 id 2", "shown 1.0.0 id 2"}));

  tree.calls.clear();
  Open(OpenMode::FilenameLayer, "/copy/ZONE1.idf");  // same layer, whatever the case
  EXPECT_EQ(layers.Count(), 2);
  zone1 = layers.FindLayerByName("Zone1");
  EXPECT_EQ(layers.At(zone1).name, "Zone1");
  EXPECT_EQ(layers.At(zone1).outputPath, "/copy/ZONE1.idf");
  EXPECT_EQ(layers.At(zone1).objectCount, 6u);
  EXPECT_TRUE(layers.At(zone1).modified);
  EXPECT_EQ(tree.calls, (Calls{"shown 0.0.2 id 2", "shown 0.0.3 id 2", "shown 1.0.1 id 2"}));
  EXPECT_FALSE(layers.At(0).modified);
}

TEST_F(OpenFiles, CurrentLayerModeTakesThePathAndMarksTheLayer) {
  layers.SetCurrentLayer(layers.AddLayer("walls", "/old.idf"));
  Open(OpenMode::CurrentLayer, "/models/Zone1.idf");
  EXPECT_EQ(layers.FindLayerByName("Zone1"), -1);
  const Layer& walls = layers.At(layers.FindLayerByName("walls"));
  EXPECT_EQ(walls.outputPath, "/models/Zone1.idf");
  EXPECT_EQ(walls.objectCount, 3u);
  EXPECT_TRUE(walls.modified);
}

TEST_F(OpenFiles, AnEmptyFileLeavesAnExistingLayerUnmodified) {
  layers.SetCurrentLayer(layers.AddLayer("walls", ""));
  const OpenTarget target = BeginOpen(layers, OpenMode::CurrentLayer, "/models/empty.idf");
  FinishOpen(s.store, layers, target, tree);
  const Layer& walls = layers.At(layers.CurrentLayer());
  EXPECT_EQ(walls.outputPath, "/models/empty.idf");
  EXPECT_FALSE(walls.modified);
}

TEST_F(OpenFiles, ObjectsHandedToALayerThatIsOffGetNoTreeItem) {
  const int hidden = layers.AddLayer("hidden", "");
  layers.SetLayerOn(hidden, false);
  s.Add(0, 0, 1, "old zone");
  ReadThreeObjects(s);
  EXPECT_EQ(HandReadObjectsToLayer(s.store, layers, hidden, tree), 3u);
  EXPECT_TRUE(tree.calls.empty());
  EXPECT_EQ(s.Objects(0, 0), "old zone:1 new zone 1:2 new zone 2:2");
  EXPECT_EQ(layers.At(hidden).objectCount, 3u);
  EXPECT_FALSE(layers.At(hidden).modified);                              // the open command decides that
  EXPECT_EQ(HandReadObjectsToLayer(s.store, layers, hidden, tree), 0u);  // layer 0 is empty again
  EXPECT_EQ(HandReadObjectsToLayer(s.store, layers, 7, tree), 0u);
}

TEST(OpenFilesWithoutLayers, AnEmptyListHasNoTargetAndNothingIsHanded) {
  SmallStore s;
  LayerList layers;
  RecordingTree tree;
  ReadThreeObjects(s);
  const OpenTarget target = BeginOpen(layers, OpenMode::CurrentLayer, "a.idf");
  EXPECT_EQ(target.layerId, 0);
  FinishOpen(s.store, layers, target, tree);
  EXPECT_EQ(s.Objects(1, 0), "new window:0");
}

}  // namespace
}  // namespace verdanto
