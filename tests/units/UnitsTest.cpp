// Reading numbers from texts, and the unit conversion table.

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <limits>
#include <set>
#include <tuple>

#include "base/Text.h"
#include "units/NumberText.h"
#include "units/UnitConversion.h"

namespace verdanto {
namespace {

TEST(ReadWholeRealTest, ReadsDecimalNumbersAndReportsLeftovers) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  // The text, whether it is read whole, the value read.
  const std::tuple<const char*, bool, double> cases[] = {
      // clang-format off
      {"", true, 0},           {"0", true, 0},       {"42", true, 42},       {"-3.5", true, -3.5},
      {"+7", true, 7},         {"5.", true, 5},      {".5", true, 0.5},      {"1e3", true, 1000},
      {"1E-2", true, 0.01},    {"2e+2", true, 200},  {" \t 42", true, 42},   {"1e999", true, kInf},
      {"-1e999", true, -kInf}, {"1e-999", true, 0},  {"0e99999", true, 0},   {"0.0001", true, 0.0001},
      {"42 ", false, 42},      {"12abc", false, 12}, {"1e", false, 1},       {"1e+", false, 1},
      {"1.2.3", false, 1.2},   {".", false, 0},      {"-", false, 0},        {"+", false, 0},
      {" ", false, 0},         {"abc", false, 0},    {"inf", false, 0},      {"nan", false, 0},
      {"0x10", false, 0},      {"1,5", false, 1},    {"autosize", false, 0},
      // clang-format on
  };
  for (const auto& [text, whole, expected] : cases) {
    double value = -1;
    const bool read = ReadWholeReal(text, value);
    EXPECT_EQ(std::tuple(read, value), std::tuple(whole, expected)) << '"' << text << '"';
  }
}

TEST(ReadWholeRealTest, IgnoresTheProcessLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
    GTEST_SKIP() << "no locale with a decimal comma is installed (tools/deps.sh makes de_DE.UTF-8)";
  double value = 0;
  EXPECT_TRUE(ReadWholeReal("1.5", value) && value == 1.5 && !ReadWholeReal("1,5", value));
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ReadWholeIntegerTest, ReadsBaseTenAndSaturates) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const std::tuple<const char*, bool, std::int32_t> cases[] = {
      // clang-format off
      {"", true, 0}, {" 42", true, 42}, {"-17", true, -17}, {"+3", true, 3}, {"007", true, 7},
      {"2147483647", true, kMax}, {"2147483648", true, kMax}, {"99999999999999999999999", true, kMax},
      {"-2147483648", true, kMin}, {"-2147483649", true, kMin},
      {"42 ", false, 42}, {"12abc", false, 12}, {"1.5", false, 1}, {"1e3", false, 1}, {"0x1A", false, 0},
      {"-", false, 0}, {" ", false, 0}, {"abc", false, 0},
      // clang-format on
  };
  for (const auto& [text, whole, expected] : cases) {
    std::int32_t value = -1;
    const bool read = ReadWholeInteger(text, value);
    EXPECT_EQ(std::tuple(read, value), std::tuple(whole, expected)) << '"' << text << '"';
  }
}

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
    EXPECT_EQ(ConversionChoiceText(r + kConversionRowCount),
              std::string(row.ipUnit) + " -> " + std::string(row.siUnit));
    texts.insert(ToLowerAscii(ConversionChoiceText(r)));
    texts.insert(ToLowerAscii(ConversionChoiceText(r + kConversionRowCount)));
    EXPECT_GT(row.factor, 0) << "row " << r;
    EXPECT_EQ(row.offset != 0, r == RowOf("C", "F") || r == RowOf("J/kg", "Btu/lb")) << "row " << r;
  }
  EXPECT_EQ(texts.size(), 160u);
}

// Known conversions from all over the table, both ways.
TEST(ConversionTableTest, ConvertsKnownValuesBothWays) {
  // The SI unit, the IP unit, a value in each.
  const std::array<const char*, 4> cases[] = {
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
  for (const auto& [si, ip, siValue, ipValue] : cases) {
    const ConversionChoice row = RowOf(si, ip);
    EXPECT_EQ(ConvertValue(siValue, row), ipValue) << si << " -> " << ip;
    EXPECT_EQ(ConvertValue(ipValue, row + kConversionRowCount), siValue) << ip << " -> " << si;
  }
}

// The number reading itself is ReadWholeReal's; here only what reaches the conversion.
TEST(ConvertValueTest, ReadsTheWholeValueOrRefusesIt) {
  const std::string no(kNotARealNumber);
  const std::tuple<const char*, ConversionChoice, std::string> cases[] = {
      {"+1.5E2", 0, "492.15"}, {"  1", 0, "3.281"}, {"", 3, "32"}, {"", 83, "-17.7777777777778"},
      {"1 ", 0, no},           {"12abc", 0, no},    {"1e999", 0, "inf"},
  };
  for (const auto& [value, choice, expected] : cases)
    EXPECT_EQ(ConvertValue(value, choice), expected) << '"' << value << "\" with " << choice;
}

TEST(ConversionChoiceListTest, IsSortedWithoutRegardToCaseKeepsEachChoiceAndPreselects) {
  const auto entries = SortedConversionChoices();
  ASSERT_EQ(entries.size(), 160u);
  std::set<ConversionChoice> choices;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].text, ConversionChoiceText(entries[i].choice));
    EXPECT_TRUE(i == 0 || CompareNoCase(entries[i - 1].text, entries[i].text) < 0) << entries[i].text;
    choices.insert(entries[i].choice);
  }
  EXPECT_EQ(choices.size(), 160u);
  EXPECT_EQ(entries.front().text, "$/(Btu/h-F) -> $/(W/K)");  // '$' and '(' sort before letters
  // Preselected: from IP to SI, else the first choice from the SI unit, else the first entry.
  // SI unit, IP unit, the text of the preselected entry (null: the first entry).
  const std::array<const char*, 3> cases[] = {
      // clang-format off
      {"m", "in", "in -> m"}, {"m", "ft", "ft -> m"}, {"M", "IN", "in -> m"}, {"kPa", "inHg", "inHg -> kPa"},
      {"Pa", "inHg", "inHg -> Pa"}, {"", "", nullptr}, {"furlong", "", nullptr},
      // no IP unit, or one that no row pairs with the SI unit: the first choice from the SI unit
      {"m", "", "m -> ft"}, {"m", "gal", "m -> ft"}, {"W", "", "W -> Btu/h"}, {"kg/KG", "", "kg/kg -> lb/lb"},
      // clang-format on
  };
  for (const auto& [si, ip, expected] : cases) {
    const std::size_t at = PreselectedChoice(entries, si, ip);
    ASSERT_LT(at, entries.size());
    EXPECT_EQ(entries[at].text, expected ? expected : entries.front().text) << si << " / " << ip;
  }
}

}  // namespace
}  // namespace verdanto
