#pragma once
// Making regions from closed outlines and taking regions out of others, as a
// CAD program's REGION and SUBTRACT commands do.

#include <optional>
#include <string>
#include <vector>

#include "drawing/Drawing.h"

namespace verdanto {

// One closed outline: a closed 2D or 3D polyline, a 3D face or a circle. The
// normal of a 2D polyline or circle is its own; that of a 3D face or 3D
// polyline follows the right-hand rule of its vertex order (Newell's method).
// Refuses open outlines and outlines without area, with the reason.
std::optional<Region> RegionFromOutline(const Geometry& outline, std::string& reason);

// Lines joined end to start, in order, into one loop; the normal follows the
// right-hand rule of the order.
std::optional<Region> RegionFromLines(const std::vector<Line>& loop, std::string& reason);

// The REGION command on the entities with these handles: every closed outline
// becomes a region, and the lines among them are joined into closed loops, one
// region per loop. Each region goes on its source's layer and its sources are
// erased; whatever cannot become a region stays, with a line in `messages`.
struct RegionCommandResult {
  std::vector<std::string> regions;   // handles of the new regions
  std::vector<std::string> messages;  // one line each, the count last: "2 regions created."
};
RegionCommandResult MakeRegions(Drawing& drawing, const std::vector<std::string>& handles);

// The SUBTRACT command: every region of `inner` that lies inside `outer`, in its
// plane, becomes a hole of `outer` and is erased; the others stay, with a
// message. Regions with holes of their own are not taken out.
struct SubtractResult {
  int subtracted = 0;
  std::vector<std::string> messages;
};
SubtractResult SubtractRegions(Drawing& drawing, const std::string& outer, const std::vector<std::string>& inner);

}  // namespace verdanto
