#include "surface/SurfaceFromRegion.h"

#include <optional>

#include "base/Text.h"
#include "surface/Numbering.h"
#include "surface/PickRegion.h"
#include "surface/SurfaceFrame.h"
#include "surface/SurfaceLabels.h"

namespace verdanto {

namespace {

constexpr std::string_view kOrderNames[2] = {"CW", "CCW"};  // by vertexEntryOrder

std::string_view OrderName(std::int32_t order) { return kOrderNames[order != 0 ? 1 : 0]; }

std::string_view CornerName(std::int32_t corner) {
  return kCornerKeywords[static_cast<std::size_t>(corner) % kCornerKeywords.size()];
}

// One run's state once a region is picked.
class SurfaceRun {
 public:
  SurfaceRun(HostCommandLine& commandLine, HostDocument& document, SurfaceSettings& settings, PickedRegion region)
      : commandLine_(commandLine), document_(document), settings_(settings), region_(std::move(region)),
        labels_(document) {}

  // Steps after the pick; false when the user cancelled or the drawing has no
  // room for the labels.
  bool Ask(const SurfaceRequest& request, std::string& name);
  std::vector<Vec3> UcsVertices() const;

 private:
  void MakeFrame();
  void FindStart() { numbering_.start = FindStartingCorner(ToLocal(frame_, region_.corners), Corner{settings_.startingCorner}); }
  std::vector<Vec3> Numbered() const;
  void Renumber() {
    FindStart();
    labels_.Move(frame_, Numbered());
  }
  bool AskFlip();
  bool AskOrder();
  bool AskCorner();
  bool AskName(const SurfaceRequest& request, std::string& name);

  HostCommandLine& commandLine_;
  HostDocument& document_;
  SurfaceSettings& settings_;
  PickedRegion region_;
  SurfaceLabels labels_;
  SurfaceFrame frame_;
  Numbering numbering_;
};

void SurfaceRun::MakeFrame() {
  const Vec3 ucsX = document_.UcsToWorldDirection({1, 0, 0});
  const Vec3 ucsZ = document_.UcsToWorldDirection({0, 0, 1});
  const Plane& plane = region_.plane;
  const Vec3 centroid = plane.origin + region_.centroid.x * plane.axis1 + region_.centroid.y * plane.axis2;
  frame_ = MakeSurfaceFrame(centroid, region_.normal, ucsX, ucsZ, document_.IsParallel(ucsZ, region_.normal));
}

std::vector<Vec3> SurfaceRun::Numbered() const {
  const std::size_t n = region_.corners.size();
  std::vector<Vec3> numbered;
  numbered.reserve(n);
  for (std::size_t k = 0; k < n; ++k) numbered.push_back(region_.corners[NumberedIndex(numbering_, k, n)]);
  return numbered;
}

std::vector<Vec3> SurfaceRun::UcsVertices() const {
  std::vector<Vec3> vertices = Numbered();
  for (Vec3& vertex : vertices) vertex = document_.WorldToUcsPoint(vertex);
  return vertices;
}

bool SurfaceRun::AskFlip() {
  const PromptAnswer answer = commandLine_.GetKeyword(
      "Yes No", Format(kFlipPrompt, OrderName(settings_.vertexEntryOrder).data(),
                       CornerName(settings_.startingCorner).data()));
  if (answer.status == PromptStatus::Cancelled) return false;
  if (answer.status == PromptStatus::Ok && answer.text == "Yes") {
    frame_ = FlipFrame(frame_);
    numbering_.flip = true;
    Renumber();
  }
  return true;
}

bool SurfaceRun::AskOrder() {
  const PromptAnswer answer =
      commandLine_.GetKeyword("CCW CW", Format(kOrderPrompt, OrderName(settings_.vertexEntryOrder).data()));
  if (answer.status == PromptStatus::Cancelled) return false;
  if (answer.status == PromptStatus::Ok && answer.text != OrderName(settings_.vertexEntryOrder)) {
    settings_.vertexEntryOrder = settings_.vertexEntryOrder != 0 ? 0 : 1;
    numbering_.reverse = !numbering_.reverse;
    Renumber();
  }
  return true;
}

bool SurfaceRun::AskCorner() {
  // The corner last asked for; after a shift the same corner counts as new (-1).
  std::int32_t shown = settings_.startingCorner;
  for (;;) {
    const PromptAnswer answer = commandLine_.GetKeyword("LLC LRC ULC URC SForward SBackward", kCornerPrompt);
    if (answer.status == PromptStatus::Cancelled) return false;
    if (answer.status == PromptStatus::Empty) return true;
    if (answer.text == "SForward" || answer.text == "SBackward") {
      numbering_.shift += answer.text == "SForward" ? 1 : -1;
      shown = -1;
    } else {
      std::int32_t corner = 0;
      while (corner < 4 && CornerName(corner) != answer.text) ++corner;
      if (corner == 4 || corner == shown) continue;
      settings_.startingCorner = corner;
      numbering_.shift = 0;
      shown = corner;
    }
    Renumber();
  }
}

bool SurfaceRun::AskName(const SurfaceRequest& request, std::string& name) {
  const PromptAnswer answer = commandLine_.GetString(Format(kNamePrompt, request.defaultName.c_str()), true);
  if (answer.status == PromptStatus::Cancelled) return false;
  if (answer.status == PromptStatus::Ok && !answer.text.empty()) name = answer.text;
  const std::string& shown = name.empty() ? request.defaultName : name;
  if (!shown.empty()) labels_.SetCentreText(shown);
  return true;
}

bool SurfaceRun::Ask(const SurfaceRequest& request, std::string& name) {
  MakeFrame();
  numbering_.reverse = NeedsReverse(SignedArea(ToLocal(frame_, region_.corners)), settings_.vertexEntryOrder != 0);
  FindStart();
  if (!labels_.Place(frame_, Numbered(), region_.extents, kCentreLabel)) {
    labels_.EraseAll();
    return false;
  }
  const bool answered =
      AskFlip() && AskOrder() && AskCorner() && (!request.asksName || AskName(request, name));
  if (!answered) {
    labels_.EraseAll();
    return false;
  }
  labels_.EraseNumbers();
  return true;
}

}  // namespace

SurfaceResult RunSurfaceFromRegion(HostCommandLine& commandLine, HostDocument& document,
                                   const SurfaceRequest& request, SurfaceSettings& settings) {
  SurfaceResult result;
  std::optional<PickedRegion> region = PickRegion(commandLine, document, request.maxVertices);
  bool locked = false;
  if (region) {
    locked = document.InApplicationContext() && document.LockForWrite();
    SurfaceRun run(commandLine, document, settings, std::move(*region));
    result.accepted = run.Ask(request, result.name);
    if (result.accepted) result.vertices = run.UcsVertices();
  }
  if (locked) document.Unlock();
  commandLine.PostCommandPrompt();
  return result;
}

}  // namespace verdanto
