#pragma once
// Where the real dictionaries and input files used for benchmarking lie:
// $VERDANTO_CORPUS, or else the shared corpus folder beside the repository.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace verdanto::bench {

inline std::filesystem::path CorpusFolder() {
  if (const char* folder = std::getenv("VERDANTO_CORPUS"); folder && *folder) return folder;
  return std::filesystem::path(VERDANTO_SOURCE_DIR) / ".." / "shared" / "corpus";
}

// The path of a corpus file, or an empty path when it is not there.
inline std::string CorpusFile(const std::string& name) {
  const auto path = CorpusFolder() / name;
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) ? path.string() : std::string();
}

}  // namespace verdanto::bench
