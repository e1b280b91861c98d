#include "base/WholeFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace verdanto {

WholeFile::~WholeFile() {
  if (data_) ::munmap(data_, size_);
}

ReadStatus WholeFile::Read(const std::string& path, std::uint64_t limit) {
  // Without O_NONBLOCK, opening a named pipe waits for a writer that may never
  // come; with it the open returns and the pipe is refused below as no regular
  // file. Reading a regular file is not affected by the flag.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return ReadStatus::CannotOpen;
  const ReadStatus status = ReadOpen(fd, limit);
  ::close(fd);
  return status;
}

std::string_view WholeFile::text() const {
  if (!data_) return {};
  const void* nul = std::memchr(data_, '\0', size_);
  return {data_, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - data_) : size_};
}

void WholeFile::Release(std::size_t offset) {
  if (!fileBacked_) return;
  static const auto kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  // In steps of a megabyte at least: each release costs a system call and a TLB flush.
  constexpr std::size_t kStep = std::size_t{1} << 20;
  const std::size_t end = std::min(offset, size_) / kPage * kPage;
  if (end < released_ + kStep) return;
  ::madvise(data_ + released_, end - released_, MADV_DONTNEED);  // only advice: a failure costs memory, not data
  released_ = end;
}

ReadStatus WholeFile::ReadOpen(int fd, std::uint64_t limit) {
  struct stat info {};
  // A folder opens on Linux but is no file to read.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return ReadStatus::CannotOpen;
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size > limit || size > kMaxFileSize) return ReadStatus::TooLarge;
  if (size == 0) return ReadStatus::Ok;
  // The file's own pages, shared with the page cache: no copy is made. Files are
  // replaced by renaming a new one over them (safe saving), which leaves this
  // mapping on the old contents.
  void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  if (mapped != MAP_FAILED) {
    data_ = static_cast<char*>(mapped);
    size_ = static_cast<std::size_t>(size);
    fileBacked_ = true;
    return ReadStatus::Ok;
  }
  void* pages = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (pages == MAP_FAILED) return ReadStatus::CannotRead;
  data_ = static_cast<char*>(pages);
  size_ = static_cast<std::size_t>(size);
  for (std::size_t got = 0; got < size_;) {
    const ssize_t n = ::read(fd, data_ + got, size_ - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return ReadStatus::CannotRead;  // the file shrank, or a read error
    got += static_cast<std::size_t>(n);
  }
  return ReadStatus::Ok;
}

}  // namespace verdanto
