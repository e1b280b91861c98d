#include "store/FileBytes.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace verdanto {

ReadStatus ReadWholeFile(const std::string& path, std::string& text, std::uint64_t limit) {
  text.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return ReadStatus::CannotOpen;
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(file);
    // A folder opens on Linux but is no file to read.
    return ReadStatus::CannotOpen;
  }
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size > limit) {
    std::fclose(file);
    return ReadStatus::TooLarge;
  }
  text.resize(static_cast<std::size_t>(size));
  const std::size_t got = size ? std::fread(text.data(), 1, text.size(), file) : 0;
  std::fclose(file);
  if (got != size) {
    text.clear();
    return ReadStatus::CannotRead;
  }
  if (const void* nul = std::memchr(text.data(), '\0', text.size()))
    text.resize(static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
  return ReadStatus::Ok;
}

}  // namespace verdanto
