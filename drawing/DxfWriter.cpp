// Writing DXF through dxflib's writer: it lays out the header, the tables,
// the blocks and the objects an AutoCAD 2000 file needs; our entities are
// written with its group writer, since its own entity writers leave out
// extrusion directions, elevations and 3D polylines.

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numbers>
#include <set>

#include "base/SafeSave.h"
#include "drawing/DxfFile.h"
#include "drawing/Region.h"

namespace verdanto {
namespace {

constexpr double kDegrees = 180 / std::numbers::pi;
constexpr std::size_t kTextChunk = 250;  // DXF splits long texts into pieces of this size

// dxflib's writer with its output in memory, numbers in their shortest exact
// form (dxflib's own format loses digits and overflows its buffer on huge
// values) and the drawing's handles kept on its entities.
class TextWriter final : public DL_WriterA {
 public:
  TextWriter(std::string& text, std::uint64_t firstFreeHandle)
      : DL_WriterA("/dev/null", DL_Codes::AC1015), text_(text) {
    m_handle = static_cast<unsigned long>(firstFreeHandle);
  }

  // The handle the next entity is written with; without one it gets a new handle.
  void NextHandle(std::string handle) { next_ = std::move(handle); }

  void dxfReal(int gc, double value) const override {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value == 0 ? 0.0 : value);
    std::string_view number(digits, static_cast<std::size_t>(end.ptr - digits));
    Group(gc, number);
    // Whole numbers keep a decimal point, as DXF readers expect of real values.
    if (number.find_first_of(".eEni") == std::string_view::npos) text_.insert(text_.size() - 1, ".0");
  }
  void dxfInt(int gc, int value) const override { Group(gc, std::to_string(value)); }
  void dxfHex(int gc, int value) const override {
    if (gc == 5 && !next_.empty()) {
      Group(gc, next_);
      next_.clear();
      return;
    }
    char digits[20];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<unsigned>(value), 16);
    std::string hex(digits, end.ptr);
    for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Group(gc, hex);
  }
  void dxfString(int gc, const char* value) const override { Group(gc, value); }
  void dxfString(int gc, const std::string& value) const override { Group(gc, value); }

 private:
  void Group(int gc, std::string_view value) const {
    text_.append(gc < 10 ? "  " : gc < 100 ? " " : "").append(std::to_string(gc)).append("\n");
    text_.append(value).append("\n");
  }

  std::string& text_;
  mutable std::string next_;
};

DL_Attributes AttributesOf(const Entity& entity, int color = kColorByLayer) {
  return DL_Attributes(entity.layer, color, -1, -1, "BYLAYER");
}

void Point(const TextWriter& w, int code, Vec3 p) {
  w.dxfReal(code, p.x);
  w.dxfReal(code + 10, p.y);
  w.dxfReal(code + 20, p.z);
}

void Extrusion(const TextWriter& w, Vec3 normal) {
  if (normal != Vec3{0, 0, 1}) Point(w, 210, normal);
}

// dxflib writes the tables and objects with fixed handles below 30 (hex) and
// FFFF; an entity whose handle is one of those gets a new one in the file.
bool IsReserved(const std::string& handle) {
  std::uint64_t value = 0;
  return !ParseHandle(handle, value) || value < 0x30 || value == 0xFFFF;
}

void Begin(TextWriter& w, const char* kind, const std::string& handle, const Entity& entity, const char* subclass,
           int color = kColorByLayer) {
  w.NextHandle(IsReserved(handle) ? std::string() : handle);
  w.entity(kind);
  w.dxfString(100, "AcDbEntity");
  w.entityAttributes(AttributesOf(entity, color));
  w.dxfString(100, subclass);
}

void WriteArcLike(TextWriter& w, const Entity& entity, Vec3 center, double radius, Vec3 normal, const Arc* arc) {
  Begin(w, arc ? "ARC" : "CIRCLE", entity.handle, entity, "AcDbCircle");
  Point(w, 10, WorldToOcs(center, normal));
  w.dxfReal(40, radius);
  Extrusion(w, Normalized(normal));
  if (!arc) return;
  w.dxfString(100, "AcDbArc");
  w.dxfReal(50, arc->startAngle * kDegrees);
  w.dxfReal(51, arc->endAngle * kDegrees);
}

