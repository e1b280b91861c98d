#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <tuple>

#include "output/IdfFile.h"
#include "output/SaveLayers.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/StoreDump.h"
#include "tests/support/TempFolder.h"

namespace verdanto {
namespace {

namespace fs = std::filesystem;
using testing::RecordedMessage;
using testing::RecordingProgress;
using testing::RecordingPrompter;
using testing::TempFolder;

// A store with three zones in layer 2 and one version object in layer 3.
struct IdfFileTest : ::testing::Test {
  Dictionary store;
  TempFolder folder;
  const std::uint16_t zones[1] = {2};

  void SetUp() override {
    testing::BuildSampleDictionary(store);
    AddZones(3);
    std::uint16_t g = 0, c = 0;
    store.FindClass("Version", g, c);
    store.GetValue(g, c, 0, store.AddObject(g, c, 3)).value = "8.0";
  }
  void AddZones(int count) {
    std::uint16_t g = 0, c = 0;
    store.FindClass("Zone", g, c);
    for (int i = 0; i < count; ++i) store.GetValue(g, c, 0, store.AddObject(g, c, 2)).value = "zone";
  }
  std::string Expected(std::vector<std::uint16_t> ids, bool comments = true) const {
    StringSink sink;
    WriteLayers(store, ids, comments, sink);
    return sink.text;
  }
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.PathOf(""))) names.insert(entry.path().filename());
    return names;
  }
  // Runs `body` in a child process, so that a user or a limit set there stays there; true when it returned true.
  static bool InChild(const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  // Layers "0" (id 1) and "Zones" (id 2, 3 objects, modified) writing to `path`; gives the index of "Zones".
  static int AddZonesLayer(LayerList& layers, const std::string& path) {
    layers.AddLayer("0", "");
    const int index = layers.AddLayer("Zones", path);
    layers.At(index).objectCount = 3;
    layers.At(index).modified = true;
    return index;
  }
};

TEST_F(IdfFileTest, WritesThroughLinksKeepingPermissionsAndLeavingNoTemporary) {
  const std::string real = folder.Write("real.idf", "old text that is longer than nothing");
  ::chmod(real.c_str(), 0640);
  fs::create_symlink(real, folder.PathOf("link.idf"));
  ASSERT_EQ(WriteIdfFile(folder.PathOf("link.idf"), store, zones, true), WriteResult::Ok);
  EXPECT_TRUE(fs::is_symlink(folder.PathOf("link.idf")));
  EXPECT_EQ(TempFolder::Read(real), Expected({2}));
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0640));
  EXPECT_EQ(Entries(), (std::set<std::string>{"link.idf", "real.idf"}));
  // A link to a file not made yet stays a link: the file appears where it points.
  fs::remove(folder.PathOf("link.idf"));
  fs::create_directory(folder.PathOf("sub"));
  // The link, what it holds (relative, absolute, another link), the file written.
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"link.idf", "sub/new.idf", folder.PathOf("sub/new.idf")},
      {"abs.idf", folder.PathOf("sub/abs-new.idf"), folder.PathOf("sub/abs-new.idf")},
      {"chain.idf", "link.idf", folder.PathOf("sub/new.idf")},
  };
  for (const auto& [link, pointsTo, file] : cases) {
    SCOPED_TRACE(link);
    fs::create_symlink(pointsTo, folder.PathOf(link));
    ASSERT_EQ(WriteIdfFile(folder.PathOf(link), store, zones, true), WriteResult::Ok);
    EXPECT_TRUE(fs::is_symlink(folder.PathOf(link)));
    EXPECT_EQ(TempFolder::Read(file), Expected({2}));
    fs::remove(file);
  }
}

