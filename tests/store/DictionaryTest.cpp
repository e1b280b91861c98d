#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <utility>

#include "store/Dictionary.h"
#include "tests/support/StoreInvariants.h"

namespace verdanto {
namespace {

// Texts built of many appends (notes of thousands of lines) grow in place; each
// step must hold exactly what was assigned or appended, views of itself included.
TEST(CompactTextTest, AssignsAndAppendsViewsOfItselfAndCopiesApart) {
  CompactText text;
  text = "abc";
  text = std::string_view(text).substr(1);
  std::string expected = "bc";
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
  CompactText copy = text;
  text = "";
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(CompactText(std::move(copy)).str(), expected);
}

// The dictionary's texts live in its pool; copies of them are the copy's own.
TEST(TextPoolTest, PooledTextsReadBackAndCopyApart) {
  CompactText copy;
  {
    TextPool pool;
    std::vector<CompactText> texts;
    for (std::size_t i = 0; i < 5000; ++i) texts.push_back(pool.Add(std::string(i % 40, 'x') + "!"));
    texts.push_back(pool.Add(std::string(100000, 'y')));  // longer than a pool block
    for (std::size_t i = 0; i < 5000; ++i) ASSERT_EQ(texts[i].size(), i % 40 + 1);
    EXPECT_EQ(texts[5000].size(), 100000u);
    EXPECT_TRUE(pool.Add("").empty());
    copy = texts[39];
    texts[40].Append("?");  // appending makes the text its own
    EXPECT_TRUE(texts[40].view().ends_with("!?"));
  }
  EXPECT_EQ(copy.str(), std::string(39, 'x') + "!");
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
      auto& stored = model.emplace_back(Object{layer, {}}).stored;
      stored[0].first = "name " + std::to_string(o);
      stored[static_cast<std::uint16_t>((o * 37u + 1u) % kFields)].first = "v" + std::to_string(o);
      if (o % 4 == 0) stored[kFields - 1].second = "note";  // a comment alone on the last field keeps its cell
      for (const auto& [f, text] : stored) {
        store.GetValue(g, c, f, o).value = text.first;
        store.GetValue(g, c, f, o).comment = text.second;
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
        EXPECT_EQ(value.value.str(), it == model[o].stored.end() ? "" : it->second.first)
            << step << " " << o << "/" << f;
        EXPECT_EQ(value.comment.str(), it == model[o].stored.end() ? "" : it->second.second) << step;
      }
    }
    testing::ExpectColumnsFollowValues(cls);
  };
  const auto cells = [&] {
    std::size_t count = 0;
    for (const DictField& field : store.GetClass(g, c).fields) count += field.values.size();
    return count;
  };

  add(30);
  const std::size_t before = cells();
  store.AddObject(g, c, 1);
  model.push_back({1, {}});
  EXPECT_EQ(cells(), before);  // adding an object stores nothing
  expectAsModelled("added");
  for (const int from : {5, 0, -1}) {  // -1: the last object
    const auto o = static_cast<std::uint16_t>(from < 0 ? model.size() - 1 : static_cast<std::size_t>(from));
    store.DeleteObject(g, c, o);
    model.erase(model.begin() + o);
  }
  expectAsModelled("deleted");
  store.DeleteLayerObjects(2);
  store.DeleteLayerObjects(9);  // no such layer
  std::erase_if(model, [](const Object& object) { return object.layer == 2; });
  expectAsModelled("layer removed");
  add(5);
  expectAsModelled("added again");
  for (const int layer : {1, 2, 3}) store.DeleteLayerObjects(static_cast<std::uint16_t>(layer));
  model.clear();
  for (const DictField& field : store.GetClass(g, c).fields) EXPECT_TRUE(field.values.empty());
  expectAsModelled("emptied");
  EXPECT_EQ(store.AddObject(g, c, 1), 0);

  const auto bare = store.AddClass(g, "Bare");  // a class without fields still counts its objects
  EXPECT_EQ(store.AddObject(g, bare, 1), 0);
  EXPECT_EQ(store.GetClass(g, bare).objectCount(), 1);
}

// Reference names that differ in letter case share one record (IddReaderTest);
// here a second build changes nothing, and adding a class drops the class index.
TEST(DictionaryIndexes, ASecondBuildChangesNothingAndANewClassDropsTheIndex) {
  Dictionary store;
  const auto g = store.AddGroup("Thermal Zones");
  const auto zone = store.AddClass(g, "Zone");
  store.AddRefName(g, zone, store.AddField(g, zone, "A1"), "ZoneNames");
  const auto wall = store.AddClass(g, "Wall");
  store.AddRefName(g, wall, store.AddField(g, wall, "A1"), "zonenames");
  store.GetField(g, wall, 0).SetType(FieldType::ObjectList);
  store.BuildIndexes();
  store.BuildIndexes();
  ASSERT_EQ(store.RefNameCount(), 1u);
  EXPECT_EQ(std::tuple(store.GetRefName(0).definers, store.GetRefName(0).users),
            std::tuple(std::vector<FieldRef>{{g, zone, 0}}, std::vector<FieldRef>{{g, wall, 0}}));
  EXPECT_EQ(&store.FieldRefName(store.GetField(g, wall, 0), 0), &store.GetRefName(0));
  std::uint16_t fg = 9, fc = 9;
  EXPECT_TRUE(store.FindClass("wALL", fg, fc) && fc == wall);
  EXPECT_FALSE(store.FindClass("Zon", fg, fc) || store.FindClass("", fg, fc));
  store.AddClass(g, "Roof");
  EXPECT_FALSE(store.FindClass("Zone", fg, fc));
}

}  // namespace
}  // namespace verdanto
