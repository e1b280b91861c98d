#include "checks/StoreCheck.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "store/IddReader.h"
#include "store/IdfReader.h"

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

// Component's coil name draws on Coils and fills Components, which Link draws on.
constexpr std::string_view kRulesDictionary = R"(\group G
Zone,
  A1 , \field Name
       \reference Zones
  N1 , \field Multiplier
       \type integer
       \minimum 1
  A2 ; \field Kind
       \required-field
       \default Plain
Coil,
  A1 ; \field Name
       \reference Coils
Component,
  A1 , \field Coil Name
       \type object-list
       \object-list Coils
       \reference Components
  N1 ; \field Fraction
       \type real
       \minimum >0
       \maximum <1
Link,
  A1 , \field Component
       \type object-list
       \object-list Components
  N1 , \field Volume
       \type real
       \autocalculatable
  A2 ; \field Zone
       \required-field
       \type object-list
       \object-list Zones
)";

class CountingPrompter final : public Prompter {
 public:
  int shown = 0;
  Answer Show(std::string_view, std::string_view, Icon, Buttons) override {
    ++shown;
    return Answer::Ok;
  }
};

struct RulesCase {
  const char* what;
  const char* objects;  // appended to kBaseObjects
  Findings asRead;      // report lines after those two objects
  Findings strict;
};

// Each rule with a value that passes and one that does not.
constexpr std::string_view kBaseObjects = "Zone, Z1, 1, Open;\nCoil, C1;\nComponent, C1, 0.5;\n";

const RulesCase kRulesCases[] = {
    {"empty required field with a default", "Zone, Z2, 1, ;", {}, {"4: Zone <Object 2> \"Z2\", field A2 - Kind: required field is empty"}},
    {"empty required field without a default", "Link, C1, 1, ;",
     {"4: Link <Object 1> \"C1\", field A2 - Zone: required field is empty"},
     {"4: Link <Object 1> \"C1\", field A2 - Zone: required field is empty"}},
    {"name filled by an object-list field's reference", "Link, c1, 1, Z1;", {}, {}},
    {"name filled by nothing", "Link, C2, 1, Z1;",
     {"4: Link <Object 1> \"C2\", field A1 - Component: \"C2\" names no object of Components"},
     {"4: Link <Object 1> \"C2\", field A1 - Component: \"C2\" names no object of Components"}},
    {"a field that fills a list does not fill its own", "Component, C9, 0.5;",
     {"4: Component <Object 2> \"C9\", field A1 - Coil Name: \"C9\" names no object of Coils"},
     {"4: Component <Object 2> \"C9\", field A1 - Coil Name: \"C9\" names no object of Coils"}},
    {"exclusive minimum written with a blank", "Component, C1, 0.001;\nComponent, C1,\n  0;",
     {"5: Component <Object 3> \"C1\", field N1 - Fraction: The value entered is lower than the minimum allowed."},
     {"5: Component <Object 3> \"C1\", field N1 - Fraction: The value entered is lower than the minimum allowed."}},
    {"exclusive maximum written with a blank", "Component, C1, 0.999;\nComponent, C1, 1;",
     {"5: Component <Object 3> \"C1\", field N1 - Fraction: The value entered is greater than the maximum allowed."},
     {"5: Component <Object 3> \"C1\", field N1 - Fraction: The value entered is greater than the maximum allowed."}},
    {"autosize in an autocalculatable field", "Link, C1, AUTOSIZE, Z1;", {},
     {"4: Link <Object 1> \"C1\", field N1 - Volume: The value entered is not a real number."}},
    {"autosize in a field that takes neither", "Component, C1, autosize;",
     {"4: Component <Object 2> \"C1\", field N1 - Fraction: The value entered is not a real number."},
     {"4: Component <Object 2> \"C1\", field N1 - Fraction: The value entered is not a real number."}},
    {"whole-number real in an integer field", "Zone, Z2, 1.0000, Open;", {},
     {"4: Zone <Object 2> \"Z2\", field N1 - Multiplier: The value entered is not an integer."}},
    {"fraction in an integer field", "Zone, Z2, 1.5, Open;",
     {"4: Zone <Object 2> \"Z2\", field N1 - Multiplier: The value entered is not an integer."},
     {"4: Zone <Object 2> \"Z2\", field N1 - Multiplier: The value entered is not an integer."}},
    {"whole-number real meets the bounds", "Zone, Z2, 0.0, Open;",
     {"4: Zone <Object 2> \"Z2\", field N1 - Multiplier: The value entered is lower than the minimum allowed."},
     {"4: Zone <Object 2> \"Z2\", field N1 - Multiplier: The value entered is not an integer."}},
};

// Reads the dictionary and the case's objects, and reports every finding as
// "t.idf:" + the line the command prints.
class RulesTest : public ::testing::TestWithParam<RulesCase> {
 protected:
  void SetUp() override {
    CountingPrompter prompter;
    NullProgress progress;
    ASSERT_TRUE(LoadDictionaryText(kRulesDictionary, "rules.idd", store, progress, prompter));
    const std::string objects = std::string(kBaseObjects) + GetParam().objects;
    ASSERT_TRUE(LoadInputText(objects, store, progress, prompter));
    ASSERT_EQ(prompter.shown, 0);
  }
  Findings Check(CheckRules rules) {
    Findings out;
    StoreCheck check(store, rules);
    for (std::uint16_t c = 0; c < store.ClassCount(0); ++c)
      check.CheckObjects(0, c, 0, store.GetClass(0, c).objectCount(), [&](auto o, auto f, std::string_view text) {
        std::string line;
        AppendFindingLine(line, "t.idf", store, 0, c, o, 0, f, text);
        out.push_back(line.starts_with("t.idf:") ? line.substr(6) : line);
      });
    return out;
  }
  Dictionary store;
};

TEST_P(RulesTest, JudgesAsTheSimulationReadsUnlessStrict) {
  EXPECT_EQ(Check(CheckRules::AsRead), GetParam().asRead);
  EXPECT_EQ(Check(CheckRules::Strict), GetParam().strict);
}

INSTANTIATE_TEST_SUITE_P(Rules, RulesTest, ::testing::ValuesIn(kRulesCases), [](const auto& test) {
  std::string name = test.param.what;
  std::erase_if(name, [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); });
  return name;
});

TEST(FindingLine, AnObjectMadeInTheWindowShowsNoLineAndKindsDropTheValue) {
  CountingPrompter prompter;
  NullProgress progress;
  Dictionary store;
  ASSERT_TRUE(LoadDictionaryText(kRulesDictionary, "rules.idd", store, progress, prompter));
  ASSERT_TRUE(LoadInputText("\n\nZone, Z1, 0;", store, progress, prompter));
  store.GetValue(0, 0, 0, store.AddObject(0, 0, 1)).value = "Z2";
  std::string line;
  AppendFindingLine(line, "t.idf", store, 0, 0, 0, 0, 1, "x");
  line += '\n';
  AppendFindingLine(line, "t.idf", store, 0, 0, 1, 0, 0, "y");
  EXPECT_EQ(line, "t.idf:3: Zone <Object 1> \"Z1\", field N1 - Multiplier: x\n"
                  "t.idf: Zone <Object 2> \"Z2\", field A1 - Name: y");
  EXPECT_EQ(FindingKind("\"a\" names no object\" names no object of Zones"), "names no object of Zones");
  EXPECT_EQ(FindingKind("required field is empty"), "required field is empty");
}

}  // namespace
}  // namespace verdanto
