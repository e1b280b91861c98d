#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "store/Text.h"
#include "ui/models/ConversionModel.h"

namespace verdanto {
namespace {

std::size_t PositionOf(const ConversionModel& model, std::string_view text) {
  const auto& choices = model.Choices();
  const auto hit = std::find_if(choices.begin(), choices.end(), [&](const auto& e) { return e.text == text; });
  EXPECT_NE(hit, choices.end()) << text;
  return static_cast<std::size_t>(hit - choices.begin());
}

std::string SelectedText(const ConversionModel& model) { return model.Choices()[model.SelectedPosition()].text; }

TEST(ConversionModelTest, OffersAllChoicesSortedWithoutRegardToCase) {
  const ConversionModel model("1", "m", "ft");
  const auto& choices = model.Choices();
  ASSERT_EQ(choices.size(), 160u);
  EXPECT_TRUE(std::is_sorted(choices.begin(), choices.end(),
                             [](const auto& a, const auto& b) { return CompareNoCase(a.text, b.text) < 0; }));
  // Each entry remembers its own choice.
  EXPECT_EQ(choices[PositionOf(model, "C -> F")].choice, 3);
  EXPECT_EQ(choices[PositionOf(model, "F -> C")].choice, 83);
}

TEST(ConversionModelTest, PreselectsFromTheIpUnitToTheSiUnitAndConvertsAtOnce) {
  struct Case {
    const char* value;
    const char* siUnit;
    const char* ipUnit;
    std::string selected;  // empty: the first entry
    const char* newValue;
  };
  const Case cases[] = {
      {"212", "C", "F", "F -> C", "100"},
      {"39.37", "m", "in", "in -> m", "1"},
      {"3.281", "M", "FT", "ft -> m", "1"},  // units as the field spells them, case aside
      {"5", "m", "", "", nullptr},           // no IP unit: the first entry
      {"5", "", "", "", nullptr},
  };
  for (const Case& c : cases) {
    const ConversionModel model(c.value, c.siUnit, c.ipUnit);
    if (c.selected.empty()) {
      EXPECT_EQ(model.SelectedPosition(), 0u) << c.siUnit;
      EXPECT_EQ(model.NewValue(), ConvertValue(c.value, model.Choices().front().choice));
    } else {
      EXPECT_EQ(SelectedText(model), c.selected);
      EXPECT_EQ(model.NewValue(), c.newValue) << c.selected;
    }
  }
}

TEST(ConversionModelTest, NewValueFollowsTheValueAndTheChoice) {
  ConversionModel model("", "C", "F");
  EXPECT_EQ(model.NewValue(), ConvertValue("", 83));  // empty reads as 0: (0 - 32) / 1.8
  model.SelectPosition(PositionOf(model, "C -> F"));
  EXPECT_EQ(model.NewValue(), "32");
  model.SetValue("100");
  EXPECT_EQ(model.NewValue(), "212");
  model.SetValue("100 ");
  EXPECT_EQ(model.NewValue(), "The value entered is not a real number");
  model.SetValue(" 1000");
  model.SelectPosition(PositionOf(model, "J/kg -> Btu/lb"));
  EXPECT_EQ(model.NewValue(), ConvertValue("1000", 13));
  const std::size_t before = model.SelectedPosition();
  model.SelectPosition(160);  // outside the list: nothing changes
  EXPECT_EQ(model.SelectedPosition(), before);
}

TEST(ConversionModelTest, KeepNewHandsOverWhatIsShownAndCancelNothing) {
  ConversionModel model("100", "C", "F");
  model.SelectPosition(PositionOf(model, "C -> F"));
  EXPECT_EQ(model.Result(ConversionEnd::KeepNew), "212");
  EXPECT_EQ(model.Result(ConversionEnd::Cancel), std::nullopt);
  model.SetValue("12abc");
  EXPECT_EQ(model.Result(ConversionEnd::KeepNew), "The value entered is not a real number");
  EXPECT_EQ(model.Value(), "12abc");
}

}  // namespace
}  // namespace verdanto
