#pragma once
// An entity as the view draws it: open paths of world points (arcs as short
// chords). A text label has no paths: the view writes it in its plane.

#include <vector>

#include "drawing/Entities.h"

namespace cadhost {

using Path = std::vector<verdanto::Vec3>;
std::vector<Path> WireframeOf(const verdanto::Geometry& geometry);

}  // namespace cadhost
