#pragma once
// SI / inch-pound conversion through a fixed table of unit pairs. A conversion
// choice names a row and a direction: choice r (below kConversionRowCount)
// converts row r from SI to IP, choice r + kConversionRowCount from IP to SI.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace verdanto {

// IP = SI * factor + offset.
struct UnitConversion {
  std::string_view siUnit;
  std::string_view ipUnit;
  double factor = 1.0;
  double offset = 0.0;
};

inline constexpr int kConversionRowCount = 80;
inline constexpr int kConversionChoiceCount = 2 * kConversionRowCount;

using ConversionChoice = int;  // 0 .. kConversionChoiceCount - 1

extern const std::array<UnitConversion, kConversionRowCount> kConversionTable;

// What ConvertValue gives for a value that is not entirely a number.
inline constexpr std::string_view kNotARealNumber = "The value entered is not a real number";

// "<from> -> <to>", the source unit first.
std::string ConversionChoiceText(ConversionChoice choice);

// The value read as a real number (leading blanks allowed, nothing after it;
// empty reads as 0), converted and written with "%.15g"; otherwise kNotARealNumber.
std::string ConvertValue(std::string_view valueText, ConversionChoice choice);

// One entry of the choice list as the conversion window shows it.
struct ConversionChoiceEntry {
  std::string text;
  ConversionChoice choice = 0;
};

// All choices, sorted by text without regard to case.
std::vector<ConversionChoiceEntry> SortedConversionChoices();

// Position in `entries` of the choice that converts from the field's IP unit to
// its SI unit when there is one, else of the first that converts from its SI unit,
// else 0 (the first entry).
std::size_t PreselectedChoice(const std::vector<ConversionChoiceEntry>& entries, std::string_view siUnit,
                              std::string_view ipUnit);

}  // namespace verdanto
