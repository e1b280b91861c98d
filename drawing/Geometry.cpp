#include "drawing/Geometry.h"

#include <cmath>
#include <numbers>

namespace verdanto {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// DXF's threshold: a normal this close to the world z axis takes its x axis from world y.
constexpr double kArbitraryAxisLimit = 1.0 / 64.0;

struct EdgeStartVisitor {
  Vec3 operator()(const Line& line) const { return line.start; }
  Vec3 operator()(const Arc& arc) const { return ArcStart(arc); }
};
struct EdgeEndVisitor {
  Vec3 operator()(const Line& line) const { return line.end; }
  Vec3 operator()(const Arc& arc) const { return ArcEnd(arc); }
};

// The extreme points of an arc along each world axis that lie within its sweep.
void AddArcExtents(BoundingBox& extents, Vec3 center, double radius, Vec3 normal, double start, double sweep) {
  const PlaneAxes axes = ArbitraryAxes(normal);
  extents.Add(PointAtAngle(center, radius, normal, start));
  extents.Add(PointAtAngle(center, radius, normal, start + sweep));
  const double ax[3] = {axes.x.x, axes.x.y, axes.x.z};
  const double ay[3] = {axes.y.x, axes.y.y, axes.y.z};
  for (int i = 0; i < 3; ++i) {
    if (ax[i] == 0 && ay[i] == 0) continue;
    const double extreme = std::atan2(ay[i], ax[i]);
    for (const double angle : {extreme, extreme + std::numbers::pi}) {
      const double along = std::fmod(std::fmod(angle - start, kTwoPi) + kTwoPi, kTwoPi);
      if (along <= sweep) extents.Add(PointAtAngle(center, radius, normal, angle));
    }
  }
}

struct ExtentsVisitor {
  BoundingBox& extents;
  void operator()(const Line& line) const {
    extents.Add(line.start);
    extents.Add(line.end);
  }
  void operator()(const Polyline2d& polyline) const {
    const std::vector<Vec3> points = WorldVertices(polyline);
    const std::size_t n = polyline.vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
      extents.Add(points[i]);
      const bool last = i + 1 == n;
      if (polyline.vertices[i].bulge != 0 && (!last || polyline.closed))
        (*this)(BulgeArc(polyline, polyline.vertices[i], polyline.vertices[last ? 0 : i + 1]));
    }
  }
  void operator()(const Polyline3d& polyline) const {
    for (const Vec3& point : polyline.vertices) extents.Add(point);
  }
  void operator()(const Face3d& face) const {
    for (const Vec3& point : face.corners) extents.Add(point);
  }
  void operator()(const Arc& arc) const {
    AddArcExtents(extents, arc.center, arc.radius, arc.normal, arc.startAngle, ArcSweep(arc));
  }
  void operator()(const Circle& circle) const {
    AddArcExtents(extents, circle.center, circle.radius, circle.normal, 0, kTwoPi);
  }
  void operator()(const Region& region) const {
    for (const Loop& loop : region.loops)
      for (const Edge& edge : loop.edges) std::visit(*this, edge);
  }
  void operator()(const MText& label) const { extents.Add(label.location); }
};

}  // namespace

PlaneAxes ArbitraryAxes(Vec3 normal) {
  const Vec3 n = Normalized(normal);
  const Vec3 x = (std::fabs(n.x) < kArbitraryAxisLimit && std::fabs(n.y) < kArbitraryAxisLimit)
                     ? Normalized(Cross({0, 1, 0}, n))
                     : Normalized(Cross({0, 0, 1}, n));
  return {x, Normalized(Cross(n, x))};
}

Vec3 OcsToWorld(Vec3 point, Vec3 normal) {
  const PlaneAxes axes = ArbitraryAxes(normal);
  return point.x * axes.x + point.y * axes.y + point.z * Normalized(normal);
}

Vec3 WorldToOcs(Vec3 point, Vec3 normal) {
  const PlaneAxes axes = ArbitraryAxes(normal);
  return {Dot(point, axes.x), Dot(point, axes.y), Dot(point, Normalized(normal))};
}

Vec3 PointAtAngle(Vec3 center, double radius, Vec3 normal, double angle) {
  const PlaneAxes axes = ArbitraryAxes(normal);
  return center + (radius * std::cos(angle)) * axes.x + (radius * std::sin(angle)) * axes.y;
}

