#include "drawing/DrawingDocument.h"

#include <strings.h>

#include "drawing/Region.h"

namespace verdanto {
namespace {

// Handles are at most 16 hexadecimal digits, but the ones of a drawing stay far
// below this; pieces count up from it.
constexpr EntityId kFirstPieceId = 0xFFFF'FFFF'0000'0000u;

}  // namespace

EntityId DrawingDocument::IdOf(const std::string& handle) {
  std::uint64_t value = 0;
  return ParseHandle(handle, value) ? value : kNoEntity;
}

bool DrawingDocument::LockForWrite() {
  ++locks_;
  return true;
}

void DrawingDocument::Unlock() {
  if (locks_ > 0) --locks_;
}

const Geometry* DrawingDocument::GeometryOf(EntityId id) const {
  if (id >= kFirstPieceId) {
    const std::uint64_t piece = id - kFirstPieceId;
    return piece < pieces_.size() ? &pieces_[piece] : nullptr;
  }
  if (id == kNoEntity) return nullptr;
  const Entity* entity = drawing_.Find(HandleText(id));
  return entity ? &entity->geometry : nullptr;
}

const Region* DrawingDocument::RegionOf(EntityId id) const {
  const Geometry* geometry = GeometryOf(id);
  return geometry ? std::get_if<Region>(geometry) : nullptr;
}

MText* DrawingDocument::LabelOf(EntityId id) {
  if (id == kNoEntity || id >= kFirstPieceId) return nullptr;
  Entity* entity = drawing_.Find(HandleText(id));
  return entity ? std::get_if<MText>(&entity->geometry) : nullptr;
}

std::string DrawingDocument::EntityKind(EntityId entity) const {
  const Geometry* geometry = GeometryOf(entity);
  return geometry ? std::string(EntityClassName(*geometry)) : std::string();
}

std::optional<std::vector<EntityId>> DrawingDocument::Explode(EntityId region) {
  const Region* found = RegionOf(region);
  if (!found || found->loops.empty()) return std::nullopt;
  pieces_ = ExplodeRegion(*found);
  std::vector<EntityId> ids;
  for (std::size_t i = 0; i < pieces_.size(); ++i) ids.push_back(kFirstPieceId + i);
  return ids;
}

std::optional<LineSegment> DrawingDocument::LineEnds(EntityId line) const {
  const Geometry* geometry = GeometryOf(line);
  const Line* found = geometry ? std::get_if<Line>(geometry) : nullptr;
  if (!found) return std::nullopt;
  return LineSegment{found->start, found->end};
}

std::optional<Vec3> DrawingDocument::RegionNormal(EntityId region) const {
  const Region* found = RegionOf(region);
  return found ? std::optional<Vec3>(found->normal) : std::nullopt;
}

std::optional<Plane> DrawingDocument::RegionPlane(EntityId region) const {
  const Region* found = RegionOf(region);
  if (!found) return std::nullopt;
  const PlaneSystem plane = PlaneOf(*found);
  return Plane{plane.origin, plane.xAxis, plane.yAxis};
}

std::optional<PlanePoint> DrawingDocument::RegionCentroid(EntityId region, const Plane& plane) const {
  const Region* found = RegionOf(region);
  if (!found) return std::nullopt;
  // The centroid comes in the region's own plane system; it is given in the one asked for.
  const PlaneSystem own = PlaneOf(*found);
  const AreaProperties area = AreaPropertiesOf(*found);
  const Vec3 centroid = own.origin + area.centroidX * own.xAxis + area.centroidY * own.yAxis;
  return PlanePoint{Dot(centroid - plane.origin, plane.axis1), Dot(centroid - plane.origin, plane.axis2)};
}

std::optional<Extents> DrawingDocument::EntityExtents(EntityId entity) const {
  const Geometry* geometry = GeometryOf(entity);
  if (!geometry) return std::nullopt;
  const BoundingBox box = verdanto::EntityExtents(*geometry);
  if (box.IsEmpty()) return std::nullopt;
  return Extents{box.min, box.max};
}

Vec3 DrawingDocument::UcsToWorldPoint(Vec3 point) const { return verdanto::UcsToWorldPoint(ucs_, point); }
Vec3 DrawingDocument::WorldToUcsPoint(Vec3 point) const { return verdanto::WorldToUcsPoint(ucs_, point); }
Vec3 DrawingDocument::UcsToWorldDirection(Vec3 d) const { return verdanto::UcsToWorldDirection(ucs_, d); }
Vec3 DrawingDocument::WorldToUcsDirection(Vec3 d) const { return verdanto::WorldToUcsDirection(ucs_, d); }
bool DrawingDocument::IsParallel(Vec3 a, Vec3 b) const { return AreParallel(a, b); }

bool DrawingDocument::HasTextStyle(std::string_view name) const {
  return name.size() == 8 && ::strncasecmp(name.data(), "STANDARD", 8) == 0;
}

std::optional<EntityId> DrawingDocument::AddLabel(const TextLabel& label) {
  if (!HasTextStyle(label.style)) return std::nullopt;
  MText text;
  text.contents = label.contents;
  text.style = "STANDARD";
  text.height = label.height;
  text.attachment = static_cast<int>(label.attachment);
  text.colorIndex = label.colorIndex;
  text.normal = label.normal;
  text.direction = label.direction;
  text.location = label.location;
  return IdOf(drawing_.Add(std::move(text)));
}

bool DrawingDocument::SetLabelContents(EntityId label, std::string_view contents) {
  MText* text = LabelOf(label);
  if (!text) return false;
  text->contents = std::string(contents);
  return true;
}

bool DrawingDocument::PlaceLabel(EntityId label, Vec3 normal, Vec3 direction, Vec3 location) {
  MText* text = LabelOf(label);
  if (!text) return false;
  text->normal = normal;
  text->direction = direction;
  text->location = location;
  return true;
}

bool DrawingDocument::Erase(EntityId entity) {
  if (entity == kNoEntity || entity >= kFirstPieceId) return false;
  return drawing_.Erase(HandleText(entity));
}

}  // namespace verdanto
