#include <gtest/gtest.h>

#include <tuple>

#include "relations/RelationsTree.h"
#include "tests/support/RelationsSample.h"

namespace verdanto {
namespace {

using S = testing::RelationsSample;

struct RelationsTreeTest : ::testing::Test {
  S sample;

  RelationsTree Tree(RelationRoot root, RelationsOptions options = {}) {
    RelationsTree tree(sample.store, sample.layers, root, options);
    tree.BuildRoot();
    return tree;
  }
  static RelationRoot Object(std::uint16_t g, std::uint16_t c, std::uint16_t o) { return {g, c, 1, o, 0}; }

  // The first node, depth first, whose text is `text`.
  static RelationNode* Find(const RelationsTree& tree, std::string_view text) {
    RelationNode* found = nullptr;
    const auto walk = [&](auto&& self, RelationNode& node) -> void {
      if (found == nullptr && node.text == text) found = &node;
      for (const auto& child : node.children) self(self, *child);
    };
    for (const auto& node : tree.TopNodes()) walk(walk, *node);
    return found;
  }
};

TEST_F(RelationsTreeTest, DescendingBuildsOneLevelAheadOfWhatIsOpen) {
  RelationsTree tree = Tree(Object(S::gear, S::window, 0));
  EXPECT_EQ(tree.Dump(),
            "GROUP: Gear\n"
            "  CLASS: Window\n"
            "    OBJECT: <Object 1> \"Win1\"\n"
            "      FIELD (OL): A2 - Wall Name = \"W1\"\n"
            "        GROUP: Gear\n"
            "          CLASS: Wall\n"
            "            FIELD (R): A1 - Name = \"W1\"\n"
            "              OBJECT: <Object 1> \"W1\"\n"
            "                LINK\n");
  EXPECT_EQ(tree.Selected()->text, "OBJECT: <Object 1> \"Win1\"");

  // Opening the field node fills the wall; the zone below it waits for its turn.
  tree.Expand(*Find(tree, "FIELD (R): A1 - Name = \"W1\""));
  EXPECT_TRUE(tree.Dump().ends_with("              OBJECT: <Object 1> \"W1\"\n"
                                    "                FIELD (OL): A2 - Zone Name = \"Z1\"\n"
                                    "                  GROUP: Zones\n"
                                    "                    CLASS: Zone\n"
                                    "                      FIELD (R): A1 - Name = \"Z1\"\n"
                                    "                        OBJECT: <Object 1> \"Z1\"\n"
                                    "                          LINK\n"));
}

TEST_F(RelationsTreeTest, SelfReferenceIsCutAtOnceAndMutualReferenceUnderThePartner) {
  RelationsTree self = Tree(Object(S::zones, S::node, 0));
  EXPECT_TRUE(self.Dump().ends_with("      FIELD (OL): A2 - Next Node = \"N1\"\n"
                                    "        GROUP: Zones\n"
                                    "          CLASS: Node\n"
                                    "            FIELD (R): A1 - Name = \"N1\"\n"
                                    "              OBJECT: <Object 1> \"N1\"\n"
                                    "                -> LOOP\n"));
  OpenObjectLevels(self, 5);  // expanding down to the marker builds nothing more
  EXPECT_EQ(self.Dump().find("LINK"), std::string::npos);
  // A mutual reference ends in a loop under the partner.
  for (const Flow flow : {Flow::Descending, Flow::Ascending}) {
    RelationsTree tree = Tree(Object(S::zones, S::node, 1), {flow, LayerFilter::OnlyCurrent, false});
    OpenObjectLevels(tree, 2);
    const RelationNode* b = Find(tree, "OBJECT: <Object 3> \"B\"");
    ASSERT_NE(b, nullptr);
    const RelationNode* aUnderB = b->FirstChild()->FirstChild()->FirstChild()->FirstChild()->FirstChild();
    EXPECT_EQ(aUnderB->text, "OBJECT: <Object 2> \"A\"");
    ASSERT_EQ(aUnderB->children.size(), 1u);
    EXPECT_EQ(aUnderB->FirstChild()->text, "-> LOOP");
  }
}

TEST_F(RelationsTreeTest, AscendingPlacesTwoNamesOfOneFieldInIndexOrder) {
  // Zone Name (A3) is found through ZoneNames before Space Name (A2) through
  // SpaceNames; both share the Lamp class node and stand in field order.
  RelationsTree tree = Tree(Object(S::zones, S::zone, 0), {Flow::Ascending, LayerFilter::OnlyCurrent, false});
  EXPECT_EQ(tree.Dump(),
            "GROUP: Zones\n"
            "  CLASS: Zone\n"
            "    OBJECT: <Object 1> \"Z1\"\n"
            "      FIELD (R): A1 - Name = \"Z1\"\n"
            "        GROUP: Gear\n"
            "          CLASS: Lamp\n"
            "            FIELD (OL): A2 - Space Name = \"Z1\"\n"
            "              OBJECT: <Object 1> \"L1\"\n"
            "                LINK\n"
            "            FIELD (OL): A3 - Zone Name = \"Z1\"\n"
            "              OBJECT: <Object 1> \"L1\"\n"
            "                LINK\n"
            "          CLASS: Wall\n"
            "            FIELD (OL): A2 - Zone Name = \"Z1\"\n"
            "              OBJECT: <Object 1> \"W1\"\n"
            "                LINK\n"
            "              OBJECT: <Object 2> \"W2\"\n"
            "                LINK\n");
}

TEST_F(RelationsTreeTest, LayerFilterAppliesBelowTheRootOnly) {
  // W4 lies on layer B: on, not current. W3 lies on the switched-off layer: shown
  // as the root, never below it.
  for (const auto& [filter, showsW4] : {std::pair(LayerFilter::OnlyCurrent, false), {LayerFilter::OnlyOn, true}}) {
    SCOPED_TRACE(showsW4);
    RelationsTree up = Tree(Object(S::zones, S::zone, 1), {Flow::Ascending, filter, false});
    EXPECT_EQ(Find(up, "OBJECT: <Object 3> \"W4\"") != nullptr, showsW4);
    RelationsTree down = Tree(Object(S::gear, S::wall, S::w3), {Flow::Descending, filter, false});
    EXPECT_NE(Find(down, "OBJECT: <Object 4> \"W3\""), nullptr);
    RelationsTree z1 = Tree(Object(S::zones, S::zone, 0), {Flow::Ascending, filter, false});
    EXPECT_EQ(Find(z1, "OBJECT: <Object 4> \"W3\""), nullptr);
  }
}

TEST_F(RelationsTreeTest, PotentialsStandForMissingPartners) {
  RelationsTree tree = Tree(Object(S::gear, S::window, 1), {Flow::Descending, LayerFilter::OnlyCurrent, true});
  OpenObjectLevels(tree, 1);
  EXPECT_EQ(tree.Dump(),
            "GROUP: Gear\n"
            "  CLASS: Window\n"
            "    OBJECT: <Object 2> \"Win2\"\n"
            "      FIELD (OL): A2 - Wall Name = \"Missing\"\n"
            "        GROUP: Gear\n"
            "          CLASS: Wall\n"
            "            FIELD (R): A1 - Name\n"
            "              OBJECT: <POTENTIAL>\n"
            "                FIELD (OL): A2 - Zone Name\n"
            "                  GROUP: Zones\n"
            "                    CLASS: Zone\n"
            "                      FIELD (R): A1 - Name\n"
            "                        OBJECT: <POTENTIAL>\n"
            "                          LINK\n");

  // A potential of a class already on the path is a loop.
  RelationsTree node = Tree({S::zones, S::node, 0, 0, 0}, {Flow::Descending, LayerFilter::OnlyCurrent, true});
  EXPECT_TRUE(node.Dump().ends_with("            FIELD (R): A1 - Name\n"
                                    "              OBJECT: <POTENTIAL>\n"
                                    "                -> LOOP\n"));
  // Without potentials a root without an object is only its group and class.
  RelationsTree bare = Tree({S::zones, S::node, 0, 0, 0});
  EXPECT_EQ(bare.Dump(), "GROUP: Zones\n  CLASS: Node\n");
  EXPECT_EQ(bare.Selected()->text, "CLASS: Node");
}

constexpr RelationRoot kWin1Root{S::gear, S::window, 1, 0, 0};

TEST_F(RelationsTreeTest, ReadSelectionTurnsEachNodeKindIntoARootAndSelectionMovesOffGroups) {
  // A list field under an object, a reference field under a class, a group (moves to its first field).
  const std::pair<const char*, RelationRoot> cases[] = {
      {"OBJECT: <Object 1> \"W1\"", {S::gear, S::wall, 1, S::w1, 0}},
      {"FIELD (OL): A2 - Zone Name = \"Z1\"", {S::gear, S::wall, 1, S::w1, 1}},
      {"FIELD (R): A1 - Name = \"W1\"", {S::gear, S::wall, 1, S::w1, 0}},
      {"GROUP: Zones", {S::zones, S::zone, 1, 0, 0}},
      {"LINK", kWin1Root},
  };
  for (const auto& [node, read] : cases) {
    SCOPED_TRACE(node);
    RelationsTree tree = Tree(kWin1Root);
    OpenObjectLevels(tree, 1);
    tree.Select(Find(tree, node));
    EXPECT_EQ(tree.ReadSelection(), read);
    tree.ChangeRoot();
    EXPECT_EQ(std::tuple(tree.Root(), tree.TopNodes().size()), std::tuple(read, 1u));
  }
  // Selection moves off groups and classes.
  RelationsTree tree = Tree(kWin1Root);
  tree.Select(tree.TopNodes().front().get());
  EXPECT_EQ(tree.Selected()->text, "OBJECT: <Object 1> \"Win1\"");
  RelationsTree potential = Tree({S::zones, S::node, 0, 0, 0}, {Flow::Descending, LayerFilter::OnlyCurrent, true});
  potential.Select(Find(potential, "-> LOOP"));
  EXPECT_EQ(potential.ReadSelection(), potential.Root());
  potential.Select(Find(potential, "FIELD (R): A1 - Name"));
  EXPECT_EQ(potential.ReadSelection(), (RelationRoot{S::zones, S::node, 0, 0, 0}));
}

TEST_F(RelationsTreeTest, OptionsRebuildOnlyWhenTheyChange) {
  RelationsTree tree = Tree(Object(S::zones, S::zone, 1), {Flow::Ascending, LayerFilter::OnlyCurrent, false});
  OpenObjectLevels(tree, 2);
  const std::string opened = tree.Dump();
  EXPECT_FALSE(tree.SetLayers(LayerFilter::OnlyCurrent));
  EXPECT_EQ(tree.Dump(), opened);
  EXPECT_TRUE(tree.SetLayers(LayerFilter::OnlyOn));
  EXPECT_NE(Find(tree, "OBJECT: <Object 3> \"W4\""), nullptr);
  EXPECT_TRUE(tree.SetFlow(Flow::Descending));
  EXPECT_EQ(tree.Dump(), "GROUP: Zones\n  CLASS: Zone\n    OBJECT: <Object 2> \"Z2\"\n");
}

}  // namespace
}  // namespace verdanto
