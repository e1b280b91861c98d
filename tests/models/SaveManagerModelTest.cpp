#include "ui/models/SaveManagerModel.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/IdfReader.h"
#include "store/Text.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/StoreDump.h"
#include "tests/support/TempFolder.h"

namespace verdanto::testing {
namespace {

using Strings = std::vector<std::string>;

// Writes down the window's changes: progress as "show", "hide", "label ...",
// "range N", "at N" (positions other than 0), and selection moves as "select N".
class RecordingView final : public SaveManagerView {
 public:
  explicit RecordingView(const SaveManagerModel& model) : model_(model) {}
  Strings events;
  int rowChanges = 0;
  void RowChanged(int) override { ++rowChanges; }
  void SelectionChanged() override { events.push_back(Format("select %d", model_.SelectedRow())); }
  void ShowProgress(bool shown) override { events.push_back(shown ? "show" : "hide"); }
  void SetProgressLabel(std::string_view text) override { events.push_back("label " + std::string(text)); }
  void SetRange(std::uint32_t maximum) override { events.push_back(Format("range %u", maximum)); }
  void SetPosition(std::uint32_t position) override {
    if (position != 0) events.push_back(Format("at %u", position));
  }

 private:
  const SaveManagerModel& model_;
};

constexpr const char* kMissingLayerPaths =
    "Some file paths are missing and the writing process was interrupted.\r\n"
    "Click Browse... to get file paths for the selected items and then retry.";
constexpr const char* kMissingAllTogetherPath =
    "<All together checked layers> path is missing and the writing process was interrupted.\r\n"
    "Click Browse... to get file path for the selected item and then retry.";

// Layers "0" (id 1), "a" (2), "b" (3) over the sample dictionary. "a" holds two
// zones and a wall, "b" one zone, layer 0 the version; "a" and "b" are modified.
struct SaveManagerTest : ::testing::Test {
  Dictionary store;
  LayerList layers;
  RecordingPrompter prompter;
  ScriptedFileChooser chooser;
  TempFolder folder;
  SaveChoices callerChoices;
  std::unique_ptr<SaveManagerModel> model;
  std::unique_ptr<RecordingView> view;

  static constexpr std::uint16_t kSimulation = 0, kZones = 1, kVersion = 0, kZone = 0, kWall = 1;

  void SetUp() override {
    BuildSampleDictionary(store);
    for (const char* name : {"0", "a", "b"}) layers.AddLayer(name, "");
    AddObject(kZones, kZone, "a", {"Z1", "30", "", "4"});
    AddObject(kZones, kZone, "b", {"Z2"});
    AddObject(kZones, kWall, "a", {"W1", "Z1"});
    AddObject(kSimulation, kVersion, "0", {"9.9"});
    AddObject(kZones, kZone, "a", {"Z3", "", "1"});
    store.GetValue(kZones, kZone, 0, 0).comment = "first zone\r\nof two";
    store.GetValue(kZones, kZone, 2, 2).comment = "set by hand";
    Named("a").modified = true;
    Named("b").modified = true;
    Open();
  }

  void AddObject(std::uint16_t g, std::uint16_t c, const char* layer, std::initializer_list<const char*> values) {
    Layer& owner = Named(layer);
    const std::uint16_t o = store.AddObject(g, c, owner.id);
    std::uint16_t f = 0;
    for (const char* value : values) store.GetValue(g, c, f++, o).value = value;
    ++owner.objectCount;
  }
  Layer& Named(const char* name) { return layers.At(layers.FindLayerByName(name)); }
  int Row(const char* name) const { return layers.FindLayerByName(name); }

