#pragma once
// Which corner gets which vertex number: the starting corner search and the
// numbering formula shared by the labels and the written fields.

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "host/HostDocument.h"

namespace verdanto {

enum class Corner : int { LowerLeft = 0, LowerRight = 1, UpperLeft = 2, UpperRight = 3 };
inline constexpr std::array<std::string_view, 4> kCornerKeywords = {"LLC", "LRC", "ULC", "URC"};

// The index of the starting corner among the local corner points: the lowest
// (or highest) one, and of those equal within a relative 1e-8, the leftmost
// (or rightmost). Ties keep the earlier corner.
std::size_t FindStartingCorner(const std::vector<PlanePoint>& local, Corner corner);

// Whether the chain order must be walked backwards to enter the vertices in the
// wanted order, given the signed area of the chain in the surface's frame. A
// zero area counts as backwards.
bool NeedsReverse(double signedArea, bool counterClockwise);

struct Numbering {
  bool reverse = false;  // walk the chain backwards
  bool flip = false;     // the surface faces the other way
  int shift = 0;         // vertex 1 moved this many corners along the entry order
  std::size_t start = 0; // s, the starting corner
};

// The chain index of vertex number k + 1 among n corners.
std::size_t NumberedIndex(const Numbering& numbering, std::size_t k, std::size_t n);

}  // namespace verdanto
