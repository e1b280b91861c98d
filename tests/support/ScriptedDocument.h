#pragma once
// A drawing for tests of the surface tool: regions made of line (or other)
// pieces with the geometry a host gives for them, text labels, a user
// coordinate system, and scripted answers about locking and labels.

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "host/HostDocument.h"

namespace verdanto::testing {

struct ScriptedEntity {
  std::string kind;
  LineSegment line;               // pieces
  std::vector<EntityId> pieces;   // regions
  bool explodes = true;
  Vec3 normal;
  Plane plane;
  PlanePoint centroid;
  Extents extents;
  TextLabel label;                // labels
};

class ScriptedDocument final : public HostDocument {
 public:
  std::map<EntityId, ScriptedEntity> entities;
  // The user coordinate system: origin and unit axes as world coordinates.
  Vec3 ucsOrigin, ucsX{1, 0, 0}, ucsY{0, 1, 0}, ucsZ{0, 0, 1};
  bool applicationContext = true, currentSpace = true, standardStyle = true;
  int lockCount = 0, unlockCount = 0;

  // A piece that is not part of the drawing; the kind names it ("AcDbArc").
  EntityId AddPiece(Vec3 start, Vec3 end, std::string kind = "AcDbLine") {
    ScriptedEntity piece;
    piece.kind = std::move(kind);
    piece.line = {start, end};
    return Add(std::move(piece));
  }

  // A region whose loops are given by their corners, each edge a line from one
  // corner to the next. Plane, centroid and extents come from the first loop.
  EntityId AddRegion(const std::vector<std::vector<Vec3>>& loops, Vec3 normal) {
    ScriptedEntity region;
    region.kind = "AcDbRegion";
    region.normal = normal;
    for (const auto& loop : loops)
      for (std::size_t k = 0; k < loop.size(); ++k)
        region.pieces.push_back(AddPiece(loop[k], loop[(k + 1) % loop.size()]));
    const std::vector<Vec3>& outer = loops.front();
    const Vec3 axis1 = Normalized(outer[1] - outer[0]);
    region.plane = {outer[0], axis1, Cross(normal, axis1)};
    region.centroid = Centroid(outer, region.plane);
    Extents& box = region.extents = {outer[0], outer[0]};
    for (const Vec3& p : outer)
      for (double Vec3::*axis : {&Vec3::x, &Vec3::y, &Vec3::z})
        std::tie(box.min.*axis, box.max.*axis) = std::minmax({box.min.*axis, box.max.*axis, p.*axis});
    return Add(std::move(region));
  }
  EntityId AddRegion(const std::vector<Vec3>& loop, Vec3 normal) {
    return AddRegion(std::vector<std::vector<Vec3>>{loop}, normal);
  }

  std::vector<TextLabel> Labels() const {
    std::vector<TextLabel> labels;
    for (const auto& [id, entity] : entities)
      if (entity.kind == "AcDbMText") labels.push_back(entity.label);
    return labels;
  }

  // --- HostDocument
  std::string Name() const override { return "Scripted.dwg"; }
  bool InApplicationContext() const override { return applicationContext; }
  bool LockForWrite() override { return ++lockCount > 0; }
  void Unlock() override { ++unlockCount; }

  std::string EntityKind(EntityId id) const override {
    const ScriptedEntity* entity = Find(id);
    return entity != nullptr ? entity->kind : std::string();
  }
  std::optional<std::vector<EntityId>> Explode(EntityId id) override {
    const ScriptedEntity* entity = Find(id);
    if (entity == nullptr || !entity->explodes || entity->pieces.empty()) return std::nullopt;
    return entity->pieces;
  }
  std::optional<LineSegment> LineEnds(EntityId id) const override {
    const ScriptedEntity* entity = Find(id);
    if (entity == nullptr || entity->kind != "AcDbLine") return std::nullopt;
    return entity->line;
  }
  std::optional<Vec3> RegionNormal(EntityId id) const override { return OfRegion(id, &ScriptedEntity::normal); }
  std::optional<Plane> RegionPlane(EntityId id) const override { return OfRegion(id, &ScriptedEntity::plane); }
  std::optional<PlanePoint> RegionCentroid(EntityId id, const Plane&) const override {
    return OfRegion(id, &ScriptedEntity::centroid);
  }
  std::optional<Extents> EntityExtents(EntityId id) const override { return OfRegion(id, &ScriptedEntity::extents); }

