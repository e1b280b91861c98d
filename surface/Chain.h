#pragma once
// Chaining a region's line edges into its corner points.

#include <optional>
#include <vector>

#include "base/Vec3.h"
#include "host/HostDocument.h"

namespace verdanto {

// The corners of the loop the pieces form, one per piece, in walking order from
// the start of piece 0. Points meet only when exactly equal. Nothing when the
// pieces do not form one chain (two loops, a gap), or are fewer than three.
std::optional<std::vector<Vec3>> ChainCorners(const std::vector<LineSegment>& pieces);

}  // namespace verdanto
