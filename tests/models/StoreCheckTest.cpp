#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/models/StoreCheck.h"

namespace verdanto {
namespace {

// Zone (A1 name, filling Zones; N1 multiplier >= 1, integer; A2 required);
// Wall (A1 name; A2 names a zone or a zone list; N1 a real in [0, 1]).
struct CheckedStore : ::testing::Test {
  Dictionary store;
  std::uint16_t g = 0, zone = 0, wall = 0;

  void SetUp() override {
    g = store.AddGroup("G");
    zone = store.AddClass(g, "Zone");
    store.AddRefName(g, zone, store.AddField(g, zone, "A1"), "Zones");
    auto& multiplier = store.GetField(g, zone, store.AddField(g, zone, "N1"));
    multiplier.SetType(FieldType::Integer);
    multiplier.minimum = "1";
    multiplier.flags |= FieldFlag::MinInclusive;
    store.GetField(g, zone, store.AddField(g, zone, "A2")).flags |= FieldFlag::RequiredField;
    wall = store.AddClass(g, "Wall");
    store.AddField(g, wall, "A1");
    const auto zoneName = store.AddField(g, wall, "A2");
    store.AddRefName(g, wall, zoneName, "ZONES");
    store.AddRefName(g, wall, zoneName, "ZoneLists");
    store.AddRefName(g, wall, zoneName, "Zones");
    store.GetField(g, wall, zoneName).SetType(FieldType::ObjectList);
    auto& fraction = store.GetField(g, wall, store.AddField(g, wall, "N1"));
    fraction.SetType(FieldType::Real);
    fraction.minimum = "0";
    fraction.maximum = "1";
    fraction.flags |= FieldFlag::MinInclusive | FieldFlag::MaxInclusive | FieldFlag::Autosizable;
    store.BuildIndexes();
  }

  void Add(std::uint16_t c, std::uint16_t layer, std::vector<const char*> values) {
    const auto o = store.AddObject(g, c, layer);
    for (std::uint16_t f = 0; f < values.size(); ++f) store.GetValue(g, c, f, o).value = values[f];
  }

  std::vector<std::string> Findings(std::uint16_t c, std::uint16_t first, std::uint16_t end) {
    std::vector<std::string> out;
    StoreCheck check(store);
    const auto count =
        check.CheckObjects(g, c, first, end, [&](std::uint16_t o, std::uint16_t f, std::string_view text) {
          out.push_back(std::to_string(o) + "/" + std::to_string(f) + ": " + std::string(text));
        });
    EXPECT_EQ(count, out.size());
    return out;
  }
};

TEST_F(CheckedStore, ReportsQuestionsUnknownNamesAndEmptyRequiredFields) {
  Add(zone, 1, {"West", "2", "x"});
  Add(zone, 2, {"East", "0", ""});  // below the minimum; required field empty
  Add(zone, 1, {"", "", "x"});      // empty values are not checked, unless required
  Add(wall, 1, {"W1", "west", "0.5"});
  Add(wall, 2, {"W2", "EAST", "autosize"});  // a zone of another layer still counts
  Add(wall, 1, {"W3", "Nowhere", "1.5"});
  Add(wall, 1, {"W4", "", "abc"});  // an empty object-list value is no finding
  EXPECT_EQ(Findings(zone, 0, 3), (std::vector<std::string>{
                                      "1/1: The value entered is lower than the minimum allowed.",
                                      "1/2: required field is empty",
                                  }));
  EXPECT_EQ(Findings(wall, 0, 4), (std::vector<std::string>{
                                      "2/1: \"Nowhere\" names no object of Zones, ZoneLists",
                                      "2/2: The value entered is greater than the maximum allowed.",
                                      "3/2: The value entered is not a real number.",
                                  }));
  EXPECT_EQ(Findings(wall, 1, 2), std::vector<std::string>{});
}

TEST_F(CheckedStore, ListWithoutObjectsMakesEveryNameAFinding) {
  Add(wall, 1, {"W1", "West", ""});
  EXPECT_EQ(Findings(wall, 0, 1), (std::vector<std::string>{"0/1: \"West\" names no object of Zones, ZoneLists"}));
  Add(zone, 1, {"WEST", "1", "x"});
  EXPECT_EQ(Findings(wall, 0, 1), std::vector<std::string>{});
}

TEST(StoreCheckTest, ListsThatNoClassFillsAreNotJudged) {
  // Such lists are filled by the simulation itself, not by objects of the input.
  Dictionary store;
  const auto g = store.AddGroup("Output");
  const auto output = store.AddClass(g, "Output:Variable");
  const auto variable = store.AddField(g, output, "A1");
  store.AddRefName(g, output, variable, "autoRDDvariable");
  store.GetField(g, output, variable).SetType(FieldType::ObjectList);
  store.BuildIndexes();
  store.GetValue(g, output, variable, store.AddObject(g, output, 1)).value = "Zone Mean Air Temperature";
  StoreCheck check(store);
  EXPECT_EQ(check.CheckObjects(g, output, 0, 1, [](std::uint16_t, std::uint16_t, std::string_view) {}), 0u);
}

}  // namespace
}  // namespace verdanto
