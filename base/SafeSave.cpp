#include "base/SafeSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

namespace verdanto {
namespace {

constexpr int kTemporaryNameTries = 100;
constexpr int kMaxLinkHops = 40;  // as the system allows when it follows links itself

// The file a write to `path` lands in. Through symbolic links it is the file they
// lead to, also when the last link names a file that does not exist yet.
std::string WriteTarget(const std::string& path) {
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    std::string target = real;
    std::free(real);
    return target;
  }
  std::filesystem::path current = path;
  std::error_code error;
  for (int hop = 0; hop < kMaxLinkHops && std::filesystem::is_symlink(current, error); ++hop) {
    const std::filesystem::path next = std::filesystem::read_symlink(current, error);
    if (error) break;
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  return current.string();
}

// Devices and pipes cannot be replaced by a rename: they are written in place.
bool WriteInPlace(const std::string& path, const WriteContent& write) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = write(fd);
  ok = (::close(fd) == 0) && ok;
  return ok;
}

// Creates a new, empty file beside `target`; returns its descriptor or -1.
int CreateTemporary(const std::filesystem::path& target, std::string& temporary) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  // Built piece by piece: GCC 12 warns falsely (-Wrestrict) on a chain of + here.
  std::string stem = ".";
  stem.append(target.filename().string()).append(".").append(std::to_string(::getpid())).append("-");
  for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
    temporary = (folder / (stem + std::to_string(attempt) + ".tmp")).string();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Makes the rename itself durable; a failure here loses nothing already written.
void SyncFolder(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteAllBytes(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool SaveFileSafely(const std::string& path, const WriteContent& write) {
  if (path.empty()) return false;
  const std::string target = WriteTarget(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return WriteInPlace(target, write);

  std::string temporary;
  const int fd = CreateTemporary(target, temporary);
  // A folder that takes no new file may still hold a writable file: written in place, unprotected.
  if (fd < 0) return exists && WriteInPlace(target, write);
  if (exists) ::fchmod(fd, existing.st_mode & 07777);  // the file keeps its permissions
  bool ok = write(fd);
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(target);
  return true;
}

}  // namespace verdanto
