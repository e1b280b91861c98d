#pragma once
// A drawing: its entities in drawing order, each with a unique handle.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "drawing/Entities.h"
#include "drawing/Geometry.h"

namespace verdanto {

class Drawing {
 public:
  const std::vector<Entity>& entities() const { return entities_; }
  std::size_t size() const { return entities_.size(); }

  // Adds an entity with a new handle, which it returns.
  std::string Add(Geometry geometry, std::string layer = "0");
  // Keeps `handle` when it is a hexadecimal handle not in use yet, else gives
  // a new one; returns the handle the entity got.
  std::string AddWithHandle(std::string_view handle, Geometry geometry, std::string layer);

  // Handles match without regard to letter case and leading zeros; null when absent.
  const Entity* Find(std::string_view handle) const;
  Entity* Find(std::string_view handle);
  bool Erase(std::string_view handle);
  void Clear();
  // Room for `count` entities in all, so that a large file is read without moving them again and again.
  void Reserve(std::size_t count);

 private:
  std::vector<Entity> entities_;
  std::unordered_map<std::uint64_t, std::size_t> index_;  // handle value -> position
  std::uint64_t nextHandle_ = kFirstHandle;

  // Handles below this are left to the tables a DXF file writes before the entities.
  static constexpr std::uint64_t kFirstHandle = 0x100;
};

// Upper-case hexadecimal without leading zeros; the value of such a text
// (up to 16 digits, either case), or none.
std::string HandleText(std::uint64_t value);
bool ParseHandle(std::string_view text, std::uint64_t& value);

BoundingBox DrawingExtents(const Drawing& drawing);

}  // namespace verdanto
