#include "checks/ValueCheck.h"

#include <gtest/gtest.h>

#include <tuple>

namespace verdanto {
namespace {

using enum CheckOutcome;
using F = FieldType;

// What the dictionary says of the field: type, bounds (null: none) and flags.
struct FieldSetup {
  FieldType type;
  const char* minimum = nullptr;
  bool minInclusive = true;
  const char* maximum = nullptr;
  bool maxInclusive = true;
  const char* defaultValue = "";
  std::uint32_t flags = 0;
};

DictField MakeField(const FieldSetup& setup) {
  DictField field;
  field.SetType(setup.type);
  if (setup.minimum) field.minimum = setup.minimum;
  if (setup.maximum) field.maximum = setup.maximum;
  field.defaultValue = setup.defaultValue;
  field.flags |= setup.flags;
  if (setup.minInclusive) field.flags |= FieldFlag::MinInclusive;
  if (setup.maxInclusive) field.flags |= FieldFlag::MaxInclusive;
  return field;
}

// What the case shows, the field, the value, the outcome.
using CheckCase = std::tuple<const char*, FieldSetup, const char*, CheckOutcome>;

const FieldSetup kReal{F::Real}, kInteger{F::Integer}, kAlpha{F::Alpha};
const FieldSetup kAboveZero{.type = F::Real, .minimum = "0", .minInclusive = false};
const FieldSetup kBelowOne{.type = F::Real, .maximum = "1", .maxInclusive = false};
const FieldSetup kOneToTen{.type = F::Integer, .minimum = "1", .maximum = "10"};
const FieldSetup kCalculated{.type = F::Real, .flags = FieldFlag::Autocalculatable};

const CheckCase kCases[] = {
    {"real, trailing blank", kReal, "2 ", NotReal},
    {"real, empty reads as 0", kReal, "", Accept},
    {"real, lone blank", kReal, " ", NotReal},
    {"autocalculate on a plain real", kReal, "autocalculate", NotReal},
    {"autocalculate allowed", kCalculated, "AutoCalculate", Accept},
    {"autosize allowed", {.type = F::Real, .flags = FieldFlag::Autosizable}, "AUTOSIZE", Accept},
    {"autosize where only autocalculate is", kCalculated, "autosize", NotReal},
    {"default in capitals on an integer", {.type = F::Integer, .defaultValue = "unlimited"}, "UNLIMITED", Accept},
    {"default wins over the bounds", {.type = F::Integer, .minimum = "5", .defaultValue = "0"}, "0", Accept},
    {"empty integer, minimum 1: empty default is no default", {.type = F::Integer, .minimum = "1"}, "", BelowMinimum},
    {"integer, trailing blank", kInteger, "42 ", NotInteger},
    {"integer, decimal point", kInteger, "1.0", NotInteger},
    {"integer, saturates within maximum", {.type = F::Integer, .maximum = "2147483647"}, "99999999999", Accept},
    {"integer, saturates above maximum", {.type = F::Integer, .maximum = "100"}, "99999999999", AboveMaximum},
    {"at inclusive maximum", {.type = F::Real, .maximum = "100"}, "100", Accept},
    {"inclusive minimum, at it", {.type = F::Real, .minimum = "0"}, "0", Accept},
    {"exclusive minimum 0, at it", kAboveZero, "0", BelowMinimum},
    {"exclusive minimum 0, negative zero", kAboveZero, "-0", BelowMinimum},
    {"exclusive maximum 1, at it", kBelowOne, "1", AboveMaximum},
    {"both bounds, below", kOneToTen, "0", BelowMinimum},
    {"both bounds, above the maximum too", kOneToTen, "11", AboveMaximum},
    {"unreadable minimum is violated", {.type = F::Real, .minimum = "abc"}, "5", BelowMinimum},
    {"unreadable maximum is violated", {.type = F::Real, .maximum = "1 0"}, "5", AboveMaximum},
    {"fractional bound on an integer", {.type = F::Integer, .maximum = "1.5"}, "1", AboveMaximum},
    {"infinite value above maximum", {.type = F::Real, .maximum = "1e300"}, "1e999", AboveMaximum},
    {"no number check for other types", {F::ObjectList}, "12abc", Accept},
    {"comma", kReal, "1,5", Unstorable},
    {"semicolon", kAlpha, "a;b", Unstorable},
    {"exclamation mark", kAlpha, "ok!", Unstorable},
    {"line feed", kAlpha, "a\nb", Unstorable},
    {"carriage return", kAlpha, "a\rb", Unstorable},
    {"refusal comes before the default", {.type = F::Alpha, .defaultValue = "a"}, "a,", Unstorable},
};

// A value read from a file: what the simulation takes beyond the editor's check.
const CheckCase kReadCases[] = {
    {"autosize where only autocalculate is", kCalculated, "AutoSize", Accept},
    {"autocalculate where only autosize is", {.type = F::Real, .flags = FieldFlag::Autosizable}, "autocalculate",
     Accept},
    {"autosize on a plain real", kReal, "autosize", NotReal},
    {"whole-number real on an integer", kInteger, "1.0000", Accept},
    {"fraction on an integer", kInteger, "1.5", NotInteger},
    {"whole-number real below the minimum", kOneToTen, "0.0", BelowMinimum},
    {"whole-number real at the maximum", kOneToTen, "1e1", Accept},
    {"huge whole-number real saturates", kOneToTen, "1e12", AboveMaximum},
    {"still not an integer", kInteger, "12abc", NotInteger},
};

// The prepared form, used for many values of one field, decides alike; a value
// read from a file is judged as the simulation reads it (kReadCases).
TEST(ValueCheckTest, DecidesAsTheFieldRequiresAndAsTheSimulationReads) {
  for (const auto& [what, setup, text, expected] : kCases) {
    const DictField field = MakeField(setup);
    EXPECT_EQ(CheckValue(field, text).outcome, expected) << what << ": \"" << text << '"';
    EXPECT_EQ(CheckValue(PrepareCheck(field), text).outcome, expected) << what << " (prepared)";
  }
  for (const auto& [what, setup, text, expected] : kReadCases)
    EXPECT_EQ(CheckReadValue(PrepareCheck(MakeField(setup)), text).outcome, expected) << what;
}

TEST(ValueCheckMessageTest, EachResultCarriesItsWholeMessageBox) {
  // The field, the value, the message; a question (Yes and No) adds "Do you want to proceed anyway?".
  const std::tuple<FieldSetup, const char*, std::string, bool> cases[] = {
      {kReal, "x", "The value entered is not a real number.", true},
      {kInteger, "x", "The value entered is not an integer.", true},
      {{.type = F::Real, .minimum = "1"}, "0", "The value entered is lower than the minimum allowed.", true},
      {{.type = F::Real, .maximum = "1"}, "2", "The value entered is greater than the maximum allowed.", true},
      {kAlpha, "a;b", "The value entered contains a character that input files cannot hold (, ; ! or a line break).",
       false},
  };
  for (const auto& [setup, text, message, question] : cases) {
    const CheckResult result = CheckValue(MakeField(setup), text);
    EXPECT_EQ(result.text, question ? message + "\r\nDo you want to proceed anyway?" : message);
    EXPECT_EQ(std::tuple(result.caption, result.icon, result.buttons),
              std::tuple("Verdanto", question ? Icon::Warning : Icon::Error, question ? Buttons::YesNo : Buttons::Ok));
  }
  EXPECT_TRUE(CheckValue(MakeField(kAlpha), "fine").text.empty());
}

}  // namespace
}  // namespace verdanto
