// Reading DXF through dxflib (Debian: libdxflib-dev). Of the two maintained DXF
// libraries packaged in Debian, dxflib was chosen over dime (libdime-dev):
// dxflib is small, hands each entity to a callback as plain data in the
// order of the file, and reads from memory as well as from a path; dime builds
// its own object tree of the whole file, which we would only copy out again,
// and its maintenance upstream has stopped. dxflib trusts its input too much,
// so DxfScan checks and tidies the text before it is read here.

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <cmath>
#include <map>
#include <numbers>
#include <sstream>

#include "base/WholeFile.h"
#include "drawing/DxfFile.h"
#include "drawing/DxfScan.h"

namespace verdanto {
namespace {

constexpr double kDegrees = std::numbers::pi / 180;

struct RegionLoop {
  int index = 0;
  int count = 0;
  Vec3 normal;
  std::string layer;
  std::string handle;
  Geometry outline;  // the polyline as read, kept when the region is incomplete
};

// The loop of a region that a polyline's extended data describes, if any.
bool ReadRegionMark(const std::vector<XDataGroup>& xdata, std::string& key, RegionLoop& loop) {
  std::size_t i = 0;
  while (i < xdata.size() && !(xdata[i].code == 1001 && xdata[i].value == kRegionApplication)) ++i;
  const int codes[] = {1000, 1070, 1070, 1040, 1040, 1040};
  if (i + std::size(codes) >= xdata.size()) return false;
  double numbers[6] = {};
  for (std::size_t k = 0; k < std::size(codes); ++k) {
    const XDataGroup& group = xdata[i + 1 + k];
    if (group.code != codes[k]) return false;
    if (k == 0) continue;
    std::istringstream in(group.value);
    in.imbue(std::locale::classic());
    if (!(in >> numbers[k]) || !std::isfinite(numbers[k])) return false;
  }
  key = xdata[i + 1].value;
  loop.index = static_cast<int>(numbers[1]);
  loop.count = static_cast<int>(numbers[2]);
  loop.normal = Normalized({numbers[3], numbers[4], numbers[5]});
  return loop.count > 0 && loop.index >= 0 && loop.index < loop.count && Length(loop.normal) > 0;
}

std::vector<Edge> EdgesOf(const Geometry& outline) {
  std::vector<Edge> edges;
  if (const auto* p3 = std::get_if<Polyline3d>(&outline)) {
    const auto& v = p3->vertices;
    for (std::size_t i = 0; i < v.size(); ++i)
      if (v[i] != v[(i + 1) % v.size()]) edges.emplace_back(Line{v[i], v[(i + 1) % v.size()]});
  } else if (const auto* p2 = std::get_if<Polyline2d>(&outline)) {
    const std::vector<Vec3> world = WorldVertices(*p2);
    for (std::size_t i = 0; i < world.size(); ++i) {
      const std::size_t next = (i + 1) % world.size();
      if (world[i] == world[next]) continue;
      if (p2->vertices[i].bulge == 0) edges.emplace_back(Line{world[i], world[next]});
      else edges.emplace_back(BulgeArc(*p2, p2->vertices[i], p2->vertices[next]));
    }
  }
  return edges;
}

// Reads a text in place (an istringstream would copy it first).
class TextBuffer final : public std::streambuf {
 public:
  explicit TextBuffer(std::string& text) {
    char* begin = text.data();
    setg(begin, begin, begin + text.size());
  }
};

std::string KindCounts(const std::map<std::string, int>& counts, int& total) {
  std::string list;
  total = 0;
  for (const auto& [kind, count] : counts) {
    if (!list.empty()) list += ", ";
    list += kind + " " + std::to_string(count);
    total += count;
  }
  return list;
}

class DrawingBuilder final : public DL_CreationAdapter {
 public:
  DrawingBuilder(const DxfScan& scan, Drawing& drawing) : scan_(scan), drawing_(drawing) {}

  void addLine(const DL_LineData& d) override {
    FinishPolyline();
    Add(Line{{d.x1, d.y1, d.z1}, {d.x2, d.y2, d.z2}});
  }

  void addArc(const DL_ArcData& d) override {
    FinishPolyline();
    const Vec3 normal = Normal();
    if (!(d.radius > 0) || Length(normal) == 0) return Unusable();
    Add(Arc{OcsToWorld({d.cx, d.cy, d.cz}, normal), d.radius, d.angle1 * kDegrees, d.angle2 * kDegrees, normal});
  }

  void addCircle(const DL_CircleData& d) override {
    FinishPolyline();
    const Vec3 normal = Normal();
    if (!(d.radius > 0) || Length(normal) == 0) return Unusable();
    Add(Circle{OcsToWorld({d.cx, d.cy, d.cz}, normal), d.radius, normal});
  }

