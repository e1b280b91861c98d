#pragma once
// The surface tool: turns a planar region of the host drawing into a surface's
// vertex list. It picks the region, shows the proposed numbering as labels in
// the drawing, lets the user flip the facing, choose the entry order and the
// starting corner and name the surface, all on the host's command line. Writing
// the fields (WriteVertexFields) is left to the caller, which owns the store.

#include <cstdint>
#include <string>
#include <vector>

#include "base/Vec3.h"
#include "host/HostDocument.h"

namespace verdanto {

// Choices that outlive one run (kept by the main window).
struct SurfaceSettings {
  std::int32_t vertexEntryOrder = 1;  // 1 counter-clockwise, 0 clockwise, seen from the side the surface faces
  std::int32_t startingCorner = 0;    // a Corner
};

struct SurfaceRequest {
  std::uint32_t maxVertices = 0;  // the class's vertex triples
  bool asksName = false;          // the class's first field is its name
  std::string defaultName;        // offered by the name question
};

struct SurfaceResult {
  bool accepted = false;         // every question answered: write the fields
  std::string name;              // the name typed; empty when none was
  std::vector<Vec3> vertices;    // user coordinates, vertex 1 first
};

inline constexpr const char* kFlipPrompt =
    "\nCurrent surface setting:  VertexEntry=%s  SurfaceStartingPosition=%s\nFlip surface normal? [Yes/No] <No>: ";
inline constexpr const char* kOrderPrompt = "\nSpecify vertices entry order [CCW/CW] <%s>: ";
inline constexpr std::string_view kCornerPrompt =
    "\nSpecify surface starting position [LLC/LRC/ULC/URC/SForward/SBackward]: ";
inline constexpr const char* kNamePrompt = "\nSpecify surface name <%s>: ";
inline constexpr std::string_view kCentreLabel = "outside";

// Runs the dialogue. Labels are left in the drawing only as the centre label
// of an accepted surface. The document is locked while the drawing changes when
// the host asks for it, and the command prompt is shown again at the end.
SurfaceResult RunSurfaceFromRegion(HostCommandLine& commandLine, HostDocument& document,
                                   const SurfaceRequest& request, SurfaceSettings& settings);

}  // namespace verdanto