Vec3 ArcStart(const Arc& arc) { return PointAtAngle(arc.center, arc.radius, arc.normal, arc.startAngle); }
Vec3 ArcEnd(const Arc& arc) { return PointAtAngle(arc.center, arc.radius, arc.normal, arc.endAngle); }

double ArcSweep(const Arc& arc) {
  const double sweep = std::fmod(arc.endAngle - arc.startAngle, kTwoPi);
  return sweep <= 0 ? sweep + kTwoPi : sweep;
}

Vec3 EdgeStart(const Edge& edge) { return std::visit(EdgeStartVisitor{}, edge); }
Vec3 EdgeEnd(const Edge& edge) { return std::visit(EdgeEndVisitor{}, edge); }

Arc BulgeArc(const Polyline2d& polyline, const PolylineVertex& from, const PolylineVertex& to) {
  // In the polyline's plane: the included angle is 4 atan(bulge), positive counter-clockwise.
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double chord = std::hypot(dx, dy);
  const double included = 4 * std::atan(from.bulge);
  const double radius = chord / (2 * std::sin(std::fabs(included) / 2));
  // The centre lies on the chord's perpendicular bisector, to the left for a
  // counter-clockwise arc of less than half a turn.
  const double toCenter = chord / (2 * std::tan(included / 2));
  const double cx = (from.x + to.x) / 2 - dy / chord * toCenter;
  const double cy = (from.y + to.y) / 2 + dx / chord * toCenter;
  const double a = std::atan2(from.y - cy, from.x - cx);
  const double b = std::atan2(to.y - cy, to.x - cx);
  Arc arc;
  arc.radius = radius;
  if (included > 0) {
    arc.normal = Normalized(polyline.normal);
    arc.center = OcsToWorld({cx, cy, polyline.elevation}, polyline.normal);
    arc.startAngle = a;
    arc.endAngle = b;
  } else {
    // Clockwise in the polyline's plane: counter-clockwise about the reversed
    // normal, whose object coordinate system has its own angles.
    arc.normal = -Normalized(polyline.normal);
    arc.center = OcsToWorld({cx, cy, polyline.elevation}, polyline.normal);
    const Vec3 startPoint = OcsToWorld({from.x, from.y, polyline.elevation}, polyline.normal);
    const Vec3 endPoint = OcsToWorld({to.x, to.y, polyline.elevation}, polyline.normal);
    const PlaneAxes axes = ArbitraryAxes(arc.normal);
    arc.startAngle = std::atan2(Dot(startPoint - arc.center, axes.y), Dot(startPoint - arc.center, axes.x));
    arc.endAngle = std::atan2(Dot(endPoint - arc.center, axes.y), Dot(endPoint - arc.center, axes.x));
  }
  return arc;
}

std::vector<Vec3> WorldVertices(const Polyline2d& polyline) {
  std::vector<Vec3> points;
  points.reserve(polyline.vertices.size());
  const PlaneAxes axes = ArbitraryAxes(polyline.normal);
  const Vec3 lift = polyline.elevation * Normalized(polyline.normal);
  for (const PolylineVertex& v : polyline.vertices) points.push_back(v.x * axes.x + v.y * axes.y + lift);
  return points;
}

void BoundingBox::Add(Vec3 point) {
  min = {std::fmin(min.x, point.x), std::fmin(min.y, point.y), std::fmin(min.z, point.z)};
  max = {std::fmax(max.x, point.x), std::fmax(max.y, point.y), std::fmax(max.z, point.z)};
}

void BoundingBox::Add(const BoundingBox& other) {
  if (other.IsEmpty()) return;
  Add(other.min);
  Add(other.max);
}

BoundingBox EntityExtents(const Geometry& geometry) {
  BoundingBox extents;
  std::visit(ExtentsVisitor{extents}, geometry);
  return extents;
}

bool IsUsableCoordinate(double value) { return std::fabs(value) <= kMaxCoordinate; }
bool IsUsablePoint(Vec3 point) {
  return IsUsableCoordinate(point.x) && IsUsableCoordinate(point.y) && IsUsableCoordinate(point.z);
}

}  // namespace verdanto
