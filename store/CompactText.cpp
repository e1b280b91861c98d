#include "store/CompactText.h"

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

CompactText::~CompactText() { std::free(block_); }

CompactText& CompactText::operator=(const CompactText& other) {
  if (this != &other) Assign(other.view());
  return *this;
}

CompactText& CompactText::operator=(CompactText&& other) noexcept {
  std::swap(block_, other.block_);
  return *this;
}

const char* CompactText::data() const noexcept { return block_ ? block_ + kHeader : ""; }

std::size_t CompactText::size() const noexcept {
  if (!block_) return 0;
  std::uint32_t length;
  std::memcpy(&length, block_, kHeader);
  return length;
}

void CompactText::clear() noexcept {
  std::free(block_);
  block_ = nullptr;
}

void CompactText::Assign(std::string_view text) {
  // The new block is filled before the old one goes, so assigning a view of
  // this text to itself is safe.
  char* block = nullptr;
  if (!text.empty()) {
    block = NewBlock(text.size());
    std::memcpy(block + kHeader, text.data(), text.size());
  }
  std::free(block_);
  block_ = block;
}

void CompactText::Append(std::string_view text) {
  if (text.empty()) return;
  const std::size_t old = size();
  char* block = NewBlock(old + text.size());
  std::memcpy(block + kHeader, data(), old);
  std::memcpy(block + kHeader + old, text.data(), text.size());
  std::free(block_);
  block_ = block;
}

std::ostream& operator<<(std::ostream& out, const CompactText& text) { return out << text.view(); }

}  // namespace verdanto
