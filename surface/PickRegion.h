#pragma once
// Picking the region a surface is made from, with the host's command-line
// dialogue: the prompt is repeated until a region the tool can use is picked.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "host/HostDocument.h"

namespace verdanto {

inline constexpr std::string_view kSelectRegionPrompt = "\nSelect region:";
inline constexpr std::string_view kUnableSelection = "\nUnable to process this selection.";
inline constexpr std::string_view kNotARegion = "\nA region must be selected.";
inline constexpr std::string_view kNoVertices = "\nUnable to process this region: unable to get vertices coordinates.";
inline constexpr std::string_view kNotOnlyLines =
    "\nUnable to process this region: it is composed by entities other than lines.";
inline constexpr const char* kTooManyVertices = "\nUnable to process this region: it has %d vertices (max %d allowed).";
inline constexpr std::string_view kMulticonnected = "\nUnable to process this region: multiconnected region.";

inline constexpr std::string_view kRegionKind = "AcDbRegion";
inline constexpr std::string_view kLineKind = "AcDbLine";

struct PickedRegion {
  std::vector<Vec3> corners;  // P, world points in chain order
  Vec3 normal;
  Plane plane;
  PlanePoint centroid;        // in the plane's system
  Extents extents;
};

// Asks for a region of at most maxVertices line edges forming one loop; says
// why a pick is refused and asks again. Nothing when the user cancels.
std::optional<PickedRegion> PickRegion(HostCommandLine& commandLine, HostDocument& document,
                                       std::uint32_t maxVertices);

}  // namespace verdanto
