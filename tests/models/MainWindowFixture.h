#pragma once
// A main-window model over a small dictionary, with scripted user answers, a
// loading runner that reads input texts from memory, and a view that follows
// the class tree only through the model's notifications, so that every test
// also checks that an incremental view stays exact.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/Text.h"
#include "tests/support/MainWindowSupport.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScriptedFileChooser.h"
#include "ui/models/MainWindowModel.h"

namespace verdanto::testing {

using Strings = std::vector<std::string>;

// Keeps its own count of object items per class from the notifications alone.
class MirrorView final : public MainWindowListener {
 public:
  std::map<std::uint32_t, int> counts;
  unsigned changes = 0;  // parts of every ViewsChanged since the last clear
  int structuralChanges = 0, minimised = 0, restored = 0;

  void EndTreeReset() override { counts.clear(); }
  void BeginObjectItemsChange(std::uint16_t g, std::uint16_t c, int first, int oldCount, int newCount) override {
    EXPECT_EQ(counts[MakeItemKey(g, c)], oldCount) << "class " << g << "." << c;
    EXPECT_LE(first, std::min(oldCount, newCount));
    if (oldCount != newCount) ++structuralChanges;
  }
  void EndObjectItemsChange(std::uint16_t g, std::uint16_t c, int, int newCount) override {
    counts[MakeItemKey(g, c)] = newCount;
  }
  void ViewsChanged(unsigned parts) override { changes |= parts; }
  void MinimiseWindow() override { ++minimised; }
  void RestoreWindow() override { ++restored; }
};

// The classes that show objects and their object items with the items' layer
// ids, as indented text; the selected item ends in " *".
inline std::string DumpObjects(const MainWindowModel& model) {
  std::string out;
  const auto line = [&](const TreeItem& item, const std::string& text) {
    out += text + (model.SelectedItem() == item ? " *\n" : "\n");
  };
  for (std::uint16_t g = 0; g < model.store.GroupCount(); ++g)
    for (std::uint16_t c = 0; c < model.store.ClassCount(g); ++c) {
      const TreeItem classItem{TreeItemKind::Class, g, c, 0};
      if (model.ObjectItemCount(g, c) > 0) line(classItem, "  " + model.ItemText(classItem));
      for (int row = 0; row < model.ObjectItemCount(g, c); ++row) {
        const TreeItem item{TreeItemKind::Object, g, c, model.ObjectOfItem(g, c, row)};
        line(item, Format("    %s @%u", model.ItemText(item).c_str(), model.ItemKey(item) & 0xFFFF));
      }
    }
  return out;
}

struct MainWindowTest : ::testing::Test {
  RecordingPrompter prompter;
  ScriptedFileChooser chooser;
  MemoryLoadRunner loader{prompter};
  MainWindowModel model{prompter, chooser, loader};
  MirrorView view;

  static constexpr std::uint16_t kSim = 0, kZones = 1, kMisc = 2;
  static constexpr std::uint16_t kVersion = 0, kBuilding = 1, kZone = 0, kOldZone = 1, kSurface = 2;

  void SetUp() override {
    BuildMainWindowDictionary(model.store);
    model.SetListener(&view);
    model.SetUp();
  }
  void TearDown() override {
    for (std::uint16_t g = 0; g < model.store.GroupCount(); ++g)
      for (std::uint16_t c = 0; c < model.store.ClassCount(g); ++c)
        EXPECT_EQ(view.counts[MakeItemKey(g, c)], model.ObjectItemCount(g, c)) << "class " << g << "." << c;
  }

  // Reads `idf` as the file /models/<layerName>.idf into the layer of that name.
  void Read(const std::string& layerName, const std::string& idf) {
    const std::string path = "/models/" + layerName + ".idf";
    loader.files[path] = idf;
    chooser.multiAnswers.push_back(Strings{path});
    model.OpenFiles(OpenMode::FilenameLayer);
  }
  int LayerIndex(const std::string& name) const { return model.layers.FindLayerByName(name); }
  // Every layer as "name objectCount", with "*" while modified.
  std::string Layers() const {
    std::string out;
    for (const Layer& layer : model.layers.layers)
      out += Format("%s%s %u%s", out.empty() ? "" : " | ", layer.name.c_str(), layer.objectCount,
                    layer.modified ? "*" : "");
    return out;
  }
  void Select(TreeItemKind kind, std::uint16_t g, std::uint16_t c = 0, std::uint16_t o = 0) {
    model.SelectTreeItem({kind, g, c, o});
  }
  void SelectObject(std::uint16_t g, std::uint16_t c, std::uint16_t o) { Select(TreeItemKind::Object, g, c, o); }
  Strings Values() const {
    Strings out;
    for (const DetailRow& row : model.detailRows) out.push_back(row.value);
    return out;
  }
};

}  // namespace verdanto::testing
