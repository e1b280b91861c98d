#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "drawing/Geometry.h"
#include "drawing/Ucs.h"
#include "tests/drawing/DrawingTestSupport.h"

namespace verdanto {
namespace {

using testing::Near;

struct AxesCase {
  const char* name;
  Vec3 normal;
  Vec3 x;
  Vec3 y;
};
void PrintTo(const AxesCase& c, std::ostream* out) { *out << c.name; }

class ArbitraryAxesTest : public ::testing::TestWithParam<AxesCase> {};

TEST_P(ArbitraryAxesTest, FollowTheDxfRule) {
  const PlaneAxes axes = ArbitraryAxes(GetParam().normal);
  EXPECT_TRUE(Near(axes.x, GetParam().x));
  EXPECT_TRUE(Near(axes.y, GetParam().y));
  const Vec3 p{1.5, -2, 0.25};
  EXPECT_TRUE(Near(WorldToOcs(OcsToWorld(p, GetParam().normal), GetParam().normal), p));
}

INSTANTIATE_TEST_SUITE_P(Normals, ArbitraryAxesTest,
                         ::testing::Values(AxesCase{"Up", {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
                                           AxesCase{"Down", {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
                                           AxesCase{"South", {0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                                           AxesCase{"East", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
                                           AxesCase{"NearlyUp", {0.01, 0, 1}, {1 / std::sqrt(1.0001), 0, -0.01 / std::sqrt(1.0001)},
                                                    {0, 1, 0}}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(Ucs, ConvertsPointsAndDirectionsBothWays) {
  const std::optional<Ucs> ucs = MakeUcs({10, 20, 30}, {0, 2, 0}, {-1, 0, 0});
  ASSERT_TRUE(ucs);
  EXPECT_TRUE(Near(ucs->zAxis, {0, 0, 1}));
  EXPECT_TRUE(Near(UcsToWorldPoint(*ucs, {1, 2, 3}), {8, 21, 33}));
  EXPECT_TRUE(Near(UcsToWorldDirection(*ucs, {1, 2, 3}), {-2, 1, 3}));
  EXPECT_TRUE(Near(WorldToUcsPoint(*ucs, {8, 21, 33}), {1, 2, 3}));
  EXPECT_TRUE(Near(WorldToUcsDirection(*ucs, {-2, 1, 3}), {1, 2, 3}));
  EXPECT_FALSE(MakeUcs({}, {1, 0, 0}, {2, 0, 0}));
}

TEST(Ucs, TurnsAboutEachAxisCounterClockwise) {
  const double quarter = std::numbers::pi / 2;
  EXPECT_TRUE(Near(RotateUcs(Ucs{}, 2, quarter).xAxis, {0, 1, 0}));
  EXPECT_TRUE(Near(RotateUcs(Ucs{}, 0, quarter).yAxis, {0, 0, 1}));
  EXPECT_TRUE(Near(RotateUcs(Ucs{}, 1, quarter).zAxis, {1, 0, 0}));
}

TEST(AreParallel, UsesOneSmallAngleTolerance) {
  EXPECT_TRUE(AreParallel({0, 0, 2}, {0, 0, 5}));
  EXPECT_TRUE(AreParallel({0, 0, 1}, {0, 0, -1}));
  EXPECT_TRUE(AreParallel({0, 0, 1}, {1e-12, 0, 1}));
  EXPECT_FALSE(AreParallel({0, 0, 1}, {1e-8, 0, 1}));
  EXPECT_FALSE(AreParallel({0, 0, 0}, {0, 0, 1}));
}

TEST(Extents, OfArcsCoverOnlyTheirSweep) {
  const BoundingBox quarter = EntityExtents(Arc{{5, 5, 0}, 2, 0, std::numbers::pi / 2, {0, 0, 1}});
  EXPECT_TRUE(Near(quarter.min, {5, 5, 0}));
  EXPECT_TRUE(Near(quarter.max, {7, 7, 0}));
  const BoundingBox upright = EntityExtents(Circle{{0, 0, 0}, 1, {0, -1, 0}});
  EXPECT_TRUE(Near(upright.min, {-1, 0, -1}));
  EXPECT_TRUE(Near(upright.max, {1, 0, 1}));
}

TEST(BulgeArc, OfASemicircleRunsThroughItsTop) {
  Polyline2d p;
  const PolylineVertex from{1, 0, 1};
  const PolylineVertex to{-1, 0, 0};
  const Arc arc = BulgeArc(p, from, to);
  EXPECT_TRUE(Near(arc.center, {0, 0, 0}));
  EXPECT_DOUBLE_EQ(arc.radius, 1);
  EXPECT_TRUE(Near(PointAtAngle(arc.center, arc.radius, arc.normal, arc.startAngle + ArcSweep(arc) / 2), {0, 1, 0}));
  const PolylineVertex back{1, 0, -1};
  const Arc clockwise = BulgeArc(p, back, to);
  EXPECT_TRUE(Near(ArcStart(clockwise), {1, 0, 0}));
  EXPECT_TRUE(Near(ArcEnd(clockwise), {-1, 0, 0}));
  EXPECT_TRUE(Near(PointAtAngle(clockwise.center, 1, clockwise.normal, clockwise.startAngle + ArcSweep(clockwise) / 2),
                   {0, -1, 0}));
}

}  // namespace
}  // namespace verdanto
