#pragma once
// An ObjectTreeObserver that writes down every call as one short line, and a
// small store to run layer operations on.

#include <string>
#include <vector>

#include "layers/LayerOps.h"
#include "store/Dictionary.h"
#include "store/Text.h"

namespace verdanto::testing {

class RecordingTree final : public ObjectTreeObserver {
 public:
  std::vector<std::string> calls;

  void BeginTreeChange(TreeChange kind) override {
    calls.push_back(kind == TreeChange::Delete ? "begin delete" : "begin merge");
  }
  void EndTreeChange(TreeChange kind) override {
    calls.push_back(kind == TreeChange::Delete ? "end delete" : "end merge");
  }
  void ObjectRemoved(std::uint16_t g, std::uint16_t c, std::uint16_t o) override {
    calls.push_back(Format("removed %u.%u.%u", g, c, o));
  }
  void ObjectRenumbered(std::uint16_t g, std::uint16_t c, std::uint16_t from, std::uint16_t to) override {
    calls.push_back(Format("renumbered %u.%u %u>%u", g, c, from, to));
  }
  void ObjectLayerChanged(std::uint16_t g, std::uint16_t c, std::uint16_t o, std::uint16_t id) override {
    calls.push_back(Format("layer %u.%u.%u id %u", g, c, o, id));
  }
  void ObjectHidden(std::uint16_t g, std::uint16_t c, std::uint16_t o) override {
    calls.push_back(Format("hidden %u.%u.%u", g, c, o));
  }
  void ObjectShown(std::uint16_t g, std::uint16_t c, std::uint16_t o, std::uint16_t id) override {
    calls.push_back(Format("shown %u.%u.%u id %u", g, c, o, id));
  }
};

// Two groups; group 0 holds Zone (Name) and Wall (Name), group 1 holds Window (Name).
// Each object's name is given with it, so a test can see which object is where.
struct SmallStore {
  Dictionary store;
  SmallStore() {
    const auto g0 = store.AddGroup("Thermal Zones");
    store.AddField(g0, store.AddClass(g0, "Zone"), "A1");
    store.AddField(g0, store.AddClass(g0, "Wall"), "A1");
    const auto g1 = store.AddGroup("Fenestration");
    store.AddField(g1, store.AddClass(g1, "Window"), "A1");
  }
  std::uint16_t Add(std::uint16_t g, std::uint16_t c, std::uint16_t layer, std::string_view name) {
    const auto o = store.AddObject(g, c, layer);
    store.GetValue(g, c, 0, o).value = name;
    return o;
  }
  // "name:layer" of each object of the class, in order.
  std::string Objects(std::uint16_t g, std::uint16_t c) const {
    std::string out;
    const auto& cls = store.GetClass(g, c);
    for (std::uint16_t o = 0; o < cls.objectCount(); ++o)
      out += (out.empty() ? "" : " ") + store.GetValue(g, c, 0, o).value.str() + Format(":%u", cls.objectLayers[o]);
    return out;
  }
};

}  // namespace verdanto::testing
