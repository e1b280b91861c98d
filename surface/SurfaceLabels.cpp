#include "surface/SurfaceLabels.h"

#include <string>

namespace verdanto {

namespace {

constexpr std::string_view kLabelStyle = "STANDARD";
constexpr double kNumberScale = 20;  // extents' diagonal per number height
constexpr double kCentreScale = 30;

}  // namespace

bool SurfaceLabels::Place(const SurfaceFrame& frame, const std::vector<Vec3>& numbered, const Extents& extents,
                          std::string_view centreText) {
  if (!document_.HasCurrentSpace() || !document_.HasTextStyle(kLabelStyle)) return false;
  const double size = Distance(extents.max, extents.min);
  TextLabel label;
  label.style = std::string(kLabelStyle);
  label.normal = frame.normal;
  label.direction = frame.xAxis;
  label.height = size / kNumberScale;
  for (std::size_t k = 0; k < numbered.size(); ++k) {
    label.contents = std::to_string(k + 1);
    label.location = numbered[k];
    const auto id = document_.AddLabel(label);
    if (!id) return false;
    numbers_.push_back(*id);
  }
  label.contents = std::string(centreText);
  label.height = size / kCentreScale;
  label.location = frame.origin;
  const auto id = document_.AddLabel(label);
  if (!id) return false;
  centre_ = *id;
  return true;
}

void SurfaceLabels::Move(const SurfaceFrame& frame, const std::vector<Vec3>& numbered) {
  for (std::size_t k = 0; k < numbers_.size() && k < numbered.size(); ++k)
    document_.PlaceLabel(numbers_[k], frame.normal, frame.xAxis, numbered[k]);
  if (centre_ != kNoEntity) document_.PlaceLabel(centre_, frame.normal, frame.xAxis, frame.origin);
}

void SurfaceLabels::SetCentreText(std::string_view text) {
  if (centre_ != kNoEntity) document_.SetLabelContents(centre_, text);
}

void SurfaceLabels::EraseNumbers() {
  for (EntityId id : numbers_) document_.Erase(id);
  numbers_.clear();
}

void SurfaceLabels::EraseAll() {
  EraseNumbers();
  if (centre_ != kNoEntity) document_.Erase(centre_);
  centre_ = kNoEntity;
}

}  // namespace verdanto
