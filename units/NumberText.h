#pragma once
// Reading numbers typed by the user or written in the dictionary, the way the C
// library's strtod and strtol read them, but always with '.' as the decimal point
// whatever the process locale, and with a 32-bit integer range.
//
// Both skip leading white space, take an optional sign and then the digits; they
// report whether the whole text was used. An empty text reads as 0 with nothing
// left over; a text with no number in it (only blanks, a lone sign, letters)
// leaves everything over.

#include <cstdint>
#include <string_view>

namespace verdanto {

// Decimal only: digits with an optional '.', then an optional exponent (e or E,
// optional sign, digits). No hexadecimal, "inf" or "nan". Too large a magnitude
// reads as an infinity, too small as 0.
bool ReadWholeReal(std::string_view text, double& value) noexcept;

// Base 10; values outside the 32-bit range saturate at its ends.
bool ReadWholeInteger(std::string_view text, std::int32_t& value) noexcept;

}  // namespace verdanto
