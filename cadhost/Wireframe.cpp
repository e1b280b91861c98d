#include "Wireframe.h"

#include <cmath>
#include <numbers>

#include "drawing/Geometry.h"

namespace cadhost {

using verdanto::Vec3;

namespace {

// About 5 degrees a chord: smooth enough on screen, cheap for many arcs.
void AddArcPoints(Path& path, Vec3 center, double radius, Vec3 normal, double start, double sweep) {
  const int chords = std::max(2, static_cast<int>(std::ceil(sweep / (std::numbers::pi / 36))));
  for (int i = 0; i <= chords; ++i) {
    path.push_back(verdanto::PointAtAngle(center, radius, normal, start + sweep * i / chords));
  }
}

void AddEdge(Path& path, const verdanto::Edge& edge) {
  if (const auto* line = std::get_if<verdanto::Line>(&edge)) {
    if (path.empty()) path.push_back(line->start);
    path.push_back(line->end);
  } else {
    const auto& arc = std::get<verdanto::Arc>(edge);
    AddArcPoints(path, arc.center, arc.radius, arc.normal, arc.startAngle, verdanto::ArcSweep(arc));
  }
}

struct PathsOf {
  std::vector<Path> operator()(const verdanto::Line& line) const { return {{line.start, line.end}}; }
  std::vector<Path> operator()(const verdanto::Polyline2d& polyline) const {
    const auto& vertices = polyline.vertices;
    if (vertices.empty()) return {};
    const std::vector<Vec3> world = verdanto::WorldVertices(polyline);
    Path path{world[0]};
    const std::size_t segments = polyline.closed ? vertices.size() : vertices.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
      const std::size_t next = (i + 1) % vertices.size();
      if (vertices[i].bulge != 0) {
        AddEdge(path, verdanto::BulgeArc(polyline, vertices[i], vertices[next]));
      }
      path.push_back(world[next]);
    }
    return {path};
  }
  std::vector<Path> operator()(const verdanto::Polyline3d& polyline) const {
    Path path = polyline.vertices;
    if (polyline.closed && !path.empty()) path.push_back(path.front());
    return {path};
  }
  std::vector<Path> operator()(const verdanto::Face3d& face) const {
    return {{face.corners[0], face.corners[1], face.corners[2], face.corners[3], face.corners[0]}};
  }
  std::vector<Path> operator()(const verdanto::Arc& arc) const {
    Path path;
    AddArcPoints(path, arc.center, arc.radius, arc.normal, arc.startAngle, verdanto::ArcSweep(arc));
    return {path};
  }
  std::vector<Path> operator()(const verdanto::Circle& circle) const {
    Path path;
    AddArcPoints(path, circle.center, circle.radius, circle.normal, 0, 2 * std::numbers::pi);
    return {path};
  }
  std::vector<Path> operator()(const verdanto::Region& region) const {
    std::vector<Path> paths;
    for (const auto& loop : region.loops) {
      Path path;
      for (const auto& edge : loop.edges) AddEdge(path, edge);
      if (!loop.edges.empty()) path.push_back(verdanto::EdgeStart(loop.edges.front()));
      paths.push_back(std::move(path));
    }
    return paths;
  }
  std::vector<Path> operator()(const verdanto::MText&) const { return {}; }
};

}  // namespace

std::vector<Path> WireframeOf(const verdanto::Geometry& geometry) { return std::visit(PathsOf{}, geometry); }

}  // namespace cadhost