  void Open() {
    model = std::make_unique<SaveManagerModel>(store, layers, prompter, chooser, callerChoices);
    view = std::make_unique<RecordingView>(*model);
    model->SetView(view.get());
  }
  Strings Names() const {
    Strings names;
    for (int row = 0; row < model->RowCount(); ++row) names.push_back(model->Row(row).name);
    return names;
  }
  std::vector<bool> Checks() const {
    std::vector<bool> checks;
    for (int row = 0; row < model->RowCount(); ++row) checks.push_back(model->IsChecked(row));
    return checks;
  }
  // The objects of one layer as DumpObjects shows them, without the layer ids.
  std::string DumpLayer(std::uint16_t id) const {
    std::string out;
    const std::string all = DumpObjects(store, true);
    const std::string prefix = Format("@%u ", id);
    for (std::size_t at = 0, next; at < all.size(); at = next + 1) {
      next = all.find('\n', at);
      if (all.compare(at, prefix.size(), prefix) == 0)
        out += all.substr(at + prefix.size(), next + 1 - at - prefix.size());
    }
    return out;
  }
  // Reads a written file into a fresh store with the same dictionary.
  static std::string ReadBack(const std::string& path) {
    Dictionary copy;
    BuildSampleDictionary(copy);
    RecordingPrompter quiet;
    NullProgress progress;
    EXPECT_TRUE(LoadInputFile(path, copy, progress, quiet)) << path;
    EXPECT_TRUE(quiet.messages.empty()) << quiet.messages.front().text;
    return DumpObjects(copy);
  }
};

TEST_F(SaveManagerTest, OpeningWithNoModifiedLayerShowsEveryRowUnchecked) {
  for (Layer& layer : layers.layers) layer.modified = false;
  Named("a").outputPath = "/out/a.idf";
  Open();
  ASSERT_EQ(model->RowCount(), 4);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(model->AllTogetherCount(), 0u);
  const SaveManagerRow a = model->Row(Row("a"));
  EXPECT_EQ(a.name, "a");
  EXPECT_EQ(a.objects, "3");
  EXPECT_EQ(a.path, "/out/a.idf");
  const SaveManagerRow last = model->Row(model->AllTogetherRow());
  EXPECT_EQ(last.name, "<All together checked layers>");
  EXPECT_EQ(last.objects, "0");
  EXPECT_EQ(model->SelectedRow(), 0);
  EXPECT_TRUE(model->BrowseEnabled());
}

TEST_F(SaveManagerTest, ModifiedLayersAreStarredAndCheckedAndCounted) {
  EXPECT_EQ(Names(), (Strings{"0", "a*", "b*", "<All together checked layers>"}));
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(model->AllTogetherCount(), 4u);
  EXPECT_EQ(model->Row(model->AllTogetherRow()).objects, "4");
}

TEST_F(SaveManagerTest, EveryLayerCheckMarkChangeRecountsTheLastRow) {
  const struct {
    int row;
    bool checked;
    std::uint32_t count;
  } steps[] = {{1, false, 1}, {0, true, 2}, {3, true, 2}, {2, false, 1}, {1, true, 4}, {3, false, 4}};
  for (const auto& step : steps) {
    model->SetChecked(step.row, step.checked);
    EXPECT_EQ(model->AllTogetherCount(), step.count) << "row " << step.row;
  }
}

TEST_F(SaveManagerTest, BrowseAsksForAnIdfFileStartingFromTheRowsPath) {
  Named("a").outputPath = "/old/a.idf";
  model->SelectRow(Row("a"));
  chooser.answers.push_back("/new/a.idf");
  model->Browse();
  ASSERT_EQ(chooser.requests.size(), 1u);
  const FileRequest& request = chooser.requests[0];
  EXPECT_EQ(request.kind, FileRequest::Kind::SaveFile);
  EXPECT_EQ(request.filter, "EnergyPlus (*.idf)|*.idf||");
  EXPECT_EQ(request.defaultExtension, "idf");
  EXPECT_EQ(request.initialName, "/old/a.idf");
  EXPECT_TRUE(request.askOverwrite);
  EXPECT_EQ(Named("a").outputPath, "/new/a.idf") << "a layer's path changes at once";
  EXPECT_EQ(model->Row(Row("a")).path, "/new/a.idf");

  model->Browse();  // cancelled
  EXPECT_EQ(Named("a").outputPath, "/new/a.idf");

  model->SelectRow(model->AllTogetherRow());
  chooser.answers.push_back("/new/all.idf");
  model->Browse();
  EXPECT_EQ(model->choices.allTogetherPath, "/new/all.idf");
  EXPECT_EQ(model->Row(model->AllTogetherRow()).path, "/new/all.idf");
}

TEST_F(SaveManagerTest, WithoutASelectedRowBrowseIsDisabled) {
  model->SelectRow(-1);
  EXPECT_FALSE(model->BrowseEnabled());
  model->Browse();
  EXPECT_TRUE(chooser.requests.empty());
}

TEST_F(SaveManagerTest, OnlyAClickInTheFilePathCellBrowses) {
  model->ClickCell(Row("b"), kLayerNameColumn);
  model->ClickCell(Row("b"), kObjectsColumn);
  model->ClickCell(-1, kFilePathColumn);
  EXPECT_TRUE(chooser.requests.empty());
  chooser.answers.push_back("/out/b.idf");
  model->ClickCell(Row("b"), kFilePathColumn);
  EXPECT_EQ(model->SelectedRow(), Row("b"));
  EXPECT_EQ(Named("b").outputPath, "/out/b.idf");
}

TEST_F(SaveManagerTest, AModifiedLayerWithoutPathStopsSaveAndIsSelected) {
  Named("a").outputPath = folder.PathOf("a.idf");
  model->Save();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, kMissingLayerPaths);
  EXPECT_EQ(prompter.messages[0].caption, "Missing File Path");
  EXPECT_EQ(prompter.messages[0].icon, Icon::Warning);
  EXPECT_EQ(view->events, Strings{Format("select %d", Row("b"))});
  EXPECT_FALSE(std::filesystem::exists(folder.PathOf("a.idf"))) << "nothing is written";
  EXPECT_TRUE(Named("a").modified);
}

TEST_F(SaveManagerTest, AMissingAllTogetherPathStopsSaveAndSelectsTheLastRow) {
  model->SetChecked(model->AllTogetherRow(), true);
  model->Save();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, kMissingAllTogetherPath);
  EXPECT_EQ(prompter.messages[0].caption, "Missing File Path");
  EXPECT_EQ(view->events, Strings{"select 3"});
}

