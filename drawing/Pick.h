#pragma once
// Picking: which entity a click on a view of the drawing means.

#include <string>

#include "drawing/Drawing.h"

namespace verdanto {

// A view looks along right x up; a world point p shows at (Dot(p, right), Dot(p, up)).
struct ViewPlane {
  Vec3 right{1, 0, 0};
  Vec3 up{0, 1, 0};
};

// The handle of the entity whose projection passes nearest to the view point
// (x, y), no farther than `tolerance` (view units); empty when there is none.
// Edges count, not areas: a click inside a face's outline does not hit it. A
// label is hit at its location.
std::string NearestEntity(const Drawing& drawing, const ViewPlane& view, double x, double y, double tolerance);

}  // namespace verdanto
