#pragma once
// The units conversion window without a window toolkit: the value being
// converted, the 160 conversion choices sorted by text, the selected choice and
// the new value, which follows every change of the other two.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "units/UnitConversion.h"

namespace verdanto {

// How the window ended.
enum class ConversionEnd { KeepNew, Cancel };

class ConversionModel {
 public:
  // The caller's value and the field's units; the units only choose the choice
  // selected first (from the IP unit to the SI unit, else the first entry).
  ConversionModel(std::string value, std::string_view siUnit, std::string_view ipUnit);

  const std::vector<ConversionChoiceEntry>& Choices() const { return choices_; }
  std::size_t SelectedPosition() const { return selected_; }
  ConversionChoice SelectedChoice() const { return choices_[selected_].choice; }
  const std::string& Value() const { return value_; }
  // ConvertValue of the value under the selected choice, or its error text.
  const std::string& NewValue() const { return newValue_; }

  void SetValue(std::string value);
  // A position in Choices(); one outside the list changes nothing.
  void SelectPosition(std::size_t position);

  // What the caller takes: the new value as shown (an error text too) on
  // "Keep new", nothing on Cancel.
  std::optional<std::string> Result(ConversionEnd end) const;

 private:
  void Recompute();

  std::vector<ConversionChoiceEntry> choices_;
  std::size_t selected_ = 0;
  std::string value_;
  std::string newValue_;
};

}  // namespace verdanto