TEST_F(SaveManagerTest, SavingEachLayerClearsItsStarAndCheckAndLeavesUncheckedLayersAlone) {
  Named("0").modified = true;
  Open();
  model->SetChecked(Row("0"), false);
  Named("a").outputPath = folder.PathOf("a.idf");
  Named("b").outputPath = folder.PathOf("b.idf");
  model->Save();
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(Names(), (Strings{"0*", "a", "b", "<All together checked layers>"}));
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(model->AllTogetherCount(), 0u);
  EXPECT_TRUE(Named("0").modified);
  EXPECT_FALSE(Named("a").modified);
  EXPECT_FALSE(Named("b").modified);
  EXPECT_EQ(view->events, (Strings{"label Writing progress:", "show", "range 1", "range 3", "label Writing progress: a",
                                   "range 3", "at 1", "at 2", "at 3", "range 1", "label Writing progress: b",
                                   "range 1", "at 1", "hide"}));
  EXPECT_EQ(ReadBack(folder.PathOf("a.idf")), DumpLayer(Named("a").id));
  EXPECT_EQ(ReadBack(folder.PathOf("b.idf")), DumpLayer(Named("b").id));
}

TEST_F(SaveManagerTest, SavedFileReadsBackToTheSameObjectsValuesAndComments) {
  Named("a").outputPath = folder.PathOf("a.idf");
  model->SetChecked(Row("b"), false);
  model->Save();
  const std::string a = DumpLayer(Named("a").id);
  EXPECT_EQ(a,
            "Zone: [Z1 !first zone\\nof two] [30] [] [4]\n"
            "Zone: [Z3] [] [1 !set by hand] []\n"
            "Wall: [W1] [Z1] []\n");
  EXPECT_EQ(ReadBack(folder.PathOf("a.idf")), a);
}

TEST_F(SaveManagerTest, WithoutInsertCommentsTheCommentsAreNotWritten) {
  model->choices.insertComments = false;
  Named("a").outputPath = folder.PathOf("a.idf");
  model->SetChecked(Row("b"), false);
  model->Save();
  EXPECT_EQ(ReadBack(folder.PathOf("a.idf")), "Zone: [Z1] [30] [] [4]\nZone: [Z3] [] [1] []\nWall: [W1] [Z1] []\n");
}

TEST_F(SaveManagerTest, SavingAllTogetherWritesOneFileUnchecksEveryRowAndKeepsModified) {
  model->SetChecked(Row("0"), true);
  model->SetChecked(Row("b"), false);
  model->SetChecked(model->AllTogetherRow(), true);
  model->choices.allTogetherPath = folder.PathOf("all.idf");
  model->Save();
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, false, false}));
  EXPECT_TRUE(Named("a").modified);
  EXPECT_TRUE(Named("b").modified);
  EXPECT_EQ(Names(), (Strings{"0", "a*", "b*", "<All together checked layers>"}));
  EXPECT_EQ(ReadBack(folder.PathOf("all.idf")),
            "Version: [9.9]\n"
            "Zone: [Z1 !first zone\\nof two] [30] [] [4]\n"
            "Zone: [Z3] [] [1 !set by hand] []\n"
            "Wall: [W1] [Z1] []\n");
  EXPECT_EQ(view->events, (Strings{"label Writing progress:", "show", "range 4",
                                   "label Writing progress: <All together checked layers>", "range 4", "at 1", "at 2",
                                   "at 3", "at 4", "hide"}));
}

