#pragma once
// What the system needs of a drawing open in the host and of the host's command
// line: small interfaces, each with one backend per host (the stand-in host over
// its drawing, the command-line tool over a DXF file, the tests' scripted
// doubles).
//
// Points and directions are world coordinates unless a name says UCS. Entity
// kinds use the host's class names ("AcDbRegion", "AcDbLine", "AcDbArc",
// "AcDbCircle", "AcDbPolyline", "AcDb3dPolyline", "AcDbFace", "AcDbMText").
// Texts are 8-bit store text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Vec3.h"

namespace verdanto {

// An entity of a drawing: its handle. 0 is no entity.
using EntityId = std::uint64_t;
inline constexpr EntityId kNoEntity = 0;

enum class PromptStatus {
  Ok,         // an answer (a keyword, a text, a picked entity)
  Empty,      // Enter alone (keyword prompts), or a pick that hit nothing
  Cancelled,  // Escape
};

struct PickAnswer {
  PromptStatus status = PromptStatus::Cancelled;
  EntityId entity = kNoEntity;  // with Ok
};

struct PromptAnswer {
  PromptStatus status = PromptStatus::Cancelled;
  std::string text;  // with Ok: the keyword as the allowed list spells it, or the text typed
};

struct LineSegment {
  Vec3 start;
  Vec3 end;
};

// A plane: its origin and two in-plane axes (unit length, at right angles).
struct Plane {
  Vec3 origin;
  Vec3 axis1;
  Vec3 axis2;
};

// Coordinates in a Plane's system: point = origin + x axis1 + y axis2.
struct PlanePoint {
  double x = 0;
  double y = 0;
};

struct Extents {
  Vec3 min;
  Vec3 max;
};

// Where a label's text sits relative to its location (the host's numbering).
enum class TextAttachment : int {
  TopLeft = 1, TopCentre, TopRight,
  MiddleLeft, MiddleCentre, MiddleRight,
  BottomLeft, BottomCentre, BottomRight,
};

// A multi-line text label. It lies in the plane through `location` with normal
// `normal`; its text runs along `direction` and reads correctly from the side
// the normal points to.
struct TextLabel {
  std::string contents;
  std::string style = "STANDARD";  // a text style of the drawing
  double height = 1;
  TextAttachment attachment = TextAttachment::MiddleCentre;
  int colorIndex = 1;              // the host's colour numbering: 1 is red
  Vec3 normal{0, 0, 1};
  Vec3 direction{1, 0, 0};
  Vec3 location;
};

// The host's command line. Every prompt text is shown as it stands ("\n"
// starts a new line); the host decides how input is typed and matched.
class HostCommandLine {
 public:
  virtual ~HostCommandLine() = default;

  // Appends `text` as it stands.
  virtual void Print(std::string_view text) = 0;
  // Asks for one entity of the active document: Ok with the entity, Empty when
  // the pick hit nothing (the caller asks again), Cancelled on Escape.
  virtual PickAnswer PickEntity(std::string_view prompt) = 0;
  // `keywords` are the allowed answers, separated by spaces. Ok with one of
  // them spelt as listed, Empty on Enter alone, Cancelled on Escape.
  virtual PromptAnswer GetKeyword(std::string_view keywords, std::string_view prompt) = 0;
  // A free text, spaces allowed when `allowSpaces`: Ok with the text (possibly
  // empty), or Cancelled.
  virtual PromptAnswer GetString(std::string_view prompt, bool allowSpaces) = 0;
  // Shows the host's idle command prompt again after a dialogue.
  virtual void PostCommandPrompt() = 0;
};

// A drawing open in the host. Queries on an entity that does not exist, or is
// of the wrong kind, answer nothing (empty text, nullopt, false).
class HostDocument {
 public:
  virtual ~HostDocument() = default;
  virtual std::string Name() const = 0;

  // --- Locking: changes to the drawing from the application context (not from
  // inside a command) happen between LockForWrite and Unlock.
  virtual bool InApplicationContext() const = 0;
  virtual bool LockForWrite() = 0;
  virtual void Unlock() = 0;

  // --- Entities
  // The host's class name of an entity or a piece, or "" when there is none.
  virtual std::string EntityKind(EntityId entity) const = 0;
  // A region's edges as pieces: lines, arcs, ... in the region's own order.
  // Pieces are not part of the drawing; their ids answer EntityKind and
  // LineEnds until the next Explode. Nothing when the region cannot be exploded.
  virtual std::optional<std::vector<EntityId>> Explode(EntityId region) = 0;
  virtual std::optional<LineSegment> LineEnds(EntityId line) const = 0;
  // A region's unit normal.
  virtual std::optional<Vec3> RegionNormal(EntityId region) const = 0;
  // A region's plane; the origin and axes are the host's choice.
  virtual std::optional<Plane> RegionPlane(EntityId region) const = 0;
  // A region's area centroid in the system of `plane` (one given by RegionPlane).
  virtual std::optional<PlanePoint> RegionCentroid(EntityId region, const Plane& plane) const = 0;
  virtual std::optional<Extents> EntityExtents(EntityId entity) const = 0;

  // --- The current user coordinate system (UCS)
  virtual Vec3 UcsToWorldPoint(Vec3 point) const = 0;
  virtual Vec3 WorldToUcsPoint(Vec3 point) const = 0;
  virtual Vec3 UcsToWorldDirection(Vec3 direction) const = 0;
  virtual Vec3 WorldToUcsDirection(Vec3 direction) const = 0;
  // Whether two directions are parallel (or opposite) within the host's
  // default tolerance.
  virtual bool IsParallel(Vec3 a, Vec3 b) const = 0;

  // --- Text labels in the current space (model or paper space)
  virtual bool HasCurrentSpace() const = 0;
  virtual bool HasTextStyle(std::string_view name) const = 0;
  // Adds a label to the current space; nothing when it cannot be made.
  virtual std::optional<EntityId> AddLabel(const TextLabel& label) = 0;
  // Reopen a label: change its contents, or its plane, direction and location.
  virtual bool SetLabelContents(EntityId label, std::string_view contents) = 0;
  virtual bool PlaceLabel(EntityId label, Vec3 normal, Vec3 direction, Vec3 location) = 0;
  // Removes an entity from the drawing.
  virtual bool Erase(EntityId entity) = 0;
};

}  // namespace verdanto
