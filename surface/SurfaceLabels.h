#pragma once
// The labels the surface tool shows in the drawing while it runs: the number
// of each vertex at its corner and a centre label at the centroid.

#include <string_view>
#include <vector>

#include "host/HostDocument.h"
#include "surface/SurfaceFrame.h"

namespace verdanto {

class SurfaceLabels {
 public:
  explicit SurfaceLabels(HostDocument& document) : document_(document) {}

  // One label "1" … "n" at each corner in numbering order, then the centre
  // label; sized from the region's extents. False when the drawing has no
  // room for labels (no current space, no "STANDARD" style) or refuses one.
  bool Place(const SurfaceFrame& frame, const std::vector<Vec3>& numbered, const Extents& extents,
             std::string_view centreText);
  // Follows a new frame or numbering.
  void Move(const SurfaceFrame& frame, const std::vector<Vec3>& numbered);
  void SetCentreText(std::string_view text);
  void EraseNumbers();
  void EraseAll();

 private:
  HostDocument& document_;
  std::vector<EntityId> numbers_;
  EntityId centre_ = kNoEntity;
};

}  // namespace verdanto
