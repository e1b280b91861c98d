#pragma once
// A drawing as the host's document: what the surface tool and the commands ask
// of a drawing, answered from a Drawing and the current user coordinate
// system. Entity ids are the handles' values; the pieces of the last explosion
// get ids of their own above every handle. Prompts are not part of it: they
// come from the host's command line.

#include <string>
#include <vector>

#include "drawing/Drawing.h"
#include "drawing/Ucs.h"
#include "host/HostDocument.h"

namespace verdanto {

class DrawingDocument final : public HostDocument {
 public:
  DrawingDocument(Drawing& drawing, std::string name) : drawing_(drawing), name_(std::move(name)) {}

  Drawing& drawing() { return drawing_; }
  const Ucs& ucs() const { return ucs_; }
  void SetUcs(const Ucs& ucs) { ucs_ = ucs; }
  // Whether calls come from outside a command (a modeless window), where changes need a lock.
  void SetInApplicationContext(bool inside) { applicationContext_ = inside; }
  bool IsLocked() const { return locks_ > 0; }
  void SetName(std::string name) { name_ = std::move(name); }

  static EntityId IdOf(const std::string& handle);

  std::string Name() const override { return name_; }
  bool InApplicationContext() const override { return applicationContext_; }
  bool LockForWrite() override;
  void Unlock() override;

  std::string EntityKind(EntityId entity) const override;
  std::optional<std::vector<EntityId>> Explode(EntityId region) override;
  std::optional<LineSegment> LineEnds(EntityId line) const override;
  std::optional<Vec3> RegionNormal(EntityId region) const override;
  std::optional<Plane> RegionPlane(EntityId region) const override;
  std::optional<PlanePoint> RegionCentroid(EntityId region, const Plane& plane) const override;
  std::optional<Extents> EntityExtents(EntityId entity) const override;

  Vec3 UcsToWorldPoint(Vec3 point) const override;
  Vec3 WorldToUcsPoint(Vec3 point) const override;
  Vec3 UcsToWorldDirection(Vec3 direction) const override;
  Vec3 WorldToUcsDirection(Vec3 direction) const override;
  bool IsParallel(Vec3 a, Vec3 b) const override;

  // The drawing has model space and the text style "STANDARD" from its start.
  bool HasCurrentSpace() const override { return true; }
  bool HasTextStyle(std::string_view name) const override;
  std::optional<EntityId> AddLabel(const TextLabel& label) override;
  bool SetLabelContents(EntityId label, std::string_view contents) override;
  bool PlaceLabel(EntityId label, Vec3 normal, Vec3 direction, Vec3 location) override;
  bool Erase(EntityId entity) override;

 private:
  const Geometry* GeometryOf(EntityId id) const;
  const Region* RegionOf(EntityId id) const;
  MText* LabelOf(EntityId id);

  Drawing& drawing_;
  std::string name_;
  Ucs ucs_;
  bool applicationContext_ = false;
  int locks_ = 0;
  std::vector<Geometry> pieces_;
};

}  // namespace verdanto
