#include "checks/StoreCheck.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "base/Text.h"
#include "store/IddReader.h"
#include "store/IdfReader.h"
#include "tests/support/RecordingPrompter.h"

namespace verdanto {
namespace {

using Findings = std::vector<std::string>;

// Component's coil name draws on Coils and fills Components, which Link draws on;
// Link's zone names one list twice, in other letter case; Output draws on a list
// that no class fills, as the simulation's own lists.
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
       \object-list ZONES
       \object-list Zones
Output:Variable,
  A1 ; \field Key
       \type object-list
       \object-list autoRDDvariable
)";

// Each rule with a value that passes and one that does not, after kBaseObjects.
constexpr std::string_view kBaseObjects = "Zone, Z1, 1, Open;\nCoil, C1;\nComponent, C1, 0.5;\n";

// Reads the dictionary and the objects; Check gives every finding's report line.
struct Checked {
  Dictionary store;
  explicit Checked(std::string_view objects) {
    testing::RecordingPrompter prompter;
    NullProgress progress;
    EXPECT_TRUE(LoadDictionaryText(kRulesDictionary, "rules.idd", store, progress, prompter));
    EXPECT_TRUE(LoadInputText(objects, store, progress, prompter));
    EXPECT_TRUE(prompter.messages.empty());
  }
  Findings Check(CheckRules rules) {
    Findings out;
    StoreCheck check(store, rules);
    for (std::uint16_t c = 0; c < store.ClassCount(0); ++c) {
      const std::size_t before = out.size();
      const auto report = [&](auto o, auto f, auto text) {
        std::string line;
        AppendFindingLine(line, "t.idf", store, 0, c, o, 0, f, text);
        out.push_back(line.substr(6));  // without "t.idf:"
      };
      const auto count = check.CheckObjects(0, c, 0, store.GetClass(0, c).objectCount(), report);
      EXPECT_EQ(count, out.size() - before);
    }
    return out;
  }
};

// The rules of a value read from a file are ValueCheckTest's; here only that each mode applies its own.
TEST(StoreCheck, JudgesAsTheSimulationReadsUnlessStrict) {
  // What the case shows, the objects, the report lines without "t.idf:" as read and strict (none: as read).
  const std::tuple<const char*, const char*, Findings, std::optional<Findings>> cases[] = {
      {"empty required field with a default", "Zone, Z2, 1, ;", {},
       Findings{"4: Zone <Object 2> \"Z2\", field A2 - Kind: required field is empty"}},
      {"empty required field without a default, given or not", "Link, C1, 1, ;\nLink, C1, 1;",
       {"4: Link <Object 1> \"C1\", field A2 - Zone: required field is empty",
        "5: Link <Object 2> \"C1\", field A2 - Zone: required field is empty"}, std::nullopt},
      {"other empty values are not checked", "Zone, Z2, , Open;\nLink, , , Z1;", {}, std::nullopt},
      {"name filled by an object-list field's reference", "Link, c1, 1, Z1;", {}, std::nullopt},
      {"name filled by nothing", "Link, C2, 1, Z1;",
       {"4: Link <Object 1> \"C2\", field A1 - Component: \"C2\" names no object of Components"}, std::nullopt},
      {"a field that fills a list does not fill its own", "Component, C9, 0.5;",
       {"4: Component <Object 2> \"C9\", field A1 - Coil Name: \"C9\" names no object of Coils"}, std::nullopt},
      {"a list named twice is named once", "Link, C1, 1, Nowhere;",
       {"4: Link <Object 1> \"C1\", field A2 - Zone: \"Nowhere\" names no object of Zones"}, std::nullopt},
      {"a list no class fills", "Output:Variable, Zone Mean Air Temperature;", {}, std::nullopt},
      {"exclusive minimum written with a blank", "Component, C1, 0.001;\nComponent, C1,\n  0;",
       {"5: Component <Object 3> \"C1\", field N1 - Fraction: The value entered is lower than the minimum allowed."},
       std::nullopt},
      {"exclusive maximum written with a blank", "Component, C1, 0.999;\nComponent, C1, 1;",
       {"5: Component <Object 3> \"C1\", field N1 - Fraction: The value entered is greater than the maximum allowed."},
       std::nullopt},
      {"autosize in an autocalculatable field", "Link, C1, AUTOSIZE, Z1;", {},
       Findings{"4: Link <Object 1> \"C1\", field N1 - Volume: The value entered is not a real number."}},
      {"whole-number real meets the bounds", "Zone, Z2, 0.0, Open;",
       {"4: Zone <Object 2> \"Z2\", field N1 - Multiplier: The value entered is lower than the minimum allowed."},
       Findings{"4: Zone <Object 2> \"Z2\", field N1 - Multiplier: The value entered is not an integer."}},
  };
  for (const auto& [what, objects, asRead, strict] : cases) {
    SCOPED_TRACE(what);
    Checked checked(std::string(kBaseObjects) + objects);
    EXPECT_EQ(checked.Check(CheckRules::AsRead), asRead);
    EXPECT_EQ(checked.Check(CheckRules::Strict), strict.value_or(asRead));
  }
}

// A finding line counts objects from the first of its file and gives no line for
// an object made in the window; the kind of a finding drops the value.
TEST(FindingLine, CountsFromTheFilesFirstObjectAndKindsDropTheValue) {
  Checked checked("Zone, Z0, 0;\n\nZone, Z1, 0;");
  Dictionary& store = checked.store;
  store.GetValue(0, 0, 0, store.AddObject(0, 0, 1)).value = "Z2";
  Findings found;
  StoreCheck(store).CheckObjects(0, 0, 1, 3, [&](auto o, auto f, auto) { found.push_back(Format("%u/%u", o, f)); });
  EXPECT_EQ(found, Findings{"1/1"});  // not object 0's
  std::string line;
  AppendFindingLine(line, "t.idf", store, 0, 0, 1, 1, 1, "x");
  line += '\n';
  AppendFindingLine(line, "t.idf", store, 0, 0, 2, 1, 0, "y");
  EXPECT_EQ(line, "t.idf:3: Zone <Object 1> \"Z1\", field N1 - Multiplier: x\n"
                  "t.idf: Zone <Object 2> \"Z2\", field A1 - Name: y");
  EXPECT_EQ(FindingKind("\"a\" names no object\" names no object of Zones"), "names no object of Zones");
  EXPECT_EQ(FindingKind("required field is empty"), "required field is empty");
}

}  // namespace
}  // namespace verdanto
