#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/Text.h"
#include "units/UnitConversion.h"

namespace verdanto {
namespace {

ConversionChoice RowOf(std::string_view si, std::string_view ip) {
  for (std::size_t r = 0; r < kConversionTable.size(); ++r)
    if (kConversionTable[r].siUnit == si && kConversionTable[r].ipUnit == ip) return static_cast<ConversionChoice>(r);
  ADD_FAILURE() << "no row " << si << " / " << ip;
  return 0;
}

// Each choice names its row's units, the source first; no two texts are alike even
// without regard to case (the choice list relies on it); only temperatures and the
// enthalpy row have an offset, and every factor can be divided by.
TEST(ConversionTableTest, RowsNameDistinctChoicesAndOnlyTwoHaveOffsets) {
  static_assert(kConversionRowCount == 80 && kConversionChoiceCount == 160);
  std::set<std::string> texts;
  for (ConversionChoice r = 0; r < kConversionRowCount; ++r) {
    const UnitConversion& row = kConversionTable[static_cast<std::size_t>(r)];
    EXPECT_EQ(ConversionChoiceText(r), std::string(row.siUnit) + " -> " + std::string(row.ipUnit));
    EXPECT_EQ(ConversionChoiceText(r + kConversionRowCount), std::string(row.ipUnit) + " -> " + std::string(row.siUnit));
    texts.insert(ToLowerAscii(ConversionChoiceText(r)));
    texts.insert(ToLowerAscii(ConversionChoiceText(r + kConversionRowCount)));
    EXPECT_GT(row.factor, 0) << "row " << r;
    EXPECT_EQ(row.offset != 0, r == RowOf("C", "F") || r == RowOf("J/kg", "Btu/lb")) << "row " << r;
  }
  EXPECT_EQ(texts.size(), 160u);
  EXPECT_EQ(RowOf("m", "ft"), 0);
  EXPECT_EQ(RowOf("Pa", "ftH2O"), 79);
}

// Known conversions from all over the table, both ways.
TEST(ConversionTableTest, ConvertsKnownValuesBothWays) {
  const struct {
    const char *si, *ip, *siValue, *ipValue;
  } cases[] = {
      // clang-format off
      {"m", "ft", "1", "3.281"},                  {"C", "F", "100", "212"},
      {"C", "F", "-40", "-40"},                   {"J/kg", "Btu/lb", "1000", "8.10316"},  // * 0.00042956 + 7.6736
      {"deltaC", "deltaF", "10", "18"},           {"1/K", "1/R", "1", "0.555555556"},
      {"A/K", "A/F", "1", "0.555555555555556"},   {"m3", "gal", "1", "264.172"},
      {"kPa", "inHg", "100", "29.523"},           {"m3/s", "gal/min", "1", "15852"},
      {"kg", "lb", "10", "22.046"},               {"W", "Btu/h", "1000", "3412"},
      {"J/m3-K", "Btu/ft3-F", "100000", "1.49237004739337"},
      {"GJ", "ton-hrs", "1", "78.9889415481832"}, {"Pa", "ftH2O", "1000", "0.33455"},
      // clang-format on
  };
  for (const auto& c : cases) {
    const ConversionChoice row = RowOf(c.si, c.ip);
    EXPECT_EQ(ConvertValue(c.siValue, row), c.ipValue) << c.si << " -> " << c.ip;
    EXPECT_EQ(ConvertValue(c.ipValue, row + kConversionRowCount), c.siValue) << c.ip << " -> " << c.si;
  }
}

// The number reading itself is ReadWholeReal's; here only what reaches the conversion.
TEST(ConvertValueTest, ReadsTheWholeValueOrRefusesIt) {
  const std::string no(kNotARealNumber);
  const struct {
    const char* value;
    ConversionChoice choice;
    std::string expected;
  } cases[] = {
      {"+1.5E2", 0, "492.15"}, {"  1", 0, "3.281"}, {"", 3, "32"}, {"", 83, "-17.7777777777778"},
      {"1 ", 0, no},           {"12abc", 0, no},    {"1e999", 0, "inf"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ConvertValue(c.value, c.choice), c.expected) << '"' << c.value << "\" with " << c.choice;
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
