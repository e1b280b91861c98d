#pragma once
// The entities of a drawing, as plain records. Points are world coordinates
// unless a member says otherwise; angles are radians.

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/Vec3.h"

namespace verdanto {

struct Line {
  Vec3 start;
  Vec3 end;
};

// A vertex of a 2D polyline, in the polyline's object coordinate system. The
// bulge is the tangent of a quarter of the included angle of the arc to the
// next vertex (0: a straight segment; positive: counter-clockwise about the
// polyline's normal).
struct PolylineVertex {
  double x = 0;
  double y = 0;
  double bulge = 0;
};

// A planar polyline: its vertices lie at `elevation` along `normal` in the
// object coordinate system that `normal` defines (see OcsToWorld).
struct Polyline2d {
  std::vector<PolylineVertex> vertices;
  bool closed = false;
  double elevation = 0;
  Vec3 normal{0, 0, 1};
};

struct Polyline3d {
  std::vector<Vec3> vertices;
  bool closed = false;
};

// A triangle repeats its third corner as the fourth.
struct Face3d {
  std::array<Vec3, 4> corners;
};

// Runs counter-clockwise about `normal` from `startAngle` to `endAngle`, the
// angles measured from the x axis of the object coordinate system of `normal`.
struct Arc {
  Vec3 center;
  double radius = 0;
  double startAngle = 0;
  double endAngle = 0;
  Vec3 normal{0, 0, 1};
};

struct Circle {
  Vec3 center;
  double radius = 0;
  Vec3 normal{0, 0, 1};
};

// An edge of a region's loop; the loop runs from each edge's end to the next
// edge's start. An arc edge that runs clockwise about the region's normal has
// its own normal reversed.
using Edge = std::variant<Line, Arc>;

struct Loop {
  std::vector<Edge> edges;
};

// A planar area: loops[0] is the outer boundary, every further loop a hole.
struct Region {
  Vec3 normal{0, 0, 1};  // unit length
  std::vector<Loop> loops;
};

// Attachment of a text label: 1 top left ... 5 middle centre ... 9 bottom right.
inline constexpr int kAttachMiddleCenter = 5;
inline constexpr int kColorByLayer = 256;

struct MText {
  std::string contents;
  std::string style = "STANDARD";
  double height = 1;
  int attachment = 1;
  int colorIndex = kColorByLayer;
  Vec3 normal{0, 0, 1};
  Vec3 direction{1, 0, 0};  // the text's x direction, in world coordinates
  Vec3 location;
};

using Geometry = std::variant<Line, Polyline2d, Polyline3d, Face3d, Arc, Circle, Region, MText>;

struct Entity {
  std::string handle;  // upper-case hexadecimal, as DXF writes it
  std::string layer = "0";
  Geometry geometry;
};

// The host's class name of an entity's kind: "AcDbLine", "AcDbRegion", ...
std::string_view EntityClassName(const Geometry& geometry);

}  // namespace verdanto
