#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/models/OfferedValues.h"

namespace verdanto {
namespace {

using Texts = std::vector<std::string>;

TEST(FieldEditorTitleTest, NameAndLabel) {
  DictField field;
  field.name = "A1";
  EXPECT_EQ(FieldEditorTitle(field), "A1");
  field.label = "Name";
  EXPECT_EQ(FieldEditorTitle(field), "A1 - Name");
}

// Zone (A1 Name: \reference ZoneNames), Surface (A1 \reference SurfNames
// \reference AllNames, A2 \object-list zonenames, A3 a choice, N1 a number).
struct EditorFields : ::testing::Test {
  Dictionary store;
  LayerList layers;
  std::uint16_t g = 0, zone = 0, surface = 0;

  void SetUp() override {
    g = store.AddGroup("G");
    zone = store.AddClass(g, "Zone");
    store.AddRefName(g, zone, store.AddField(g, zone, "A1"), "ZoneNames");
    surface = store.AddClass(g, "Surface");
    const auto name = store.AddField(g, surface, "A1");
    store.AddRefName(g, surface, name, "SurfNames");
    store.AddRefName(g, surface, name, "AllNames");
    const auto zoneName = store.AddField(g, surface, "A2");
    store.AddRefName(g, surface, zoneName, "zonenames");
    store.GetField(g, surface, zoneName).SetType(FieldType::ObjectList);
    store.AddField(g, surface, "A3");
    store.AddField(g, surface, "N1");
    store.BuildIndexes();
    layers.AddLayer("0", "");    // id 1, current
    layers.AddLayer("Off", "");  // id 2
    layers.SetLayerOn(layers.FindLayerByName("Off"), false);
  }

  void AddZone(const std::string& name, std::uint16_t layerId) {
    store.GetValue(g, zone, 0, store.AddObject(g, zone, layerId)).value = name;
  }
  DictField& Field(std::uint16_t f) { return store.GetField(g, surface, f); }
  Texts Opening(std::uint16_t f, LayerFilter filter = LayerFilter::OnlyOn) {
    return OfferedValuesOnOpening(store, layers, g, surface, f, filter);
  }
  Texts AfterChange(std::uint16_t f, LayerFilter filter) {
    return OfferedValuesAfterFilterChange(store, layers, g, surface, f, filter);
  }
};

TEST_F(EditorFields, PropertyRowsComeInOrderWhenTheirConditionHolds) {
  DictField& number = Field(3);
  number.SetType(FieldType::Real);
  number.flags |= FieldFlag::RequiredField | FieldFlag::MinInclusive | FieldFlag::Autosizable |
                  FieldFlag::Autocalculatable | FieldFlag::RetainCase;
  number.units = "m";
  number.minimum = "0";
  number.maximum = "10";
  number.defaultValue = "autosize";
  const std::vector<PropertyRow> expected = {
      {"Required field", ""}, {"Units", "m"},           {"Value >=", "0"}, {"Value <", "10"},  {"Default", "autosize"},
      {"Autosizable", ""},    {"Autocalculatable", ""}, {"Type", "Real"},  {"Retaincase", ""},
  };
  const auto rows = FieldPropertyRows(store, number);
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].property, expected[i].property) << i;
    EXPECT_EQ(rows[i].value, expected[i].value) << i;
  }
  number.flags &= ~FieldFlag::MinInclusive;
  number.flags |= FieldFlag::MaxInclusive;
  const auto flipped = FieldPropertyRows(store, number);
  EXPECT_EQ(flipped[2].property, "Value >");
  EXPECT_EQ(flipped[3].property, "Value <=");
}

