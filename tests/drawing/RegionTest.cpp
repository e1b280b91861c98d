#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "drawing/Region.h"
#include "drawing/RegionMaking.h"
#include "tests/drawing/DrawingTestSupport.h"

namespace verdanto {
namespace {

using testing::Near;
using testing::OnLayer;
using testing::Shapes;

Polyline2d Rectangle(double x0, double y0, double x1, double y1) {
  return Polyline2d{{{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}}, true, 0, {0, 0, 1}};
}

Region MustMake(const Geometry& outline) {
  std::string reason;
  std::optional<Region> region = RegionFromOutline(outline, reason);
  EXPECT_TRUE(region) << reason;
  return region.value_or(Region{});
}

// Drawn by another program: the normal of each region follows the rules of
// the REGION command (a 2D outline's own extrusion; the right-hand rule of
// the vertex order otherwise).
TEST(RegionNormal, FollowsTheOutlineOfEachFixtureAndADiscExplodesIntoItsCircle) {
  const std::pair<const char*, Vec3> cases[] = {
      {"Floor", {0, 0, 1}},          {"SouthFace", {0, -1, 0}}, {"EastFace", {1, 0, 0}}, {"SouthPolyline", {0, -1, 0}},
      {"EastPolyline", {1, 0, 0}},   {"Elevated", {0, -1, 0}},  {"Circle", {0, 0, 1}},
  };
  for (const auto& [layer, normal] : cases) {
    const Entity* entity = OnLayer(Shapes(), layer);
    ASSERT_TRUE(entity);
    EXPECT_TRUE(Near(MustMake(entity->geometry).normal, normal)) << layer;
  }
}

TEST(RegionRefusal, GivesTheReason) {
  const std::string none = "the outline encloses no area";
  const std::pair<Geometry, std::string> cases[] = {
      {Polyline2d{{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, false, 0, {0, 0, 1}}, "the polyline is not closed"},
      {Face3d{{Vec3{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}}}, none},
      {Polyline2d{{{0, 0, 0}, {5, 0, 0}, {2, 0, 0}}, true, 0, {0, 0, 1}}, none},
      {Polyline3d{{{0, 0, 0}, {1, 0, 0}}, true}, none},
      {Polyline3d{{{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 0}}, true}, "the corners do not lie in one plane"},
      {Circle{{0, 0, 0}, 0, {0, 0, 1}}, none},
      {Line{{0, 0, 0}, {1, 0, 0}}, "an entity of this kind does not enclose an area"},
  };
  for (const auto& [outline, expected] : cases) {
    std::string reason;
    EXPECT_FALSE(RegionFromOutline(outline, reason));
    EXPECT_EQ(reason, expected) << EntityClassName(outline);
  }
}

TEST(RegionArea, OfARectangleWithAHoleAndWithArcEdges) {
  Region region = MustMake(Rectangle(0, 0, 4, 3));
  const AreaProperties plain = AreaPropertiesOf(region);
  EXPECT_DOUBLE_EQ(plain.area, 12);
  EXPECT_DOUBLE_EQ(plain.centroidX, 2);
  EXPECT_DOUBLE_EQ(plain.centroidY, 1.5);
  region.loops.push_back(MustMake(Rectangle(1, 1, 2, 2)).loops[0]);
  const AreaProperties holed = AreaPropertiesOf(region);
  EXPECT_DOUBLE_EQ(holed.area, 11);
  EXPECT_NEAR(holed.centroidX, (12 * 2 - 1.5) / 11, 1e-12);
  EXPECT_NEAR(holed.centroidY, (12 * 1.5 - 1.5) / 11, 1e-12);
  // A 2 x 1 rectangle with a half disc of radius 1 on its top edge, bulging up.
  const Polyline2d d{{{0, 0, 0}, {2, 0, 0}, {2, 1, 1}, {0, 1, 0}}, true, 0, {0, 0, 1}};
  const AreaProperties a = AreaPropertiesOf(MustMake(d));
  EXPECT_NEAR(a.area, 2 + std::numbers::pi / 2, 1e-12);
  const double discMoment = std::numbers::pi / 2 * (1 + 4 / (3 * std::numbers::pi));
  EXPECT_NEAR(a.centroidY, (2 * 0.5 + discMoment) / a.area, 1e-12);
  EXPECT_NEAR(a.centroidX, 1, 1e-12);

  const Region disc = MustMake(Circle{{3, 4, 5}, 2, {0, 0, 1}});
  const AreaProperties c = AreaPropertiesOf(disc);
  EXPECT_NEAR(c.area, 4 * std::numbers::pi, 1e-12);
  const PlaneSystem plane = PlaneOf(disc);
  EXPECT_TRUE(Near(plane.origin + c.centroidX * plane.xAxis + c.centroidY * plane.yAxis, {3, 4, 5}));
  // A region of lines explodes into lines (DrawingDocumentTest); a disc into its circle.
  const std::vector<Geometry> circle = ExplodeRegion(MustMake(Circle{{0, 0, 0}, 1, {0, 0, 1}}));
  ASSERT_EQ(circle.size(), 1u);
  EXPECT_TRUE(std::holds_alternative<Circle>(circle[0]));
}

TEST(RegionCommand, JoinsLinesIntoLoopsAndReportsWhatItCouldNotUse) {
  Drawing drawing = Shapes();
  std::vector<std::string> handles;
  for (const Entity& entity : drawing.entities())
    if (entity.layer == "FloorLines" || entity.layer == "Floor" || entity.layer == "Text")
      handles.push_back(entity.handle);
  drawing.Add(Line{{10, 0, 0}, {11, 0, 0}}, "Stray");
  handles.push_back(drawing.entities().back().handle);
  const std::size_t before = drawing.size();

  const RegionCommandResult result = MakeRegions(drawing, handles);
  ASSERT_EQ(result.regions.size(), 2u);
  ASSERT_EQ(result.messages.size(), 3u);  // the text, the stray line, the count
  EXPECT_EQ(result.messages.back(), "2 regions created.");
  EXPECT_EQ(drawing.size(), before - 5 + 2);
  const Region& fromLines = std::get<Region>(drawing.Find(result.regions[1])->geometry);
  EXPECT_EQ(drawing.Find(result.regions[1])->layer, "FloorLines");
  EXPECT_TRUE(Near(fromLines.normal, {0, 0, 1}));
  EXPECT_DOUBLE_EQ(AreaPropertiesOf(fromLines).area, 12);
}

TEST(SubtractCommand, TakesOutOnlyRegionsInsideInTheSamePlane) {
  Drawing drawing;
  const std::string outer = drawing.Add(MustMake(Rectangle(0, 0, 10, 10)));
  const std::string inside = drawing.Add(MustMake(Rectangle(2, 2, 4, 4)));
  const std::string across = drawing.Add(MustMake(Rectangle(8, 8, 12, 12)));
  const std::string wall = drawing.Add(MustMake(Face3d{{Vec3{1, 1, 0}, {3, 1, 0}, {3, 1, 2}, {1, 1, 2}}}));
  const std::string line = drawing.Add(Line{});

  const SubtractResult result = SubtractRegions(drawing, outer, {inside, across, wall, line});
  EXPECT_EQ(result.subtracted, 1);
  EXPECT_EQ(result.messages,
            (std::vector<std::string>{"Region " + across + " is not subtracted: it does not lie inside the region.",
                                      "Region " + wall + " is not subtracted: it does not lie in the same plane.",
                                      "Entity " + line + " is not a region.", "1 region subtracted."}));
  EXPECT_FALSE(drawing.Find(inside));
  EXPECT_DOUBLE_EQ(AreaPropertiesOf(std::get<Region>(drawing.Find(outer)->geometry)).area, 96);
}

}  // namespace
}  // namespace verdanto
