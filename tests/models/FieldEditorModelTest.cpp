#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/RecordingPrompter.h"
#include "ui/models/FieldEditorModel.h"

namespace verdanto {
namespace {

using testing::RecordingPrompter;
using Texts = std::vector<std::string>;

// Answers the "&C" button from a script and records what it was asked.
class ScriptedConverter final : public ConversionRunner {
 public:
  std::optional<std::string> answer;
  std::vector<Texts> asked;  // value, SI unit, IP unit
  std::optional<std::string> Run(std::string_view value, std::string_view siUnit, std::string_view ipUnit) override {
    asked.push_back({std::string(value), std::string(siUnit), std::string(ipUnit)});
    return answer;
  }
};

enum SurfaceField : std::uint16_t { kName, kZoneName, kTilt, kCount, kTemperature };

// Zone (A1 \reference ZoneNames) and Surface: A1 Name; A2 Zone Name, an object
// list of ZoneNames; N1 Tilt, real 0..180 deg, default 90; N2 Count, integer >= 1;
// N3 Temperature, C / F. Layers "0" (current), "Other" (on) and "Off" (off).
struct FieldEditor : ::testing::Test {
  Dictionary store;
  LayerList layers;
  RecordingPrompter prompter;
  ScriptedConverter converter;
  std::uint16_t g = 0, zone = 0, surface = 0, object = 0;
  std::uint16_t zeroId = 0, otherId = 0, offId = 0;

  void SetUp() override {
    g = store.AddGroup("Surfaces");
    zone = store.AddClass(g, "Zone");
    store.AddRefName(g, zone, store.AddField(g, zone, "A1"), "ZoneNames");
    surface = store.AddClass(g, "Surface");
    Add("A1", "Name", FieldType::Alpha).note = "The surface's name.\r\nUnique.\r\n";
    Add("A2", "Zone Name", FieldType::ObjectList).flags |= FieldFlag::RequiredField;
    store.AddRefName(g, surface, kZoneName, "ZoneNames");
    DictField& tilt = Add("N1", "Tilt", FieldType::Real);
    tilt.units = "deg";
    tilt.minimum = "0";
    tilt.maximum = "180";
    tilt.defaultValue = "90";
    tilt.flags |= FieldFlag::MinInclusive | FieldFlag::MaxInclusive;
    DictField& count = Add("N2", "", FieldType::Integer);
    count.minimum = "1";
    count.flags |= FieldFlag::MinInclusive;
    DictField& temperature = Add("N3", "Temperature", FieldType::Real);
    temperature.units = "C";
    temperature.ipUnits = "F";
    store.BuildIndexes();

    zeroId = At(layers.AddLayer("0", ""));
    otherId = At(layers.AddLayer("Other", ""));
    offId = At(layers.AddLayer("Off", ""));
    layers.SetCurrentLayer(layers.ItemOfLayerId(zeroId));
    layers.SetLayerOn(layers.ItemOfLayerId(offId), false);

    object = store.AddObject(g, surface, zeroId);
    FieldValue& name = store.GetValue(g, surface, kName, object);
    name.value = "Wall 1";
    name.comment = "first wall";
  }

