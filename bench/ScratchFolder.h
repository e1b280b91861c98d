#pragma once
// A folder for the files one benchmark program writes: made in the system's
// temporary folder on first use, removed with everything in it when the
// program ends.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace verdanto::bench {

inline const std::filesystem::path& ScratchFolder() {
  struct Folder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("verdanto-bench-" + std::to_string(::getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder folder;
  return folder.path;
}

}  // namespace verdanto::bench
