// Real EnergyPlus files, each read with its own dictionary, written with their
// comments and read again: the store comes back the same, and writing it again
// gives the same bytes. The files are not part of the project: without them the
// test says so and is skipped.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "headless/HeadlessPlatform.h"
#include "output/IdfWriter.h"
#include "store/IdfReader.h"
#include "tests/support/StoreDump.h"

namespace verdanto {
namespace {

// An input file and its dictionary, shown by the file's name.
struct CorpusFiles {
  const char* idf;
  const char* idd;
};
void PrintTo(const CorpusFiles& files, std::ostream* out) { *out << files.idf; }

class CorpusRoundTripTest : public ::testing::TestWithParam<CorpusFiles> {
 protected:
  HeadlessPlatform platform;
  std::string Write(const Dictionary& store) {
    const std::uint16_t readLayer[] = {0};  // every object read has layer id 0
    StringSink sink;
    EXPECT_TRUE(WriteLayers(store, readLayer, true, sink));
    return sink.text;
  }
};

TEST_P(CorpusRoundTripTest, WrittenFileReadsBackToTheSameStoreAndTheSameBytes) {
  const std::filesystem::path corpus(VERDANTO_CORPUS_DIR);
  const std::string idf = (corpus / GetParam().idf).string(), idd = (corpus / GetParam().idd).string();
  if (!std::filesystem::exists(idf) || !std::filesystem::exists(idd))
    GTEST_SKIP() << "no " << GetParam().idf << " with " << GetParam().idd << " in " << corpus.string();

  Dictionary original, again;
  ASSERT_TRUE(platform.loader.Run(LoadKind::LoadIdd, idd, original));
  ASSERT_TRUE(platform.loader.Run(LoadKind::LoadIdf, idf, original));
  EXPECT_EQ(platform.prompter.Texts(), std::vector<std::string>{}) << "a published file reads without faults";
  const std::string dump = testing::DumpObjects(original);
  ASSERT_GT(dump.size(), 0u);
  const std::string written = Write(original);

  ASSERT_TRUE(platform.loader.Run(LoadKind::LoadIdd, idd, again));
  ASSERT_TRUE(LoadInputText(written, again, platform.loader.progress, platform.prompter, "written text"));
  EXPECT_EQ(platform.prompter.Texts(), std::vector<std::string>{});
  EXPECT_TRUE(testing::DumpObjects(again) == dump) << "the store read back differs";
  EXPECT_TRUE(Write(again) == written) << "the second writing differs";
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusRoundTripTest,
                         ::testing::Values(CorpusFiles{"5ZoneSupRetPlenRAB-V8_0.idf", "Energy+V8_0_0.idd"},
                                           CorpusFiles{"Hospital-V6_0.idf", "Energy+V6_0.idd"},
                                           CorpusFiles{"smallfile-V8_8.idf", "Energy+V8_8_0.idd"}),
                         [](const auto& test) {
                           const std::string idf = test.param.idf;
                           return idf.substr(0, idf.find('-'));
                         });

}  // namespace
}  // namespace verdanto
