#pragma once
// A file read whole into memory, into pages that are made present in one go:
// faulting in the pages of a 100 MB text one by one costs more than parsing it.

#include <cstddef>
#include <string>
#include <string_view>

namespace verdanto {

class WholeFile {
 public:
  WholeFile() = default;
  WholeFile(const WholeFile&) = delete;
  WholeFile& operator=(const WholeFile&) = delete;
  ~WholeFile();

  // False when the file cannot be opened, is no regular file, is 4 GiB or
  // larger, or cannot be read whole.
  bool Read(const std::string& path);
  // The text up to the first NUL byte, as a C text would end there.
  std::string_view text() const;

 private:
  bool ReadOpen(int fd);

  char* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace verdanto
