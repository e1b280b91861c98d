#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/Text.h"
#include "ui/models/LayersBoxModel.h"

namespace verdanto {
namespace {

// Writes down what the main window would see at each notification.
struct RecordingWindow final : LayerListListener {
  LayerList* layers = nullptr;
  std::vector<std::string> seen;
  void LayerSelectionChanged() override {
    if (layers->lastChanged < 0) {
      seen.push_back(Format("pick %d", layers->shown));
    } else {
      seen.push_back(Format("%s %d", layers->changeKind == ChangeKind::OnOffToggled ? "lamp" : "mark",
                            layers->lastChanged));
    }
    layers->ChangeHandled();
  }
};

struct LayersBox : ::testing::Test {
  LayerList layers;
  RecordingWindow window;
  LayersBoxModel box{layers};
  void SetUp() override {
    for (const char* name : {"0", "A", "B"}) layers.AddLayer(name, "");
    window.layers = &layers;
    layers.listener = &window;
  }
  std::string State() const {
    std::string out = Format("current %d shown %d on", layers.current, layers.shown);
    for (const Layer& layer : layers.layers) out += layer.on ? " 1" : " 0";
    return out;
  }
};

TEST_F(LayersBox, ClicksOnTheClosedBoxActOnTheShownLayerByPosition) {
  const struct {
    int x;
    bool acted;
    const char* state;
    const char* seen;
  } cases[] = {
      {0, false, "current 0 shown 1 on 1 1 1", ""},
      {1, true, "current 1 shown 1 on 1 1 1", "mark 1"},
      {14, true, "current 1 shown 1 on 1 1 1", "mark 1"},  // 13 from the area's edge: still the mark
      {15, true, "current 0 shown 1 on 1 0 1", "lamp 1"},
      {27, true, "current 0 shown 1 on 1 0 1", "lamp 1"},
      {28, false, "current 0 shown 1 on 1 1 1", ""},
      {200, false, "current 0 shown 1 on 1 1 1", ""},
  };
  for (const auto& t : cases) {
    for (Layer& layer : layers.layers) layer.on = true;
    layers.current = 0;
    layers.shown = 1;
    window.seen.clear();
    EXPECT_EQ(box.ClickClosedBox(t.x), t.acted) << t.x;
    EXPECT_EQ(State(), t.state) << t.x;
    EXPECT_EQ(window.seen.empty() ? "" : window.seen[0], std::string(t.seen)) << t.x;
    EXPECT_EQ(layers.lastChanged, -1);
  }
}

TEST_F(LayersBox, ClicksOnAnOpenListEntryActOnItsImagesOrPickIt) {
  const struct {
    int entry;
    int x;
    bool acted;  // false: the list picks the entry as usual
    const char* state;
  } cases[] = {
      {2, 0, true, "current 2 shown 0 on 1 1 1"},
      {2, 13, true, "current 2 shown 0 on 1 1 1"},
      {2, 14, true, "current 0 shown 0 on 1 1 0"},
      {2, 25, true, "current 0 shown 0 on 1 1 0"},
      {2, 26, false, "current 0 shown 0 on 1 1 1"},
      {0, 5, true, "current 1 shown 0 on 1 1 1"},  // the mark of the current layer: the next one
      {0, 20, true, "current 0 shown 0 on 0 1 1"},  // the lamp of the current layer: off, still current
      {3, 5, false, "current 0 shown 0 on 1 1 1"},  // no such entry
  };
  for (const auto& t : cases) {
    for (Layer& layer : layers.layers) layer.on = true;
    layers.current = layers.shown = 0;
    EXPECT_EQ(box.ClickListEntry(t.entry, t.x), t.acted) << t.entry << " at " << t.x;
    EXPECT_EQ(State(), t.state) << t.entry << " at " << t.x;
  }
}

TEST_F(LayersBox, TheCurrentMarkOfTheLastLayerMovesToTheFirst) {
  layers.current = 2;
  box.ClickListEntry(2, 0);
  EXPECT_EQ(layers.current, 0);
  box.ClickListEntry(0, 0);
  EXPECT_EQ(layers.current, 1);
  EXPECT_EQ(window.seen, (std::vector<std::string>{"mark 2", "mark 0"}));
}

TEST_F(LayersBox, APickShowsTheEntryAndTellsTheWindowAsAPlainPick) {
  layers.lastChanged = 1;  // left over: a pick must not look like a lamp click
  box.Pick(2);
  EXPECT_EQ(window.seen, (std::vector<std::string>{"pick 2"}));
  box.Pick(7);
  EXPECT_EQ(window.seen.size(), 1u);
}

TEST_F(LayersBox, EntriesShowTheCurrentMarkAndTheLamp) {
  layers.current = 1;
  layers.SetLayerOn(2, false);
  const struct {
    int index;
    const char* name;
    int currentImage;
    int lampImage;
  } expected[] = {{0, "0", kNotCurrentImage, kLampOnImage},
                  {1, "A", kCurrentImage, kLampOnImage},
                  {2, "B", kNotCurrentImage, kLampOffImage}};
  ASSERT_EQ(box.EntryCount(), 3);
  for (const auto& e : expected) {
    const LayersBoxEntry entry = box.Entry(e.index);
    EXPECT_EQ(entry.name, e.name);
    EXPECT_EQ(entry.currentImage, e.currentImage) << e.name;
    EXPECT_EQ(entry.lampImage, e.lampImage) << e.name;
  }
  EXPECT_EQ(kCurrentImage, 2);
  EXPECT_EQ(kNotCurrentImage, 3);
  EXPECT_EQ(kLampOnImage, 0);
  EXPECT_EQ(kLampOffImage, 1);
}

}  // namespace
}  // namespace verdanto
