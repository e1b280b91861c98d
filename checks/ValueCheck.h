#pragma once
// The field editor's check of a typed value against what the dictionary says of
// the field. Advisory: a question lets the user store the text anyway; only a
// text that no input file could hold is refused outright. Pure logic: each result
// carries its whole message box, so the window only shows it.

#include <cstdint>
#include <string_view>

#include "store/Dictionary.h"
#include "base/Platform.h"

namespace verdanto {

enum class CheckOutcome {
  Accept,
  Unstorable,  // refused: a separator, "!" or a line break would break the file
  NotReal,
  NotInteger,
  BelowMinimum,
  AboveMaximum,
};

struct CheckResult {
  CheckOutcome outcome = CheckOutcome::Accept;
  std::string_view text;  // empty for Accept; "\r\n" separates the lines
  std::string_view caption;
  Icon icon = Icon::None;
  Buttons buttons = Buttons::Ok;

  bool Accepted() const noexcept { return outcome == CheckOutcome::Accept; }
  bool IsRefusal() const noexcept { return outcome == CheckOutcome::Unstorable; }
  bool IsQuestion() const noexcept { return !Accepted() && !IsRefusal(); }
  // The message up to its first line break: what the finding is, without the question.
  std::string_view FirstSentence() const noexcept { return text.substr(0, text.find("\r\n")); }
};

// What of a field the check needs, with the bounds read once, so that checking
// many values of one field does not read them again each time.
struct PreparedCheck {
  FieldType type = FieldType::Unspecified;
  std::string_view defaultValue;
  bool autosizable = false;
  bool autocalculatable = false;
  bool hasMinimum = false;
  bool hasMaximum = false;
  bool minimumReadable = false;  // a bound that is not a whole number is violated by every value
  bool maximumReadable = false;
  bool minimumInclusive = false;
  bool maximumInclusive = false;
  double realMinimum = 0.0, realMaximum = 0.0;
  std::int32_t integerMinimum = 0, integerMaximum = 0;
};

// The prepared check refers to the field's default text: keep the field alive.
PreparedCheck PrepareCheck(const DictField& field);
CheckResult CheckValue(const PreparedCheck& check, std::string_view text);
CheckResult CheckValue(const DictField& field, std::string_view text);

// The check of a value read from an input file, accepting what the simulation
// itself accepts beyond the editor's check: "autosize" and "autocalculate" alike in
// a field that takes either, and a whole-number real (1.0000) in an integer field,
// judged against the bounds as that integer.
CheckResult CheckReadValue(const PreparedCheck& check, std::string_view text);

}  // namespace verdanto
