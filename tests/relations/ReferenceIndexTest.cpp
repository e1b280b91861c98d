#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "relations/ReferenceIndex.h"
#include "store/Text.h"

namespace verdanto {
namespace {

using Objects = std::vector<std::uint16_t>;

// Zone and ZoneList fill the list of zone names (ZoneList also its own list);
// People and Lights name zones; Mixed both names a zone and fills PeopleRefs;
// Twice names the zone list twice; Orphan names a list that no class fills.
// Layers: "0" (id 1, current), "B" (id 2, on), "C" (id 3, off).
struct References : ::testing::Test {
  Dictionary store;
  LayerList layers;
  std::uint16_t g = 0, zone = 0, zoneList = 0, people = 0, mixed = 0, twice = 0, orphan = 0;
  std::uint16_t layer0 = 0, layerB = 0, layerC = 0;

  std::uint16_t AddClass(const char* name, std::vector<std::pair<const char*, std::vector<const char*>>> fields,
                         bool objectList = false) {
    const auto c = store.AddClass(g, name);
    for (const auto& [fieldName, lists] : fields) {
      const auto f = store.AddField(g, c, fieldName);
      for (const char* list : lists) store.AddRefName(g, c, f, list);
      if (objectList && f == 1) store.GetField(g, c, f).SetType(FieldType::ObjectList);
    }
    return c;
  }

  void Add(std::uint16_t c, std::uint16_t layerId, std::vector<const char*> values) {
    const auto o = store.AddObject(g, c, layerId);
    for (std::uint16_t f = 0; f < values.size(); ++f) store.GetValue(g, c, f, o).value = values[f];
  }

