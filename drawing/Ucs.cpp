#include "drawing/Ucs.h"

#include <cmath>

namespace verdanto {

std::optional<Ucs> MakeUcs(Vec3 origin, Vec3 xDirection, Vec3 inPlane) {
  const Vec3 z = Normalized(Cross(xDirection, inPlane));
  if (Length(xDirection) == 0 || Length(z) == 0 || !std::isfinite(Length(z))) return std::nullopt;
  const Vec3 x = Normalized(xDirection);
  return Ucs{origin, x, Cross(z, x), z};
}

Ucs RotateUcs(const Ucs& ucs, int axis, double angle) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  Ucs turned = ucs;
  // Each pair turns in its plane, counter-clockwise about the third axis.
  auto turn = [c, s](Vec3& a, Vec3& b) {
    const Vec3 oldA = a;
    a = c * a + s * b;
    b = c * b - s * oldA;
  };
  if (axis == 0) turn(turned.yAxis, turned.zAxis);
  else if (axis == 1) turn(turned.zAxis, turned.xAxis);
  else turn(turned.xAxis, turned.yAxis);
  return turned;
}

Vec3 UcsToWorldDirection(const Ucs& ucs, Vec3 d) { return d.x * ucs.xAxis + d.y * ucs.yAxis + d.z * ucs.zAxis; }
Vec3 UcsToWorldPoint(const Ucs& ucs, Vec3 point) { return ucs.origin + UcsToWorldDirection(ucs, point); }
Vec3 WorldToUcsDirection(const Ucs& ucs, Vec3 d) { return {Dot(d, ucs.xAxis), Dot(d, ucs.yAxis), Dot(d, ucs.zAxis)}; }
Vec3 WorldToUcsPoint(const Ucs& ucs, Vec3 point) { return WorldToUcsDirection(ucs, point - ucs.origin); }

bool AreParallel(Vec3 a, Vec3 b, double tolerance) {
  if (Length(a) == 0 || Length(b) == 0) return false;
  return Length(Cross(Normalized(a), Normalized(b))) <= tolerance;
}

}  // namespace verdanto
