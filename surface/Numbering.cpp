#include "surface/Numbering.h"

namespace verdanto {

namespace {

// The band around best.y that counts as level with it; it has width only on
// the side of the centroid where the searched corners lie.
constexpr double kAbove = 1.00000001;
constexpr double kBelow = 0.99999999;

}  // namespace

std::size_t FindStartingCorner(const std::vector<PlanePoint>& local, Corner corner) {
  if (local.empty()) return 0;
  const bool lowest = corner == Corner::LowerLeft || corner == Corner::LowerRight;
  const bool leftmost = corner == Corner::LowerLeft || corner == Corner::UpperLeft;
  PlanePoint best = local[0];
  std::size_t start = 0;
  for (std::size_t k = 0; k < local.size(); ++k) {
    const PlanePoint q = local[k];
    const double hi = kAbove * best.y;
    const double lo = kBelow * best.y;
    bool take = false;
    if (lowest) {
      if (q.y < hi) {
        take = true;
      } else if (q.y != hi && q.y < lo) {
        take = leftmost ? q.x < best.x : q.x > best.x;
      }
    } else {
      if (q.y > hi) {
        take = true;
      } else if (q.y != hi && q.y > lo) {
        take = leftmost ? q.x < best.x : q.x > best.x;
      }
    }
    if (take) {
      best = q;
      start = k;
    }
  }
  return start;
}

bool NeedsReverse(double signedArea, bool counterClockwise) {
  return !((signedArea > 0 && counterClockwise) || (signedArea < 0 && !counterClockwise));
}

std::size_t NumberedIndex(const Numbering& numbering, std::size_t k, std::size_t n) {
  if (n == 0) return 0;
  const long long d = (numbering.reverse ? -1 : 1) * (numbering.flip ? -1 : 1);
  const auto count = static_cast<long long>(n);
  long long index = ((numbering.shift + static_cast<long long>(k)) * d + static_cast<long long>(numbering.start)) % count;
  if (index < 0) index += count;
  return static_cast<std::size_t>(index);
}

}  // namespace verdanto
