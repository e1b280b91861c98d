#pragma once
// Reading and writing drawings as DXF files (text DXF, AutoCAD 2000 layout).
//
// A region has no portable DXF form, so each of its loops is written as a
// closed polyline carrying extended data of the application "VERDANTO_REGION":
// 1000 the region's handle, 1070 the loop's index (0 the outer loop), 1070 the
// number of loops, 1040 three times the region's normal. Reading gathers such
// polylines back into their region; other programs see the outlines.

#include <string>
#include <string_view>
#include <vector>

#include "drawing/Drawing.h"

namespace verdanto {

inline constexpr std::string_view kRegionApplication = "VERDANTO_REGION";

struct DxfLoad {
  bool ok = false;
  std::string error;               // why it failed, one sentence
  std::vector<std::string> notes;  // what was left out, one line each
};

// On success the drawing holds the file's entities and nothing else; on
// failure it is left as it was.
DxfLoad LoadDxfText(std::string_view text, Drawing& drawing);
DxfLoad LoadDxfFile(const std::string& path, Drawing& drawing);

// The whole file as text.
std::string WriteDxfText(const Drawing& drawing);
// Written beside the target first and renamed over it, so that a failed save
// leaves the old file as it was. False with a message on failure.
bool SaveDxfFile(const std::string& path, const Drawing& drawing, std::string& error);

}  // namespace verdanto
