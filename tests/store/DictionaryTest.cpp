#include <gtest/gtest.h>

#include "store/Dictionary.h"

namespace verdanto {
namespace {

// A small dictionary: one group, Zone (Name, Multiplier) and Wall (Name, Zone Name).
struct SmallDictionary : ::testing::Test {
  Dictionary store;
  std::uint16_t g = 0, zone = 0, wall = 0;
  void SetUp() override {
    g = store.AddGroup("Thermal Zones");
    zone = store.AddClass(g, "Zone");
    store.AddField(g, zone, "A1");
    store.AddField(g, zone, "N1");
    store.AddRefName(g, zone, 0, "ZoneNames");
    wall = store.AddClass(g, "Wall");
    store.AddField(g, wall, "A1");
    store.AddField(g, wall, "A2");
    store.AddRefName(g, wall, 1, "zonenames");
    store.GetField(g, wall, 1).SetType(FieldType::ObjectList);
    store.BuildIndexes();
  }
};

TEST(CompactTextTest, EmptyAllocatesNothingAndAssignsLikeAString) {
  CompactText text;
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(text.size(), 0u);
  EXPECT_EQ(text, "");
  text = "abc";
  EXPECT_EQ(text, "abc");
  text = std::string_view(text).substr(1);  // a view of itself
  EXPECT_EQ(text, "bc");
  text.Append(",d");
  EXPECT_EQ(text.str(), "bc,d");
  CompactText copy = text;
  text = "";
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(copy, "bc,d");
  CompactText moved = std::move(copy);
  EXPECT_EQ(moved, "bc,d");
  EXPECT_EQ(sizeof(FieldValue), 16u);
}

TEST_F(SmallDictionary, AddObjectGivesEveryFieldAnEmptyEntry) {
  EXPECT_EQ(store.AddObject(g, zone, 3), 0);
  EXPECT_EQ(store.AddObject(g, zone, 4), 1);
  const auto& cls = store.GetClass(g, zone);
  EXPECT_EQ(cls.objectCount(), 2);
  EXPECT_EQ(cls.objectLayers, (std::vector<std::uint16_t>{3, 4}));
  for (const auto& field : cls.fields) {
    ASSERT_EQ(field.values.size(), 2u);
    EXPECT_TRUE(field.values[1].value.empty());
    EXPECT_TRUE(field.values[1].comment.empty());
  }
}

TEST_F(SmallDictionary, AddObjectOnClassWithoutFieldsStillCountsIt) {
  const auto bare = store.AddClass(g, "Bare");
  EXPECT_EQ(store.AddObject(g, bare, 1), 0);
  EXPECT_EQ(store.GetClass(g, bare).objectCount(), 1);
}

TEST_F(SmallDictionary, DeleteObjectMovesLaterObjectsDown) {
  for (const char* name : {"a", "b", "c"}) {
    const auto o = store.AddObject(g, zone, 1);
    store.GetValue(g, zone, 0, o).value = name;
  }
  store.DeleteObject(g, zone, 0);
  EXPECT_EQ(store.GetClass(g, zone).objectCount(), 2);
  EXPECT_EQ(store.GetValue(g, zone, 0, 0).value, "b");
  EXPECT_EQ(store.GetValue(g, zone, 0, 1).value, "c");
  store.DeleteObject(g, zone, 1);
  store.DeleteObject(g, zone, 0);
  EXPECT_EQ(store.GetClass(g, zone).objectCount(), 0);
  EXPECT_EQ(store.AddObject(g, zone, 1), 0);
}

TEST_F(SmallDictionary, DeleteLayerObjectsKeepsTheOthersInOrder) {
  const std::uint16_t layers[] = {1, 2, 1, 3, 2};
  for (std::uint16_t i = 0; i < 5; ++i) {
    const auto o = store.AddObject(g, zone, layers[i]);
    store.GetValue(g, zone, 0, o).value = std::to_string(i);
  }
  store.DeleteLayerObjects(9);
  EXPECT_EQ(store.GetClass(g, zone).objectCount(), 5);
  store.DeleteLayerObjects(2);
  ASSERT_EQ(store.GetClass(g, zone).objectCount(), 3);
  EXPECT_EQ(store.GetValue(g, zone, 0, 0).value, "0");
  EXPECT_EQ(store.GetValue(g, zone, 0, 1).value, "2");
  EXPECT_EQ(store.GetValue(g, zone, 0, 2).value, "3");
  EXPECT_EQ(store.GetClass(g, zone).objectLayers, (std::vector<std::uint16_t>{1, 1, 3}));
  store.DeleteLayerObjects(1);
  store.DeleteLayerObjects(3);
  EXPECT_EQ(store.GetClass(g, zone).objectCount(), 0);
  EXPECT_TRUE(store.GetField(g, zone, 1).values.empty());
}

TEST_F(SmallDictionary, FindClassIgnoresCase) {
  for (const char* name : {"Zone", "zone", "ZONE", "wALL"}) {
    std::uint16_t fg = 99, fc = 99;
    EXPECT_TRUE(store.FindClass(name, fg, fc)) << name;
    EXPECT_EQ(fg, g);
  }
  std::uint16_t fg = 0, fc = 0;
  EXPECT_FALSE(store.FindClass("Zon", fg, fc));
  EXPECT_FALSE(store.FindClass("", fg, fc));
  store.FindClass("WALL", fg, fc);
  EXPECT_EQ(fc, wall);
}

TEST_F(SmallDictionary, FindClassNeedsTheIndex) {
  Dictionary fresh;
  const auto fg = fresh.AddGroup("G");
  fresh.AddClass(fg, "Zone");
  std::uint16_t g2 = 0, c2 = 0;
  EXPECT_FALSE(fresh.FindClass("Zone", g2, c2));
  fresh.BuildIndexes();
  EXPECT_TRUE(fresh.FindClass("Zone", g2, c2));
  fresh.AddClass(fg, "Wall");  // discards the class index
  EXPECT_FALSE(fresh.FindClass("Zone", g2, c2));
}

TEST_F(SmallDictionary, NamesDifferingInCaseShareOneRefName) {
  ASSERT_EQ(store.RefNameCount(), 1u);
  const auto& ref = store.GetRefName(0);
  EXPECT_TRUE(ref.name == "ZoneNames" || ref.name == "zonenames");
  EXPECT_EQ(ref.definers, (std::vector<FieldRef>{{g, zone, 0}}));
  EXPECT_EQ(ref.users, (std::vector<FieldRef>{{g, wall, 1}}));
  EXPECT_EQ(&store.FieldRefName(store.GetField(g, wall, 1), 0), &ref);
}

TEST_F(SmallDictionary, BuildIndexesTwiceChangesNothing) {
  const auto* before = &store.GetRefName(0);
  store.BuildIndexes();
  EXPECT_EQ(&store.GetRefName(0), before);
  EXPECT_EQ(store.GetRefName(0).users.size(), 1u);
}

TEST_F(SmallDictionary, ClearEmptiesEverything) {
  store.version = "8.8";
  store.AddObject(g, zone, 1);
  store.Clear();
  EXPECT_EQ(store.version, "");
  EXPECT_EQ(store.GroupCount(), 0);
  EXPECT_EQ(store.TotalClassCount(), 0u);
  EXPECT_EQ(store.RefNameCount(), 0u);
  std::uint16_t fg = 0, fc = 0;
  EXPECT_FALSE(store.FindClass("Zone", fg, fc));
}

TEST(FieldTypeTest, NewFieldIsUnspecifiedAndTypeBitsStayApart) {
  DictField field;
  EXPECT_EQ(field.type(), FieldType::Unspecified);
  field.flags |= FieldFlag::RequiredField | FieldFlag::RetainCase;
  field.SetType(FieldType::Real);
  EXPECT_EQ(field.type(), FieldType::Real);
  EXPECT_TRUE(field.Has(FieldFlag::RequiredField));
  EXPECT_TRUE(field.Has(FieldFlag::RetainCase));
}

}  // namespace
}  // namespace verdanto
