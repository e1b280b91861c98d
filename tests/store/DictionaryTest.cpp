#include <gtest/gtest.h>

#include "store/Dictionary.h"

namespace verdanto {
namespace {

// One group: Zone (Name, Multiplier) defines ZoneNames; Wall's second field is an
// object list of "zonenames", the same list in other letter case.
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
  // Adds zones named "0", "1", ... in the given layers.
  void AddZones(std::initializer_list<std::uint16_t> layers) {
    for (const std::uint16_t layer : layers) {
      const auto o = store.AddObject(g, zone, layer);
      store.GetValue(g, zone, 0, o).value = std::to_string(o);
    }
  }
  std::string Names() const {
    std::string out;
    for (const auto& v : store.GetField(g, zone, 0).values) out += v.value.str();
    return out;
  }
};

TEST(CompactTextTest, AssignsFromAViewOfItselfAndCopiesApart) {
  CompactText text;
  EXPECT_TRUE(text.empty());
  text = "abc";
  text = std::string_view(text).substr(1);
  text.Append(",d");
  EXPECT_EQ(text.str(), "bc,d");
  CompactText copy = text;
  text = "";
  EXPECT_TRUE(text.empty());
  const CompactText moved = std::move(copy);
  EXPECT_EQ(moved, "bc,d");
}

TEST_F(SmallDictionary, ObjectsAddAndDeleteAcrossEveryField) {
  AddZones({1, 2, 1, 3, 2});
  EXPECT_TRUE(store.GetValue(g, zone, 1, 4).value.empty());
  store.DeleteObject(g, zone, 0);
  EXPECT_EQ(Names(), "1234");
  store.DeleteLayerObjects(9);
  store.DeleteLayerObjects(2);
  EXPECT_EQ(Names(), "23");
  EXPECT_EQ(store.GetClass(g, zone).objectLayers, (std::vector<std::uint16_t>{1, 3}));
  EXPECT_EQ(store.GetField(g, zone, 1).values.size(), 2u);
  store.DeleteLayerObjects(1);
  store.DeleteLayerObjects(3);
  EXPECT_TRUE(store.GetField(g, zone, 1).values.empty());
  EXPECT_EQ(store.AddObject(g, zone, 1), 0);
  const auto bare = store.AddClass(g, "Bare");  // a class without fields still counts its objects
  EXPECT_EQ(store.AddObject(g, bare, 1), 0);
  EXPECT_EQ(store.GetClass(g, bare).objectCount(), 1);
}

TEST_F(SmallDictionary, IndexesIgnoreCaseAndASecondBuildChangesNothing) {
  store.BuildIndexes();
  ASSERT_EQ(store.RefNameCount(), 1u);  // "ZoneNames" and "zonenames" share one record
  const auto& ref = store.GetRefName(0);
  EXPECT_EQ(ref.definers, (std::vector<FieldRef>{{g, zone, 0}}));
  EXPECT_EQ(ref.users, (std::vector<FieldRef>{{g, wall, 1}}));
  EXPECT_EQ(&store.FieldRefName(store.GetField(g, wall, 1), 0), &ref);
  std::uint16_t fg = 9, fc = 9;
  EXPECT_TRUE(store.FindClass("wALL", fg, fc));
  EXPECT_EQ(fc, wall);
  EXPECT_FALSE(store.FindClass("Zon", fg, fc));
  EXPECT_FALSE(store.FindClass("", fg, fc));
  store.AddClass(g, "Roof");  // discards the class index
  EXPECT_FALSE(store.FindClass("Zone", fg, fc));
}

}  // namespace
}  // namespace verdanto
