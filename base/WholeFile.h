#pragma once
// A file read whole into memory, into pages that are made present in one go:
// faulting in the pages of a 100 MB text one by one costs more than parsing it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace verdanto {

enum class ReadStatus { Ok, CannotOpen, CannotRead, TooLarge };

// Files of 4 GiB or more cannot be read: positions in the text are 32-bit.
inline constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFu;

class WholeFile {
 public:
  WholeFile() = default;
  WholeFile(const WholeFile&) = delete;
  WholeFile& operator=(const WholeFile&) = delete;
  ~WholeFile();

  // CannotOpen when the file cannot be opened or is no regular file, TooLarge
  // when it holds more than `limit` bytes, CannotRead when it cannot be read whole.
  ReadStatus Read(const std::string& path, std::uint64_t limit = kMaxFileSize);
  // The text up to the first NUL byte, as a C text would end there.
  std::string_view text() const;
  // Gives back the pages wholly before `offset`, which a reader has passed: they
  // leave the process's memory, so that a large file and the store read from it
  // are not both held at the peak. A mapped file's pages come back from the file
  // if read again; a copy has nowhere to come back from and is kept.
  void Release(std::size_t offset);

 private:
  ReadStatus ReadOpen(int fd, std::uint64_t limit);

  char* data_ = nullptr;  // mapped pages: the file's own, or a copy read into fresh ones
  std::size_t size_ = 0;
  bool fileBacked_ = false;  // the file's own pages
  std::size_t released_ = 0;
};

}  // namespace verdanto
