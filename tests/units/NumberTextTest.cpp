#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

#include "units/NumberText.h"

namespace verdanto {
namespace {

TEST(ReadWholeRealTest, ReadsDecimalNumbersAndReportsLeftovers) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    const char* text;
    bool whole;
    double value;
  } cases[] = {
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
  for (const auto& c : cases) {
    double value = -1;
    EXPECT_EQ(ReadWholeReal(c.text, value), c.whole) << '"' << c.text << '"';
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
  }
}

TEST(ReadWholeRealTest, IgnoresTheProcessLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
    GTEST_SKIP() << "no locale with a decimal comma is installed (tools/deps.sh makes de_DE.UTF-8)";
  double value = 0;
  EXPECT_TRUE(ReadWholeReal("1.5", value));
  EXPECT_EQ(value, 1.5);
  EXPECT_FALSE(ReadWholeReal("1,5", value));
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ReadWholeIntegerTest, ReadsBaseTenAndSaturates) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const struct {
    const char* text;
    bool whole;
    std::int32_t value;
  } cases[] = {
      // clang-format off
      {"", true, 0}, {" 42", true, 42}, {"-17", true, -17}, {"+3", true, 3}, {"007", true, 7},
      {"2147483647", true, kMax}, {"2147483648", true, kMax}, {"99999999999999999999999", true, kMax},
      {"-2147483648", true, kMin}, {"-2147483649", true, kMin},
      {"42 ", false, 42}, {"12abc", false, 12}, {"1.5", false, 1}, {"1e3", false, 1}, {"0x1A", false, 0},
      {"-", false, 0}, {" ", false, 0}, {"abc", false, 0},
      // clang-format on
  };
  for (const auto& c : cases) {
    std::int32_t value = -1;
    EXPECT_EQ(ReadWholeInteger(c.text, value), c.whole) << '"' << c.text << '"';
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace verdanto
