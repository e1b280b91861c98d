#pragma once
// The first pass over a DXF text, before dxflib sees it: checks that the text
// is a sequence of group code and value lines ending in EOF, counts the
// entities it does not read, and hands on only the readable entities of the
// ENTITIES section, with values checked and counts made consistent.
//
// Why: dxflib trusts what a file says. It loops for ever on a line longer
// than its buffer, writes outside an array when a polyline's bulge comes
// before its first vertex, allocates whatever vertex count a file claims,
// reads "nan" as an uninitialised number, and reads handles as decimal. What
// reaches it from here is safe on all of these.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace verdanto {

struct XDataGroup {
  int code = 0;
  std::string value;
};

// An entity as the scan saw it. The entities handed on carry their position
// in `entities` as their handle, which dxflib reads back as a number.
struct ScannedEntity {
  std::string kind;    // "LINE", "VERTEX", ...
  std::string handle;  // as the file gives it, or empty
  std::vector<XDataGroup> xdata;
};

struct DxfScan {
  std::string readable;  // the DXF text for dxflib
  std::vector<ScannedEntity> entities;
  std::map<std::string, int> unsupported;  // kind -> count
  std::map<std::string, int> unusable;     // kind -> count, for bad or out-of-range values
  int shortenedTexts = 0;
};

// False with a message for a text that is no complete text DXF file.
bool ScanDxf(std::string_view text, DxfScan& scan, std::string& error);

}  // namespace verdanto
