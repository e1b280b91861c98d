#include "ui/models/ConversionModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace verdanto {
namespace {

std::size_t PositionOf(const ConversionModel& model, std::string_view text) {
  const auto& choices = model.Choices();
  const auto hit = std::find_if(choices.begin(), choices.end(), [&](const auto& e) { return e.text == text; });
  EXPECT_NE(hit, choices.end()) << text;
  return static_cast<std::size_t>(hit - choices.begin());
}

// The list and the preselection themselves are the unit table's; the window
// converts at once and again on every change.
TEST(ConversionModelTest, OpensOnTheIpToSiChoiceAndConvertsOnEveryChange) {
  ConversionModel model("212", "C", "F");
  EXPECT_EQ(model.Choices().size(), 160u);
  EXPECT_EQ(model.SelectedPosition(), PositionOf(model, "F -> C"));
  EXPECT_EQ(model.NewValue(), "100");
  model.SelectPosition(PositionOf(model, "C -> F"));
  EXPECT_EQ(model.NewValue(), "413.6");
  model.SetValue("100");
  const std::size_t before = model.SelectedPosition();
  model.SelectPosition(160);  // outside the list: nothing changes
  EXPECT_EQ(model.SelectedPosition(), before);
  EXPECT_EQ(model.Result(ConversionEnd::KeepNew), "212");
  EXPECT_EQ(model.Result(ConversionEnd::Cancel), std::nullopt);
  model.SetValue("12abc");  // Keep new hands over an error text too, and the value stays as typed
  EXPECT_EQ(model.Result(ConversionEnd::KeepNew), "The value entered is not a real number");
  EXPECT_EQ(model.Value(), "12abc");
}

}  // namespace
}  // namespace verdanto
