#pragma once
// The rows of the object-list and reference browser for one list name: the
// fields that take their values from the list (its users) or fill it (its
// definers), in dictionary order.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Dictionary.h"

namespace verdanto {

enum class ReferenceSide : std::int32_t { ObjectList = 0, Reference = 1 };

struct ReferenceRow {
  std::string num;    // position plus 1
  std::string group;  // the group's name
  std::string object; // the class's name
  std::string field;  // "A3 - Construction Name", or only the field's name when it has no label
};

std::vector<ReferenceRow> ReferenceRows(const Dictionary& store, std::uint32_t refName, ReferenceSide side);

// The position of a list name in the index, matched without regard to case.
std::optional<std::uint32_t> FindRefName(const Dictionary& store, std::string_view name);

}  // namespace verdanto
