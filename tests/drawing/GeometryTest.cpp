#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <tuple>

#include "drawing/Geometry.h"
#include "drawing/Pick.h"
#include "drawing/Ucs.h"
#include "tests/drawing/DrawingTestSupport.h"

namespace verdanto {
namespace {

using testing::Near;

TEST(ArbitraryAxes, FollowTheDxfRule) {
  // The normal, the x and y axes.
  const std::array<Vec3, 3> cases[] = {
      {{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}},
      {{{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}}},
      {{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}},
      {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
      {{{0.01, 0, 1}, {1 / std::sqrt(1.0001), 0, -0.01 / std::sqrt(1.0001)}, {0, 1, 0}}},
  };
  for (const auto& [normal, x, y] : cases) {
    SCOPED_TRACE(::testing::PrintToString(normal));
    const PlaneAxes axes = ArbitraryAxes(normal);
    EXPECT_TRUE(Near(axes.x, x) && Near(axes.y, y));
    const Vec3 p{1.5, -2, 0.25};
    EXPECT_TRUE(Near(WorldToOcs(OcsToWorld(p, normal), normal), p));
  }
}

TEST(Ucs, ConvertsPointsAndDirectionsBothWaysAndTurnsAboutEachAxis) {
  const std::optional<Ucs> ucs = MakeUcs({10, 20, 30}, {0, 2, 0}, {-1, 0, 0});
  ASSERT_TRUE(ucs);
  EXPECT_TRUE(Near(ucs->zAxis, {0, 0, 1}));
  EXPECT_TRUE(Near(UcsToWorldPoint(*ucs, {1, 2, 3}), {8, 21, 33}));
  EXPECT_TRUE(Near(UcsToWorldDirection(*ucs, {1, 2, 3}), {-2, 1, 3}));
  EXPECT_TRUE(Near(WorldToUcsPoint(*ucs, {8, 21, 33}), {1, 2, 3}));
  EXPECT_TRUE(Near(WorldToUcsDirection(*ucs, {-2, 1, 3}), {1, 2, 3}));
  EXPECT_FALSE(MakeUcs({}, {1, 0, 0}, {2, 0, 0}));
  // Turns about each axis are counter-clockwise.
  const double quarter = std::numbers::pi / 2;
  EXPECT_TRUE(Near(RotateUcs(Ucs{}, 2, quarter).xAxis, {0, 1, 0}));
  EXPECT_TRUE(Near(RotateUcs(Ucs{}, 0, quarter).yAxis, {0, 0, 1}));
  EXPECT_TRUE(Near(RotateUcs(Ucs{}, 1, quarter).zAxis, {1, 0, 0}));
}

TEST(Geometry, ParallelsExtentsOfArcsAndNegativeBulges) {
  EXPECT_TRUE(AreParallel({0, 0, 2}, {0, 0, -5}));
  EXPECT_FALSE(AreParallel({0, 0, 1}, {1e-8, 0, 1}));
  EXPECT_FALSE(AreParallel({0, 0, 0}, {0, 0, 1}));
  // Extents of arcs cover only their sweep.
  const BoundingBox quarter = EntityExtents(Arc{{5, 5, 0}, 2, 0, std::numbers::pi / 2, {0, 0, 1}});
  EXPECT_TRUE(Near(quarter.min, {5, 5, 0}) && Near(quarter.max, {7, 7, 0}));
  const BoundingBox upright = EntityExtents(Circle{{0, 0, 0}, 1, {0, -1, 0}});
  EXPECT_TRUE(Near(upright.min, {-1, 0, -1}) && Near(upright.max, {1, 0, 1}));
  // A positive bulge is RegionArea.CountsArcEdges' case; a negative one turns clockwise.
  const Arc arc = BulgeArc(Polyline2d{}, PolylineVertex{1, 0, -1}, PolylineVertex{-1, 0, 0});
  EXPECT_TRUE(Near(arc.center, {0, 0, 0}));
  EXPECT_DOUBLE_EQ(arc.radius, 1);
  EXPECT_TRUE(Near(ArcStart(arc), {1, 0, 0}));
  EXPECT_TRUE(Near(ArcEnd(arc), {-1, 0, 0}));
  EXPECT_TRUE(Near(PointAtAngle(arc.center, 1, arc.normal, arc.startAngle + ArcSweep(arc) / 2), {0, -1, 0}));
}

TEST(Pick, FindsTheNearestEdgeWithinTheTolerance) {
  Drawing drawing;
  drawing.Add(Line{{0, 0, 0}, {10, 0, 0}}, "Line");
  drawing.Add(Circle{{20, 0, 0}, 2, {0, 0, 1}}, "Circle");
  drawing.Add(MText{"label", "STANDARD", 1, 1, 1, {0, 0, 1}, {1, 0, 0}, {5, 5, 0}}, "Label");
  drawing.Add(Face3d{{Vec3{0, 3, 0}, {4, 3, 0}, {4, 3, 3}, {0, 3, 3}}}, "Wall");
  const ViewPlane top;
  const ViewPlane front{{1, 0, 0}, {0, 0, 1}};
  // The view, the point picked, the layer of the entity picked ("" for none).
  const std::tuple<ViewPlane, double, double, const char*> cases[] = {
      {top, 5, 0.1, "Line"},  {top, 22.3, 0, "Circle"}, {top, 20, 0, ""},          {top, 5.2, 5.2, "Label"},
      {top, 50, 50, ""},      {top, 2, 3.2, "Wall"},    {front, 2, 3.1, "Wall"},
  };
  for (const auto& [view, x, y, layer] : cases) {
    const std::string handle = NearestEntity(drawing, view, x, y, 0.5);
    EXPECT_EQ(handle.empty() ? "" : drawing.Find(handle)->layer, layer) << x << ", " << y;
  }
}

}  // namespace
}  // namespace verdanto
