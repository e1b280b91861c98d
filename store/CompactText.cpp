#include "store/CompactText.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <ostream>
#include <utility>

namespace verdanto {
namespace {

constexpr std::size_t kHeader = sizeof(std::uint32_t);

char* NewBlock(std::size_t size) {
  if (size > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
  auto* block = static_cast<char*>(std::malloc(kHeader + size));
  if (!block) throw std::bad_alloc();
  const auto length = static_cast<std::uint32_t>(size);
  std::memcpy(block, &length, kHeader);
  return block;
}

}  // namespace

CompactText::~CompactText() { Release(); }

void CompactText::Release() noexcept {
  if (!Borrowed()) std::free(block_);
  block_ = nullptr;
}

CompactText CompactText::Borrowing(const char* block) noexcept {
  CompactText text;
  text.block_ = reinterpret_cast<char*>(reinterpret_cast<std::uintptr_t>(block) | 1u);
  return text;
}

CompactText& CompactText::operator=(const CompactText& other) {
  if (this != &other) Assign(other.view());
  return *this;
}

CompactText& CompactText::operator=(CompactText&& other) noexcept {
  std::swap(block_, other.block_);
  return *this;
}

const char* CompactText::data() const noexcept { return block_ ? Block() + kHeader : ""; }

std::size_t CompactText::size() const noexcept {
  if (!block_) return 0;
  std::uint32_t length;
  std::memcpy(&length, Block(), kHeader);
  return length;
}

void CompactText::clear() noexcept { Release(); }

void CompactText::Assign(std::string_view text) {
  // The new block is filled before the old one goes, so assigning a view of
  // this text to itself is safe.
  char* block = nullptr;
  if (!text.empty()) {
    block = NewBlock(text.size());
    std::memcpy(block + kHeader, text.data(), text.size());
  }
  Release();
  block_ = block;
}

// A text built of many appends (a note of thousands of lines) must not be copied
// whole each time: the block grows by half again when it is full, and the room
// the allocator already gave it is used first.
void CompactText::Append(std::string_view text) {
  if (text.empty()) return;
  const std::size_t old = size();
  const std::size_t length = old + text.size();
  if (length > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
  const std::size_t need = kHeader + length;
  const bool inside = block_ && text.data() >= Block() && text.data() < Block() + kHeader + old;
  const bool growable = block_ && !Borrowed() && !inside;
  if (growable && ::malloc_usable_size(block_) >= need) {
    std::memcpy(block_ + kHeader + old, text.data(), text.size());
  } else if (growable) {
    auto* grown = static_cast<char*>(std::realloc(block_, std::max(need, (kHeader + old) * 3 / 2)));
    if (!grown) throw std::bad_alloc();
    block_ = grown;
    std::memcpy(block_ + kHeader + old, text.data(), text.size());
  } else {
    char* block = NewBlock(length);
    std::memcpy(block + kHeader, data(), old);
    std::memcpy(block + kHeader + old, text.data(), text.size());
    Release();
    block_ = block;
  }
  const auto stored = static_cast<std::uint32_t>(length);
  std::memcpy(block_, &stored, kHeader);
}

std::ostream& operator<<(std::ostream& out, const CompactText& text) { return out << text.view(); }

}  // namespace verdanto
