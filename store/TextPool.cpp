#include "store/TextPool.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "base/FreshPages.h"

namespace verdanto {
namespace {

constexpr std::size_t kBlockSize = std::size_t{64} << 10;
constexpr std::size_t kHeader = sizeof(std::uint32_t);

}  // namespace

CompactText TextPool::Add(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
  // Entries start at even addresses: a borrowing text marks itself in the lowest bit.
  const std::size_t need = (kHeader + text.size() + 1) & ~std::size_t{1};
  char* entry = nullptr;
  if (need > kBlockSize / 4) {
    // A long text gets a block to itself; the current block keeps its room.
    entry = blocks_.emplace_back(new char[need]).get();
  } else {
    if (need > left_) {
      free_ = blocks_.emplace_back(new char[kBlockSize]).get();
      PopulateForWriting(free_, kBlockSize);
      left_ = kBlockSize;
    }
    entry = free_;
    free_ += need;
    left_ -= need;
  }
  const auto length = static_cast<std::uint32_t>(text.size());
  std::memcpy(entry, &length, kHeader);
  std::memcpy(entry + kHeader, text.data(), text.size());
  return CompactText::Borrowing(entry);
}

void TextPool::Clear() noexcept {
  blocks_.clear();
  blocks_.shrink_to_fit();
  free_ = nullptr;
  left_ = 0;
}

}  // namespace verdanto