  Vec3 UcsToWorldPoint(Vec3 p) const override { return ucsOrigin + UcsToWorldDirection(p); }
  Vec3 WorldToUcsPoint(Vec3 p) const override { return WorldToUcsDirection(p - ucsOrigin); }
  Vec3 UcsToWorldDirection(Vec3 d) const override { return d.x * ucsX + d.y * ucsY + d.z * ucsZ; }
  Vec3 WorldToUcsDirection(Vec3 d) const override { return {Dot(d, ucsX), Dot(d, ucsY), Dot(d, ucsZ)}; }
  bool IsParallel(Vec3 a, Vec3 b) const override { return Length(Cross(Normalized(a), Normalized(b))) <= 1e-10; }

  bool HasCurrentSpace() const override { return currentSpace; }
  bool HasTextStyle(std::string_view name) const override { return standardStyle && name == "STANDARD"; }
  std::optional<EntityId> AddLabel(const TextLabel& label) override {
    ScriptedEntity entity;
    entity.kind = "AcDbMText";
    entity.label = label;
    return Add(std::move(entity));
  }
  bool SetLabelContents(EntityId id, std::string_view contents) override {
    ScriptedEntity* label = FindLabel(id);
    if (label != nullptr) label->label.contents = std::string(contents);
    return label != nullptr;
  }
  bool PlaceLabel(EntityId id, Vec3 normal, Vec3 direction, Vec3 location) override {
    ScriptedEntity* label = FindLabel(id);
    if (label == nullptr) return false;
    label->label.normal = normal;
    label->label.direction = direction;
    label->label.location = location;
    return true;
  }
  bool Erase(EntityId id) override { return entities.erase(id) > 0; }

 private:
  EntityId Add(ScriptedEntity entity) {
    const EntityId id = nextId_++;
    entities[id] = std::move(entity);
    return id;
  }
  const ScriptedEntity* Find(EntityId id) const {
    const auto found = entities.find(id);
    return found != entities.end() ? &found->second : nullptr;
  }
  template <typename T>
  std::optional<T> OfRegion(EntityId id, T ScriptedEntity::*member) const {
    const ScriptedEntity* entity = Find(id);
    return entity != nullptr && entity->kind == "AcDbRegion" ? std::optional<T>(entity->*member) : std::nullopt;
  }
  ScriptedEntity* FindLabel(EntityId id) {
    const auto found = entities.find(id);
    return found != entities.end() && found->second.kind == "AcDbMText" ? &found->second : nullptr;
  }
  // The area centroid of a simple polygon, in the plane's system.
  static PlanePoint Centroid(const std::vector<Vec3>& loop, const Plane& plane) {
    double area = 0, cx = 0, cy = 0;
    for (std::size_t k = 0; k < loop.size(); ++k) {
      const Vec3 a = loop[k] - plane.origin;
      const Vec3 b = loop[(k + 1) % loop.size()] - plane.origin;
      const double ax = Dot(a, plane.axis1), ay = Dot(a, plane.axis2);
      const double bx = Dot(b, plane.axis1), by = Dot(b, plane.axis2);
      const double cross = ax * by - bx * ay;
      area += cross;
      cx += (ax + bx) * cross;
      cy += (ay + by) * cross;
    }
    return area != 0 ? PlanePoint{cx / (3 * area), cy / (3 * area)} : PlanePoint{};
  }

  EntityId nextId_ = 0x100;
};

}  // namespace verdanto::testing
