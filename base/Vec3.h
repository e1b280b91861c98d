#pragma once
// A point or direction in 3D, in double precision, with the few operations the
// drawing, the host interface and the surface tool share.

#include <cmath>

namespace verdanto {

struct Vec3 {
  double x = 0;
  double y = 0;
  double z = 0;

  friend bool operator==(const Vec3&, const Vec3&) = default;
  friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  friend Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
  friend Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
  friend Vec3 operator*(Vec3 a, double s) { return s * a; }
};

inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline double Distance(Vec3 a, Vec3 b) { return Length(a - b); }
// The zero vector stays zero.
inline Vec3 Normalized(Vec3 a) {
  const double length = Length(a);
  return length > 0 ? (1.0 / length) * a : a;
}

}  // namespace verdanto
