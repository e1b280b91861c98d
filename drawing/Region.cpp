#include "drawing/Region.h"

#include <cmath>
#include <numbers>

#include "drawing/Geometry.h"

namespace verdanto {
namespace {

struct PlaneXY {
  double x = 0;
  double y = 0;
};

PlaneXY InPlane(const PlaneSystem& plane, Vec3 point) {
  const Vec3 d = point - plane.origin;
  return {Dot(d, plane.xAxis), Dot(d, plane.yAxis)};
}

// Green's theorem sums of one loop: twice the signed area would be the
// shoelace sum; here the area and its first moments directly.
struct Moments {
  double area = 0;
  double mx = 0;  // integral of x over the area
  double my = 0;

  void AddChord(PlaneXY a, PlaneXY b) {
    const double cross = a.x * b.y - b.x * a.y;
    area += cross / 2;
    mx += (a.x + b.x) * cross / 6;
    my += (a.y + b.y) * cross / 6;
  }
};

void AddEdge(Moments& moments, const PlaneSystem& plane, Vec3 normal, const Edge& edge) {
  const PlaneXY a = InPlane(plane, EdgeStart(edge));
  const PlaneXY b = InPlane(plane, EdgeEnd(edge));
  moments.AddChord(a, b);
  const Arc* arc = std::get_if<Arc>(&edge);
  if (!arc) return;
  // The circular segment between the chord and the arc, with its centroid on
  // the arc's bisector; it counts negative when the arc runs clockwise in the plane.
  const double sweep = ArcSweep(*arc);
  const double sign = Dot(arc->normal, normal) >= 0 ? 1.0 : -1.0;
  const double segment = arc->radius * arc->radius / 2 * (sweep - std::sin(sweep));
  if (segment <= 0) return;
  const PlaneXY center = InPlane(plane, arc->center);
  const double startAngle = std::atan2(a.y - center.y, a.x - center.x);
  const double middle = startAngle + sign * sweep / 2;
  const double s = std::sin(sweep / 2);
  const double distance = 4 * arc->radius * s * s * s / (3 * (sweep - std::sin(sweep)));
  moments.area += sign * segment;
  moments.mx += sign * segment * (center.x + distance * std::cos(middle));
  moments.my += sign * segment * (center.y + distance * std::sin(middle));
}

}  // namespace

PlaneSystem PlaneOf(const Region& region) {
  const PlaneAxes axes = ArbitraryAxes(region.normal);
  Vec3 origin;
  if (!region.loops.empty() && !region.loops[0].edges.empty()) origin = EdgeStart(region.loops[0].edges[0]);
  return {origin, axes.x, axes.y};
}

AreaProperties AreaPropertiesOf(const Region& region) {
  const PlaneSystem plane = PlaneOf(region);
  Moments total;
  for (std::size_t i = 0; i < region.loops.size(); ++i) {
    Moments loop;
    for (const Edge& edge : region.loops[i].edges) AddEdge(loop, plane, region.normal, edge);
    // The outer loop adds, holes take away, whichever way each runs.
    const double sign = (loop.area >= 0) == (i == 0) ? 1.0 : -1.0;
    total.area += sign * loop.area;
    total.mx += sign * loop.mx;
    total.my += sign * loop.my;
  }
  if (total.area == 0) return {};
  return {total.area, total.mx / total.area, total.my / total.area};
}

std::vector<Geometry> ExplodeRegion(const Region& region) {
  std::vector<Geometry> pieces;
  for (const Loop& loop : region.loops) {
    for (const Edge& edge : loop.edges) {
      if (const Arc* arc = std::get_if<Arc>(&edge); arc && ArcSweep(*arc) >= 2 * std::numbers::pi)
        pieces.emplace_back(Circle{arc->center, arc->radius, arc->normal});
      else
        pieces.emplace_back(std::visit([](const auto& e) { return Geometry(e); }, edge));
    }
  }
  return pieces;
}

}  // namespace verdanto