TEST_F(EditorFields, ListRowsNameTheSharedListAndNumberReferences) {
  const auto references = FieldPropertyRows(store, Field(0));
  ASSERT_EQ(references.size(), 3u);
  EXPECT_EQ(references[0].property, "Type");
  EXPECT_EQ(references[0].value, "Undefined");
  EXPECT_EQ(references[1].property, "Reference 1");
  EXPECT_EQ(references[1].value, "SurfNames");
  EXPECT_EQ(references[2].property, "Reference 2");
  EXPECT_EQ(references[2].value, "AllNames");

  const auto objectList = FieldPropertyRows(store, Field(1));
  ASSERT_EQ(objectList.size(), 2u);
  EXPECT_EQ(objectList[0].value, "Object List");
  EXPECT_EQ(objectList[1].property, "Object List");
  EXPECT_EQ(objectList[1].value, "ZoneNames");  // the index's form, shared with Zone's field
}

TEST_F(EditorFields, TypeRowNamesEveryType) {
  const std::pair<FieldType, const char*> types[] = {
      {FieldType::Integer, "Integer"},
      {FieldType::Real, "Real"},
      {FieldType::Alpha, "Alpha"},
      {FieldType::Choice, "Choice"},
      {FieldType::ObjectList, "Object List"},
      {FieldType::Unspecified, "Undefined"},
  };
  for (const auto& [type, text] : types) {
    DictField field;
    field.SetType(type);
    const auto rows = FieldPropertyRows(store, field);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].property, "Type");
    EXPECT_EQ(rows[0].value, text);
  }
}

TEST_F(EditorFields, OpeningOffersDefaultKeywordsAndKeysOnceEachSorted) {
  struct Case {
    const char* what;
    FieldType type;
    std::uint32_t flags;
    const char* defaultValue;
    std::vector<const char*> keys;
    Texts expected;
  };
  const Case cases[] = {
      {"nothing to offer", FieldType::Alpha, 0, "", {}, {""}},
      {"default only", FieldType::Real, 0, "0.5", {}, {"0.5"}},
      {"keywords",
       FieldType::Real,
       FieldFlag::Autosizable | FieldFlag::Autocalculatable,
       "",
       {},
       {"autocalculate", "autosize"}},
      {"default in another case keeps its form", FieldType::Real, FieldFlag::Autosizable, "AutoSize", {}, {"AutoSize"}},
      {"keys sorted, duplicates dropped",
       FieldType::Choice,
       0,
       "yes",
       {"Yes", "No", "maybe", "NO"},
       {"maybe", "No", "yes"}},
      {"keys of a field that is no choice", FieldType::Alpha, 0, "", {"Yes"}, {""}},
  };
  for (const auto& c : cases) {
    DictField& field = Field(2);
    field.SetType(c.type);
    field.flags = (field.flags & FieldFlag::TypeMask) | c.flags;
    field.defaultValue = c.defaultValue;
    field.keys.assign(c.keys.begin(), c.keys.end());
    EXPECT_EQ(Opening(2), c.expected) << c.what;
  }
}

TEST_F(EditorFields, ObjectListOffersNamesUnderTheFilter) {
  AddZone("West", 1);
  AddZone("attic", 2);  // on a layer that is off
  AddZone("WEST", 1);
  AddZone("East", 1);
  EXPECT_EQ(Opening(1, LayerFilter::OnlyOn), (Texts{"East", "West"}));
  Field(1).defaultValue = "west";  // the default comes first on opening, so its form stays
  EXPECT_EQ(Opening(1, LayerFilter::OnlyOn), (Texts{"East", "west"}));
  // After a filter change the names come first and the default only fills in.
  EXPECT_EQ(AfterChange(1, LayerFilter::OnlyOn), (Texts{"East", "West"}));
  layers.SetLayerOn(layers.FindLayerByName("Off"), true);
  layers.SetCurrentLayer(layers.FindLayerByName("Off"));
  EXPECT_EQ(AfterChange(1, LayerFilter::OnlyCurrent), (Texts{"attic", "west"}));
}

TEST_F(EditorFields, ObjectsOnlyOnALayerThatIsOffLeaveOneEmptyEntry) {
  AddZone("Hidden", 2);
  EXPECT_EQ(Opening(1, LayerFilter::OnlyOn), Texts{""});
  EXPECT_EQ(AfterChange(1, LayerFilter::OnlyCurrent), Texts{""});
}

}  // namespace
}  // namespace verdanto
