#pragma once
// The surface's own frame: origin at the region's centroid, z along its normal,
// x level in the user coordinate system where the surface is not horizontal.
// Local coordinates measure the corners in that frame.

#include <vector>

#include "base/Vec3.h"
#include "host/HostDocument.h"

namespace verdanto {

struct SurfaceFrame {
  Vec3 origin;  // C, the area centroid
  Vec3 normal;  // N, unit length
  Vec3 xAxis;
  Vec3 yAxis;   // N x xAxis, as long as xAxis
};

// ucsX and ucsZ are the user coordinate system's x and z axes as world
// directions; `zAlongNormal` tells whether ucsZ is parallel to the normal
// (the host's tolerance decides). Then xAxis is ucsX, else ucsZ x N.
SurfaceFrame MakeSurfaceFrame(Vec3 centroid, Vec3 normal, Vec3 ucsX, Vec3 ucsZ, bool zAlongNormal);

// The frame seen from the other side: N and xAxis reversed, yAxis kept.
SurfaceFrame FlipFrame(const SurfaceFrame& frame);

// A world point's (x, y) in the frame. xAxis and yAxis are equally long, so
// measuring along the unit axes keeps every comparison between local points.
PlanePoint ToLocal(const SurfaceFrame& frame, Vec3 world);
std::vector<PlanePoint> ToLocal(const SurfaceFrame& frame, const std::vector<Vec3>& world);

// Signed area of the closed polygon (positive when counter-clockwise).
double SignedArea(const std::vector<PlanePoint>& polygon);

}  // namespace verdanto
