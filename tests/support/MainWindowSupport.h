#pragma once
// A small dictionary for the main window's tests, and a LoadRunner that reads
// input texts kept in memory and "loads" that dictionary for any IDD path.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "store/Dictionary.h"
#include "store/IdfReader.h"
#include "base/Platform.h"
#include "base/Text.h"

namespace verdanto::testing {

inline constexpr const char* kVertexCountLabel =
    "Number of Surface Vertex Groups -- Number of (X,Y,Z) groups in this surface";

// Simulation Parameters: Version, Building; Zones: Zone, Old Zone, Surface; Misc: Lead Input (no fields).
inline void BuildMainWindowDictionary(Dictionary& store) {
  store.version = "9.9.0";
  const auto field = [&](std::uint16_t g, std::uint16_t c, const char* name, const char* label) -> DictField& {
    DictField& f = store.GetField(g, c, store.AddField(g, c, name));
    f.label = label;
    return f;
  };
  const auto sim = store.AddGroup("Simulation Parameters");
  const auto version = store.AddClass(sim, "Version");
  store.GetClass(sim, version).memo = "Specifies the EnergyPlus version.\r\n";
  store.GetClass(sim, version).flags = ClassFlag::UniqueObject;
  DictField& identifier = field(sim, version, "A1", "Version Identifier");
  identifier.flags |= FieldFlag::RequiredField;
  identifier.note = "Major and minor version.\r\n";
  const auto building = store.AddClass(sim, "Building");
  store.GetClass(sim, building).flags = ClassFlag::UniqueObject | ClassFlag::RequiredObject;
  store.GetClass(sim, building).minFields = 2;
  field(sim, building, "A1", "Name").flags |= FieldFlag::RequiredField;
  field(sim, building, "N1", "North Axis").units = "deg";
  field(sim, building, "N2", "");

  const auto zones = store.AddGroup("Zones");
  const auto zone = store.AddClass(zones, "Zone");
  field(zones, zone, "A1", "Name");
  field(zones, zone, "N1", "X Origin").units = "m";
  const auto oldZone = store.AddClass(zones, "Old Zone");
  store.GetClass(zones, oldZone).obsolete = "=>Zone";
  field(zones, oldZone, "A1", "Name");
  const auto surface = store.AddClass(zones, "Surface");
  store.GetClass(zones, surface).flags = ClassFlag::Extensible;
  field(zones, surface, "A1", "User Supplied Surface Name");
  field(zones, surface, "N1", kVertexCountLabel);
  for (int v = 1; v <= 3; ++v)
    for (const char axis : {'X', 'Y', 'Z'})
      field(zones, surface, "N", Format("Vertex %d %c-coordinate", v, axis).c_str());

  const auto misc = store.AddGroup("Misc");
  store.AddClass(misc, "Lead Input");
  store.BuildIndexes();
}

// Reads input texts kept in memory under their paths; an unknown path cannot be
// opened. Any dictionary path gives BuildMainWindowDictionary.
class MemoryLoadRunner final : public LoadRunner {
 public:
  explicit MemoryLoadRunner(Prompter& prompter) : prompter_(prompter) {}
  std::map<std::string, std::string> files;
  std::vector<std::string> runs;
  std::vector<std::string> failAfterReading;  // read whole, then reported as failed

  bool Run(LoadKind kind, const std::string& path, Dictionary& store) override {
    runs.push_back(path);
    const auto found = files.find(path);
    if (kind == LoadKind::LoadIdd) {
      store.Clear();
      BuildMainWindowDictionary(store);
      return true;
    }
    if (found == files.end()) {
      prompter_.Show(Format("Unable to open %s.", path.c_str()), kAppCaption, Icon::Error, Buttons::Ok);
      return false;
    }
    NullProgress progress;
    const bool read = LoadInputText(found->second, store, progress, prompter_);
    return read && std::find(failAfterReading.begin(), failAfterReading.end(), path) == failAfterReading.end();
  }

 private:
  Prompter& prompter_;
};

}  // namespace verdanto::testing
