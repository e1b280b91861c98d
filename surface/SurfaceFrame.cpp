#include "surface/SurfaceFrame.h"

namespace verdanto {

SurfaceFrame MakeSurfaceFrame(Vec3 centroid, Vec3 normal, Vec3 ucsX, Vec3 ucsZ, bool zAlongNormal) {
  const Vec3 xAxis = zAlongNormal ? ucsX : Cross(ucsZ, normal);
  return {centroid, normal, xAxis, Cross(normal, xAxis)};
}

SurfaceFrame FlipFrame(const SurfaceFrame& frame) { return {frame.origin, -frame.normal, -frame.xAxis, frame.yAxis}; }

PlanePoint ToLocal(const SurfaceFrame& frame, Vec3 world) {
  const Vec3 offset = world - frame.origin;
  return {Dot(offset, Normalized(frame.xAxis)), Dot(offset, Normalized(frame.yAxis))};
}

std::vector<PlanePoint> ToLocal(const SurfaceFrame& frame, const std::vector<Vec3>& world) {
  std::vector<PlanePoint> local;
  local.reserve(world.size());
  for (const Vec3& point : world) local.push_back(ToLocal(frame, point));
  return local;
}

double SignedArea(const std::vector<PlanePoint>& polygon) {
  double twice = 0;
  for (std::size_t k = 0; k < polygon.size(); ++k) {
    const PlanePoint& a = polygon[k];
    const PlanePoint& b = polygon[(k + 1) % polygon.size()];
    twice += a.x * b.y - a.y * b.x;
  }
  return 0.5 * twice;
}

}  // namespace verdanto
