#pragma once
// Saving a file so that a write that fails half-way (disk full, I/O error)
// leaves the old file as it was: the bytes go to a temporary file beside the
// target, are flushed to the disk, and only then is the temporary file
// renamed over the target. Through a symbolic link the file it names is
// replaced (or made, when the link points to nothing yet); a target that is not
// a regular file, such as a device, is written in place, and so is an existing
// file in a folder where no new file can be made.

#include <functional>
#include <string>
#include <string_view>

namespace verdanto {

// Writes the content through an open descriptor, which it does not own;
// false when any of it failed.
using WriteContent = std::function<bool(int fd)>;

bool SaveFileSafely(const std::string& path, const WriteContent& write);

// Writes all of `bytes`, going on after interrupted writes.
bool WriteAllBytes(int fd, std::string_view bytes);

}  // namespace verdanto