  void SetUp() override {
    g = store.AddGroup("G");
    zone = AddClass("Zone", {{"A1", {"ZoneNames"}}, {"N1", {}}});
    zoneList = AddClass("ZoneList", {{"A1", {"ZONENAMES", "ZoneListNames"}}});
    people = AddClass("People", {{"A1", {}}, {"A2", {"ZoneNames"}}}, true);
    mixed = AddClass("Mixed", {{"A1", {}}, {"A2", {"zonenames", "PeopleRefs"}}}, true);
    twice = AddClass("Twice", {{"A1", {}}, {"A2", {"ZoneListNames", "ZoneListNames"}}}, true);
    orphan = AddClass("Orphan", {{"A1", {}}, {"A2", {"Nowhere"}}}, true);
    store.BuildIndexes();

    layers.AddLayer("0", "");
    layers.AddLayer("B", "");
    layers.AddLayer("C", "");
    layer0 = static_cast<std::uint16_t>(layers.LayerIdOfItem(layers.FindLayerByName("0")));
    layerB = static_cast<std::uint16_t>(layers.LayerIdOfItem(layers.FindLayerByName("B")));
    layerC = static_cast<std::uint16_t>(layers.LayerIdOfItem(layers.FindLayerByName("C")));
    layers.SetCurrentLayer(layers.FindLayerByName("0"));
    layers.SetLayerOn(layers.FindLayerByName("C"), false);

    Add(zone, layer0, {"West", "1"});   // 0
    Add(zone, layerB, {"East", "1"});   // 1
    Add(zone, layerC, {"North", "1"});  // 2
    Add(zone, layer0, {"WEST", "2"});   // 3: the same name in capitals
    Add(zone, layer0, {"", "3"});       // 4: no name
    Add(zoneList, layer0, {"All"});     // 0
    Add(zoneList, layerB, {"west"});    // 1
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

  static std::vector<FieldRef> Partners(const std::vector<PartnerMatch>& matches) {
    std::vector<FieldRef> out;
    for (const auto& m : matches) out.push_back(m.partner);
    return out;
  }
};

TEST_F(References, LayerFilterFollowsCurrentAndOnOff) {
  struct Case {
    std::uint16_t id;
    LayerFilter filter;
    bool passes;
  };
  const Case cases[] = {
      {layer0, LayerFilter::OnlyCurrent, true},  {layerB, LayerFilter::OnlyCurrent, false},
      {layerC, LayerFilter::OnlyCurrent, false}, {layer0, LayerFilter::OnlyOn, true},
      {layerB, LayerFilter::OnlyOn, true},       {layerC, LayerFilter::OnlyOn, false},
      {0, LayerFilter::OnlyOn, false},           {0, LayerFilter::OnlyCurrent, false},
      {99, LayerFilter::OnlyOn, false},          {99, LayerFilter::OnlyCurrent, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PassesLayerFilter(layers, c.id, c.filter), c.passes) << c.id << ' ' << static_cast<int>(c.filter);
    EXPECT_EQ(LayerPass(layers, c.filter)(c.id), c.passes) << c.id << ' ' << static_cast<int>(c.filter);
  }
}

TEST_F(References, ObjectNameIsTheFirstValue) {
  EXPECT_EQ(ObjectName(store, g, zone, 1), "East");
  EXPECT_EQ(ObjectName(store, g, people, 2), "Attic");
  EXPECT_EQ(ObjectName(store, g, zone, 4), "");
}

TEST_F(References, ListsInDifferentCaseShareOneRecordAndSidesFollowTheType) {
  const RefName& zones = List("ZoneNames");
  EXPECT_EQ(zones.definers, (std::vector<FieldRef>{{g, zone, 0}, {g, zoneList, 0}}));
  EXPECT_EQ(zones.users, (std::vector<FieldRef>{{g, people, 1}, {g, mixed, 1}}));
  // A field that names a list twice is listed twice; an object-list field is a user of all its lists.
  EXPECT_EQ(List("ZoneListNames").users, (std::vector<FieldRef>{{g, twice, 1}, {g, twice, 1}}));
  EXPECT_EQ(List("PeopleRefs").users, (std::vector<FieldRef>{{g, mixed, 1}}));
  EXPECT_TRUE(List("PeopleRefs").definers.empty());
}

TEST_F(References, DescendingFindsDefinersObjectsWithoutRegardToCase) {
  const auto onlyOn = ReferencedObjects(store, layers, g, people, 1, "west", LayerFilter::OnlyOn);
  ASSERT_EQ(Partners(onlyOn), (std::vector<FieldRef>{{g, zone, 0}, {g, zoneList, 0}}));
  EXPECT_EQ(onlyOn[0].refName, &List("ZoneNames"));
  EXPECT_EQ(onlyOn[0].objects, (Objects{0, 3}));
  EXPECT_EQ(onlyOn[1].objects, (Objects{1}));

  const auto onlyCurrent = ReferencedObjects(store, layers, g, people, 1, "west", LayerFilter::OnlyCurrent);
  EXPECT_EQ(onlyCurrent[0].objects, (Objects{0, 3}));
  EXPECT_TRUE(onlyCurrent[1].objects.empty());  // zone list "west" lies on layer B

  // North lies on a layer that is off: never returned.
  EXPECT_TRUE(ReferencedObjects(store, layers, g, people, 1, "North", LayerFilter::OnlyOn)[0].objects.empty());
  // An empty value matches the objects whose defining field is empty.
  EXPECT_EQ(ReferencedObjects(store, layers, g, people, 1, "", LayerFilter::OnlyOn)[0].objects, (Objects{4}));
}

TEST_F(References, DescendingWithoutValueListsEveryDefinerWithNoObjects) {
  const auto matches = ReferencedObjects(store, layers, g, mixed, 1, std::nullopt, LayerFilter::OnlyOn);
  // zonenames: Zone and ZoneList; PeopleRefs has no definer and gives nothing.
  ASSERT_EQ(Partners(matches), (std::vector<FieldRef>{{g, zone, 0}, {g, zoneList, 0}}));
  for (const auto& m : matches) EXPECT_TRUE(m.objects.empty());
  EXPECT_TRUE(ReferencedObjects(store, layers, g, orphan, 1, "x", LayerFilter::OnlyOn).empty());
}

TEST_F(References, AscendingFindsUsersThatNameTheValue) {
  const auto matches = ReferencingObjects(store, layers, g, zone, 0, "West", LayerFilter::OnlyOn);
  ASSERT_EQ(Partners(matches), (std::vector<FieldRef>{{g, people, 1}, {g, mixed, 1}}));
  EXPECT_EQ(matches[0].objects, (Objects{0}));  // Attic names West too, but its layer is off
  EXPECT_EQ(matches[1].objects, (Objects{0}));

  // ZoneList fills two lists: one match per user of each, in the field's order.
  const auto lists = ReferencingObjects(store, layers, g, zoneList, 0, "All", LayerFilter::OnlyOn);
  EXPECT_EQ(Partners(lists), (std::vector<FieldRef>{{g, people, 1}, {g, mixed, 1}, {g, twice, 1}, {g, twice, 1}}));
  EXPECT_EQ(ReferencingObjects(store, layers, g, zone, 0, "East", LayerFilter::OnlyCurrent)[0].objects, Objects{});
}

TEST_F(References, CandidateNamesKeepTheFirstFormOfEachName) {
  EXPECT_EQ(CandidateNames(store, layers, g, people, 1, LayerFilter::OnlyOn),
            (std::vector<std::string>{"West", "East", "", "All"}));
  EXPECT_EQ(CandidateNames(store, layers, g, people, 1, LayerFilter::OnlyCurrent),
            (std::vector<std::string>{"West", "", "All"}));
  EXPECT_TRUE(CandidateNames(store, layers, g, orphan, 1, LayerFilter::OnlyOn).empty());
  layers.SetLayerOn(layers.FindLayerByName("C"), true);
  layers.SetCurrentLayer(layers.FindLayerByName("C"));
  EXPECT_EQ(CandidateNames(store, layers, g, people, 1, LayerFilter::OnlyCurrent), (std::vector<std::string>{"North"}));
}

TEST_F(References, ObjectsAddedLaterAreSeenByTheNextSearch) {
  Add(zone, layer0, {"South", "1"});
  EXPECT_EQ(ReferencedObjects(store, layers, g, people, 1, "south", LayerFilter::OnlyOn)[0].objects, (Objects{5}));
  store.DeleteObject(g, zone, 0);
  EXPECT_EQ(ReferencedObjects(store, layers, g, people, 1, "south", LayerFilter::OnlyOn)[0].objects, (Objects{4}));
}

}  // namespace
}  // namespace verdanto
