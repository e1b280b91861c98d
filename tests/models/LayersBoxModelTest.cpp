#include "ui/models/LayersBoxModel.h"

#include <gtest/gtest.h>

#include "base/Text.h"

namespace verdanto {
namespace {

// Writes down what the main window would see at each notification.
struct RecordingWindow final : LayerListListener {
  LayerList* layers = nullptr;
  std::vector<std::string> seen;
  void LayerSelectionChanged() override {
    if (layers->lastChanged < 0)
      seen.push_back(Format("pick %d", layers->shown));
    else
      seen.push_back(Format("%s %d", layers->changeKind == ChangeKind::OnOffToggled ? "lamp" : "mark", layers->lastChanged));
    layers->ChangeHandled();
  }
};

// Layers "0", "A", "B", all on.
struct LayersBox : ::testing::Test {
  LayerList layers;
  RecordingWindow window;
  LayersBoxModel box{layers};
  void SetUp() override {
    for (const char* name : {"0", "A", "B"}) layers.AddLayer(name, "");
    window.layers = &layers;
    layers.listener = &window;
  }
  void Reset(int current, int shown) {
    for (Layer& layer : layers.layers) layer.on = true;
    layers.current = current;
    layers.shown = shown;
    window.seen.clear();
  }
  std::string State() const {
    std::string out = Format("current %d shown %d on", layers.current, layers.shown);
    for (const Layer& layer : layers.layers) out += layer.on ? " 1" : " 0";
    return out;
  }
};

// A click on the closed box acts on the shown entry (here "A"), a click in the
// open list on the clicked entry; the images are at the left of the entry.
TEST_F(LayersBox, ClicksOnTheImagesActAndElsewhereLeaveThePickToTheList) {
  constexpr int kClosed = -1;
  const struct {
    int current, entry, x;
    bool acted;  // false: the list picks the entry as usual
    const char* state;
    const char* seen;
  } cases[] = {
      {0, kClosed, 0, false, "current 0 shown 1 on 1 1 1", ""},
      {0, kClosed, 1, true, "current 1 shown 1 on 1 1 1", "mark 1"},
      {0, kClosed, 14, true, "current 1 shown 1 on 1 1 1", "mark 1"},  // 13 from the area's edge: still the mark
      {0, kClosed, 15, true, "current 0 shown 1 on 1 0 1", "lamp 1"},
      {0, kClosed, 27, true, "current 0 shown 1 on 1 0 1", "lamp 1"},
      {0, kClosed, 28, false, "current 0 shown 1 on 1 1 1", ""},
      {0, 2, 0, true, "current 2 shown 1 on 1 1 1", "mark 2"},
      {0, 2, 13, true, "current 2 shown 1 on 1 1 1", "mark 2"},
      {0, 2, 14, true, "current 0 shown 1 on 1 1 0", "lamp 2"},
      {0, 2, 25, true, "current 0 shown 1 on 1 1 0", "lamp 2"},
      {0, 2, 26, false, "current 0 shown 1 on 1 1 1", ""},
      {0, 0, 5, true, "current 1 shown 1 on 1 1 1", "mark 0"},   // the mark of the current layer: the next one
      {2, 2, 5, true, "current 0 shown 1 on 1 1 1", "mark 2"},   // ... after the last, the first
      {0, 0, 20, true, "current 0 shown 1 on 0 1 1", "lamp 0"},  // the lamp of the current layer: off, still current
      {0, 3, 5, false, "current 0 shown 1 on 1 1 1", ""},        // no such entry
  };
  for (const auto& t : cases) {
    Reset(t.current, 1);
    const bool acted = t.entry == kClosed ? box.ClickClosedBox(t.x) : box.ClickListEntry(t.entry, t.x);
    EXPECT_EQ(std::tuple(acted, State(), window.seen.empty() ? "" : window.seen[0], layers.lastChanged),
              std::tuple(t.acted, t.state, std::string(t.seen), -1)) << t.entry << " at " << t.x;
  }
}

TEST_F(LayersBox, APickTellsTheWindowAsAPlainPickAndEntriesShowTheCurrentMarkAndTheLamp) {
  layers.lastChanged = 1;  // left over: a pick must not look like a lamp click
  box.Pick(2);
  box.Pick(7);  // no such entry
  EXPECT_EQ(window.seen, (std::vector<std::string>{"pick 2"}));

  layers.current = 1;
  layers.SetLayerOn(2, false);
  std::string shown;
  for (int i = 0; i < box.EntryCount(); ++i) {
    const LayersBoxEntry entry = box.Entry(i);
    shown += Format("%s %d %d; ", std::string(entry.name).c_str(), entry.currentImage, entry.lampImage);
  }
  EXPECT_EQ(shown, Format("0 %d %d; A %d %d; B %d %d; ", kNotCurrentImage, kLampOnImage, kCurrentImage, kLampOnImage,
                          kNotCurrentImage, kLampOffImage));
}

}  // namespace
}  // namespace verdanto
