#include <gtest/gtest.h>

#include <set>
#include <string>

#include "store/Text.h"
#include "units/UnitConversion.h"

namespace verdanto {
namespace {

struct ExpectedRow {
  const char* si;
  const char* ip;
  double factor;
  double offset;
};

// Typed afresh from the published table, apart from the code's copy of it.
constexpr ExpectedRow kExpected[] = {
    {"m", "ft", 3.281, 0},
    {"W", "Btu/h", 3.412, 0},
    {"m3/s", "ft3/min", 2118.6438, 0},
    {"C", "F", 1.8, 32},
    {"kg/J", "lb/Btu", 2325.83774250441, 0},
    {"Pa", "psi", 0.0001450377, 0},
    {"W/m-K", "Btu-in/h-ft2-F", 6.93481276005548, 0},
    {"W/K", "Btu/h-F", 1.8987, 0},
    {"deltaC", "deltaF", 1.8, 0},
    {"m2", "ft2", 10.764961, 0},
    {"K", "R", 1.8, 0},  // 10
    {"1/K", "1/R", 0.555555556, 0},
    {"(kg/s)/W", "(lbm/sec)/(Btu/hr)", 0.646078115385742, 0},
    {"J/kg", "Btu/lb", 0.00042956, 7.6736},
    {"kg-H2O/kg-air", "lb-H2O/lb-air", 1, 0},
    {"kJ/kg", "Btu/lb", 0.429925, 0},
    {"lux", "foot-candles", 0.092902267, 0},
    {"kg/m3", "lb/ft3", 0.062428, 0},
    {"kg/s", "lb/s", 2.2046, 0},
    {"kg/s-m", "lb/s-ft", 0.67194, 0},
    {"m3", "ft3", 35.319837041, 0},  // 20
    {"m3", "gal", 264.172, 0},
    {"W/m2-K", "Btu/h-ft2-F", 0.17611835153223, 0},
    {"1/m", "1/ft", 0.304785126485827, 0},
    {"J/kg-K", "Btu/lb-F", 0.000239005736137667, 0},
    {"J/m3-K", "Btu/ft3-F", 1.49237004739337e-05, 0},
    {"m/s", "ft/min", 196.86, 0},
    {"m/s", "miles/hr", 2.2369, 0},
    {"m2-K/W", "ft2-F-hr/Btu", 5.68181818181818, 0},
    {"W/m2", "Btu/h-ft2", 0.316957210776545, 0},
    {"A/K", "A/F", 0.555555555555556, 0},  // 30
    {"g/kg", "grains/lb", 7, 0},
    {"g/m-s", "lb/ft-s", 0.000671968949659, 0},
    {"g/m-s-K", "lb/ft-s-F", 0.000373574867724868, 0},
    {"J/K", "Btu/F", 0.000526917584820558, 0},
    {"J/kg-K2", "Btu/lb-F2", 0.000132889924714692, 0},
    {"J/m3", "Btu/ft3", 2.68096514745308e-05, 0},
    {"kg/kg-K", "lb/lb-F", 0.555555555555556, 0},
    {"kPa", "psi", 0.145038, 0},
    {"kPa", "inHg", 0.29523, 0},
    {"m2/s", "ft2/s", 10.764961, 0},  // 40
    {"m3/kg", "ft3/lb", 16.018, 0},
    {"m3/m3", "ft3/ft3", 1, 0},
    {"N-s/m2", "lbf-s/ft2", 0.0208857913669065, 0},
    {"V/K", "V/F", 0.555555555555556, 0},
    {"W/m-K2", "Btu/h-F2-ft", 0.321418310071648, 0},
    {"m3/s-m", "ft3/min-ft", 645.89, 0},
    {"J/m2-K", "Btu/ft2-F", 4.89224766847393e-05, 0},
    {"kg/kg", "lb/lb", 1, 0},
    {"J/J", "Btu/Btu", 1, 0},
    {"g/GJ", "lb/MWh", 0.00793664091373665, 0},  // 50
    {"L/GJ", "gal/kWh", 0.000951022349025202, 0},
    {"m3/GJ", "ft3/MWh", 127.13292, 0},
    {"m3/s-m2", "ft3/min-ft2", 196.85, 0},
    {"m3/s-person", "ft3/min-person", 2118.6438, 0},
    {"W/m2-K2", "Btu/h-ft2-F2", 0.097826, 0},
    {"g/MJ", "lb/MWh", 7.93664091373665, 0},
    {"L/MJ", "gal/kWh", 0.951022349025202, 0},
    {"m3/MJ", "ft3/kWh", 127.13292, 0},
    {"W/W", "Btuh/Btuh", 1, 0},
    {"$/m2", "$/ft2", 0.0928939733269818, 0},  // 60
    {"$/kW", "$/(kBtuh/h)", 0.293083235638921, 0},
    {"$/m3", "$/ft3", 0.0283127014102352, 0},
    {"$/(W/K)", "$/(Btu/h-F)", 0.52667614683731, 0},
    {"$/(m3/s)", "$/(ft3/min)", 0.000472000059660808, 0},
    {"W/m", "Btu/h-ft", 1.04072, 0},
    {"K/m", "F/ft", 0.54861322767449, 0},
    {"J", "Wh", 0.000277777777777778, 0},
    {"GJ", "ton-hrs", 78.9889415481832, 0},
    {"kg/m2", "lb/ft2", 0.204794053596664, 0},
    {"kg", "lb", 2.2046, 0},  // 70
    {"percent/K", "percent/F", 0.555555555555556, 0},
    {"kg/s2", "lb/s2", 2.2046, 0},
    {"g/mol", "lb/mol", 0.0022046, 0},
    {"deltaJ/kg", "deltaBtu/lb", 0.0004299, 0},
    {"m", "in", 39.37, 0},
    {"m3/s", "gal/min", 15852, 0},
    {"Pa", "inHg", 0.00029613, 0},
    {"Pa", "inH2O", 0.00401463, 0},
    {"Pa", "ftH2O", 0.00033455, 0},
};
static_assert(std::size(kExpected) == kConversionRowCount);

TEST(ConversionTableTest, HoldsEveryRowInOrderToTheDigit) {
  ASSERT_EQ(kConversionTable.size(), 80u);
  for (std::size_t r = 0; r < kConversionTable.size(); ++r) {
    SCOPED_TRACE("row " + std::to_string(r));
    EXPECT_EQ(kConversionTable[r].siUnit, kExpected[r].si);
    EXPECT_EQ(kConversionTable[r].ipUnit, kExpected[r].ip);
    EXPECT_EQ(kConversionTable[r].factor, kExpected[r].factor);
    EXPECT_EQ(kConversionTable[r].offset, kExpected[r].offset);
  }
}

TEST(ConversionTableTest, OnlyCelsiusAndEnthalpyRowsHaveAnOffset) {
  for (std::size_t r = 0; r < kConversionTable.size(); ++r)
    EXPECT_EQ(kConversionTable[r].offset != 0, r == 3 || r == 13) << "row " << r;
  EXPECT_NE(kConversionTable[11].factor, kConversionTable[30].factor);
}

TEST(ConversionChoiceTest, TextsNameSourceUnitFirstAndDifferWithoutRegardToCase) {
  EXPECT_EQ(ConversionChoiceText(0), "m -> ft");
  EXPECT_EQ(ConversionChoiceText(80), "ft -> m");
  EXPECT_EQ(ConversionChoiceText(3), "C -> F");
  EXPECT_EQ(ConversionChoiceText(159), "ftH2O -> Pa");
  std::set<std::string> lowered;
  for (ConversionChoice choice = 0; choice < kConversionChoiceCount; ++choice)
    lowered.insert(ToLowerAscii(ConversionChoiceText(choice)));
  EXPECT_EQ(lowered.size(), 160u);
}

struct ConversionCase {
  const char* value;
  ConversionChoice choice;
  const char* expected;
};

class ConvertValueTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConvertValueTest, GivesTheFormattedResult) {
  const auto& c = GetParam();
  EXPECT_EQ(ConvertValue(c.value, c.choice), c.expected)
      << '"' << c.value << "\" with " << ConversionChoiceText(c.choice);
}

constexpr const char* kNotReal = "The value entered is not a real number";

// Choices: 0 m -> ft, 80 ft -> m, 3 C -> F, 83 F -> C, 8 deltaC -> deltaF,
// 13 J/kg -> Btu/lb, 93 Btu/lb -> J/kg, 75 m -> in.
INSTANTIATE_TEST_SUITE_P(KnownValuesAndEdges, ConvertValueTest,
                         ::testing::Values(ConversionCase{"100", 3, "212"},              //
                                           ConversionCase{"212", 83, "100"},             //
                                           ConversionCase{"1", 0, "3.281"},              //
                                           ConversionCase{"3.281", 80, "1"},             //
                                           ConversionCase{"1000", 13, "8.10316"},        // 1000 * 0.00042956 + 7.6736
                                           ConversionCase{"8.10316", 93, "1000"},        //
                                           ConversionCase{"-40", 3, "-40"},              //
                                           ConversionCase{"10", 8, "18"},                // a difference: no offset
                                           ConversionCase{"1", 75, "39.37"},             //
                                           ConversionCase{"+1.5E2", 0, "492.15"},        //
                                           ConversionCase{"  1", 0, "3.281"},            // leading blanks are skipped
                                           ConversionCase{"", 3, "32"},                  // empty reads as 0: the offset
                                           ConversionCase{"", 83, "-17.7777777777778"},  //
                                           ConversionCase{"", 0, "0"},                   //
                                           ConversionCase{"1 ", 0, kNotReal},            //
                                           ConversionCase{"12abc", 0, kNotReal},         //
                                           ConversionCase{"abc", 0, kNotReal},           //
                                           ConversionCase{" ", 0, kNotReal},             //
                                           ConversionCase{"1,5", 0, kNotReal},           //
                                           ConversionCase{"0x10", 0, kNotReal},          //
                                           ConversionCase{"inf", 0, kNotReal},           //
                                           ConversionCase{"1e999", 0, "inf"}));

TEST(ConvertValueTest, EnthalpyBackAndForthUsesTheOffset) {
  EXPECT_EQ(ConvertValue("1000", 13), Format("%.15g", 1000 * 0.00042956 + 7.6736));
  EXPECT_EQ(ConvertValue("20", 93), Format("%.15g", (20 - 7.6736) / 0.00042956));
}

TEST(ConversionChoiceListTest, IsSortedWithoutRegardToCaseAndKeepsEachChoice) {
  const auto entries = SortedConversionChoices();
  ASSERT_EQ(entries.size(), 160u);
  std::set<ConversionChoice> choices;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].text, ConversionChoiceText(entries[i].choice));
    if (i > 0) {
      EXPECT_LT(CompareNoCase(entries[i - 1].text, entries[i].text), 0) << entries[i].text;
    }
    choices.insert(entries[i].choice);
  }
  EXPECT_EQ(choices.size(), 160u);
  EXPECT_EQ(entries.front().text, "$/(Btu/h-F) -> $/(W/K)");  // '$' and '(' sort before letters
}

struct PreselectionCase {
  const char* si;
  const char* ip;
  const char* expected;  // text of the preselected entry; null: the first entry
};

TEST(ConversionChoiceListTest, PreselectsFromIpToSiElseTheFirstEntry) {
  const auto entries = SortedConversionChoices();
  const PreselectionCase cases[] = {
      {"m", "in", "in -> m"},       {"m", "ft", "ft -> m"}, {"C", "F", "F -> C"},  {"M", "IN", "in -> m"},
      {"m", "", nullptr},           {"", "", nullptr},      {"m", "gal", nullptr}, {"kPa", "inHg", "inHg -> kPa"},
      {"Pa", "inHg", "inHg -> Pa"},
  };
  for (const auto& c : cases) {
    const std::size_t at = PreselectedChoice(entries, c.si, c.ip);
    ASSERT_LT(at, entries.size());
    EXPECT_EQ(entries[at].text, c.expected ? c.expected : entries.front().text) << c.si << " / " << c.ip;
  }
}

}  // namespace
}  // namespace verdanto
