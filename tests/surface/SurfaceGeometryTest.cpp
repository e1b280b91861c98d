// The pure geometry of the surface tool: chaining, starting corner and the
// numbering formula. The frame and the orientation are checked through the
// dialogue's exact vertex lists (SurfaceFromRegionTest).

#include <gtest/gtest.h>

#include "surface/Chain.h"
#include "surface/Numbering.h"
#include "surface/SurfaceFrame.h"

namespace verdanto {
namespace {

std::vector<LineSegment> Edges(const std::vector<Vec3>& loop) {
  std::vector<LineSegment> edges;
  for (std::size_t k = 0; k < loop.size(); ++k) edges.push_back({loop[k], loop[(k + 1) % loop.size()]});
  return edges;
}

const std::vector<Vec3> kSquare = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

TEST(ChainCorners, WalksPiecesInAnyOrderAndDirectionAndRefusesWhatIsNotOneLoop) {
  std::vector<LineSegment> pieces = Edges(kSquare);
  // Later pieces shuffled and some reversed: the walk follows shared ends.
  pieces = {pieces[0], {pieces[3].end, pieces[3].start}, {pieces[1].end, pieces[1].start}, pieces[2]};
  EXPECT_EQ(ChainCorners(pieces), kSquare);
  // What is not one loop is refused.
  std::vector<LineSegment> twoLoops = Edges(kSquare);
  for (const LineSegment& edge : Edges({{5, 5, 0}, {6, 5, 0}, {6, 6, 0}})) twoLoops.push_back(edge);
  EXPECT_EQ(ChainCorners(twoLoops), std::nullopt);

  std::vector<LineSegment> gap = Edges(kSquare);
  gap[1].end.y = 0.5;
  gap[2].start.y = 0.75;
  EXPECT_EQ(ChainCorners(gap), std::nullopt);

  EXPECT_EQ(ChainCorners({{{0, 0, 0}, {1, 0, 0}}, {{1, 0, 0}, {0, 0, 0}}}), std::nullopt);
}

// The corners, the index of the lower left, lower right, upper left and upper right.
// Corners level within 1e-8 (the third) are told by their side; a clearly lower
// corner wins whatever its side (the fourth).
TEST(StartingCorner, FindsTheExpectedIndex) {
  const std::pair<std::vector<PlanePoint>, std::vector<std::size_t>> cases[] = {
      {{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}, {0, 1, 3, 2}},
      {{{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}, {2, 3, 1, 0}},
      {{{-1, -1}, {1, -1.000000001}, {1, 1.000000001}, {-1, 1}}, {0, 1, 3, 2}},
      {{{-1, -1}, {1, -1.1}, {1, 1}, {-1, 1.1}}, {1, 1, 3, 3}},
      {{{-1, -0.5}, {1, -0.5}, {0, 1}}, {0, 1, 2, 2}},
  };
  for (const auto& [local, indexes] : cases) {
    std::vector<std::size_t> found;
    for (const Corner corner : {Corner::LowerLeft, Corner::LowerRight, Corner::UpperLeft, Corner::UpperRight})
      found.push_back(FindStartingCorner(local, corner));
    EXPECT_EQ(found, indexes) << local.size() << " corners from (" << local[0].x << ", " << local[0].y << ")";
  }
}

// Beyond the four corners the dialogue tests go through: five corners, shifts that wrap.
TEST(NumberingFormula, GivesTheChainIndexOfEveryVertex) {
  // The numbering; the chain index of vertex 1, 2, ... Reverse and flip cancel; a shift of -9 wraps twice.
  const std::pair<Numbering, std::vector<std::size_t>> cases[] = {
      {{false, false, 0, 0}, {0, 1, 2, 3}},  {{true, false, 0, 0}, {0, 3, 2, 1}},   {{false, true, 0, 1}, {1, 0, 3, 2}},
      {{true, true, 0, 2}, {2, 3, 0, 1}},    {{false, false, -1, 0}, {3, 0, 1, 2}}, {{true, false, 1, 0}, {3, 2, 1, 0}},
      {{false, false, -9, 2}, {3, 4, 0, 1, 2}},
  };
  for (const auto& [numbering, expected] : cases) {
    std::vector<std::size_t> order;
    for (std::size_t k = 0; k < expected.size(); ++k) order.push_back(NumberedIndex(numbering, k, expected.size()));
    EXPECT_EQ(order, expected) << &numbering - &cases[0].first;
  }
}

}  // namespace
}  // namespace verdanto
