#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

#include "relations/ReferenceIndex.h"
#include "base/Text.h"

namespace verdanto {
namespace {

using Objects = std::vector<std::uint16_t>;
using Refs = std::vector<FieldRef>;

// Zone and ZoneList fill the list of zone names (ZoneList also its own list);
// People names zones; Mixed both names a zone and fills PeopleRefs; Twice names
// the zone list twice; Orphan names a list that no class fills.
// Layers: "0" (id 1, current), "B" (id 2, on), "C" (id 3, off).
struct References : ::testing::Test {
  static constexpr std::uint16_t layer0 = 1, layerB = 2, layerC = 3;
  Dictionary store;
  LayerList layers;
  std::uint16_t g = 0, zone = 0, zoneList = 0, people = 0, mixed = 0, twice = 0, orphan = 0;

  // Fields A1, A2, ... with the given lists; the second field of a user class is an object list.
  std::uint16_t AddClass(const char* name, std::vector<std::vector<const char*>> fields, bool user = true) {
    const auto c = store.AddClass(g, name);
    for (const auto& lists : fields) {
      const auto f = store.AddField(g, c, "A");
      for (const char* list : lists) store.AddRefName(g, c, f, list);
      if (user && f == 1) store.GetField(g, c, f).SetType(FieldType::ObjectList);
    }
    return c;
  }
  void Add(std::uint16_t c, std::uint16_t layerId, std::vector<const char*> values) {
    const auto o = store.AddObject(g, c, layerId);
    for (std::uint16_t f = 0; f < values.size(); ++f) store.GetValue(g, c, f, o).value = values[f];
  }

  void SetUp() override {
    g = store.AddGroup("G");
    zone = AddClass("Zone", {{"ZoneNames"}, {}}, false);
    zoneList = AddClass("ZoneList", {{"ZONENAMES", "ZoneListNames"}}, false);
    people = AddClass("People", {{}, {"ZoneNames"}});
    mixed = AddClass("Mixed", {{}, {"zonenames", "PeopleRefs"}});
    twice = AddClass("Twice", {{}, {"ZoneListNames", "ZoneListNames"}});
    orphan = AddClass("Orphan", {{}, {"Nowhere"}});
    store.BuildIndexes();
    for (const char* name : {"0", "B", "C"}) layers.AddLayer(name, "");
    layers.SetLayerOn(2, false);

    Add(zone, layer0, {"West"});
    Add(zone, layerB, {"East"});
    Add(zone, layerC, {"North"});
    Add(zone, layer0, {"WEST"});  // 3: the same name in capitals
    Add(zone, layer0, {""});      // 4: no name
    Add(zoneList, layer0, {"All"});
    Add(zoneList, layerB, {"west"});
    Add(people, layer0, {"Office", "west"});
    Add(people, layerB, {"Lobby", "East"});
    Add(people, layerC, {"Attic", "West"});
    Add(mixed, layer0, {"M", "WEST"});
  }