void WriteLightweight(TextWriter& w, const Entity& entity, const std::string& handle, const Polyline2d& p) {
  Begin(w, "LWPOLYLINE", handle, entity, "AcDbPolyline");
  w.dxfInt(90, static_cast<int>(p.vertices.size()));
  w.dxfInt(70, p.closed ? 1 : 0);
  if (p.elevation != 0) w.dxfReal(38, p.elevation);
  for (const PolylineVertex& v : p.vertices) {
    w.dxfReal(10, v.x);
    w.dxfReal(20, v.y);
    if (v.bulge != 0) w.dxfReal(42, v.bulge);
  }
  Extrusion(w, Normalized(p.normal));
}

// A 3D polyline: its header, then (after `extra`, the header's extended data) its vertices.
template <typename Extra>
void Write3dPolyline(TextWriter& w, const Entity& entity, const std::string& handle, const Polyline3d& p,
                     Extra extra) {
  Begin(w, "POLYLINE", handle, entity, "AcDb3dPolyline");
  w.dxfInt(66, 1);
  Point(w, 10, {});
  w.dxfInt(70, 8 | (p.closed ? 1 : 0));
  extra();
  for (const Vec3& vertex : p.vertices) {
    Begin(w, "VERTEX", {}, entity, "AcDbVertex");
    w.dxfString(100, "AcDb3dPolylineVertex");
    Point(w, 10, vertex);
    w.dxfInt(70, 32);
  }
  w.entity("SEQEND");
  w.dxfString(100, "AcDbEntity");
  w.dxfString(8, entity.layer);
}

void RegionMark(const TextWriter& w, const Entity& entity, const Region& region, std::size_t loop) {
  w.dxfString(1001, std::string(kRegionApplication));
  w.dxfString(1000, entity.handle);
  w.dxfInt(1070, static_cast<int>(loop));
  w.dxfInt(1070, static_cast<int>(region.loops.size()));
  w.dxfReal(1040, region.normal.x);
  w.dxfReal(1040, region.normal.y);
  w.dxfReal(1040, region.normal.z);
}

// A loop of straight edges goes out as a 3D polyline with exact corners; one
// with arcs as a 2D polyline with bulges in the region's plane.
void WriteRegion(TextWriter& w, const Entity& entity, const Region& region) {
  for (std::size_t i = 0; i < region.loops.size(); ++i) {
    const Loop& loop = region.loops[i];
    const std::string handle = i == 0 ? entity.handle : std::string();
    const bool straight =
        std::all_of(loop.edges.begin(), loop.edges.end(), [](const Edge& e) { return std::holds_alternative<Line>(e); });
    if (straight) {
      Polyline3d outline{{}, true};
      for (const Edge& edge : loop.edges) outline.vertices.push_back(EdgeStart(edge));
      Write3dPolyline(w, entity, handle, outline, [&] { RegionMark(w, entity, region, i); });
      continue;
    }
    Polyline2d outline;
    outline.closed = true;
    outline.normal = region.normal;
    for (const Edge& edge : loop.edges) {
      const Vec3 start = WorldToOcs(EdgeStart(edge), region.normal);
      outline.elevation = start.z;
      const Arc* arc = std::get_if<Arc>(&edge);
      if (!arc) {
        outline.vertices.push_back({start.x, start.y, 0});
        continue;
      }
      const double sign = Dot(arc->normal, region.normal) >= 0 ? 1.0 : -1.0;
      const double sweep = ArcSweep(*arc);
      // A bulge describes less than a whole turn: a closed arc goes in two halves.
      const int pieces = sweep > 1.5 * std::numbers::pi ? 2 : 1;
      for (int k = 0; k < pieces; ++k) {
        const double angle = arc->startAngle + sweep * k / pieces;
        const Vec3 at = WorldToOcs(PointAtAngle(arc->center, arc->radius, arc->normal, angle), region.normal);
        outline.vertices.push_back({at.x, at.y, sign * std::tan(sweep / pieces / 4)});
      }
    }
    WriteLightweight(w, entity, handle, outline);
    RegionMark(w, entity, region, i);
  }
}

