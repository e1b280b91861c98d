#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/WholeFile.h"
#include "store/IdfReader.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/StoreDump.h"
#include "tests/support/TempFolder.h"

namespace verdanto {
namespace {

// Pages given back are read again from the file: the text stays whole wherever
// the release falls, and a release past the end or backwards changes nothing.
TEST(WholeFile, TextStaysWholeAfterItsPagesAreGivenBack) {
  std::string bytes;
  for (int i = 0; bytes.size() < 3000000; ++i) bytes += "Zone,Zone " + std::to_string(i) + ";\n";
  testing::TempFolder folder;
  WholeFile file;
  ASSERT_EQ(file.Read(folder.Write("big.idf", bytes)), ReadStatus::Ok);
  for (std::size_t offset : {std::size_t{1}, std::size_t{1500001}, std::size_t{20000}, std::size_t{2600000},
                             bytes.size(), bytes.size() * 2}) {
    file.Release(offset);
    ASSERT_EQ(file.text(), bytes) << "after a release at " << offset;
  }
}

// Texts read from files share the store's pool, which goes only when no object is
// left: deleting one layer keeps the other's texts, an edited text owns its block.
TEST(ReadTexts, OutliveTheLayersDeletedBeforeThem) {
  Dictionary store;
  testing::BuildSampleDictionary(store);
  NullProgress progress;
  testing::RecordingPrompter prompter;
  const auto readAs = [&](std::string_view text, std::uint16_t layer) {
    ASSERT_TRUE(LoadInputText(text, store, progress, prompter));
    for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
      for (DictClass& cls : store.GetGroup(g).classes)
        std::replace(cls.objectLayers.begin(), cls.objectLayers.end(), std::uint16_t{0}, layer);
  };
  readAs("Zone,Kitchen, 0, 1 ! by the door\n, 2;", 1);
  readAs("Zone,Hall,90;", 2);
  store.GetValue(1, 0, 2, 1).value = std::string_view("edited");
  store.DeleteLayerObjects(1);
  EXPECT_EQ(testing::DumpObjects(store), "Zone: [Hall] [90] [edited] []\n");
  store.DeleteLayerObjects(2);
  readAs("Zone,Attic;", 3);
  EXPECT_EQ(testing::DumpObjects(store), "Zone: [Attic] [] [] []\n");
}

}  // namespace
}  // namespace verdanto
