#include "drawing/Pick.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "drawing/Region.h"

namespace verdanto {
namespace {

// Arcs are measured as chords of at most this angle.
constexpr double kChordAngle = std::numbers::pi / 32;

// Squared distances in the view from one point, kept as the smallest so far.
class Probe {
 public:
  Probe(const ViewPlane& view, double x, double y) : view_(view), x_(x), y_(y) {}

  double best() const { return best_; }
  void Reset() { best_ = INFINITY; }

  void Point(Vec3 p) {
    const double dx = Dot(p, view_.right) - x_;
    const double dy = Dot(p, view_.up) - y_;
    best_ = std::min(best_, dx * dx + dy * dy);
  }

  void Segment(Vec3 a, Vec3 b) {
    const double ax = Dot(a, view_.right) - x_, ay = Dot(a, view_.up) - y_;
    const double bx = Dot(b, view_.right) - x_, by = Dot(b, view_.up) - y_;
    const double ex = bx - ax, ey = by - ay;
    const double length = ex * ex + ey * ey;
    const double t = length > 0 ? std::clamp(-(ax * ex + ay * ey) / length, 0.0, 1.0) : 0.0;
    const double px = ax + t * ex, py = ay + t * ey;
    best_ = std::min(best_, px * px + py * py);
  }

  void Curve(Vec3 center, double radius, Vec3 normal, double start, double sweep) {
    const int pieces = std::max(1, static_cast<int>(std::ceil(sweep / kChordAngle)));
    Vec3 previous = PointAtAngle(center, radius, normal, start);
    for (int k = 1; k <= pieces; ++k) {
      const Vec3 next = PointAtAngle(center, radius, normal, start + sweep * k / pieces);
      Segment(previous, next);
      previous = next;
    }
  }

  void operator()(const Line& line) { Segment(line.start, line.end); }
  void operator()(const Polyline2d& p) {
    const std::vector<Vec3> points = WorldVertices(p);
    for (std::size_t i = 0; i < points.size(); ++i) {
      const bool last = i + 1 == points.size();
      if (last && !p.closed) break;
      const std::size_t next = last ? 0 : i + 1;
      if (p.vertices[i].bulge == 0) Segment(points[i], points[next]);
      else (*this)(BulgeArc(p, p.vertices[i], p.vertices[next]));
    }
    if (points.size() == 1) Point(points[0]);
  }
  void operator()(const Polyline3d& p) {
    const auto& v = p.vertices;
    for (std::size_t i = 0; i + 1 < v.size(); ++i) Segment(v[i], v[i + 1]);
    if (p.closed && v.size() > 2) Segment(v.back(), v.front());
    if (v.size() == 1) Point(v[0]);
  }
  void operator()(const Face3d& face) {
    for (std::size_t i = 0; i < 4; ++i) Segment(face.corners[i], face.corners[(i + 1) % 4]);
  }
  void operator()(const Arc& arc) { Curve(arc.center, arc.radius, arc.normal, arc.startAngle, ArcSweep(arc)); }
  void operator()(const Circle& c) { Curve(c.center, c.radius, c.normal, 0, 2 * std::numbers::pi); }
  void operator()(const Region& region) {
    for (const Loop& loop : region.loops)
      for (const Edge& edge : loop.edges) std::visit(*this, edge);
  }
  void operator()(const MText& label) { Point(label.location); }

 private:
  const ViewPlane& view_;
  double x_;
  double y_;
  double best_ = INFINITY;
};

}  // namespace

std::string NearestEntity(const Drawing& drawing, const ViewPlane& view, double x, double y, double tolerance) {
  Probe probe(view, x, y);
  double nearest = tolerance * tolerance;
  const Entity* found = nullptr;
  for (const Entity& entity : drawing.entities()) {
    probe.Reset();
    std::visit(probe, entity.geometry);
    // The later entity wins a tie: it is drawn on top.
    if (probe.best() <= nearest) {
      nearest = probe.best();
      found = &entity;
    }
  }
  return found ? found->handle : std::string();
}

}  // namespace verdanto
