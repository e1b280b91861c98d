#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "output/IdfFile.h"
#include "output/SaveLayers.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/StoreDump.h"

namespace verdanto {
namespace {

namespace fs = std::filesystem;
using testing::BuildSampleDictionary;
using testing::RecordingProgress;
using testing::RecordingPrompter;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, std::string_view text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A store with `count` zones in layer 2 and one version object in layer 3.
struct IdfFileTest : ::testing::Test {
  Dictionary store;
  fs::path folder;
  void SetUp() override {
    BuildSampleDictionary(store);
    folder = fs::temp_directory_path() /
             ("idf-file-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    AddZones(3);
    std::uint16_t g = 0, c = 0;
    store.FindClass("Version", g, c);
    store.GetValue(g, c, 0, store.AddObject(g, c, 3)).value = "8.0";
  }
  void TearDown() override { fs::remove_all(folder); }

  void AddZones(int count) {
    std::uint16_t g = 0, c = 0;
    store.FindClass("Zone", g, c);
    for (int i = 0; i < count; ++i) store.GetValue(g, c, 0, store.AddObject(g, c, 2)).value = "zone";
  }
  std::string Expected(std::vector<std::uint16_t> ids) const {
    StringSink sink;
    WriteLayers(store, ids, true, sink);
    return sink.text;
  }
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(IdfFileTest, ReplacesTheTargetKeepingItsPermissionsAndLeavesNoTemporary) {
  const fs::path target = folder / "out.idf";
  WriteFile(target, "old text that is longer than nothing");
  ::chmod(target.c_str(), 0640);
  const std::uint16_t ids[] = {2};
  ASSERT_EQ(WriteIdfFile(target.string(), store, ids, true), WriteResult::Ok);
  EXPECT_EQ(ReadFile(target), Expected({2}));
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0640));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"out.idf"});
}

TEST_F(IdfFileTest, WritesThroughASymbolicLinkToItsFile) {
  const fs::path real = folder / "real.idf";
  const fs::path link = folder / "link.idf";
  WriteFile(real, "old");
  fs::create_symlink(real, link);
  const std::uint16_t ids[] = {3};
  ASSERT_EQ(WriteIdfFile(link.string(), store, ids, true), WriteResult::Ok);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(real), Expected({3}));
}

TEST_F(IdfFileTest, FailsWhereNothingCanBeWritten) {
  const std::uint16_t ids[] = {2};
  EXPECT_EQ(WriteIdfFile((folder / "missing" / "out.idf").string(), store, ids, true), WriteResult::Failed);
  EXPECT_EQ(WriteIdfFile(folder.string(), store, ids, true), WriteResult::Failed);  // a folder
  EXPECT_EQ(WriteIdfFile("", store, ids, true), WriteResult::Failed);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{});
}

TEST_F(IdfFileTest, ADeviceThatIsFullFailsAndStaysADevice) {
  const int fd = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(fd, 0);
  FileSink sink(fd);
  EXPECT_FALSE(sink.Write("x"));
  ::close(fd);

  const std::uint16_t ids[] = {2};
  EXPECT_EQ(WriteIdfFile("/dev/full", store, ids, true), WriteResult::Failed);
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// A file-size limit makes the write fail half-way, as a full disk would.
TEST_F(IdfFileTest, AWriteThatFailsHalfWayKeepsTheOldFile) {
  AddZones(5000);
  const fs::path target = folder / "out.idf";
  WriteFile(target, "the old file");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::uint16_t ids[] = {2};
    ::_exit(WriteIdfFile(target.string(), store, ids, true) == WriteResult::Failed ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(target), "the old file");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"out.idf"});
}

TEST_F(IdfFileTest, SaveLayerFileClearsTheMarkAndReportsProgress) {
  LayerList layers;
  layers.AddLayer("0", "");
  const int zones = layers.AddLayer("Zones", (folder / "zones.idf").string());
  layers.At(zones).id = 2;
  layers.At(zones).objectCount = 3;
  layers.At(zones).modified = true;
  RecordingPrompter prompter;
  RecordingProgress progress;
  EXPECT_EQ(SaveLayerFile(store, layers, zones, true, prompter, progress), SaveOutcome::Saved);
  EXPECT_FALSE(layers.At(zones).modified);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(ReadFile(folder / "zones.idf"), Expected({2}));
  EXPECT_EQ(progress.maximum, 3u);
  EXPECT_EQ(progress.positions, (std::vector<std::uint32_t>{1, 2, 3}));
}

TEST_F(IdfFileTest, SaveLayerFileAsksWhetherToGoOnWhenWritingFails) {
  const struct {
    Answer answer;
    SaveOutcome outcome;
  } cases[] = {{Answer::Yes, SaveOutcome::GoOn}, {Answer::No, SaveOutcome::Stop}};
  for (const auto& c : cases) {
    LayerList layers;
    const std::string path = (folder / "missing" / "zones.idf").string();
    const int zones = layers.AddLayer("Zones", path);
    layers.At(zones).id = 2;
    layers.At(zones).modified = true;
    RecordingPrompter prompter;
    prompter.script.push_back(c.answer);
    NullProgress progress;
    EXPECT_EQ(SaveLayerFile(store, layers, zones, true, prompter, progress), c.outcome);
    EXPECT_TRUE(layers.At(zones).modified);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Unable to save " + path + " file.\r\nProceed with following layers?");
    EXPECT_EQ(prompter.messages[0].caption, "Writing Error");
    EXPECT_EQ(prompter.messages[0].icon, Icon::Error);
    EXPECT_EQ(prompter.messages[0].buttons, Buttons::YesNo);
  }
}

TEST_F(IdfFileTest, SaveAllTogetherWritesTheCheckedLayersAndKeepsTheirMarks) {
  LayerList layers;
  const int a = layers.AddLayer("A", "");
  const int b = layers.AddLayer("B", "");
  layers.At(a).id = 2;
  layers.At(b).id = 3;
  layers.At(a).objectCount = 3;
  layers.At(b).objectCount = 1;
  layers.At(a).modified = true;
  const int checked[] = {a, b};
  RecordingPrompter prompter;
  RecordingProgress progress;
  EXPECT_TRUE(SaveAllTogether(store, layers, checked, (folder / "all.idf").string(), false, prompter, progress));
  StringSink plain;
  const std::uint16_t ids[] = {2, 3};
  WriteLayers(store, ids, false, plain);
  EXPECT_EQ(ReadFile(folder / "all.idf"), plain.text);
  EXPECT_TRUE(layers.At(a).modified);
  EXPECT_EQ(progress.maximum, 4u);
  EXPECT_TRUE(prompter.messages.empty());

  EXPECT_FALSE(SaveAllTogether(store, layers, checked, "/dev/full", false, prompter, progress));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Unable to save /dev/full file.");
  EXPECT_EQ(prompter.messages[0].caption, "Writing Error");
  EXPECT_EQ(prompter.messages[0].icon, Icon::Error);
  EXPECT_EQ(prompter.messages[0].buttons, Buttons::Ok);
}

}  // namespace
}  // namespace verdanto
