#include "checks/ValueCheck.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Text.h"
#include "units/NumberText.h"

namespace verdanto {
namespace {

constexpr std::string_view kUnstorable =
    "The value entered contains a character that input files cannot hold (, ; ! or a line break).";
constexpr std::string_view kNotReal = "The value entered is not a real number.\r\nDo you want to proceed anyway?";
constexpr std::string_view kNotInteger = "The value entered is not an integer.\r\nDo you want to proceed anyway?";
constexpr std::string_view kBelowMinimum =
    "The value entered is lower than the minimum allowed.\r\nDo you want to proceed anyway?";
constexpr std::string_view kAboveMaximum =
    "The value entered is greater than the maximum allowed.\r\nDo you want to proceed anyway?";

constexpr CheckResult Question(CheckOutcome outcome, std::string_view text) {
  return {outcome, text, kAppCaption, Icon::Warning, Buttons::YesNo};
}

// "," and ";" end a value in an input file, "!" starts a comment, and a value
// cannot span lines: such a text would not read back as one value.
bool HoldsUnstorableCharacter(std::string_view text) {
  // A plain loop: find_first_of would search the five characters for every byte.
  for (const char c : text)
    if (c == ',' || c == ';' || c == '!' || c == '\r' || c == '\n') return true;
  return false;
}

template <typename Number>
CheckResult CheckBounds(const PreparedCheck& check, Number value, Number minimum, Number maximum) {
  if (check.hasMinimum) {
    const bool passes = check.minimumReadable && (check.minimumInclusive ? value >= minimum : value > minimum);
    if (!passes) return Question(CheckOutcome::BelowMinimum, kBelowMinimum);
  }
  if (check.hasMaximum) {
    const bool passes = check.maximumReadable && (check.maximumInclusive ? value <= maximum : value < maximum);
    if (!passes) return Question(CheckOutcome::AboveMaximum, kAboveMaximum);
  }
  return {};
}

}  // namespace

PreparedCheck PrepareCheck(const DictField& field) {
  PreparedCheck check;
  check.type = field.type();
  check.defaultValue = field.defaultValue.view();
  check.autosizable = field.Has(FieldFlag::Autosizable);
  check.autocalculatable = field.Has(FieldFlag::Autocalculatable);
  check.hasMinimum = !field.minimum.empty();
  check.hasMaximum = !field.maximum.empty();
  check.minimumInclusive = field.Has(FieldFlag::MinInclusive);
  check.maximumInclusive = field.Has(FieldFlag::MaxInclusive);
  if (check.type == FieldType::Real) {
    check.minimumReadable = ReadWholeReal(field.minimum, check.realMinimum);
    check.maximumReadable = ReadWholeReal(field.maximum, check.realMaximum);
  } else if (check.type == FieldType::Integer) {
    check.minimumReadable = ReadWholeInteger(field.minimum, check.integerMinimum);
    check.maximumReadable = ReadWholeInteger(field.maximum, check.integerMaximum);
  }
  return check;
}

CheckResult CheckValue(const PreparedCheck& check, std::string_view text) {
  if (HoldsUnstorableCharacter(text))
    return {CheckOutcome::Unstorable, kUnstorable, kAppCaption, Icon::Error, Buttons::Ok};
  if (!check.defaultValue.empty() && EqualsNoCase(text, check.defaultValue)) return {};
  if (check.autosizable && EqualsNoCase(text, "autosize")) return {};
  if (check.autocalculatable && EqualsNoCase(text, "autocalculate")) return {};
  switch (check.type) {
    case FieldType::Real: {
      double value = 0.0;
      if (!ReadWholeReal(text, value)) return Question(CheckOutcome::NotReal, kNotReal);
      return CheckBounds(check, value, check.realMinimum, check.realMaximum);
    }
    case FieldType::Integer: {
      std::int32_t value = 0;
      if (!ReadWholeInteger(text, value)) return Question(CheckOutcome::NotInteger, kNotInteger);
      return CheckBounds(check, value, check.integerMinimum, check.integerMaximum);
    }
    default: return {};
  }
}

CheckResult CheckValue(const DictField& field, std::string_view text) { return CheckValue(PrepareCheck(field), text); }

CheckResult CheckReadValue(const PreparedCheck& check, std::string_view text) {
  if ((check.autosizable || check.autocalculatable) &&
      (EqualsNoCase(text, "autosize") || EqualsNoCase(text, "autocalculate")))
    return {};
  CheckResult result = CheckValue(check, text);
  double value = 0.0;
  if (result.outcome == CheckOutcome::NotInteger && ReadWholeReal(text, value) && std::isfinite(value) &&
      value == std::trunc(value)) {
    // Saturated as integer texts are, so that huge values meet the bounds alike.
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    result = CheckBounds(check, static_cast<std::int32_t>(std::clamp(value, kLowest, kHighest)), check.integerMinimum,
                         check.integerMaximum);
  }
  return result;
}

}  // namespace verdanto
