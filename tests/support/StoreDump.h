#pragma once
// A small dictionary for input-file tests, and a text dump of a store's objects
// that tests compare as a whole.

#include <string>
#include <string_view>

#include "store/Dictionary.h"

namespace verdanto::testing {

// Groups and classes, all fields labelled except Wall's last:
//   Simulation Parameters: Version (1 field)
//   Zones: Zone (Name, Direction of Relative North, X Origin, Y Origin),
//          Wall (Name, Zone Name, unlabelled)
//   Schedules: Schedule:Compact (Name, Type Limits, Field 1 .. Field 10),
//              Lead Input (no fields)
inline void BuildSampleDictionary(Dictionary& store) {
  const auto addClass = [&](std::uint16_t g, std::string_view name, std::initializer_list<std::string_view> labels) {
    const std::uint16_t c = store.AddClass(g, name);
    int n = 0;
    for (const auto label : labels) {
      const std::uint16_t f = store.AddField(g, c, "A" + std::to_string(++n));
      store.GetField(g, c, f).label = label;
    }
  };
  const std::uint16_t simulation = store.AddGroup("Simulation Parameters");
  addClass(simulation, "Version", {"Version Identifier"});
  const std::uint16_t zones = store.AddGroup("Zones");
  addClass(zones, "Zone", {"Name", "Direction of Relative North", "X Origin", "Y Origin"});
  addClass(zones, "Wall", {"Name", "Zone Name", ""});
  const std::uint16_t schedules = store.AddGroup("Schedules");
  addClass(schedules, "Schedule:Compact",
           {"Name", "Type Limits", "Field 1", "Field 2", "Field 3", "Field 4", "Field 5", "Field 6", "Field 7",
            "Field 8", "Field 9", "Field 10"});
  addClass(schedules, "Lead Input", {});
  store.BuildIndexes();
}

// One line per object: "Class: [value] [value !comment] ...", every field shown,
// CR LF inside comments as "\n". With `withLayers` each line starts with "@id ".
inline std::string DumpObjects(const Dictionary& store, bool withLayers = false) {
  std::string out;
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (const DictClass& cls : store.GetGroup(g).classes)
      for (std::size_t o = 0; o < cls.objectLayers.size(); ++o) {
        if (withLayers) out += "@" + std::to_string(cls.objectLayers[o]) + " ";
        out += cls.name.str() + ":";
        for (const DictField& field : cls.fields) {
          const FieldValue& value = field.values[o];
          out += " [" + value.value.str();
          if (!value.comment.empty()) {
            std::string comment = value.comment.str();
            for (std::size_t at = 0; (at = comment.find("\r\n", at)) != std::string::npos;) comment.replace(at, 2, "\\n");
            out += " !" + comment;
          }
          out += "]";
        }
        out += "\n";
      }
  return out;
}

}  // namespace verdanto::testing