  void add3dFace(const DL_3dFaceData& d) override {
    FinishPolyline();
    Face3d face;
    for (std::size_t k = 0; k < 4; ++k) face.corners[k] = {d.x[k], d.y[k], d.z[k]};
    Add(face);
  }

  void addPolyline(const DL_PolylineData& d) override {
    FinishPolyline();
    polyline_ = Pending{};
    polyline_.active = true;
    polyline_.entity = getAttributes().getHandle();
    polyline_.layer = getAttributes().getLayer();
    polyline_.threeD = (d.flags & 8) != 0;
    polyline_.flat.closed = polyline_.spatial.closed = (d.flags & 1) != 0;
    polyline_.flat.normal = Normal();
    polyline_.flat.elevation = getExtrusion()->getElevation();
  }

  void addVertex(const DL_VertexData& d) override {
    if (!polyline_.active) return;
    if (polyline_.threeD) polyline_.spatial.vertices.push_back({d.x, d.y, d.z});
    else polyline_.flat.vertices.push_back({d.x, d.y, std::isfinite(d.bulge) ? d.bulge : 0});
  }

  void endEntity() override { FinishPolyline(); }
  void endSequence() override { FinishPolyline(); }

  void addText(const DL_TextData& d) override {
    FinishPolyline();
    const Vec3 normal = Normal();
    if (Length(normal) == 0) return Unusable();
    MText label;
    label.contents = d.text;
    label.style = d.style.empty() ? "STANDARD" : d.style;
    label.height = d.height;
    label.normal = normal;
    label.colorIndex = getAttributes().getColor();
    const PlaneAxes axes = ArbitraryAxes(normal);
    label.direction = std::cos(d.angle) * axes.x + std::sin(d.angle) * axes.y;
    // Justified text sits at its second point; plain text at its first, on the baseline.
    const bool justified = d.hJustification != 0 || d.vJustification != 0;
    label.location = OcsToWorld(justified ? Vec3{d.apx, d.apy, d.apz} : Vec3{d.ipx, d.ipy, d.ipz}, normal);
    const int row = d.vJustification == 3 ? 0 : d.vJustification == 2 ? 1 : 2;
    const int column = d.hJustification == 1 || d.hJustification == 4 ? 1 : d.hJustification == 2 ? 2 : 0;
    label.attachment = row * 3 + column + 1;
    Add(label);
  }

  void addMTextChunk(const std::string& text) override { chunks_ += text; }

  void addMText(const DL_MTextData& d) override {
    FinishPolyline();
    const Vec3 normal = Normal();
    if (Length(normal) == 0) {
      chunks_.clear();
      return Unusable();
    }
    MText label;
    label.contents = chunks_ + d.text;
    chunks_.clear();
    label.style = d.style.empty() ? "STANDARD" : d.style;
    label.height = d.height;
    label.attachment = d.attachmentPoint >= 1 && d.attachmentPoint <= 9 ? d.attachmentPoint : 1;
    label.colorIndex = getAttributes().getColor();
    label.normal = normal;
    label.location = {d.ipx, d.ipy, d.ipz};
    const Vec3 direction{d.dirx, d.diry, d.dirz};
    const PlaneAxes axes = ArbitraryAxes(normal);
    label.direction = Length(direction) > 0 ? Normalized(direction)
                                            : std::cos(d.angle) * axes.x + std::sin(d.angle) * axes.y;
    Add(label);
  }

  // After the last entity: regions from their loops, in the order first seen.
  void Finish(std::vector<std::string>& notes) {
    FinishPolyline();
    int orphans = 0;
    for (const std::string& key : regionOrder_) {
      std::vector<RegionLoop>& loops = regions_[key];
      std::vector<const RegionLoop*> byIndex(static_cast<std::size_t>(loops.front().count), nullptr);
      bool complete = true;
      for (const RegionLoop& loop : loops) {
        if (loop.count != loops.front().count || byIndex[static_cast<std::size_t>(loop.index)]) complete = false;
        else byIndex[static_cast<std::size_t>(loop.index)] = &loop;
      }
      for (const RegionLoop* loop : byIndex) complete = complete && loop && !EdgesOf(loop->outline).empty();
      if (!complete) {
        for (RegionLoop& loop : loops) drawing_.AddWithHandle(loop.handle, std::move(loop.outline), loop.layer);
        orphans += static_cast<int>(loops.size());
        continue;
      }
      Region region;
      region.normal = byIndex[0]->normal;
      for (const RegionLoop* loop : byIndex) region.loops.push_back(Loop{EdgesOf(loop->outline)});
      drawing_.AddWithHandle(key, std::move(region), byIndex[0]->layer);
    }
    if (orphans > 0)
      notes.push_back("Read " + std::to_string(orphans) + " outline" + (orphans == 1 ? "" : "s") +
                      " of incomplete regions as polylines.");
  }

