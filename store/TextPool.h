#pragma once
// Texts kept together in large blocks, released all at once: the dictionary's
// names, labels, units, keys and bounds. One block per text would cost an
// allocation and its overhead for each of about a hundred thousand short texts.

#include <memory>
#include <string_view>
#include <vector>

#include "store/CompactText.h"

namespace verdanto {

class TextPool {
 public:
  // A text that borrows its bytes from the pool: valid until Clear or the pool's end.
  CompactText Add(std::string_view text);
  void Clear() noexcept;

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // room left in the last block
  std::size_t left_ = 0;
};

}  // namespace verdanto
