#pragma once
// Stores and layer lists that the tests of a window's model and the tests of
// the window itself both start from.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "layers/LayerList.h"
#include "store/Dictionary.h"
#include "store/IdfReader.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/StoreDump.h"

namespace verdanto::testing {

// For the field editor. Zone (A1 \reference ZoneNames) and Surface: A1 Name,
// \reference SurfNames and AllNames; A2 Zone Name, required, an object list of
// "zonenames"; N1 Tilt, real 0..180 deg, default 90; N2, integer >= 1; N3
// Temperature, C / F. Layers "0" (current), "Other" (on), "Off" (off). One
// surface, in layer "0", named "Wall 1" with the comment "first wall".
struct SurfaceFields {
  enum SurfaceField : std::uint16_t { kName, kZoneName, kTilt, kCount, kTemperature };
  static constexpr std::uint16_t g = 0, zone = 0, surface = 1, zeroId = 1, otherId = 2, offId = 3;
  Dictionary store;
  LayerList layers;

  SurfaceFields() {
    store.AddClass(store.AddGroup("Surfaces"), "Zone");
    store.AddRefName(g, zone, store.AddField(g, zone, "A1"), "ZoneNames");
    store.AddClass(g, "Surface");
    Add("A1", "Name", FieldType::Alpha).note = "The surface's name.\r\nUnique.\r\n";
    store.AddRefName(g, surface, kName, "SurfNames");
    store.AddRefName(g, surface, kName, "AllNames");
    Add("A2", "Zone Name", FieldType::ObjectList).flags |= FieldFlag::RequiredField;
    store.AddRefName(g, surface, kZoneName, "zonenames");
    Add("N1", "Tilt", FieldType::Real, "deg", "0", "180").defaultValue = "90";
    Add("N2", "", FieldType::Integer, "", "1");
    Add("N3", "Temperature", FieldType::Real, "C").ipUnits = "F";
    store.BuildIndexes();
    for (const char* name : {"0", "Other", "Off"}) layers.AddLayer(name, "");
    layers.SetCurrentLayer(layers.ItemOfLayerId(zeroId));
    layers.SetLayerOn(layers.ItemOfLayerId(offId), false);
    store.AddObject(g, surface, zeroId);
    Value(kName) = FieldValue{"Wall 1", "first wall"};
  }

  // Bounds, when given, are inclusive.
  DictField& Add(const char* name, const char* label, FieldType type, const char* units = "",
                 const char* minimum = "", const char* maximum = "") {
    DictField& field = store.GetField(g, surface, store.AddField(g, surface, name));
    field.label = label;
    field.SetType(type);
    field.units = units;
    field.minimum = minimum;
    field.maximum = maximum;
    field.flags |= FieldFlag::MinInclusive | FieldFlag::MaxInclusive;
    return field;
  }
  DictField& Field(std::uint16_t f) { return store.GetField(g, surface, f); }
  FieldValue& Value(std::uint16_t f) { return store.GetValue(g, surface, f, 0); }
  void AddZone(const char* name, std::uint16_t layerId) {
    store.GetValue(g, zone, 0, store.AddObject(g, zone, layerId)).value = name;
  }
};

// For the save manager. Layers "0" (id 1), "a" (2), "b" (3) over the sample
// dictionary: "a" holds two zones and a wall, "b" one zone, layer 0 the version;
// "a" and "b" are modified.
struct SavedLayers {
  static constexpr const char* kLayerA = "Zone: [Z1 !first zone\\nof two] [30] [] [4]\n"
                                         "Zone: [Z3] [] [1 !set by hand] []\nWall: [W1] [Z1] []\n";
  Dictionary store;
  LayerList layers;

  SavedLayers() {
    BuildSampleDictionary(store);
    for (const char* name : {"0", "a", "b"}) layers.AddLayer(name, "");
    AddObject(1, 0, "a", {"Z1", "30", "", "4"});
    AddObject(1, 0, "b", {"Z2"});
    AddObject(1, 1, "a", {"W1", "Z1"});
    AddObject(0, 0, "0", {"9.9"});
    AddObject(1, 0, "a", {"Z3", "", "1"});
    store.GetValue(1, 0, 0, 0).comment = "first zone\r\nof two";
    store.GetValue(1, 0, 2, 2).comment = "set by hand";
    Named("a").modified = Named("b").modified = true;
  }

  void AddObject(std::uint16_t g, std::uint16_t c, const char* layer, std::initializer_list<const char*> values) {
    Layer& owner = Named(layer);
    const std::uint16_t o = store.AddObject(g, c, owner.id);
    std::uint16_t f = 0;
    for (const char* value : values) store.GetValue(g, c, f++, o).value = value;
    ++owner.objectCount;
  }
  Layer& Named(const char* name) { return layers.At(layers.FindLayerByName(name)); }
  // Reads a written file into a fresh store with the same dictionary.
  static std::string ReadBack(const std::string& path) {
    Dictionary copy;
    BuildSampleDictionary(copy);
    RecordingPrompter quiet;
    NullProgress progress;
    EXPECT_TRUE(LoadInputFile(path, copy, progress, quiet)) << path;
    EXPECT_TRUE(quiet.messages.empty()) << quiet.messages.front().text;
    return DumpObjects(copy);
  }
};

// For the layer manager. Layers "0", "a", "b" (2 zones), "c" (1 zone), "d"; "0" is current.
struct FiveLayers {
  Dictionary store;
  LayerList layers;

  FiveLayers() {
    const auto g = store.AddGroup("Zones");
    const auto c = store.AddClass(g, "Zone");
    store.AddField(g, c, "A1");
    for (const char* name : {"0", "a", "b", "c", "d"}) layers.AddLayer(name, "");
    for (const char* name : {"b", "b", "c"}) {
      Layer& layer = layers.At(layers.FindLayerByName(name));
      store.AddObject(g, c, layer.id);
      ++layer.objectCount;
    }
  }
};

}  // namespace verdanto::testing
