#include "drawing/RegionMaking.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "drawing/Geometry.h"
#include "drawing/Region.h"
#include "drawing/Ucs.h"

namespace verdanto {
namespace {

// Relative tolerances against the size of the outline: points closer than
// this are one point; an area below this times the size squared is none; a
// corner farther off the plane than this times the size is out of the plane.
constexpr double kSameTolerance = 1e-10;
constexpr double kAreaTolerance = 1e-10;
constexpr double kPlaneTolerance = 1e-9;

bool SamePoint(Vec3 a, Vec3 b) {
  const double scale = std::max({1.0, std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)});
  return Distance(a, b) <= kSameTolerance * scale;
}

// Newell's method, about the first point for accuracy far from the origin: a
// loop counter-clockwise about a direction gives that direction.
Vec3 NewellNormal(const std::vector<Vec3>& points) {
  Vec3 sum;
  const Vec3 base = points.front();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Vec3 a = points[i] - base;
    const Vec3 b = points[(i + 1) % points.size()] - base;
    sum = sum + Vec3{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y)};
  }
  return Normalized(sum);
}

// Consecutive repeats and a closing repeat of the first point are dropped.
std::vector<Vec3> DistinctCorners(const std::vector<Vec3>& points) {
  std::vector<Vec3> corners;
  for (const Vec3& p : points)
    if (corners.empty() || !SamePoint(corners.back(), p)) corners.push_back(p);
  while (corners.size() > 1 && SamePoint(corners.front(), corners.back())) corners.pop_back();
  return corners;
}

double SizeOf(const Region& region) {
  const BoundingBox extents = EntityExtents(region);
  return extents.IsEmpty() ? 0 : Distance(extents.min, extents.max);
}

bool HasArea(const Region& region, std::string& reason) {
  const double size = SizeOf(region);
  if (!std::isfinite(size) || std::fabs(AreaPropertiesOf(region).area) <= kAreaTolerance * size * size) {
    reason = "the outline encloses no area";
    return false;
  }
  return true;
}

// A region of straight edges through `corners`, facing by the right-hand rule.
std::optional<Region> RegionThroughCorners(const std::vector<Vec3>& points, std::string& reason) {
  const std::vector<Vec3> corners = DistinctCorners(points);
  if (corners.size() < 3) {
    reason = "the outline encloses no area";
    return std::nullopt;
  }
  Region region;
  region.normal = NewellNormal(corners);
  if (Length(region.normal) == 0 || !std::isfinite(Length(region.normal))) {
    reason = "the outline encloses no area";
    return std::nullopt;
  }
  Loop loop;
  for (std::size_t i = 0; i < corners.size(); ++i)
    loop.edges.emplace_back(Line{corners[i], corners[(i + 1) % corners.size()]});
  region.loops.push_back(std::move(loop));
  if (!HasArea(region, reason)) return std::nullopt;
  const double size = SizeOf(region);
  for (const Vec3& corner : corners) {
    if (std::fabs(Dot(corner - corners.front(), region.normal)) > kPlaneTolerance * size) {
      reason = "the corners do not lie in one plane";
      return std::nullopt;
    }
  }
  return region;
}

std::optional<Region> RegionFromPolyline2d(const Polyline2d& polyline, std::string& reason) {
  std::vector<PolylineVertex> vertices = polyline.vertices;
  const std::vector<Vec3> world = WorldVertices(polyline);
  bool closed = polyline.closed;
  if (!closed && world.size() > 2 && SamePoint(world.front(), world.back())) {
    vertices.pop_back();
    closed = true;
  }
  if (!closed) {
    reason = "the polyline is not closed";
    return std::nullopt;
  }
  Region region;
  region.normal = Normalized(polyline.normal);
  Loop loop;
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    const std::size_t next = (i + 1) % vertices.size();
    if (SamePoint(world[i], world[next])) continue;
    if (vertices[i].bulge == 0)
      loop.edges.emplace_back(Line{world[i], world[next]});
    else
      loop.edges.emplace_back(BulgeArc(polyline, vertices[i], vertices[next]));
  }
  region.loops.push_back(std::move(loop));
  if (region.loops[0].edges.empty() || !HasArea(region, reason)) {
    reason = "the outline encloses no area";
    return std::nullopt;
  }
  return region;
}