  DictField& Add(const char* name, const char* label, FieldType type) {
    DictField& field = store.GetField(g, surface, store.AddField(g, surface, name));
    field.label = label;
    field.SetType(type);
    return field;
  }
  std::uint16_t At(int index) const { return layers.At(index).id; }
  void AddZone(const char* name, std::uint16_t layerId) {
    store.GetValue(g, zone, 0, store.AddObject(g, zone, layerId)).value = name;
  }
  FieldEditorModel Open(std::uint16_t f, LayerFilter filter = LayerFilter::OnlyCurrent) {
    return FieldEditorModel(store, layers, {g, surface, object, f}, filter, prompter, converter);
  }
  const FieldValue& Stored(std::uint16_t f) const { return store.GetValue(g, surface, f, object); }
};

TEST_F(FieldEditor, OpeningShowsTheFieldAndTheValue) {
  const FieldEditorModel name = Open(kName);
  EXPECT_EQ(name.title, "A1 - Name");
  EXPECT_EQ(name.noteText, "The surface's name.\r\nUnique.\r\n");
  EXPECT_EQ(name.valueText, "Wall 1");
  EXPECT_EQ(name.commentText, "first wall");
  EXPECT_FALSE(name.filterEnabled);
  EXPECT_EQ(name.offeredValues, Texts{""});

  const FieldEditorModel count = Open(kCount, LayerFilter::OnlyOn);
  EXPECT_EQ(count.title, "N2");  // no label
  EXPECT_EQ(count.layerFilter, LayerFilter::OnlyOn);
  EXPECT_EQ(count.valueText, "");

  const FieldEditorModel tilt = Open(kTilt);
  Texts rows;
  for (const PropertyRow& row : tilt.propertyRows) rows.push_back(row.property + "=" + row.value);
  EXPECT_EQ(rows, (Texts{"Units=deg", "Value >==0", "Value <==180", "Default=90", "Type=Real"}));
  EXPECT_EQ(tilt.offeredValues, Texts{"90"});

  const FieldEditorModel zoneName = Open(kZoneName);
  EXPECT_TRUE(zoneName.filterEnabled);
  ASSERT_EQ(zoneName.propertyRows.size(), 3u);
  EXPECT_EQ(zoneName.propertyRows[0].property, "Required field");
  EXPECT_EQ(zoneName.propertyRows[2].property, "Object List");
  EXPECT_EQ(zoneName.propertyRows[2].value, "ZoneNames");
}

TEST_F(FieldEditor, TheFilterChoosesTheNamesOfferedAndARealChangeRefillsThem) {
  AddZone("West", zeroId);
  AddZone("attic", otherId);
  AddZone("WEST", zeroId);  // the first form stays
  AddZone("Cellar", offId);
  FieldEditorModel editor = Open(kZoneName);
  EXPECT_EQ(editor.offeredValues, Texts{"West"});
  editor.valueText = "typed";
  EXPECT_FALSE(editor.ChangeFilter(LayerFilter::OnlyCurrent));
  EXPECT_TRUE(editor.ChangeFilter(LayerFilter::OnlyOn));
  EXPECT_EQ(editor.offeredValues, (Texts{"attic", "West"}));
  EXPECT_EQ(editor.valueText, "typed");
  // Cancel after a change stores nothing; the new filter is what the window hands back.
  EXPECT_EQ(editor.layerFilter, LayerFilter::OnlyOn);
  EXPECT_EQ(Stored(kZoneName).value, "");

  // A field that lists no names has no filter to change.
  FieldEditorModel tilt = Open(kTilt);
  EXPECT_FALSE(tilt.ChangeFilter(LayerFilter::OnlyOn));
  EXPECT_EQ(tilt.layerFilter, LayerFilter::OnlyCurrent);
  EXPECT_EQ(tilt.offeredValues, Texts{"90"});
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
  const Case cases[] = {
      {"accepted as typed", kName, "Wall 2", std::nullopt, OkResult::Stored, ""},
      {"empty integer below the minimum, Yes", kCount, "", Answer::Yes, OkResult::Stored,
       "The value entered is lower than the minimum allowed."},
      {"within the bounds", kTilt, "45.5", std::nullopt, OkResult::Stored, ""},
      {"above the maximum, Yes", kTilt, "1e3", Answer::Yes, OkResult::Stored,
       "The value entered is greater than the maximum allowed."},
      {"above the maximum, No", kTilt, "1e3", Answer::No, OkResult::BackToValue,
       "The value entered is greater than the maximum allowed."},
      {"not an integer, No", kCount, "12abc", Answer::No, OkResult::BackToValue,
       "The value entered is not an integer."},
      {"not a number, Yes", kTemperature, "warm", Answer::Yes, OkResult::Stored,
       "The value entered is not a real number."},
      {"a separator is refused whatever the answer", kName, "Wall, 2", Answer::Yes, OkResult::BackToValue,
       "The value entered contains a character that input files cannot hold (, ; ! or a line break)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store.GetValue(g, surface, c.field, object) = FieldValue{"old", "old comment"};
    prompter.messages.clear();
    if (c.answer) prompter.script.push_back(*c.answer);
    FieldEditorModel editor = Open(c.field);
    editor.valueText = c.text;
    editor.commentText = "new\ncomment";
    EXPECT_EQ(editor.Ok(), c.expected);
    ASSERT_EQ(prompter.messages.size(), c.answer ? 1u : 0u);
    if (c.answer) {
      const auto& shown = prompter.messages.front();
      EXPECT_EQ(shown.text.substr(0, shown.text.find("\r\n")), c.message);
      EXPECT_EQ(shown.caption, "Verdanto");
    }
    const bool stored = c.expected == OkResult::Stored;
    EXPECT_EQ(Stored(c.field).value, stored ? c.text : "old");
    EXPECT_EQ(Stored(c.field).comment, stored ? "new\r\ncomment" : "old comment");
  }
}

TEST_F(FieldEditor, AfterNoTheUserCorrectsTheValueInTheSameEditor) {
  FieldEditorModel editor = Open(kTilt);
  editor.valueText = "-1";
  prompter.script = {Answer::No};
  EXPECT_EQ(editor.Ok(), OkResult::BackToValue);
  EXPECT_EQ(prompter.messages[0].buttons, Buttons::YesNo);
  editor.valueText = "1";
  EXPECT_EQ(editor.Ok(), OkResult::Stored);
  EXPECT_EQ(Stored(kTilt).value, "1");
  EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST(CommentLineEndsTest, EveryLineBreakBecomesCrLf) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"a\r\nb", "a\r\nb"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb", "a\r\nb"},
      {"a\r\n\nb", "a\r\n\r\nb"},
      {"\n\r", "\r\n\r\n"},
  };
  for (const auto& [typed, stored] : cases) EXPECT_EQ(CommentWithStoreLineEnds(typed), stored) << typed;
}

TEST_F(FieldEditor, ConvertAsksWithTheFieldsUnitsAndKeepsOnlyANewValue) {
  FieldEditorModel editor = Open(kTemperature);
  editor.valueText = "100";
  converter.answer = std::nullopt;  // Cancel
  EXPECT_FALSE(editor.Convert());
  EXPECT_EQ(editor.valueText, "100");
  converter.answer = "212";
  EXPECT_TRUE(editor.Convert());
  EXPECT_EQ(editor.valueText, "212");
  ASSERT_EQ(converter.asked.size(), 2u);
  EXPECT_EQ(converter.asked[1], (Texts{"100", "C", "F"}));
  EXPECT_EQ(Stored(kTemperature).value, "");  // only OK stores

  // Keep new after an error hands over the error text; OK then asks about it.
  converter.answer = "The value entered is not a real number";
  EXPECT_TRUE(editor.Convert());
  prompter.script = {Answer::No};
  EXPECT_EQ(editor.Ok(), OkResult::BackToValue);
  EXPECT_EQ(prompter.messages.back().text,
            "The value entered is not a real number.\r\nDo you want to proceed anyway?");
}

}  // namespace
}  // namespace verdanto
