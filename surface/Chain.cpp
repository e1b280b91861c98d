#include "surface/Chain.h"

namespace verdanto {

std::optional<std::vector<Vec3>> ChainCorners(const std::vector<LineSegment>& pieces) {
  const std::size_t n = pieces.size();
  if (n < 3) return std::nullopt;
  std::vector<Vec3> corners{pieces[0].start, pieces[0].end};
  corners.reserve(n);
  std::size_t last = 0;
  // Piece 0 is never looked at again, so the walk cannot close a loop early
  // and go on: a second loop leaves pieces that nothing reaches.
  for (std::size_t k = 2; k < n; ++k) {
    const Vec3 at = corners.back();
    bool matched = false;
    for (std::size_t j = 1; j < n && !matched; ++j) {
      if (j == last) continue;
      if (pieces[j].start == at) {
        corners.push_back(pieces[j].end);
      } else if (pieces[j].end == at) {
        corners.push_back(pieces[j].start);
      } else {
        continue;
      }
      last = j;
      matched = true;
    }
    if (!matched) return std::nullopt;
  }
  return corners;
}

}  // namespace verdanto
