#include "ui/models/ConversionModel.h"

#include <utility>

namespace verdanto {

ConversionModel::ConversionModel(std::string value, std::string_view siUnit, std::string_view ipUnit)
    : choices_(SortedConversionChoices()), value_(std::move(value)) {
  selected_ = PreselectedChoice(choices_, siUnit, ipUnit);
  Recompute();
}

void ConversionModel::SetValue(std::string value) {
  value_ = std::move(value);
  Recompute();
}

void ConversionModel::SelectPosition(std::size_t position) {
  if (position >= choices_.size()) return;
  selected_ = position;
  Recompute();
}

std::optional<std::string> ConversionModel::Result(ConversionEnd end) const {
  if (end == ConversionEnd::Cancel) return std::nullopt;
  return newValue_;
}

void ConversionModel::Recompute() { newValue_ = ConvertValue(value_, SelectedChoice()); }

}  // namespace verdanto
