#include <gtest/gtest.h>

#include "drawing/Pick.h"
#include "tests/drawing/DrawingTestSupport.h"

namespace verdanto {
namespace {

struct PickCase {
  const char* name;
  ViewPlane view;
  double x;
  double y;
  const char* layer;  // of the entity picked, or "" for none
};
void PrintTo(const PickCase& c, std::ostream* out) { *out << c.name; }

class Pick : public ::testing::TestWithParam<PickCase> {};

TEST_P(Pick, FindsTheNearestEdgeWithinTheTolerance) {
  Drawing drawing;
  drawing.Add(Line{{0, 0, 0}, {10, 0, 0}}, "Line");
  drawing.Add(Circle{{20, 0, 0}, 2, {0, 0, 1}}, "Circle");
  drawing.Add(MText{"label", "STANDARD", 1, 1, 1, {0, 0, 1}, {1, 0, 0}, {5, 5, 0}}, "Label");
  drawing.Add(Face3d{{Vec3{0, 3, 0}, {4, 3, 0}, {4, 3, 3}, {0, 3, 3}}}, "Wall");
  const std::string handle = NearestEntity(drawing, GetParam().view, GetParam().x, GetParam().y, 0.5);
  const std::string layer = handle.empty() ? "" : drawing.Find(handle)->layer;
  EXPECT_EQ(layer, GetParam().layer);
}

const ViewPlane kTop;
const ViewPlane kFront{{1, 0, 0}, {0, 0, 1}};

INSTANTIATE_TEST_SUITE_P(Views, Pick,
                         ::testing::Values(PickCase{"OnLine", kTop, 5, 0.1, "Line"},
                                           PickCase{"OnCircle", kTop, 22.3, 0, "Circle"},
                                           PickCase{"InsideCircle", kTop, 20, 0, ""},
                                           PickCase{"AtLabel", kTop, 5.2, 5.2, "Label"},
                                           PickCase{"Nothing", kTop, 50, 50, ""},
                                           PickCase{"WallEdgeFromTop", kTop, 2, 3.2, "Wall"},
                                           PickCase{"WallTopFromFront", kFront, 2, 3.1, "Wall"}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace verdanto
