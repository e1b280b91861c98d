#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/Text.h"
#include "units/UnitConversion.h"

namespace verdanto {
namespace {

// Typed afresh from the published table, apart from the code's copy of it; the two
// offsets are checked through ConvertValue below.
TEST(ConversionTableTest, HoldsEveryRowInOrderToTheDigit) {
  const struct {
    const char* si;
    const char* ip;
    double factor;
  } expected[] = {
      // clang-format off
      {"m", "ft", 3.281}, {"W", "Btu/h", 3.412}, {"m3/s", "ft3/min", 2118.6438}, {"C", "F", 1.8},
      {"kg/J", "lb/Btu", 2325.83774250441}, {"Pa", "psi", 0.0001450377},
      {"W/m-K", "Btu-in/h-ft2-F", 6.93481276005548}, {"W/K", "Btu/h-F", 1.8987}, {"deltaC", "deltaF", 1.8},
      {"m2", "ft2", 10.764961}, {"K", "R", 1.8}, {"1/K", "1/R", 0.555555556},
      {"(kg/s)/W", "(lbm/sec)/(Btu/hr)", 0.646078115385742}, {"J/kg", "Btu/lb", 0.00042956},
      {"kg-H2O/kg-air", "lb-H2O/lb-air", 1}, {"kJ/kg", "Btu/lb", 0.429925}, {"lux", "foot-candles", 0.092902267},
      {"kg/m3", "lb/ft3", 0.062428}, {"kg/s", "lb/s", 2.2046}, {"kg/s-m", "lb/s-ft", 0.67194},
      {"m3", "ft3", 35.319837041}, {"m3", "gal", 264.172}, {"W/m2-K", "Btu/h-ft2-F", 0.17611835153223},
      {"1/m", "1/ft", 0.304785126485827}, {"J/kg-K", "Btu/lb-F", 0.000239005736137667},
      {"J/m3-K", "Btu/ft3-F", 1.49237004739337e-05}, {"m/s", "ft/min", 196.86}, {"m/s", "miles/hr", 2.2369},
      {"m2-K/W", "ft2-F-hr/Btu", 5.68181818181818}, {"W/m2", "Btu/h-ft2", 0.316957210776545},
      {"A/K", "A/F", 0.555555555555556}, {"g/kg", "grains/lb", 7}, {"g/m-s", "lb/ft-s", 0.000671968949659},
      {"g/m-s-K", "lb/ft-s-F", 0.000373574867724868}, {"J/K", "Btu/F", 0.000526917584820558},
      {"J/kg-K2", "Btu/lb-F2", 0.000132889924714692}, {"J/m3", "Btu/ft3", 2.68096514745308e-05},
      {"kg/kg-K", "lb/lb-F", 0.555555555555556}, {"kPa", "psi", 0.145038}, {"kPa", "inHg", 0.29523},
      {"m2/s", "ft2/s", 10.764961}, {"m3/kg", "ft3/lb", 16.018}, {"m3/m3", "ft3/ft3", 1},
      {"N-s/m2", "lbf-s/ft2", 0.0208857913669065}, {"V/K", "V/F", 0.555555555555556},
      {"W/m-K2", "Btu/h-F2-ft", 0.321418310071648}, {"m3/s-m", "ft3/min-ft", 645.89},
      {"J/m2-K", "Btu/ft2-F", 4.89224766847393e-05}, {"kg/kg", "lb/lb", 1}, {"J/J", "Btu/Btu", 1},
      {"g/GJ", "lb/MWh", 0.00793664091373665}, {"L/GJ", "gal/kWh", 0.000951022349025202},
      {"m3/GJ", "ft3/MWh", 127.13292}, {"m3/s-m2", "ft3/min-ft2", 196.85},
      {"m3/s-person", "ft3/min-person", 2118.6438}, {"W/m2-K2", "Btu/h-ft2-F2", 0.097826},
      {"g/MJ", "lb/MWh", 7.93664091373665}, {"L/MJ", "gal/kWh", 0.951022349025202}, {"m3/MJ", "ft3/kWh", 127.13292},
      {"W/W", "Btuh/Btuh", 1}, {"$/m2", "$/ft2", 0.0928939733269818}, {"$/kW", "$/(kBtuh/h)", 0.293083235638921},
      {"$/m3", "$/ft3", 0.0283127014102352}, {"$/(W/K)", "$/(Btu/h-F)", 0.52667614683731},
      {"$/(m3/s)", "$/(ft3/min)", 0.000472000059660808}, {"W/m", "Btu/h-ft", 1.04072},
      {"K/m", "F/ft", 0.54861322767449}, {"J", "Wh", 0.000277777777777778}, {"GJ", "ton-hrs", 78.9889415481832},
      {"kg/m2", "lb/ft2", 0.204794053596664}, {"kg", "lb", 2.2046}, {"percent/K", "percent/F", 0.555555555555556},
      {"kg/s2", "lb/s2", 2.2046}, {"g/mol", "lb/mol", 0.0022046}, {"deltaJ/kg", "deltaBtu/lb", 0.0004299},
      {"m", "in", 39.37}, {"m3/s", "gal/min", 15852}, {"Pa", "inHg", 0.00029613}, {"Pa", "inH2O", 0.00401463},
      {"Pa", "ftH2O", 0.00033455},
      // clang-format on
  };
  static_assert(std::size(expected) == kConversionRowCount);
  for (std::size_t r = 0; r < kConversionTable.size(); ++r) {
    SCOPED_TRACE("row " + std::to_string(r));
    EXPECT_EQ(kConversionTable[r].siUnit, expected[r].si);
    EXPECT_EQ(kConversionTable[r].ipUnit, expected[r].ip);
    EXPECT_EQ(kConversionTable[r].factor, expected[r].factor);
    EXPECT_EQ(kConversionTable[r].offset != 0, r == 3 || r == 13);  // C -> F and J/kg -> Btu/lb
  }
}

TEST(ConversionChoiceTest, TextsNameTheSourceUnitFirst) {
  EXPECT_EQ(ConversionChoiceText(0), "m -> ft");
  EXPECT_EQ(ConversionChoiceText(80), "ft -> m");
  EXPECT_EQ(ConversionChoiceText(159), "ftH2O -> Pa");
}

// Choices: 0 m -> ft, 80 ft -> m, 3 C -> F, 83 F -> C, 8 deltaC -> deltaF,
// 13 J/kg -> Btu/lb, 93 Btu/lb -> J/kg.
TEST(ConvertValueTest, GivesTheFormattedResultOrRefusesTheValue) {
  const char* const no = "The value entered is not a real number";
  const struct {
    const char* value;
    ConversionChoice choice;
    const char* expected;
  } cases[] = {
      // clang-format off
      {"100", 3, "212"}, {"212", 83, "100"}, {"-40", 3, "-40"}, {"1", 0, "3.281"}, {"3.281", 80, "1"},
      {"1000", 13, "8.10316"}, {"8.10316", 93, "1000"},  // 1000 * 0.00042956 + 7.6736
      {"10", 8, "18"},  // a difference: no offset
      {"+1.5E2", 0, "492.15"}, {"  1", 0, "3.281"},  // leading blanks are skipped
      {"", 3, "32"}, {"", 83, "-17.7777777777778"}, {"", 0, "0"},  // empty reads as 0
      {"1 ", 0, no}, {"12abc", 0, no}, {" ", 0, no}, {"1,5", 0, no}, {"0x10", 0, no}, {"inf", 0, no},
      {"1e999", 0, "inf"},
      // clang-format on
  };
  for (const auto& c : cases)
    EXPECT_EQ(ConvertValue(c.value, c.choice), c.expected) << '"' << c.value << "\" with " << c.choice;
}

// Strictly sorted: no two texts are the same without regard to case.
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

TEST(ConversionChoiceListTest, PreselectsFromIpToSiElseFromTheSiUnitElseTheFirstEntry) {
  const auto entries = SortedConversionChoices();
  const struct {
    const char* si;
    const char* ip;
    const char* expected;  // text of the preselected entry; null: the first entry
  } cases[] = {
      // clang-format off
      {"m", "in", "in -> m"}, {"m", "ft", "ft -> m"}, {"M", "IN", "in -> m"}, {"kPa", "inHg", "inHg -> kPa"},
      {"Pa", "inHg", "inHg -> Pa"}, {"", "", nullptr}, {"furlong", "", nullptr},
      // no IP unit, or one that no row pairs with the SI unit: the first choice from the SI unit
      {"m", "", "m -> ft"}, {"m", "gal", "m -> ft"}, {"W", "", "W -> Btu/h"}, {"kg/KG", "", "kg/kg -> lb/lb"},
      // clang-format on
  };
  for (const auto& c : cases) {
    const std::size_t at = PreselectedChoice(entries, c.si, c.ip);
    ASSERT_LT(at, entries.size());
    EXPECT_EQ(entries[at].text, c.expected ? c.expected : entries.front().text) << c.si << " / " << c.ip;
  }
}

}  // namespace
}  // namespace verdanto
