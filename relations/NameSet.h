#pragma once
// A set of names that are equal without regard to (ASCII) letter case, holding
// views: whoever fills it keeps the texts alive while the set is used. Finding a
// name costs no lowered copy of it.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_set>

#include "base/Text.h"

namespace verdanto {

struct NoCaseHash {
  std::size_t operator()(std::string_view text) const noexcept {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the lowered bytes
    for (const char c : text) {
      hash ^= static_cast<unsigned char>(LowerAscii(c));
      hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
  }
};

struct NoCaseEqual {
  bool operator()(std::string_view a, std::string_view b) const noexcept { return EqualsNoCase(a, b); }
};

using NameSet = std::unordered_set<std::string_view, NoCaseHash, NoCaseEqual>;

}  // namespace verdanto
