#include "drawing/Drawing.h"

#include <charconv>

namespace verdanto {

std::string HandleText(std::uint64_t value) {
  char text[20];
  const auto result = std::to_chars(text, text + sizeof text, value, 16);
  std::string handle(text, result.ptr);
  for (char& c : handle)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  return handle;
}

bool ParseHandle(std::string_view text, std::uint64_t& value) {
  if (text.empty() || text.size() > 16) return false;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::string Drawing::Add(Geometry geometry, std::string layer) {
  while (index_.contains(nextHandle_)) ++nextHandle_;
  return AddWithHandle(HandleText(nextHandle_), std::move(geometry), std::move(layer));
}

std::string Drawing::AddWithHandle(std::string_view handle, Geometry geometry, std::string layer) {
  std::uint64_t value = 0;
  if (!ParseHandle(handle, value) || value == 0 || index_.contains(value)) {
    while (index_.contains(nextHandle_)) ++nextHandle_;
    value = nextHandle_;
  }
  index_.emplace(value, entities_.size());
  if (value >= nextHandle_) nextHandle_ = value + 1;
  entities_.push_back(Entity{HandleText(value), std::move(layer), std::move(geometry)});
  return entities_.back().handle;
}

const Entity* Drawing::Find(std::string_view handle) const {
  std::uint64_t value = 0;
  if (!ParseHandle(handle, value)) return nullptr;
  const auto found = index_.find(value);
  return found == index_.end() ? nullptr : &entities_[found->second];
}

Entity* Drawing::Find(std::string_view handle) {
  return const_cast<Entity*>(static_cast<const Drawing&>(*this).Find(handle));
}

bool Drawing::Erase(std::string_view handle) {
  std::uint64_t value = 0;
  if (!ParseHandle(handle, value)) return false;
  const auto found = index_.find(value);
  if (found == index_.end()) return false;
  const std::size_t position = found->second;
  index_.erase(found);
  entities_.erase(entities_.begin() + static_cast<std::ptrdiff_t>(position));
  for (auto& [key, at] : index_)
    if (at > position) --at;
  return true;
}

void Drawing::Reserve(std::size_t count) {
  entities_.reserve(count);
  index_.reserve(count);
}

void Drawing::Clear() {
  entities_.clear();
  index_.clear();
  nextHandle_ = kFirstHandle;
}

BoundingBox DrawingExtents(const Drawing& drawing) {
  BoundingBox extents;
  for (const Entity& entity : drawing.entities()) extents.Add(EntityExtents(entity.geometry));
  return extents;
}

std::string_view EntityClassName(const Geometry& geometry) {
  static constexpr std::string_view kNames[] = {"AcDbLine", "AcDbPolyline", "AcDb3dPolyline", "AcDbFace",
                                                "AcDbArc",  "AcDbCircle",   "AcDbRegion",     "AcDbMText"};
  static_assert(std::size(kNames) == std::variant_size_v<Geometry>);
  return kNames[geometry.index()];
}

}  // namespace verdanto
