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

TEST(ChainCorners, WalksPiecesInAnyOrderAndDirection) {
  std::vector<LineSegment> pieces = Edges(kSquare);
  // Later pieces shuffled and some reversed: the walk follows shared ends.
  pieces = {pieces[0], {pieces[3].end, pieces[3].start}, {pieces[1].end, pieces[1].start}, pieces[2]};
  EXPECT_EQ(ChainCorners(pieces), kSquare);
}

TEST(ChainCorners, RefusesWhatIsNotOneLoop) {
  std::vector<LineSegment> twoLoops = Edges(kSquare);
  for (const LineSegment& edge : Edges({{5, 5, 0}, {6, 5, 0}, {6, 6, 0}})) twoLoops.push_back(edge);
  EXPECT_EQ(ChainCorners(twoLoops), std::nullopt);

  std::vector<LineSegment> gap = Edges(kSquare);
  gap[1].end.y = 0.5;
  gap[2].start.y = 0.75;
  EXPECT_EQ(ChainCorners(gap), std::nullopt);

  EXPECT_EQ(ChainCorners({{{0, 0, 0}, {1, 0, 0}}, {{1, 0, 0}, {0, 0, 0}}}), std::nullopt);
}

struct CornerCase {
  const char* name;
  std::vector<PlanePoint> local;
  std::size_t llc, lrc, ulc, urc;
  friend void PrintTo(const CornerCase& c, std::ostream* os) { *os << c.name; }
};

class StartingCorner : public ::testing::TestWithParam<CornerCase> {};

TEST_P(StartingCorner, FindsTheExpectedIndex) {
  const CornerCase& c = GetParam();
  EXPECT_EQ(FindStartingCorner(c.local, Corner::LowerLeft), c.llc);
  EXPECT_EQ(FindStartingCorner(c.local, Corner::LowerRight), c.lrc);
  EXPECT_EQ(FindStartingCorner(c.local, Corner::UpperLeft), c.ulc);
  EXPECT_EQ(FindStartingCorner(c.local, Corner::UpperRight), c.urc);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartingCorner,
    ::testing::Values(
        CornerCase{"Square", {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}, 0, 1, 3, 2},
        CornerCase{"SquareFromUpperRight", {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}, 2, 3, 1, 0},
        // Level within 1e-8 of each other: left and right decide.
        CornerCase{"NearlyLevel", {{-1, -1}, {1, -1.000000001}, {1, 1.000000001}, {-1, 1}}, 0, 1, 3, 2},
        // A clearly lower corner wins whatever its side.
        CornerCase{"Sloped", {{-1, -1}, {1, -1.1}, {1, 1}, {-1, 1.1}}, 1, 1, 3, 3},
        CornerCase{"Triangle", {{-1, -0.5}, {1, -0.5}, {0, 1}}, 0, 1, 2, 2}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Beyond the four corners the dialogue tests go through: five corners, shifts that wrap.
TEST(NumberingFormula, GivesTheChainIndexOfEveryVertex) {
  const struct {
    const char* name;
    Numbering numbering;
    std::vector<std::size_t> order;  // chain index of vertex 1, 2, ...
  } cases[] = {
      {"Forward", {false, false, 0, 0}, {0, 1, 2, 3}},
      {"Reverse", {true, false, 0, 0}, {0, 3, 2, 1}},
      {"FlipFromCorner1", {false, true, 0, 1}, {1, 0, 3, 2}},
      {"ReverseAndFlipCancel", {true, true, 0, 2}, {2, 3, 0, 1}},
      {"ShiftBackward", {false, false, -1, 0}, {3, 0, 1, 2}},
      {"ShiftAlongReverse", {true, false, 1, 0}, {3, 2, 1, 0}},
      {"ShiftWrapsTwice", {false, false, -9, 2}, {3, 4, 0, 1, 2}},
  };
  for (const auto& c : cases) {
    std::vector<std::size_t> order;
    for (std::size_t k = 0; k < c.order.size(); ++k) order.push_back(NumberedIndex(c.numbering, k, c.order.size()));
    EXPECT_EQ(order, c.order) << c.name;
  }
}

}  // namespace
}  // namespace verdanto
