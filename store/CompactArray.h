#pragma once
// A growable array in one pointer: empty arrays allocate nothing.
//
// A dictionary holds tens of thousands of fields, and each carries a few arrays
// (keys, list names) that are empty for most of them; at 24 bytes a std::vector
// makes the field records the larger part of a loaded dictionary.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

#include "base/FreshPages.h"

namespace verdanto {

template <typename T>
class CompactArray {
 public:
  CompactArray() noexcept = default;
  CompactArray(const CompactArray& other) { assign(other.begin(), other.end()); }
  CompactArray(CompactArray&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  CompactArray& operator=(const CompactArray& other) {
    if (this != &other) assign(other.begin(), other.end());
    return *this;
  }
  CompactArray& operator=(CompactArray&& other) noexcept {
    std::swap(block_, other.block_);
    return *this;
  }
  ~CompactArray() { clear(); }

  std::size_t size() const noexcept { return block_ ? block_->size : 0; }
  bool empty() const noexcept { return size() == 0; }
  T* begin() noexcept { return block_ ? items() : nullptr; }
  T* end() noexcept { return begin() + size(); }
  const T* begin() const noexcept { return block_ ? items() : nullptr; }
  const T* end() const noexcept { return begin() + size(); }
  T& operator[](std::size_t i) noexcept { return items()[i]; }
  const T& operator[](std::size_t i) const noexcept { return items()[i]; }
  T& back() noexcept { return items()[size() - 1]; }

  template <typename... Args>
  T& emplace_back(Args&&... args) {
    Reserve(size() + 1);
    T* item = ::new (static_cast<void*>(items() + block_->size)) T(std::forward<Args>(args)...);
    ++block_->size;
    return *item;
  }
  void push_back(const T& item) { emplace_back(item); }
  void push_back(T&& item) { emplace_back(std::move(item)); }
  void pop_back() noexcept { Truncate(size() - 1); }

  // Grows with new default items, at least doubling the room.
  void resize(std::size_t count) {
    const std::size_t old = size();
    if (count <= old) return Truncate(count);
    Reserve(count);
    for (std::size_t i = old; i < count; ++i) ::new (static_cast<void*>(items() + i)) T();
    block_->size = static_cast<std::uint32_t>(count);
  }
  // Removes [first, last), moving the later items down.
  void erase(T* first, T* last) noexcept {
    T* out = first;
    for (T* in = last; in != end(); ++in) *out++ = std::move(*in);
    Truncate(static_cast<std::size_t>(out - begin()));
  }
  void erase(T* at) noexcept { erase(at, at + 1); }
  void shrink_to_fit() noexcept {
    if (empty()) clear();
  }

  template <typename It>
  void assign(It first, It last) {
    clear();
    for (; first != last; ++first) emplace_back(*first);
  }

  void clear() noexcept {
    if (!block_) return;
    for (std::uint32_t i = 0; i < block_->size; ++i) items()[i].~T();
    std::free(block_);
    block_ = nullptr;
  }

 private:
  struct Header {
    std::uint32_t size;
    std::uint32_t capacity;
  };
  // The items follow the header, at their own alignment.
  static constexpr std::size_t kItems = (sizeof(Header) + alignof(T) - 1) / alignof(T) * alignof(T);
  static_assert(alignof(T) <= alignof(std::max_align_t));

  static T* Items(Header* header) noexcept { return reinterpret_cast<T*>(reinterpret_cast<char*>(header) + kItems); }
  T* items() const noexcept { return Items(block_); }

  void Truncate(std::size_t count) noexcept {
    for (std::size_t i = count; i < size(); ++i) items()[i].~T();
    if (block_) block_->size = static_cast<std::uint32_t>(count);
  }

  static constexpr std::size_t kPopulatedBlock = std::size_t{64} << 10;

  // Doubles when full: items are appended one at a time.
  void Reserve(std::size_t wanted) {
    const std::size_t capacity = block_ ? block_->capacity : 0;
    if (wanted <= capacity) return;
    const std::size_t grown = std::max<std::size_t>(wanted, capacity < 2 ? 2 : 2 * capacity);
    const std::size_t bytes = kItems + grown * sizeof(T);
    auto* block = static_cast<Header*>(std::malloc(bytes));
    if (!block) throw std::bad_alloc();
    if (bytes >= kPopulatedBlock) PopulateForWriting(block, bytes);  // a long column is filled soon
    block->size = 0;
    block->capacity = static_cast<std::uint32_t>(grown);
    if (block_) {
      T* from = items();
      for (std::uint32_t i = 0; i < block_->size; ++i) {
        ::new (static_cast<void*>(Items(block) + i)) T(std::move(from[i]));
        from[i].~T();
      }
      block->size = block_->size;
      std::free(block_);
    }
    block_ = block;
  }

  Header* block_ = nullptr;
};

}  // namespace verdanto
