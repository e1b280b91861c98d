#pragma once
// An 8-bit text in one pointer: empty texts allocate nothing.
//
// Usually the text owns its block. A text made by TextPool::Add borrows a block
// of the pool instead (the dictionary's texts: a hundred thousand of them, read
// once and kept together); copying it makes an owned copy.
//
// The store keeps one value and one comment per field per object, and real classes
// are thousands of fields wide, so the entry must stay small; std::string would cost
// 32 bytes and an allocation-free empty state is what most entries are.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace verdanto {

class CompactText {
 public:
  CompactText() noexcept = default;
  CompactText(std::string_view text) { Assign(text); }  // NOLINT: converts like std::string
  CompactText(const char* text) { Assign(std::string_view(text)); }  // NOLINT
  CompactText(const CompactText& other) { Assign(other.view()); }
  CompactText(CompactText&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  // A text that borrows `block` (a uint32_t length, then the bytes; at an even address).
  static CompactText Borrowing(const char* block) noexcept;
  ~CompactText();

  CompactText& operator=(const CompactText& other);
  CompactText& operator=(CompactText&& other) noexcept;
  CompactText& operator=(std::string_view text) {
    Assign(text);
    return *this;
  }
  CompactText& operator=(const char* text) {
    Assign(std::string_view(text));
    return *this;
  }
  CompactText& operator=(const std::string& text) {
    Assign(text);
    return *this;
  }

  operator std::string_view() const noexcept { return view(); }  // NOLINT
  std::string_view view() const noexcept { return {data(), size()}; }
  std::string str() const { return std::string(view()); }
  const char* data() const noexcept;  // never null; not NUL-terminated
  std::size_t size() const noexcept;
  bool empty() const noexcept { return block_ == nullptr; }

  void clear() noexcept;
  void Append(std::string_view text);

  friend bool operator==(const CompactText& a, std::string_view b) noexcept { return a.view() == b; }

 private:
  void Assign(std::string_view text);
  bool Borrowed() const noexcept { return (reinterpret_cast<std::uintptr_t>(block_) & 1u) != 0; }
  const char* Block() const noexcept {
    return reinterpret_cast<const char*>(reinterpret_cast<std::uintptr_t>(block_) & ~std::uintptr_t{1});
  }
  void Release() noexcept;
  // Layout of the block: a uint32_t length, then the bytes. Null when empty. The
  // lowest bit set marks a borrowed block.
  char* block_ = nullptr;
};

std::ostream& operator<<(std::ostream& out, const CompactText& text);

}  // namespace verdanto
