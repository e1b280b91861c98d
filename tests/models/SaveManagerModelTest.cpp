#include "ui/models/SaveManagerModel.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/Text.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowScenarios.h"

namespace verdanto::testing {

using Strings = std::vector<std::string>;  // as the other window tests name it

namespace {

// Writes down the window's changes: progress as "show", "hide", "label ...",
// "range N", "at N" (positions other than 0), and selection moves as "select N".
class RecordingView final : public SaveManagerView {
 public:
  explicit RecordingView(const SaveManagerModel& model) : model_(model) {}
  Strings events;
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

// The save manager over SavedLayers, with its view.
struct SaveManagerTest : ::testing::Test, SavedLayers {
  RecordingPrompter prompter;
  ScriptedFileChooser chooser;
  TempFolder folder;
  SaveChoices callerChoices;
  std::unique_ptr<SaveManagerModel> model;
  std::unique_ptr<RecordingView> view;

  void SetUp() override { Open(); }
  int Row(const char* name) const { return layers.FindLayerByName(name); }

  void Open() {
    model = std::make_unique<SaveManagerModel>(store, layers, prompter, chooser, callerChoices);
    view = std::make_unique<RecordingView>(*model);
    model->SetView(view.get());
  }
  // Every row as "name objects" and "[x]" when checked, rows joined by " | ".
  std::string Rows() const {
    std::string out;
    for (int row = 0; row < model->RowCount(); ++row)
      out += Format("%s%s %s%s", row ? " | " : "", model->Row(row).name.c_str(), model->Row(row).objects.c_str(),
                    model->IsChecked(row) ? " [x]" : "");
    return out;
  }
  void ExpectOneWarning(const std::string& text) {
    ASSERT_EQ(prompter.messages.size(), 1u);
    const RecordedMessage& m = prompter.messages[0];
    EXPECT_EQ(std::tuple(m.text, m.caption, m.icon, m.buttons),
              std::tuple(text, "Missing File Path", Icon::Warning, Buttons::Ok));
  }
};

TEST_F(SaveManagerTest, ModifiedLayersAreStarredCheckedAndCountedInTheLastRow) {
  EXPECT_EQ(Rows(), "0 1 | a* 3 [x] | b* 1 [x] | <All together checked layers> 4");
  EXPECT_EQ(model->SelectedRow(), 0);
  const struct {
    int row;
    bool checked;
    std::uint32_t count;
  } steps[] = {{1, false, 1}, {0, true, 2}, {3, true, 2}, {2, false, 1}, {1, true, 4}, {3, false, 4}};
  for (const auto& step : steps) {
    model->SetChecked(step.row, step.checked);
    EXPECT_EQ(model->AllTogetherCount(), step.count) << "row " << step.row;
  }
  for (Layer& layer : layers.layers) layer.modified = false;
  Named("a").outputPath = "/out/a.idf";
  Open();
  EXPECT_EQ(Rows(), "0 1 | a 3 | b 1 | <All together checked layers> 0");
  EXPECT_EQ(model->Row(Row("a")).path, "/out/a.idf");
}

TEST_F(SaveManagerTest, BrowseAsksForAnIdfFileStartingFromTheRowsPath) {
  model->SelectRow(-1);
  EXPECT_FALSE(model->BrowseEnabled());
  model->Browse();
  model->ClickCell(Row("b"), kObjectsColumn);  // only a click in the "File Path" cell of a row browses
  model->ClickCell(-1, kFilePathColumn);
  EXPECT_TRUE(chooser.requests.empty());
  Named("a").outputPath = "/old/a.idf";
  chooser.answers.push_back("/new/a.idf");
  model->ClickCell(Row("a"), kFilePathColumn);
  ASSERT_EQ(chooser.requests.size(), 1u);
  const FileRequest& r = chooser.requests[0];
  EXPECT_EQ(std::tuple(r.kind, r.filter, r.defaultExtension, r.initialName, r.askOverwrite, model->SelectedRow()),
            std::tuple(FileRequest::Kind::SaveFile, "EnergyPlus (*.idf)|*.idf||", "idf", "/old/a.idf", true, Row("a")));
  EXPECT_EQ(Named("a").outputPath, "/new/a.idf") << "a layer's path changes at once";
  model->Browse();  // cancelled
  EXPECT_EQ(model->Row(Row("a")).path, "/new/a.idf");
  model->SelectRow(model->AllTogetherRow());
  chooser.answers.push_back("/new/all.idf");
  model->Browse();
  EXPECT_EQ(model->choices.allTogetherPath + model->Row(model->AllTogetherRow()).path, "/new/all.idf/new/all.idf");
}

TEST_F(SaveManagerTest, AMissingPathStopsSaveAndSelectsItsRow) {
  Named("a").outputPath = folder.PathOf("a.idf");
  model->Save();
  ExpectOneWarning("Some file paths are missing and the writing process was interrupted.\r\n"
                   "Click Browse... to get file paths for the selected items and then retry.");
  // Nothing is written.
  EXPECT_EQ(std::tuple(view->events, std::filesystem::exists(folder.PathOf("a.idf")), Named("a").modified),
            std::tuple(Strings{Format("select %d", Row("b"))}, false, true));

  prompter.messages.clear();
  view->events.clear();
  model->SetChecked(model->AllTogetherRow(), true);
  model->Save();
  ExpectOneWarning("<All together checked layers> path is missing and the writing process was interrupted.\r\n"
                   "Click Browse... to get file path for the selected item and then retry.");
  EXPECT_EQ(view->events, Strings{"select 3"});
}

TEST_F(SaveManagerTest, SavingEachLayerClearsItsStarAndCheckAndReadsBackTheSame) {
  Named("0").modified = true;
  Open();
  model->SetChecked(Row("0"), false);
  Named("a").outputPath = folder.PathOf("a.idf");
  Named("b").outputPath = folder.PathOf("b.idf");
  model->Save();
  EXPECT_EQ(std::tuple(prompter.messages.size(), Rows()), std::tuple(0u, "0* 1 | a 3 | b 1 | <All together checked layers> 0"));
  EXPECT_EQ(std::tuple(Named("0").modified, Named("a").modified, Named("b").modified), std::tuple(true, false, false));
  EXPECT_EQ(view->events, (Strings{"label Writing progress:", "show", "range 1", "range 3", "label Writing progress: a",
                                   "range 3", "at 1", "at 2", "at 3", "range 1", "label Writing progress: b",
                                   "range 1", "at 1", "hide"}));
  EXPECT_EQ(ReadBack(folder.PathOf("a.idf")), kLayerA);
}

TEST_F(SaveManagerTest, SavingAllTogetherWritesOneFileUnchecksEveryRowAndKeepsModifiedUnlessItFails) {
  model->SetChecked(Row("0"), true);
  model->SetChecked(Row("b"), false);
  model->SetChecked(model->AllTogetherRow(), true);
  model->choices.allTogetherPath = folder.PathOf("all.idf");
  model->Save();
  // Layer rows without paths are not examined.
  EXPECT_EQ(std::tuple(prompter.messages.size(), Rows()), std::tuple(0u, "0 1 | a* 3 | b* 1 | <All together checked layers> 0"));
  EXPECT_EQ(ReadBack(folder.PathOf("all.idf")), std::string("Version: [9.9]\n") + kLayerA);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.PathOf("")), {}), 1) << "one file only";
  EXPECT_EQ(std::tuple(view->events.at(3), view->events.back()),
            std::tuple("label Writing progress: <All together checked layers>", "hide"));