TEST_F(SaveManagerTest, TheCheckedLastRowSavesAllTogetherWhateverTheLayerPaths) {
  model->SetChecked(model->AllTogetherRow(), true);
  model->choices.allTogetherPath = folder.PathOf("all.idf");
  model->Save();
  EXPECT_TRUE(prompter.messages.empty()) << "layer rows without paths are not examined";
  EXPECT_TRUE(std::filesystem::exists(folder.PathOf("all.idf")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.PathOf("")),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(SaveManagerTest, ChoicesGoBackOnlyThroughTheCaller) {
  callerChoices.allTogetherPath = "/kept/all.idf";
  callerChoices.insertComments = false;
  Open();
  EXPECT_EQ(model->choices.allTogetherPath, "/kept/all.idf");
  EXPECT_FALSE(model->choices.insertComments);
  model->SelectRow(model->AllTogetherRow());
  chooser.answers.push_back("/new/all.idf");
  model->Browse();
  model->SelectRow(Row("a"));
  chooser.answers.push_back("/new/a.idf");
  model->Browse();
  model.reset();  // closed with Escape: the caller takes nothing back
  EXPECT_EQ(callerChoices.allTogetherPath, "/kept/all.idf");
  EXPECT_EQ(Named("a").outputPath, "/new/a.idf");
}

// --- Files that cannot be written ------------------------------------------------------

// A folder in which nothing can be created: read-only, or, for a user such as
// root who may write there anyway, a plain file standing where the folder should be.
struct UnwritableFolder {
  std::string path;
  explicit UnwritableFolder(const TempFolder& folder) : path(folder.PathOf("locked")) {
    std::filesystem::create_directory(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::access(path.c_str(), W_OK) == 0) {
      std::filesystem::remove(path);
      folder.Write("locked", "not a folder");
    }
  }
  ~UnwritableFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
  }
};

struct WriteFailureCase {
  const char* name;
  Answer answer;            // to the question about the failed first layer
  bool secondLayerWritten;  // the user went on
};

class SaveFailureTest : public SaveManagerTest, public ::testing::WithParamInterface<WriteFailureCase> {};

TEST_P(SaveFailureTest, AFailedLayerKeepsItsCheckAndModifiedMark) {
  const WriteFailureCase& t = GetParam();
  const UnwritableFolder locked(folder);
  Named("a").outputPath = locked.path + "/a.idf";
  Named("b").outputPath = folder.PathOf("b.idf");
  prompter.script.push_back(t.answer);
  model->Save();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text,
            "Unable to save " + locked.path + "/a.idf file.\r\nProceed with following layers?");
  EXPECT_EQ(prompter.messages[0].caption, "Writing Error");
  EXPECT_EQ(prompter.messages[0].icon, Icon::Error);
  EXPECT_EQ(prompter.messages[0].buttons, Buttons::YesNo);
  EXPECT_TRUE(Named("a").modified);
  EXPECT_TRUE(model->IsChecked(Row("a")));
  EXPECT_EQ(model->Row(Row("a")).name, "a*");
  EXPECT_EQ(std::filesystem::exists(folder.PathOf("b.idf")), t.secondLayerWritten);
  EXPECT_EQ(Named("b").modified, !t.secondLayerWritten);
  EXPECT_EQ(view->events.back(), "hide");
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveFailureTest,
                         ::testing::Values(WriteFailureCase{"GoOn", Answer::Yes, true},
                                           WriteFailureCase{"Stop", Answer::No, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveManagerTest, EveryLayerThatCannotBeWrittenIsAskedAboutInTurn) {
  // These fail for every user, root included.
  const std::string notAFolder = folder.Write("plain.txt", "x") + "/a.idf";
  const std::string noFolder = folder.PathOf("missing/b.idf");
  Named("a").outputPath = notAFolder;
  Named("b").outputPath = noFolder;
  prompter.script = {Answer::Yes, Answer::Yes};
  model->Save();
  EXPECT_EQ(prompter.Texts(), (Strings{"Unable to save " + notAFolder + " file.\r\nProceed with following layers?",
                                       "Unable to save " + noFolder + " file.\r\nProceed with following layers?"}));
  EXPECT_TRUE(Named("a").modified);
  EXPECT_TRUE(Named("b").modified);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, true, false}));
}

TEST_F(SaveManagerTest, AFailedAllTogetherFileIsReportedAndChecksStay) {
  model->SetChecked(model->AllTogetherRow(), true);
  model->choices.allTogetherPath = folder.PathOf("missing/all.idf");
  model->Save();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Unable to save " + folder.PathOf("missing/all.idf") + " file.");
  EXPECT_EQ(prompter.messages[0].caption, "Writing Error");
  EXPECT_EQ(prompter.messages[0].buttons, Buttons::Ok);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(view->events.back(), "hide");
}

}  // namespace
}  // namespace verdanto::testing