std::optional<Region> RegionFromCircle(const Circle& circle, std::string& reason) {
  if (!(circle.radius > 0) || Length(circle.normal) == 0) {
    reason = "the outline encloses no area";
    return std::nullopt;
  }
  Region region;
  region.normal = Normalized(circle.normal);
  region.loops.push_back(Loop{{Arc{circle.center, circle.radius, 0, 2 * std::numbers::pi, region.normal}}});
  return region;
}

std::string Plural(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

struct SourcedLine {
  std::string handle;
  std::string layer;
  Line line;
};

}  // namespace

std::optional<Region> RegionFromOutline(const Geometry& outline, std::string& reason) {
  if (const auto* polyline = std::get_if<Polyline2d>(&outline)) return RegionFromPolyline2d(*polyline, reason);
  if (const auto* circle = std::get_if<Circle>(&outline)) return RegionFromCircle(*circle, reason);
  if (const auto* face = std::get_if<Face3d>(&outline))
    return RegionThroughCorners({face->corners.begin(), face->corners.end()}, reason);
  if (const auto* polyline = std::get_if<Polyline3d>(&outline)) {
    const auto& v = polyline->vertices;
    if (!polyline->closed && !(v.size() > 2 && SamePoint(v.front(), v.back()))) {
      reason = "the polyline is not closed";
      return std::nullopt;
    }
    return RegionThroughCorners(v, reason);
  }
  reason = "an entity of this kind does not enclose an area";
  return std::nullopt;
}

std::optional<Region> RegionFromLines(const std::vector<Line>& loop, std::string& reason) {
  std::vector<Vec3> corners;
  for (std::size_t i = 0; i < loop.size(); ++i) {
    if (!SamePoint(loop[i].end, loop[(i + 1) % loop.size()].start)) {
      reason = "the lines do not form a closed loop";
      return std::nullopt;
    }
    corners.push_back(loop[i].start);
  }
  return RegionThroughCorners(corners, reason);
}

RegionCommandResult MakeRegions(Drawing& drawing, const std::vector<std::string>& handles) {
  RegionCommandResult result;
  std::vector<std::string> used;
  std::vector<SourcedLine> lines;
  std::vector<std::pair<Region, std::string>> made;  // region, layer
  for (const std::string& handle : handles) {
    const Entity* entity = drawing.Find(handle);
    if (!entity) continue;
    if (const auto* line = std::get_if<Line>(&entity->geometry)) {
      lines.push_back({entity->handle, entity->layer, *line});
      continue;
    }
    std::string reason;
    if (auto region = RegionFromOutline(entity->geometry, reason)) {
      made.emplace_back(std::move(*region), entity->layer);
      used.push_back(entity->handle);
    } else {
      result.messages.push_back("Entity " + entity->handle + ": " + reason + ".");
    }
  }

  // Lines are joined end to end, either way round, until a chain closes.
  std::vector<bool> taken(lines.size(), false);
  for (std::size_t first = 0; first < lines.size(); ++first) {
    if (taken[first]) continue;
    taken[first] = true;
    std::vector<std::size_t> chain{first};
    std::vector<Line> loop{lines[first].line};
    while (!SamePoint(loop.back().end, loop.front().start)) {
      bool extended = false;
      for (std::size_t j = 0; j < lines.size() && !extended; ++j) {
        if (taken[j]) continue;
        const Line& next = lines[j].line;
        if (SamePoint(next.start, loop.back().end)) loop.push_back(next);
        else if (SamePoint(next.end, loop.back().end)) loop.push_back({next.end, next.start});
        else continue;
        taken[j] = extended = true;
        chain.push_back(j);
      }
      if (!extended) break;
    }
    std::string reason;
    std::optional<Region> region = RegionFromLines(loop, reason);
    if (!region) {
      result.messages.push_back("Lines from " + lines[first].handle + ": " + reason + ".");
      continue;
    }
    made.emplace_back(std::move(*region), lines[first].layer);
    for (const std::size_t j : chain) used.push_back(lines[j].handle);
  }

  for (const std::string& handle : used) drawing.Erase(handle);
  for (auto& [region, layer] : made) result.regions.push_back(drawing.Add(std::move(region), layer));
  result.messages.push_back(Plural(result.regions.size(), "region", "regions") + " created.");
  return result;
}