  // A file that cannot be written is reported and every check stays.
  Open();
  model->SetChecked(model->AllTogetherRow(), true);
  model->choices.allTogetherPath = folder.PathOf("missing/all.idf");
  model->Save();
  EXPECT_EQ(std::tuple(prompter.messages.size(), Rows(), view->events.back()),
            std::tuple(1u, "0 1 | a* 3 [x] | b* 1 [x] | <All together checked layers> 4 [x]", "hide"));
}

// A file that cannot be written: this path fails for every user, root included.
// Yes to the question goes on with the next layer, No stops there. What is
// written, and the messages' texts, are the layer writer's tests.
TEST_F(SaveManagerTest, AFailedLayerKeepsItsCheckAndModifiedMark) {
  for (const Answer answer : {Answer::Yes, Answer::No}) {
    SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
    for (const char* name : {"a", "b"}) Named(name).modified = true;
    std::filesystem::remove(folder.PathOf("b.idf"));
    Open();
    prompter.messages.clear();
    const std::string notAFolder = folder.Write("plain.txt", "x") + "/a.idf";
    Named("a").outputPath = notAFolder;
    Named("b").outputPath = folder.PathOf("b.idf");
    prompter.script.push_back(answer);
    model->Save();
    // The message's text is the layer writer's.
    EXPECT_EQ(std::tuple(prompter.messages.size(), std::filesystem::exists(folder.PathOf("b.idf"))),
              std::tuple(1u, answer == Answer::Yes));
    EXPECT_EQ(Rows(), answer == Answer::Yes ? "0 1 | a* 3 [x] | b 1 | <All together checked layers> 3"
                                            : "0 1 | a* 3 [x] | b* 1 [x] | <All together checked layers> 4");
    EXPECT_EQ(view->events.back(), "hide");
  }
}

}  // namespace
}  // namespace verdanto::testing
