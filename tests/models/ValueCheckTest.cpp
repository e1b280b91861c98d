#include <gtest/gtest.h>

#include <string>

#include "ui/models/ValueCheck.h"

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

struct CheckCase {
  const char* what;
  FieldSetup field;
  const char* text;
  CheckOutcome expected;
};

const FieldSetup kReal{F::Real};
const FieldSetup kInteger{F::Integer};
const FieldSetup kAlpha{F::Alpha};

const CheckCase kCases[] = {
    {"plain real", kReal, "3.5", Accept},
    {"real with exponent", kReal, "-1.5e-3", Accept},
    {"real, leading blank", kReal, " 2", Accept},
    {"real, trailing blank", kReal, "2 ", NotReal},
    {"real, letters", kReal, "abc", NotReal},
    {"real, empty reads as 0", kReal, "", Accept},
    {"real, lone blank", kReal, " ", NotReal},
    {"autocalculate on a plain real", kReal, "autocalculate", NotReal},
    {"autocalculate allowed", {.type = F::Real, .flags = FieldFlag::Autocalculatable}, "AutoCalculate", Accept},
    {"autosize allowed", {.type = F::Real, .flags = FieldFlag::Autosizable}, "AUTOSIZE", Accept},
    {"autosize where only autocalculate is",
     {.type = F::Real, .flags = FieldFlag::Autocalculatable},
     "autosize",
     NotReal},
    {"default in capitals on an integer", {.type = F::Integer, .defaultValue = "unlimited"}, "UNLIMITED", Accept},
    {"default wins over the bounds", {.type = F::Integer, .minimum = "5", .defaultValue = "0"}, "0", Accept},
    {"empty default is no default", {.type = F::Integer, .minimum = "1"}, "", BelowMinimum},
    {"integer", kInteger, "42", Accept},
    {"integer, leading blank", kInteger, " 42", Accept},
    {"integer, trailing blank", kInteger, "42 ", NotInteger},
    {"integer, letters after digits", kInteger, "12abc", NotInteger},
    {"integer, decimal point", kInteger, "1.0", NotInteger},
    {"integer, saturates within inclusive maximum",
     {.type = F::Integer, .maximum = "2147483647"},
     "99999999999",
     Accept},
    {"integer, saturates above maximum", {.type = F::Integer, .maximum = "100"}, "99999999999", AboveMaximum},
    {"1e3 above inclusive maximum 100", {.type = F::Real, .maximum = "100"}, "1e3", AboveMaximum},
    {"at inclusive maximum", {.type = F::Real, .maximum = "100"}, "100", Accept},
    {"exclusive minimum 0, at it", {.type = F::Real, .minimum = "0", .minInclusive = false}, "0", BelowMinimum},
    {"exclusive minimum 0, just above", {.type = F::Real, .minimum = "0", .minInclusive = false}, "0.0001", Accept},
    {"exclusive minimum 0, negative zero",
     {.type = F::Real, .minimum = "0", .minInclusive = false},
     "-0",
     BelowMinimum},
    {"inclusive minimum, at it", {.type = F::Real, .minimum = "0"}, "0", Accept},
    {"exclusive maximum 1, at it", {.type = F::Real, .maximum = "1", .maxInclusive = false}, "1", AboveMaximum},
    {"exclusive maximum 1, below", {.type = F::Real, .maximum = "1", .maxInclusive = false}, "0.5", Accept},
    {"exclusive maximum 1, above", {.type = F::Real, .maximum = "1", .maxInclusive = false}, "2", AboveMaximum},
    {"empty integer, minimum 1", {.type = F::Integer, .minimum = "1"}, "", BelowMinimum},
    {"both bounds, within", {.type = F::Real, .minimum = "0", .maximum = "1"}, "0.5", Accept},
    {"both bounds, below", {.type = F::Real, .minimum = "0", .maximum = "1"}, "-1", BelowMinimum},
    {"both bounds, above the maximum too", {.type = F::Real, .minimum = "0", .maximum = "1"}, "2", AboveMaximum},
    {"both integer bounds, above", {.type = F::Integer, .minimum = "1", .maximum = "10"}, "11", AboveMaximum},
    {"both integer bounds, below", {.type = F::Integer, .minimum = "1", .maximum = "10"}, "0", BelowMinimum},
    {"unreadable minimum is violated", {.type = F::Real, .minimum = "abc"}, "5", BelowMinimum},
    {"unreadable maximum is violated", {.type = F::Real, .maximum = "1 0"}, "5", AboveMaximum},
    {"fractional bound on an integer", {.type = F::Integer, .maximum = "1.5"}, "1", AboveMaximum},
    {"infinite value above maximum", {.type = F::Real, .maximum = "1e300"}, "1e999", AboveMaximum},
    {"alpha, empty", kAlpha, "", Accept},
    {"alpha, anything", kAlpha, "12abc", Accept},
    {"choice, not a key", {F::Choice}, "NoSuchKey", Accept},
    {"object list, any name", {F::ObjectList}, "Nowhere", Accept},
    {"unspecified", {F::Unspecified}, "x y z", Accept},
    {"required and retaincase play no part",
     {.type = F::Alpha, .flags = FieldFlag::RequiredField | FieldFlag::RetainCase},
     "",
     Accept},
    {"comma", kReal, "1,5", Unstorable},
    {"semicolon", kAlpha, "a;b", Unstorable},
    {"exclamation mark", kAlpha, "ok!", Unstorable},
    {"line feed", kAlpha, "a\nb", Unstorable},
    {"carriage return", kAlpha, "a\rb", Unstorable},
    {"refusal comes before the default", {.type = F::Alpha, .defaultValue = "a"}, "a,", Unstorable},
};

class ValueCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ValueCheckTest, DecidesAsTheFieldRequires) {
  const auto& c = GetParam();
  const DictField field = MakeField(c.field);
  EXPECT_EQ(CheckValue(field, c.text).outcome, c.expected) << c.what << ": \"" << c.text << '"';
  // The prepared form, used for many values of one field, decides alike.
  EXPECT_EQ(CheckValue(PrepareCheck(field), c.text).outcome, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, ValueCheckTest, ::testing::ValuesIn(kCases));

struct MessageCase {
  FieldSetup field;
  const char* text;
  const char* message;
  Icon icon;
  Buttons buttons;
};

TEST(ValueCheckMessageTest, EachResultCarriesItsWholeMessageBox) {
  const MessageCase cases[] = {
      {kReal, "x", "The value entered is not a real number.\r\nDo you want to proceed anyway?", Icon::Warning,
       Buttons::YesNo},
      {kInteger, "x", "The value entered is not an integer.\r\nDo you want to proceed anyway?", Icon::Warning,
       Buttons::YesNo},
      {{.type = F::Real, .minimum = "1"},
       "0",
       "The value entered is lower than the minimum allowed.\r\nDo you want to proceed anyway?",
       Icon::Warning,
       Buttons::YesNo},
      {{.type = F::Real, .maximum = "1"},
       "2",
       "The value entered is greater than the maximum allowed.\r\nDo you want to proceed anyway?",
       Icon::Warning,
       Buttons::YesNo},
      {kAlpha, "a;b", "The value entered contains a character that input files cannot hold (, ; ! or a line break).",
       Icon::Error, Buttons::Ok},
  };
  for (const auto& c : cases) {
    const CheckResult result = CheckValue(MakeField(c.field), c.text);
    EXPECT_EQ(result.text, c.message);
    EXPECT_EQ(result.caption, "Verdanto");
    EXPECT_EQ(result.icon, c.icon);
    EXPECT_EQ(result.buttons, c.buttons);
    EXPECT_EQ(result.IsRefusal(), c.buttons == Buttons::Ok);
    EXPECT_EQ(result.IsQuestion(), c.buttons == Buttons::YesNo);
    EXPECT_EQ(std::string(result.FirstSentence()), std::string(c.message).substr(0, std::string(c.message).find('\r')));
  }
  const CheckResult accepted = CheckValue(MakeField(kAlpha), "fine");
  EXPECT_TRUE(accepted.Accepted());
  EXPECT_TRUE(accepted.text.empty());
}

}  // namespace
}  // namespace verdanto
