#pragma once
// Geometry shared by the drawing's entities: object coordinate systems, points
// on arcs, extents.

#include <limits>
#include <optional>

#include "drawing/Entities.h"

namespace verdanto {

// The x and y axes of the object coordinate system that DXF derives from a
// normal by its arbitrary-axis algorithm; with the unit normal they form a
// right-handed system.
struct PlaneAxes {
  Vec3 x;
  Vec3 y;
};
PlaneAxes ArbitraryAxes(Vec3 normal);
Vec3 OcsToWorld(Vec3 point, Vec3 normal);
Vec3 WorldToOcs(Vec3 point, Vec3 normal);

// The point of an arc or circle at `angle`, measured in its object coordinate system.
Vec3 PointAtAngle(Vec3 center, double radius, Vec3 normal, double angle);
Vec3 ArcStart(const Arc& arc);
Vec3 ArcEnd(const Arc& arc);
// The counter-clockwise sweep from start to end, in (0, 2 pi].
double ArcSweep(const Arc& arc);
Vec3 EdgeStart(const Edge& edge);
Vec3 EdgeEnd(const Edge& edge);

// The arc a 2D polyline segment with a non-zero bulge runs along, in world coordinates.
Arc BulgeArc(const Polyline2d& polyline, const PolylineVertex& from, const PolylineVertex& to);
// The world points of a 2D polyline's vertices.
std::vector<Vec3> WorldVertices(const Polyline2d& polyline);

struct BoundingBox {
  Vec3 min{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
           std::numeric_limits<double>::infinity()};
  Vec3 max{-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
           -std::numeric_limits<double>::infinity()};

  bool IsEmpty() const { return min.x > max.x; }
  void Add(Vec3 point);
  void Add(const BoundingBox& other);
};

// A text label's extents are its location alone.
BoundingBox EntityExtents(const Geometry& geometry);

// Coordinates whose magnitude stays below this keep squared distances finite;
// the DXF reader refuses larger ones.
inline constexpr double kMaxCoordinate = 1e99;
bool IsUsableCoordinate(double value);
bool IsUsablePoint(Vec3 point);

}  // namespace verdanto