// Where no temporary file can be made beside it, a writable file is written in place.
TEST_F(IdfFileTest, WritesInPlaceWhenTheFolderTakesNoNewFileAndKeepsTheOldFileWhenAWriteFails) {
  const std::string target = folder.Write("out.idf", "the old file");
  ::chmod(target.c_str(), 0666);
  ::chmod(folder.PathOf("").c_str(), 0555);
  EXPECT_TRUE(InChild([&] {
    // Folder permissions do not bind root.
    return (::geteuid() != 0 || ::setuid(65534) == 0) && WriteIdfFile(target, store, zones, true) == WriteResult::Ok;
  }));
  ::chmod(folder.PathOf("").c_str(), 0700);
  EXPECT_EQ(TempFolder::Read(target), Expected({2}));
  EXPECT_EQ(Entries(), std::set<std::string>{"out.idf"});
  // A file-size limit makes the write fail half-way, as a full disk would: the old file stays.
  AddZones(5000);
  folder.Write("out.idf", "the old file");
  EXPECT_TRUE(InChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && WriteIdfFile(target, store, zones, true) == WriteResult::Failed;
  }));
  EXPECT_EQ(TempFolder::Read(target), "the old file");
  EXPECT_EQ(Entries(), std::set<std::string>{"out.idf"});
}

TEST_F(IdfFileTest, FailsWhereNothingCanBeWritten) {
  const std::string paths[] = {folder.PathOf("missing/out.idf"), folder.PathOf(""), "", "/dev/full"};
  for (const std::string& path : paths)
    EXPECT_EQ(WriteIdfFile(path, store, zones, true), WriteResult::Failed) << path;
  EXPECT_TRUE(Entries().empty());
  EXPECT_TRUE(fs::is_character_file("/dev/full"));  // a device is written in place, never replaced
}

// A saved layer loses its mark; one that fails keeps it and asks whether to go on.
TEST_F(IdfFileTest, SaveLayerFileClearsTheMarkOrAsksWhetherToGoOn) {
  LayerList saved;
  const int zonesLayer = AddZonesLayer(saved, folder.PathOf("zones.idf"));
  RecordingPrompter quiet;
  RecordingProgress counted;
  EXPECT_EQ(SaveLayerFile(store, saved, zonesLayer, false, quiet, counted), SaveOutcome::Saved);
  EXPECT_FALSE(saved.At(zonesLayer).modified);
  EXPECT_TRUE(quiet.messages.empty());
  EXPECT_EQ(TempFolder::Read(folder.PathOf("zones.idf")), Expected({2}, false));
  EXPECT_EQ(counted.maximum, 3u);
  // Escape (Cancel) decides nothing: no further layer is written.
  for (const auto& [answer, outcome] : {std::pair{Answer::Yes, SaveOutcome::GoOn}, {Answer::No, SaveOutcome::Stop},
                                        {Answer::Cancel, SaveOutcome::Stop}}) {
    LayerList layers;
    const std::string path = folder.PathOf("missing/zones.idf");
    const int index = AddZonesLayer(layers, path);
    RecordingPrompter prompter;
    prompter.script.push_back(answer);
    NullProgress progress;
    EXPECT_EQ(SaveLayerFile(store, layers, index, true, prompter, progress), outcome);
    EXPECT_TRUE(layers.At(index).modified);
    EXPECT_EQ(prompter.Texts(),
              std::vector<std::string>{"Unable to save " + path + " file.\r\nProceed with following layers?"});
    const RecordedMessage& m = prompter.messages[0];
    EXPECT_EQ(std::tuple(m.caption, m.icon, m.buttons),
              std::tuple(std::string("Writing Error"), Icon::Error, Buttons::YesNo));
  }
}

TEST_F(IdfFileTest, SaveAllTogetherWritesTheCheckedLayersAndKeepsTheirMarks) {
  LayerList layers;
  AddZonesLayer(layers, "");
  const int versionLayer = layers.AddLayer("Version", "");  // id 3
  const int zonesLayer = layers.FindLayerByName("Zones");
  layers.At(versionLayer).objectCount = 1;
  const int checked[] = {zonesLayer, versionLayer};
  RecordingPrompter prompter;
  RecordingProgress progress;
  EXPECT_TRUE(SaveAllTogether(store, layers, checked, folder.PathOf("all.idf"), false, prompter, progress));
  EXPECT_EQ(TempFolder::Read(folder.PathOf("all.idf")), Expected({2, 3}, false));
  EXPECT_TRUE(layers.At(zonesLayer).modified);
  EXPECT_EQ(progress.maximum, 4u);
  EXPECT_TRUE(prompter.messages.empty());

  EXPECT_FALSE(SaveAllTogether(store, layers, checked, "/dev/full", false, prompter, progress));
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"Unable to save /dev/full file."});
  EXPECT_EQ(prompter.messages[0].buttons, Buttons::Ok);
}

}  // namespace
}  // namespace verdanto
