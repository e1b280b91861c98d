#include "checks/StoreCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace verdanto {
namespace {

using Findings = std::vector<std::string>;

// Zone (A1 name, filling Zones; N1 multiplier >= 1, integer; A2 required);
// Wall (A1 name; A2 names a zone or a zone list; N1 a real in [0, 1], autosizable);
// Output (A1 names a list that no class fills, as the simulation's own lists).
struct CheckedStore : ::testing::Test {
  Dictionary store;
  std::uint16_t g = 0, zone = 0, wall = 0, output = 0;

  void SetUp() override {
    g = store.AddGroup("G");
    zone = store.AddClass(g, "Zone");
    store.AddRefName(g, zone, store.AddField(g, zone, "A1"), "Zones");
    auto& multiplier = Field(zone, "N1", FieldType::Integer);
    multiplier.minimum = "1";
    multiplier.flags |= FieldFlag::MinInclusive;
    store.GetField(g, zone, store.AddField(g, zone, "A2")).flags |= FieldFlag::RequiredField;
    wall = store.AddClass(g, "Wall");
    store.AddField(g, wall, "A1");
    Field(wall, "A2", FieldType::ObjectList);
    for (const char* list : {"ZONES", "ZoneLists", "Zones"}) store.AddRefName(g, wall, 1, list);
    auto& fraction = Field(wall, "N1", FieldType::Real);
    fraction.minimum = "0";
    fraction.maximum = "1";
    fraction.flags |= FieldFlag::MinInclusive | FieldFlag::MaxInclusive | FieldFlag::Autosizable;
    output = store.AddClass(g, "Output:Variable");
    Field(output, "A1", FieldType::ObjectList);
    store.AddRefName(g, output, 0, "autoRDDvariable");
    store.BuildIndexes();
  }

  DictField& Field(std::uint16_t c, const char* name, FieldType type) {
    DictField& field = store.GetField(g, c, store.AddField(g, c, name));
    field.SetType(type);
    return field;
  }
  void Add(std::uint16_t c, std::uint16_t layer, std::vector<const char*> values) {
    const auto o = store.AddObject(g, c, layer);
    for (std::uint16_t f = 0; f < values.size(); ++f) store.GetValue(g, c, f, o).value = values[f];
  }
  Findings Check(std::uint16_t c, std::uint16_t first, std::uint16_t end) {
    Findings out;
    const auto count = StoreCheck(store).CheckObjects(g, c, first, end, [&](auto o, auto f, std::string_view text) {
      out.push_back(std::to_string(o) + "/" + std::to_string(f) + ": " + std::string(text));
    });
    EXPECT_EQ(count, out.size());
    return out;
  }
};

TEST_F(CheckedStore, ReportsQuestionsUnknownNamesAndEmptyRequiredFields) {
  // While no zone exists, every zone name is a finding.
  Add(wall, 1, {"W0", "West", ""});
  EXPECT_EQ(Check(wall, 0, 1), Findings{"0/1: \"West\" names no object of Zones, ZoneLists"});

  Add(zone, 1, {"West", "2", "x"});
  Add(zone, 2, {"East", "0", ""});  // below the minimum; required field empty
  Add(zone, 1, {"", "", "x"});      // empty values are not checked, unless required
  Add(wall, 2, {"W2", "EAST", "autosize"});  // a zone of another layer still counts
  Add(wall, 1, {"W3", "Nowhere", "1.5"});
  Add(wall, 1, {"W4", "", "abc"});  // an empty object-list value is no finding
  Add(output, 1, {"Zone Mean Air Temperature"});
  EXPECT_EQ(Check(zone, 0, 3), (Findings{"1/1: The value entered is lower than the minimum allowed.",
                                         "1/2: required field is empty"}));
  EXPECT_EQ(Check(wall, 0, 4), (Findings{"2/1: \"Nowhere\" names no object of Zones, ZoneLists",
                                         "2/2: The value entered is greater than the maximum allowed.",
                                         "3/2: The value entered is not a real number."}));
  EXPECT_EQ(Check(wall, 1, 2), Findings{});
  EXPECT_EQ(Check(output, 0, 1), Findings{});
}

}  // namespace
}  // namespace verdanto