  const std::map<std::string, int>& unusable() const { return unusable_; }

 private:
  struct Pending {
    bool active = false;
    bool threeD = false;
    int entity = -1;
    std::string layer;
    Polyline2d flat;
    Polyline3d spatial;
  };

  Vec3 Normal() {
    double d[3] = {};
    getExtrusion()->getDirection(d);
    return Normalized({d[0], d[1], d[2]});
  }

  const ScannedEntity* Scanned(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < scan_.entities.size()
               ? &scan_.entities[static_cast<std::size_t>(index)]
               : nullptr;
  }

  void Unusable() {
    const ScannedEntity* scanned = Scanned(getAttributes().getHandle());
    ++unusable_[scanned ? scanned->kind : "?"];
  }

  void Add(Geometry geometry) { AddAs(getAttributes().getHandle(), getAttributes().getLayer(), std::move(geometry)); }

  void AddAs(int index, const std::string& layer, Geometry geometry) {
    const ScannedEntity* scanned = Scanned(index);
    drawing_.AddWithHandle(scanned ? scanned->handle : std::string(), std::move(geometry), layer);
  }

  void FinishPolyline() {
    if (!polyline_.active) return;
    polyline_.active = false;
    if (!polyline_.threeD && Length(polyline_.flat.normal) == 0) {
      ++unusable_[Scanned(polyline_.entity) ? Scanned(polyline_.entity)->kind : "?"];
      return;
    }
    Geometry outline = polyline_.threeD ? Geometry(std::move(polyline_.spatial)) : Geometry(std::move(polyline_.flat));
    const ScannedEntity* scanned = Scanned(polyline_.entity);
    std::string key;
    RegionLoop loop;
    if (scanned && ReadRegionMark(scanned->xdata, key, loop)) {
      loop.layer = polyline_.layer;
      loop.handle = scanned->handle;
      loop.outline = std::move(outline);
      if (!regions_.contains(key)) regionOrder_.push_back(key);
      regions_[key].push_back(std::move(loop));
      return;
    }
    AddAs(polyline_.entity, polyline_.layer, std::move(outline));
  }

  const DxfScan& scan_;
  Drawing& drawing_;
  Pending polyline_;
  std::string chunks_;
  std::map<std::string, std::vector<RegionLoop>> regions_;
  std::vector<std::string> regionOrder_;
  std::map<std::string, int> unusable_;
};

}  // namespace

DxfLoad LoadDxfText(std::string_view text, Drawing& drawing) {
  DxfLoad result;
  DxfScan scan;
  if (!ScanDxf(text, scan, result.error)) return result;

  Drawing read;
  read.Reserve(scan.entities.size());
  DrawingBuilder builder(scan, read);
  TextBuffer buffer(scan.readable);
  std::istream stream(&buffer);
  DL_Dxf dxf;
  if (!dxf.in(stream, &builder)) {
    result.error = "The drawing could not be read.";
    return result;
  }
  builder.Finish(result.notes);

  std::map<std::string, int> unusable = scan.unusable;
  for (const auto& [kind, count] : builder.unusable()) unusable[kind] += count;
  int total = 0;
  if (const std::string list = KindCounts(scan.unsupported, total); total > 0)
    result.notes.push_back("Skipped " + std::to_string(total) + (total == 1 ? " entity of an unsupported kind (" : " entities of unsupported kinds (") +
                           list + ").");
  if (const std::string list = KindCounts(unusable, total); total > 0)
    result.notes.push_back("Skipped " + std::to_string(total) + (total == 1 ? " entity" : " entities") +
                           " with unreadable or out-of-range values (" + list + ").");
  if (scan.shortenedTexts > 0)
    result.notes.push_back("Shortened " + std::to_string(scan.shortenedTexts) + " text" +
                           (scan.shortenedTexts == 1 ? "" : "s") + " longer than 1000 characters.");
  drawing = std::move(read);
  result.ok = true;
  return result;
}

DxfLoad LoadDxfFile(const std::string& path, Drawing& drawing) {
  WholeFile file;
  switch (file.Read(path)) {
    case ReadStatus::Ok:
      return LoadDxfText(file.text(), drawing);
    case ReadStatus::TooLarge:
      return {false, "\"" + path + "\" is too large to be read.", {}};
    case ReadStatus::CannotOpen:
      return {false, "\"" + path + "\" cannot be opened.", {}};
    case ReadStatus::CannotRead:
      break;
  }
  return {false, "\"" + path + "\" cannot be read.", {}};
}

}  // namespace verdanto
