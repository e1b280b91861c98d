// Runs a fuzz target without libFuzzer: once on every file of the folders (or on
// the files) given. Options that start with "-" are libFuzzer's and are ignored,
// so both kinds of build take the same command line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path argument = argv[i];
    std::error_code error;
    if (argument.string().starts_with("-")) continue;
    if (!std::filesystem::is_directory(argument, error)) files.push_back(argument);
    for (const auto& entry : std::filesystem::directory_iterator(argument, error))
      if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());  // the same order on every run
  bool ok = true;
  for (const auto& path : files) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      ok = false;
      continue;
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("ran %zu inputs\n", files.size());
  return ok ? 0 : 1;
}
