#pragma once
// A document without entities, in the world coordinate system, with nowhere to
// put labels: what a host answers before it has a drawing behind its document.

#include <utility>

#include "host/HostDocument.h"

namespace verdanto {

class EmptyDocument : public HostDocument {
 public:
  explicit EmptyDocument(std::string name) : name_(std::move(name)) {}

  std::string Name() const override { return name_; }
  bool InApplicationContext() const override { return false; }
  bool LockForWrite() override { return true; }
  void Unlock() override {}
  std::string EntityKind(EntityId) const override { return {}; }
  std::optional<std::vector<EntityId>> Explode(EntityId) override { return std::nullopt; }
  std::optional<LineSegment> LineEnds(EntityId) const override { return std::nullopt; }
  std::optional<Vec3> RegionNormal(EntityId) const override { return std::nullopt; }
  std::optional<Plane> RegionPlane(EntityId) const override { return std::nullopt; }
  std::optional<PlanePoint> RegionCentroid(EntityId, const Plane&) const override { return std::nullopt; }
  std::optional<Extents> EntityExtents(EntityId) const override { return std::nullopt; }
  Vec3 UcsToWorldPoint(Vec3 point) const override { return point; }
  Vec3 WorldToUcsPoint(Vec3 point) const override { return point; }
  Vec3 UcsToWorldDirection(Vec3 direction) const override { return direction; }
  Vec3 WorldToUcsDirection(Vec3 direction) const override { return direction; }
  bool IsParallel(Vec3 a, Vec3 b) const override {
    return Length(Cross(Normalized(a), Normalized(b))) <= 1e-12;
  }
  bool HasCurrentSpace() const override { return false; }
  bool HasTextStyle(std::string_view) const override { return false; }
  std::optional<EntityId> AddLabel(const TextLabel&) override { return std::nullopt; }
  bool SetLabelContents(EntityId, std::string_view) override { return false; }
  bool PlaceLabel(EntityId, Vec3, Vec3, Vec3) override { return false; }
  bool Erase(EntityId) override { return false; }

 private:
  std::string name_;
};

}  // namespace verdanto