void WriteLabel(TextWriter& w, const Entity& entity, const MText& label) {
  Begin(w, "MTEXT", entity.handle, entity, "AcDbMText", label.colorIndex);
  Point(w, 10, label.location);
  w.dxfReal(40, label.height);
  w.dxfReal(41, 0);
  w.dxfInt(71, label.attachment);
  w.dxfInt(72, 1);
  std::string_view rest = label.contents;
  while (rest.size() > kTextChunk) {
    w.dxfString(3, std::string(rest.substr(0, kTextChunk)));
    rest.remove_prefix(kTextChunk);
  }
  w.dxfString(1, std::string(rest));
  w.dxfString(7, label.style);
  Extrusion(w, Normalized(label.normal));
  Point(w, 11, label.direction);
}

struct EntityWriter {
  TextWriter& w;
  const Entity& entity;

  void operator()(const Line& line) const {
    Begin(w, "LINE", entity.handle, entity, "AcDbLine");
    Point(w, 10, line.start);
    Point(w, 11, line.end);
  }
  void operator()(const Polyline2d& p) const { WriteLightweight(w, entity, entity.handle, p); }
  void operator()(const Polyline3d& p) const { Write3dPolyline(w, entity, entity.handle, p, [] {}); }
  void operator()(const Face3d& face) const {
    Begin(w, "3DFACE", entity.handle, entity, "AcDbFace");
    for (int k = 0; k < 4; ++k) Point(w, 10 + k, face.corners[static_cast<std::size_t>(k)]);
  }
  void operator()(const Arc& arc) const { WriteArcLike(w, entity, arc.center, arc.radius, arc.normal, &arc); }
  void operator()(const Circle& c) const { WriteArcLike(w, entity, c.center, c.radius, c.normal, nullptr); }
  void operator()(const Region& region) const { WriteRegion(w, entity, region); }
  void operator()(const MText& label) const { WriteLabel(w, entity, label); }
};

}  // namespace

std::string WriteDxfText(const Drawing& drawing) {
  std::set<std::string> layers{"0"};
  std::set<std::string> styles{"STANDARD"};
  std::uint64_t highest = 0;
  for (const Entity& entity : drawing.entities()) {
    layers.insert(entity.layer);
    if (const auto* label = std::get_if<MText>(&entity.geometry)) styles.insert(label->style);
    std::uint64_t value = 0;
    if (ParseHandle(entity.handle, value)) highest = std::max(highest, value);
  }

  std::string text;
  // The tables' handles follow the entities' so that none is used twice.
  TextWriter w(text, std::max<std::uint64_t>(highest + 1, 0x30));
  DL_Dxf dxf;
  dxf.writeHeader(w);
  w.sectionEnd();
  w.sectionTables();
  dxf.writeVPort(w);
  w.tableLinetypes(3);
  dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
  w.tableEnd();
  w.tableLayers(static_cast<int>(layers.size()));
  for (const std::string& layer : layers)
    dxf.writeLayer(w, DL_LayerData(layer, 0), DL_Attributes("", 7, -1, -1, "CONTINUOUS"));
  w.tableEnd();
  w.tableStyle(static_cast<int>(styles.size()));
  for (const std::string& style : styles)
    dxf.writeStyle(w, DL_StyleData(style, 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
  w.tableEnd();
  dxf.writeView(w);
  dxf.writeUcs(w);
  w.tableAppid(2);
  dxf.writeAppid(w, "ACAD");
  dxf.writeAppid(w, std::string(kRegionApplication));
  w.tableEnd();
  dxf.writeDimStyle(w, 2.5, 0.625, 0.625, 0.625, 2.5);
  dxf.writeBlockRecord(w);
  w.tableEnd();
  w.sectionEnd();
  w.sectionBlocks();
  dxf.writeBlock(w, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
  dxf.writeEndBlock(w, "*Model_Space");
  dxf.writeBlock(w, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
  dxf.writeEndBlock(w, "*Paper_Space");
  dxf.writeBlock(w, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
  dxf.writeEndBlock(w, "*Paper_Space0");
  w.sectionEnd();
  w.sectionEntities();
  for (const Entity& entity : drawing.entities()) std::visit(EntityWriter{w, entity}, entity.geometry);
  w.sectionEnd();
  dxf.writeObjects(w);
  dxf.writeObjectsEnd(w);
  w.dxfEOF();
  return text;
}

bool SaveDxfFile(const std::string& path, const Drawing& drawing, std::string& error) {
  const std::string text = WriteDxfText(drawing);
  if (SaveFileSafely(path, [&text](int fd) { return WriteAllBytes(fd, text); })) return true;
  error = "\"" + path + "\" could not be written.";
  return false;
}

}  // namespace verdanto
