#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "store/Dictionary.h"
#include "tests/support/StoreInvariants.h"

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

// Texts built of many appends (notes of thousands of lines) grow in place; each
// step must still hold exactly what was appended, a view of itself included.
TEST(CompactTextTest, ManyAppendsKeepEveryByte) {
  CompactText text;
  std::string expected;
  for (int i = 0; i < 3000; ++i) {
    const std::string line = "line " + std::to_string(i) + "\r\n";
    text.Append(line);
    expected += line;
    if (i % 1000 == 999) {
      text.Append(text.view().substr(0, 7));
      expected += expected.substr(0, 7);
    }
  }
  EXPECT_EQ(text.str(), expected);
}

// The dictionary's texts live in its pool; copies of them are the copy's own.
TEST(TextPoolTest, PooledTextsReadBackAndCopyApart) {
  CompactText copy;
  {
    TextPool pool;
    std::vector<CompactText> texts;
    for (int i = 0; i < 5000; ++i) texts.push_back(pool.Add(std::string(static_cast<std::size_t>(i % 40), 'x') + "!"));
    texts.push_back(pool.Add(std::string(100000, 'y')));  // longer than a pool block
    texts.push_back(pool.Add(""));
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(texts[static_cast<std::size_t>(i)].size(), static_cast<std::size_t>(i % 40 + 1));
    EXPECT_EQ(texts[5000].size(), 100000u);
    EXPECT_TRUE(texts[5001].empty());
    copy = texts[39];
    texts[40].Append("?");  // appending makes the text its own
    EXPECT_TRUE(texts[40].view().ends_with("!?"));
  }
  EXPECT_EQ(copy.str(), std::string(39, 'x') + "!");
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
  testing::ExpectColumnsFollowValues(store.GetClass(g, zone));
  store.DeleteLayerObjects(1);
  store.DeleteLayerObjects(3);
  EXPECT_TRUE(store.GetField(g, zone, 1).values.empty());
  EXPECT_EQ(store.AddObject(g, zone, 1), 0);
  const auto bare = store.AddClass(g, "Bare");  // a class without fields still counts its objects
  EXPECT_EQ(store.AddObject(g, bare, 1), 0);
  EXPECT_EQ(store.GetClass(g, bare).objectCount(), 1);
}

// A class as wide as the widest real one. The store is driven through adds,
// stores, deletes and layer removals side by side with a plain model of what was
// stored; every field of every object must read back as the model says.
TEST(WideClass, AnObjectHoldsOnlyWhatWasStoredInIt) {
  constexpr std::uint16_t kFields = 4500;
  Dictionary store;
  const auto g = store.AddGroup("Schedules");
  const auto c = store.AddClass(g, "Schedule:Compact");
  for (std::uint16_t f = 0; f < kFields; ++f) store.AddField(g, c, "A" + std::to_string(f + 1));
  struct Object {
    std::uint16_t layer;
    std::map<std::uint16_t, std::pair<std::string, std::string>> stored;  // field: value, comment
  };
  std::vector<Object> model;
  const auto add = [&](int n) {
    for (int i = 0; i < n; ++i) {
      const auto layer = static_cast<std::uint16_t>(1 + model.size() % 3);
      const auto o = store.AddObject(g, c, layer);
      ASSERT_EQ(o, model.size());
      auto& object = model.emplace_back(Object{layer, {}});
      const auto f = static_cast<std::uint16_t>((o * 37u + 1u) % kFields);
      store.GetValue(g, c, 0, o).value = "name " + std::to_string(o);
      store.GetValue(g, c, f, o).value = "v" + std::to_string(o);
      object.stored[0].first = "name " + std::to_string(o);
      object.stored[f].first = "v" + std::to_string(o);
      if (o % 4 == 0) {  // a comment alone on the last field keeps its cell
        store.GetValue(g, c, kFields - 1, o).comment = "note";
        object.stored[kFields - 1].second = "note";
      }
    }
  };
  const auto expectAsModelled = [&](const char* step) {
    const DictClass& cls = std::as_const(store).GetClass(g, c);
    ASSERT_EQ(cls.objectCount(), model.size()) << step;
    for (std::uint16_t o = 0; o < cls.objectCount(); ++o) {
      EXPECT_EQ(cls.objectLayers[o], model[o].layer) << step;
      for (std::uint16_t f = 0; f < kFields; ++f) {
        const auto it = model[o].stored.find(f);
        const FieldValue& value = std::as_const(store).GetValue(g, c, f, o);
        EXPECT_EQ(value.value.str(), it == model[o].stored.end() ? "" : it->second.first) << step << " " << o << "/" << f;
        EXPECT_EQ(value.comment.str(), it == model[o].stored.end() ? "" : it->second.second) << step;
      }
    }
    testing::ExpectColumnsFollowValues(cls);
  };

  add(30);
  std::size_t cells = 0;
  for (const DictField& field : store.GetClass(g, c).fields) cells += field.values.size();
  store.AddObject(g, c, 1);  // adding an object stores nothing
  model.push_back({1, {}});
  std::size_t cellsAfter = 0;
  for (const DictField& field : store.GetClass(g, c).fields) cellsAfter += field.values.size();
  EXPECT_EQ(cellsAfter, cells);
  expectAsModelled("added");

  for (const int from : {5, 0, -1}) {  // -1: the last object
    const auto o = static_cast<std::uint16_t>(from < 0 ? model.size() - 1 : static_cast<std::size_t>(from));
    store.DeleteObject(g, c, o);
    model.erase(model.begin() + o);
  }
  expectAsModelled("deleted");
  store.DeleteLayerObjects(2);
  std::erase_if(model, [](const Object& object) { return object.layer == 2; });
  expectAsModelled("layer removed");
  add(5);
  expectAsModelled("added again");
  for (const int layer : {1, 2, 3}) store.DeleteLayerObjects(static_cast<std::uint16_t>(layer));
  model.clear();
  for (const DictField& field : store.GetClass(g, c).fields) EXPECT_TRUE(field.values.empty());
  expectAsModelled("emptied");
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
