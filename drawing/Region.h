#pragma once
// What a region tells about itself: its plane, area and centroid, and the
// edges it explodes into.

#include <vector>

#include "drawing/Entities.h"

namespace verdanto {

// The plane of a region: the start of its first edge and two in-plane unit
// axes (those of the normal's object coordinate system), with x cross y = normal.
struct PlaneSystem {
  Vec3 origin;
  Vec3 xAxis;
  Vec3 yAxis;
};
PlaneSystem PlaneOf(const Region& region);

// The enclosed area (holes taken out) and its centroid in the coordinates of
// PlaneOf(region). A region without area has its centroid at the plane's origin.
struct AreaProperties {
  double area = 0;
  double centroidX = 0;
  double centroidY = 0;
};
AreaProperties AreaPropertiesOf(const Region& region);

// Each edge as an entity of its own: a line, an arc, or a circle for an arc
// that closes on itself.
std::vector<Geometry> ExplodeRegion(const Region& region);

}  // namespace verdanto
