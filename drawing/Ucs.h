#pragma once
// A user coordinate system: an origin and three orthonormal, right-handed
// axes in world coordinates, with conversions both ways.

#include <optional>

#include "base/Vec3.h"

namespace verdanto {

struct Ucs {
  Vec3 origin;
  Vec3 xAxis{1, 0, 0};
  Vec3 yAxis{0, 1, 0};
  Vec3 zAxis{0, 0, 1};
};

// The system with its origin at `origin`, its x axis along `xDirection` and its
// y axis in the plane of `xDirection` and `inPlane`, on the side of `inPlane`;
// none when the two directions are zero or parallel.
std::optional<Ucs> MakeUcs(Vec3 origin, Vec3 xDirection, Vec3 inPlane);
// The system turned by `angle` (radians, counter-clockwise seen from the
// positive end) about its own x (0), y (1) or z (2) axis.
Ucs RotateUcs(const Ucs& ucs, int axis, double angle);

Vec3 UcsToWorldPoint(const Ucs& ucs, Vec3 point);
Vec3 UcsToWorldDirection(const Ucs& ucs, Vec3 direction);
Vec3 WorldToUcsPoint(const Ucs& ucs, Vec3 point);
Vec3 WorldToUcsDirection(const Ucs& ucs, Vec3 direction);

// Two vectors are parallel (or opposite) when the cross product of their unit
// vectors is no longer than this: 1e-10, about the sine of the angle between
// them, the default vector tolerance of a CAD geometry kernel. A zero vector is
// parallel to nothing.
inline constexpr double kParallelTolerance = 1e-10;
bool AreParallel(Vec3 a, Vec3 b, double tolerance = kParallelTolerance);

}  // namespace verdanto
