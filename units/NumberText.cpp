#include "units/NumberText.h"

#include <charconv>
#include <limits>

#include "base/Text.h"

namespace verdanto {
namespace {

constexpr bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(std::string_view text, std::size_t i) noexcept {
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) noexcept {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

// from_chars does not say which way a number fell out of range; the decimal
// exponent of its leading digit does: at or above 0 it was too large.
bool IsTooLarge(std::string_view mantissa, long exponent) noexcept {
  long position = 0;  // decimal exponent of the digit being looked at
  const std::size_t point = mantissa.find('.');
  const std::size_t intDigits = point == std::string_view::npos ? mantissa.size() : point;
  for (std::size_t i = 0; i < mantissa.size(); ++i) {
    if (mantissa[i] == '.') continue;
    position = i < intDigits ? static_cast<long>(intDigits - i) - 1 : -static_cast<long>(i - intDigits);
    if (mantissa[i] != '0') break;
  }
  return position + exponent >= 0;
}

}  // namespace

bool ReadWholeReal(std::string_view text, double& value) noexcept {
  value = 0.0;
  std::size_t i = SkipBlanks(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t mantissaBegin = i;
  i = SkipDigits(text, i);
  bool anyDigit = i > mantissaBegin;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = i + 1;
    i = SkipDigits(text, fraction);
    anyDigit = anyDigit || i > fraction;
  }
  if (!anyDigit) return text.empty();  // like strtod: nothing read, all of it left over
  const std::size_t mantissaEnd = i;

  long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
    if (j < text.size() && IsDigit(text[j])) {
      for (; j < text.size() && IsDigit(text[j]); ++j)
        if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
      if (negativeExponent) exponent = -exponent;
      i = j;
    }
  }

  double magnitude = 0.0;
  const char* first = text.data() + mantissaBegin;
  const auto [end, error] = std::from_chars(first, text.data() + i, magnitude, std::chars_format::general);
  if (error == std::errc::result_out_of_range)
    magnitude = IsTooLarge(text.substr(mantissaBegin, mantissaEnd - mantissaBegin), exponent)
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
  value = negative ? -magnitude : magnitude;
  return end == text.data() + text.size();
}

bool ReadWholeInteger(std::string_view text, std::int32_t& value) noexcept {
  constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
  value = 0;
  std::size_t i = SkipBlanks(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t digits = i;
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i)
    if (magnitude <= kHighest) magnitude = magnitude * 10 + (text[i] - '0');  // past the range it only saturates
  if (i == digits) return text.empty();
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  value = static_cast<std::int32_t>(signedValue < kLowest ? kLowest : signedValue > kHighest ? kHighest : signedValue);
  return i == text.size();
}

}  // namespace verdanto