namespace {

// The outline of a loop as points in the region's plane, arcs in short chords.
std::vector<std::array<double, 2>> Outline(const Loop& loop, const PlaneSystem& plane) {
  constexpr int kArcPieces = 64;
  std::vector<std::array<double, 2>> points;
  auto add = [&](Vec3 p) {
    const Vec3 d = p - plane.origin;
    points.push_back({Dot(d, plane.xAxis), Dot(d, plane.yAxis)});
  };
  for (const Edge& edge : loop.edges) {
    if (const Arc* arc = std::get_if<Arc>(&edge)) {
      const double sweep = ArcSweep(*arc);
      for (int k = 0; k < kArcPieces; ++k)
        add(PointAtAngle(arc->center, arc->radius, arc->normal, arc->startAngle + sweep * k / kArcPieces));
    } else {
      add(EdgeStart(edge));
    }
  }
  return points;
}

bool Inside(const std::vector<std::array<double, 2>>& polygon, std::array<double, 2> p) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const auto& a = polygon[i];
    const auto& b = polygon[j];
    if ((a[1] > p[1]) != (b[1] > p[1]) && p[0] < (b[0] - a[0]) * (p[1] - a[1]) / (b[1] - a[1]) + a[0])
      inside = !inside;
  }
  return inside;
}

std::string WhyNotInside(const Region& outer, const Region& inner) {
  if (inner.loops.size() != 1) return "it has holes of its own";
  if (!AreParallel(outer.normal, inner.normal)) return "it does not lie in the same plane";
  const PlaneSystem plane = PlaneOf(outer);
  const double size = SizeOf(outer);
  for (const Edge& edge : inner.loops[0].edges)
    if (std::fabs(Dot(EdgeStart(edge) - plane.origin, outer.normal)) > kPlaneTolerance * size)
      return "it does not lie in the same plane";
  const auto boundary = Outline(outer.loops[0], plane);
  const auto points = Outline(inner.loops[0], plane);
  for (const auto& p : points) {
    if (!Inside(boundary, p)) return "it does not lie inside the region";
    for (std::size_t h = 1; h < outer.loops.size(); ++h)
      if (Inside(Outline(outer.loops[h], plane), p)) return "it overlaps a hole of the region";
  }
  return {};
}

}  // namespace

SubtractResult SubtractRegions(Drawing& drawing, const std::string& outerHandle, const std::vector<std::string>& inner) {
  SubtractResult result;
  Entity* outerEntity = drawing.Find(outerHandle);
  if (!outerEntity || !std::holds_alternative<Region>(outerEntity->geometry)) {
    result.messages.push_back("Entity " + outerHandle + " is not a region.");
    return result;
  }
  const std::string outerKey = outerEntity->handle;
  for (const std::string& handle : inner) {
    const Entity* entity = drawing.Find(handle);
    Entity* outer = drawing.Find(outerKey);
    if (!entity || entity == outer) continue;
    const Region* hole = std::get_if<Region>(&entity->geometry);
    if (!hole) {
      result.messages.push_back("Entity " + entity->handle + " is not a region.");
      continue;
    }
    Region& target = std::get<Region>(outer->geometry);
    if (const std::string why = WhyNotInside(target, *hole); !why.empty()) {
      result.messages.push_back("Region " + entity->handle + " is not subtracted: " + why + ".");
      continue;
    }
    target.loops.push_back(hole->loops[0]);
    drawing.Erase(entity->handle);
    ++result.subtracted;
  }
  result.messages.push_back(Plural(static_cast<std::size_t>(result.subtracted), "region", "regions") +
                            " subtracted.");
  return result;
}

}  // namespace verdanto
