#include "surface/PickRegion.h"

#include "base/Text.h"
#include "surface/Chain.h"

namespace verdanto {

namespace {

// The region's corners and geometry, or the message that refuses it.
std::optional<PickedRegion> ReadRegion(HostDocument& document, EntityId region, std::uint32_t maxVertices,
                                       std::string& refusal) {
  const std::string kind = document.EntityKind(region);
  if (kind.empty()) {
    refusal = kUnableSelection;
    return std::nullopt;
  }
  if (kind != kRegionKind) {
    refusal = kNotARegion;
    return std::nullopt;
  }
  refusal = kNoVertices;
  const auto pieces = document.Explode(region);
  if (!pieces || pieces->empty()) return std::nullopt;
  for (EntityId piece : *pieces) {
    if (document.EntityKind(piece) != kLineKind) {
      refusal = kNotOnlyLines;
      return std::nullopt;
    }
  }
  if (pieces->size() > maxVertices) {
    refusal = Format(kTooManyVertices, static_cast<int>(pieces->size()), static_cast<int>(maxVertices));
    return std::nullopt;
  }
  std::vector<LineSegment> lines;
  for (EntityId piece : *pieces) {
    const auto ends = document.LineEnds(piece);
    if (!ends) return std::nullopt;
    lines.push_back(*ends);
  }
  auto corners = ChainCorners(lines);
  if (!corners) {
    refusal = kMulticonnected;
    return std::nullopt;
  }
  const auto normal = document.RegionNormal(region);
  const auto plane = document.RegionPlane(region);
  const auto centroid = plane ? document.RegionCentroid(region, *plane) : std::nullopt;
  const auto extents = document.EntityExtents(region);
  if (!normal || !centroid || !extents) return std::nullopt;
  return PickedRegion{std::move(*corners), *normal, *plane, *centroid, *extents};
}

}  // namespace

std::optional<PickedRegion> PickRegion(HostCommandLine& commandLine, HostDocument& document,
                                       std::uint32_t maxVertices) {
  for (;;) {
    const PickAnswer pick = commandLine.PickEntity(kSelectRegionPrompt);
    if (pick.status == PromptStatus::Cancelled) return std::nullopt;
    if (pick.status == PromptStatus::Empty) continue;
    std::string refusal;
    auto region = ReadRegion(document, pick.entity, maxVertices, refusal);
    if (region) return region;
    commandLine.Print(refusal);
  }
}

}  // namespace verdanto
