#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace verdanto::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "verdanto-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a temporary folder";
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string PathOf(std::string_view name) const { return (path_ / name).string(); }

  // Writes `bytes` to the file `name` in the folder and gives back its path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string path = PathOf(name);
    std::ofstream file(path, std::ios::binary);
    EXPECT_TRUE(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) << path;
    return path;
  }

  // The file's bytes; empty when it cannot be read.
  static std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path path_;
};

}  // namespace verdanto::testing
