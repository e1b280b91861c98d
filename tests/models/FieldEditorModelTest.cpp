#include "ui/models/FieldEditorModel.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/models/ConversionModel.h"
#include "tests/support/WindowScenarios.h"

namespace verdanto {
namespace {

using testing::RecordingPrompter;
using Texts = std::vector<std::string>;

struct FieldEditor : ::testing::Test, testing::SurfaceFields {
  static constexpr std::uint16_t object = 0;
  RecordingPrompter prompter;
  ScriptedConversions converter;

  FieldEditorModel Open(std::uint16_t f, LayerFilter filter = LayerFilter::OnlyCurrent) {
    return FieldEditorModel(store, layers, {g, surface, object, f}, filter, prompter, converter);
  }
  // Property rows as "property=value".
  Texts Rows(const DictField& field) const {
    Texts rows;
    for (const PropertyRow& row : FieldPropertyRows(store, field)) rows.push_back(row.property + "=" + row.value);
    return rows;
  }
};

TEST_F(FieldEditor, PropertyRowsComeInOrderWhenTheirConditionHolds) {
  DictField number;
  number.SetType(FieldType::Real);
  number.flags |= FieldFlag::RequiredField | FieldFlag::MinInclusive | FieldFlag::Autosizable |
                  FieldFlag::Autocalculatable | FieldFlag::RetainCase;
  std::tie(number.units, number.minimum, number.maximum, number.defaultValue) = std::tuple("m", "0", "10", "autosize");
  EXPECT_EQ(Rows(number), (Texts{"Required field=", "Units=m", "Value >==0", "Value <=10", "Default=autosize",
                                 "Autosizable=", "Autocalculatable=", "Type=Real", "Retaincase="}));
  number.flags ^= FieldFlag::MinInclusive | FieldFlag::MaxInclusive;
  const Texts flipped = Rows(number);
  EXPECT_EQ(Texts(flipped.begin() + 2, flipped.begin() + 4), (Texts{"Value >=0", "Value <==10"}));
  // References are numbered; an object list shows the index's spelling, shared with Zone's field.
  EXPECT_EQ(std::tuple(Rows(Field(kName)), Rows(Field(kZoneName))),
            std::tuple(Texts{"Type=Alpha", "Reference 1=SurfNames", "Reference 2=AllNames"},
                       Texts{"Required field=", "Type=Object List", "Object List=ZoneNames"}));
  EXPECT_EQ(FieldEditorTitle(Field(kCount)), "N2");  // no label, no " - "
}

TEST_F(FieldEditor, OpeningOffersDefaultKeywordsAndKeysOnceEachSorted) {
  struct Case {
    const char* what;
    FieldType type;
    std::uint32_t flags;
    const char* defaultValue;
    std::vector<const char*> keys;
    Texts expected;
  };
  constexpr auto kBoth = FieldFlag::Autosizable | FieldFlag::Autocalculatable;
  const Case cases[] = {
      {"nothing to offer", FieldType::Alpha, 0, "", {}, {""}},
      {"default only", FieldType::Real, 0, "0.5", {}, {"0.5"}},
      {"keywords", FieldType::Real, kBoth, "", {}, {"autocalculate", "autosize"}},
      {"default in another case keeps its form", FieldType::Real, FieldFlag::Autosizable, "AutoSize", {}, {"AutoSize"}},
      {"keys sorted, no duplicates", FieldType::Choice, 0, "yes", {"Yes", "No", "maybe", "NO"}, {"maybe", "No", "yes"}},
      {"keys of a field that is no choice", FieldType::Alpha, 0, "", {"Yes"}, {""}},
  };
  for (const auto& c : cases) {
    DictField& field = Field(kTemperature);
    field.SetType(c.type);
    field.flags = (field.flags & FieldFlag::TypeMask) | c.flags;
    field.defaultValue = c.defaultValue;
    field.keys.assign(c.keys.begin(), c.keys.end());
    EXPECT_EQ(Open(kTemperature).offeredValues, c.expected) << c.what;
  }
}

TEST_F(FieldEditor, TheFilterChoosesTheNamesOfferedAndARealChangeRefillsThem) {
  AddZone("West", zeroId);
  AddZone("attic", otherId);
  AddZone("WEST", zeroId);  // the first form stays
  AddZone("Cellar", offId);
  Field(kZoneName).defaultValue = "west";
  FieldEditorModel editor = Open(kZoneName);
  EXPECT_EQ(editor.offeredValues, Texts{"west"});  // on opening the default comes first, so its form stays
  editor.valueText = "typed";
  EXPECT_FALSE(editor.ChangeFilter(LayerFilter::OnlyCurrent));
  EXPECT_TRUE(editor.ChangeFilter(LayerFilter::OnlyOn));
  // After a change the names come first; the text stays; the new filter is what the window hands back.
  EXPECT_EQ(std::tuple(editor.offeredValues, editor.valueText, editor.layerFilter),
            std::tuple(Texts{"attic", "West"}, "typed", LayerFilter::OnlyOn));
  EXPECT_EQ(Value(kZoneName).value, "");
  // A field that lists no names has no filter to change.
  FieldEditorModel tilt = Open(kTilt);
  EXPECT_FALSE(tilt.ChangeFilter(LayerFilter::OnlyOn));
  EXPECT_EQ(tilt.layerFilter, LayerFilter::OnlyCurrent);
}

TEST_F(FieldEditor, OkChecksAsksAndStores) {
  struct Case {
    const char* what;
    SurfaceField field;
    const char* text;
    std::optional<Answer> answer;  // the answer to the one message; none: no message
    OkResult expected;
    const char* message;  // its first line
  };
  const char* const kAbove = "The value entered is greater than the maximum allowed.";
  const Case cases[] = {
      {"accepted as typed", kName, "Wall 2", std::nullopt, OkResult::Stored, ""},
      {"above the maximum, Yes", kTilt, "1e3", Answer::Yes, OkResult::Stored, kAbove},
      {"above the maximum, No", kTilt, "1e3", Answer::No, OkResult::BackToValue, kAbove},
      {"above the maximum, Escape", kTilt, "1e3", Answer::Cancel, OkResult::BackToValue, kAbove},
      {"not a number, Yes", kTemperature, "warm", Answer::Yes, OkResult::Stored,
       "The value entered is not a real number."},
      {"a separator is refused whatever the answer", kName, "Wall, 2", Answer::Yes, OkResult::BackToValue,
       "The value entered contains a character that input files cannot hold (, ; ! or a line break)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Value(c.field) = FieldValue{"old", "old comment"};
    prompter.messages.clear();
    if (c.answer) prompter.script.push_back(*c.answer);
    FieldEditorModel editor = Open(c.field);
    editor.valueText = c.text;
    editor.commentText = "new\ncomment";
    EXPECT_EQ(editor.Ok(), c.expected);
    ASSERT_EQ(prompter.messages.size(), c.answer ? 1u : 0u);
    const std::string shown = c.answer ? prompter.messages[0].text : "";
    EXPECT_EQ(shown.substr(0, shown.find("\r\n")), c.message);
    const bool stored = c.expected == OkResult::Stored;
    EXPECT_EQ(std::tuple(Value(c.field).value.str(), Value(c.field).comment.str()),
              stored ? std::tuple(std::string(c.text), std::string("new\r\ncomment")) : std::tuple("old", "old comment"));
  }
}

TEST(CommentLineEndsTest, EveryLineBreakBecomesCrLf) {
  const std::pair<const char*, const char*> cases[] = {
      {"a\r\nb", "a\r\nb"}, {"a\nb\n", "a\r\nb\r\n"}, {"a\rb", "a\r\nb"},
      {"a\r\n\nb", "a\r\n\r\nb"}, {"\n\r", "\r\n\r\n"},
  };
  for (const auto& [typed, stored] : cases) EXPECT_EQ(CommentWithStoreLineEnds(typed), stored) << typed;
}

// Cancel, Keep new and an error text handed over go through the window's test.
TEST_F(FieldEditor, ConvertAsksWithTheFieldsUnitsAndOkChecksWhatItKept) {
  FieldEditorModel editor = Open(kTemperature);
  editor.valueText = "100";
  converter.answers = {"The value entered is not a real number"};
  EXPECT_TRUE(editor.Convert());
  const auto& asked = converter.requests.at(0);
  EXPECT_EQ((Texts{asked.value, asked.siUnit, asked.ipUnit}), (Texts{"100", "C", "F"}));
  prompter.script = {Answer::No};
  EXPECT_EQ(editor.Ok(), OkResult::BackToValue);
  EXPECT_EQ(prompter.messages.back().text,
            "The value entered is not a real number.\r\nDo you want to proceed anyway?");
}

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
  EXPECT_EQ(std::tuple(model.Choices().size(), model.SelectedPosition(), model.NewValue()),
            std::tuple(160u, PositionOf(model, "F -> C"), "100"));
  model.SelectPosition(PositionOf(model, "C -> F"));
  EXPECT_EQ(model.NewValue(), "413.6");
  model.SetValue("100");
  const std::size_t before = model.SelectedPosition();
  model.SelectPosition(160);  // outside the list: nothing changes
  EXPECT_EQ(std::tuple(model.SelectedPosition(), model.Result(ConversionEnd::KeepNew), model.Result(ConversionEnd::Cancel)),
            std::tuple(before, "212", std::nullopt));
  model.SetValue("12abc");  // Keep new hands over an error text too, and the value stays as typed
  EXPECT_EQ(std::tuple(model.Result(ConversionEnd::KeepNew), model.Value()),
            std::tuple("The value entered is not a real number", "12abc"));
}

}  // namespace
}  // namespace verdanto
