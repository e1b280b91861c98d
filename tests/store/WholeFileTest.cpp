#include <gtest/gtest.h>

#include <string>

#include "base/WholeFile.h"
#include "tests/support/TempFolder.h"

namespace verdanto {
namespace {

// Pages given back are read again from the file: the text stays whole wherever
// the release falls, and a release past the end or backwards changes nothing.
TEST(WholeFile, TextStaysWholeAfterItsPagesAreGivenBack) {
  std::string bytes;
  for (int i = 0; bytes.size() < 100000; ++i) bytes += "Zone,Zone " + std::to_string(i) + ";\n";
  testing::TempFolder folder;
  WholeFile file;
  ASSERT_EQ(file.Read(folder.Write("big.idf", bytes)), ReadStatus::Ok);
  for (std::size_t offset : {std::size_t{1}, std::size_t{4096}, std::size_t{50001}, std::size_t{20000},
                             bytes.size(), bytes.size() * 2}) {
    file.Release(offset);
    ASSERT_EQ(file.text(), bytes) << "after a release at " << offset;
  }
}

}  // namespace
}  // namespace verdanto