  const RefName& List(const char* name) const {
    for (std::uint32_t i = 0; i < store.RefNameCount(); ++i)
      if (EqualsNoCase(store.GetRefName(i).name, name)) return store.GetRefName(i);
    throw std::runtime_error(name);
  }
  static Refs Partners(const std::vector<PartnerMatch>& matches) {
    Refs out;
    for (const auto& m : matches) out.push_back(m.partner);
    return out;
  }
};

TEST_F(References, LayerFilterFollowsCurrentAndOnOffAndListsShareOneRecordWhateverTheCase) {
  // The layer id; whether it passes OnlyCurrent and OnlyOn, asked either way.
  const std::tuple<std::uint16_t, bool, bool> cases[] = {
      {layer0, true, true}, {layerB, false, true}, {layerC, false, false}, {0, false, false}, {99, false, false},
  };
  for (const auto& [id, current, on] : cases) {
    EXPECT_EQ(std::tuple(PassesLayerFilter(layers, id, LayerFilter::OnlyCurrent),
                         PassesLayerFilter(layers, id, LayerFilter::OnlyOn),
                         LayerPass(layers, LayerFilter::OnlyCurrent)(id), LayerPass(layers, LayerFilter::OnlyOn)(id)),
              std::tuple(current, on, current, on))
        << id;
  }
  // Lists in different letter case share one record; a field's side follows its type.
  EXPECT_EQ(List("ZoneNames").definers, (Refs{{g, zone, 0}, {g, zoneList, 0}}));
  EXPECT_EQ(List("ZoneNames").users, (Refs{{g, people, 1}, {g, mixed, 1}}));
  // A field that names a list twice is listed twice; an object-list field is a user of all its lists.
  EXPECT_EQ(List("ZoneListNames").users, (Refs{{g, twice, 1}, {g, twice, 1}}));
  EXPECT_EQ(List("PeopleRefs").users, (Refs{{g, mixed, 1}}));
  EXPECT_TRUE(List("PeopleRefs").definers.empty());
}

TEST_F(References, DescendingFindsDefinersObjectsWithoutRegardToCaseAndAscendingTheUsers) {
  const auto onlyOn = ReferencedObjects(store, layers, g, people, 1, "west", LayerFilter::OnlyOn);
  ASSERT_EQ(Partners(onlyOn), (Refs{{g, zone, 0}, {g, zoneList, 0}}));
  EXPECT_EQ(onlyOn[0].refName, &List("ZoneNames"));
  EXPECT_EQ(std::tuple(onlyOn[0].objects, onlyOn[1].objects), std::tuple(Objects{0, 3}, Objects{1}));
  const auto onlyCurrent = ReferencedObjects(store, layers, g, people, 1, "west", LayerFilter::OnlyCurrent);
  // Zone list "west" lies on layer B.
  EXPECT_EQ(std::tuple(onlyCurrent[0].objects, onlyCurrent[1].objects), std::tuple(Objects{0, 3}, Objects{}));
  // North lies on a layer that is off: never returned.
  EXPECT_TRUE(ReferencedObjects(store, layers, g, people, 1, "North", LayerFilter::OnlyOn)[0].objects.empty());
  // An empty value matches the objects whose defining field is empty.
  EXPECT_EQ(ReferencedObjects(store, layers, g, people, 1, "", LayerFilter::OnlyOn)[0].objects, (Objects{4}));
  // Without a value every definer is listed, with no objects; a list without definers gives nothing.
  const auto any = ReferencedObjects(store, layers, g, mixed, 1, std::nullopt, LayerFilter::OnlyOn);
  ASSERT_EQ(Partners(any), (Refs{{g, zone, 0}, {g, zoneList, 0}}));
  EXPECT_TRUE(any[0].objects.empty() && any[1].objects.empty());
  EXPECT_TRUE(ReferencedObjects(store, layers, g, orphan, 1, "x", LayerFilter::OnlyOn).empty());
  // Ascending finds the users that name the value.
  const auto matches = ReferencingObjects(store, layers, g, zone, 0, "West", LayerFilter::OnlyOn);
  ASSERT_EQ(Partners(matches), (Refs{{g, people, 1}, {g, mixed, 1}}));
  // Attic names West too, but its layer is off.
  EXPECT_EQ(std::tuple(matches[0].objects, matches[1].objects), std::tuple(Objects{0}, Objects{0}));
  // ZoneList fills two lists: one match per user of each, in the field's order.
  const auto lists = ReferencingObjects(store, layers, g, zoneList, 0, "All", LayerFilter::OnlyOn);
  EXPECT_EQ(Partners(lists), (Refs{{g, people, 1}, {g, mixed, 1}, {g, twice, 1}, {g, twice, 1}}));
  EXPECT_EQ(ReferencingObjects(store, layers, g, zone, 0, "East", LayerFilter::OnlyCurrent)[0].objects, Objects{});
}

TEST_F(References, CandidateNamesKeepTheFirstFormOfEachName) {
  EXPECT_EQ(CandidateNames(store, layers, g, people, 1, LayerFilter::OnlyOn),
            (std::vector<std::string>{"West", "East", "", "All"}));
  EXPECT_EQ(CandidateNames(store, layers, g, people, 1, LayerFilter::OnlyCurrent),
            (std::vector<std::string>{"West", "", "All"}));
  EXPECT_TRUE(CandidateNames(store, layers, g, orphan, 1, LayerFilter::OnlyOn).empty());
  layers.SetLayerOn(2, true);
  layers.SetCurrentLayer(2);
  EXPECT_EQ(CandidateNames(store, layers, g, people, 1, LayerFilter::OnlyCurrent), (std::vector<std::string>{"North"}));
}

TEST_F(References, ObjectsAddedOrDeletedLaterAreSeenByTheNextSearch) {
  Add(zone, layer0, {"South"});
  EXPECT_EQ(ReferencedObjects(store, layers, g, people, 1, "south", LayerFilter::OnlyOn)[0].objects, (Objects{5}));
  store.DeleteObject(g, zone, 0);
  EXPECT_EQ(ReferencedObjects(store, layers, g, people, 1, "south", LayerFilter::OnlyOn)[0].objects, (Objects{4}));
  EXPECT_EQ(ObjectName(store, g, zone, 0), "East");  // an object's name is its first value
}

}  // namespace
}  // namespace verdanto
