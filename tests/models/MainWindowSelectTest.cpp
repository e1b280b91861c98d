// "&Select...": the surface tool run from the main window on the selected class
// and object, with the window's guards while it runs.

#include "tests/models/MainWindowFixture.h"
#include "tests/support/FakeHost.h"
#include "tests/support/ScriptedDocument.h"

namespace verdanto::testing {
namespace {

using Kind = TreeItemKind;

const std::vector<Vec3> kTriangle = {{0, 0, 0}, {2, 0, 0}, {0, 1.5, 0}};

// Counts the window's minimise and restore around the class tree's mirror.
class WindowWatch final : public MainWindowListener {
 public:
  explicit WindowWatch(MirrorView& mirror) : mirror_(mirror) {}
  int minimised = 0;
  int restored = 0;

  void BeginTreeReset() override { mirror_.BeginTreeReset(); }
  void EndTreeReset() override { mirror_.EndTreeReset(); }
  void BeginObjectItemsChange(std::uint16_t g, std::uint16_t c, int first, int oldCount, int newCount) override {
    mirror_.BeginObjectItemsChange(g, c, first, oldCount, newCount);
  }
  void EndObjectItemsChange(std::uint16_t g, std::uint16_t c, int first, int newCount) override {
    mirror_.EndObjectItemsChange(g, c, first, newCount);
  }
  void ViewsChanged(unsigned parts) override { mirror_.ViewsChanged(parts); }
  void MinimiseWindow() override { ++minimised; }
  void RestoreWindow() override { ++restored; }

 private:
  MirrorView& mirror_;
};

struct SelectRegionTest : MainWindowTest {
  FakeHost host;
  ScriptedDocument document;
  WindowWatch watch{view};
  EntityId triangle = 0;

  void SetUp() override {
    MainWindowTest::SetUp();
    model.SetListener(&watch);
    host.activeDocument = &document;
    triangle = document.AddRegion(kTriangle, {0, 0, 1});
    Select(Kind::Class, kZones, kSurface);
  }
  void Run(std::vector<std::string> answers) {
    host.script.picks = {triangle};
    host.script.answers.assign(answers.begin(), answers.end());
    model.SelectRegion(host);
  }
};

TEST_F(SelectRegionTest, WithoutADocumentSaysSoAndDoesNothing) {
  host.activeDocument = nullptr;
  Run({});
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "There is no document active in CAD.\r\nNo selection is available.");
  EXPECT_EQ(prompter.messages[0].icon, Icon::Warning);
  EXPECT_EQ(watch.minimised, 0);
  EXPECT_TRUE(host.script.transcript.empty());
}

TEST_F(SelectRegionTest, AddsANamedObjectWithTheVertices) {
  Run({"No", "", "", "Roof"});
  EXPECT_TRUE(prompter.messages.empty());  // nothing was selected: no question
  EXPECT_EQ(DumpObjects(model), "  Surface\n    <Object 1> \"Roof\" @1 *\n");
  EXPECT_EQ(Values(), (std::vector<std::string>{"Roof", "3", "0", "0", "0", "2", "0", "0", "0", "1.5", "0"}));
  EXPECT_EQ(Layers(), "0 1*");
  EXPECT_EQ(watch.minimised, 1);
  EXPECT_EQ(watch.restored, 1);
  EXPECT_EQ(model.selecting, 0);
  EXPECT_EQ(model.keepFocus, 1);
  EXPECT_EQ(host.script.commandPrompts, 1);
}

TEST_F(SelectRegionTest, OverwritesTheSelectedObjectKeepingItsName) {
  model.AddObject();
  model.AddObject();
  DictClass& surface = model.store.GetClass(kZones, kSurface);
  surface.GetValue(0, 0).value = "Old";
  for (std::uint16_t f = 1; f < surface.fieldCount(); ++f) surface.GetValue(f, 0).value = "7";
  SelectObject(kZones, kSurface, 0);
  prompter.script = {Answer::Yes};
  Run({"No", "CW", "", ""});
  EXPECT_EQ(prompter.messages.at(0).text, "Overwrite surface name and vertices data?\r\n(if No add a new object)");
  EXPECT_EQ(prompter.messages[0].buttons, Buttons::YesNoCancel);
  EXPECT_NE(host.script.transcript.find("name <Old>: "), std::string::npos);
  EXPECT_EQ(Values(), (std::vector<std::string>{"Old", "3", "0", "0", "0", "0", "1.5", "0", "2", "0", "0"}));
  EXPECT_EQ(model.store.GetClass(kZones, kSurface).objectCount(), 2u);
  EXPECT_EQ(model.vertexEntryOrder, 0);  // kept for the next run
}

TEST_F(SelectRegionTest, NoToTheQuestionAddsANewObject) {
  model.AddObject();
  prompter.script = {Answer::No};
  Run({"No", "", "", ""});
  EXPECT_EQ(DumpObjects(model), "  Surface\n    <Object 1> \"\" @1\n    <Object 2> \"\" @1 *\n");
  EXPECT_EQ(Values()[1], "3");
}

TEST_F(SelectRegionTest, CancelToTheQuestionAsksNothingMore) {
  model.AddObject();
  prompter.script = {Answer::Cancel};
  Run({"No", "", "", ""});
  EXPECT_TRUE(host.script.transcript.empty());
  EXPECT_EQ(watch.minimised, 0);
  EXPECT_EQ(model.store.GetClass(kZones, kSurface).objectCount(), 1u);
}

TEST_F(SelectRegionTest, WhileSelectingTheWindowRefusesToCloseOrRestore) {
  std::vector<std::string> seen;
  host.script.echo = [&](std::string_view) {
    seen.push_back(Format("selecting=%d keepFocus=%d", model.selecting, model.keepFocus));
    EXPECT_EQ(model.RequestClose(), CloseOutcome::Refused);
    EXPECT_FALSE(model.RequestRestore());
  };
  host.script.picks = {document.AddPiece({0, 0, 0}, {1, 0, 0})};  // refused: not a region
  model.SelectRegion(host);
  EXPECT_EQ(seen, std::vector<std::string>{"selecting=1 keepFocus=0"});
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"Unable to close the dialog, a selection is being performed.",
                                                        "Unable to restore the dialog, a selection is being performed."}));
  EXPECT_EQ(model.selecting, 0);
  EXPECT_EQ(watch.restored, 1);
  EXPECT_EQ(model.store.GetClass(kZones, kSurface).objectCount(), 0u);
}

}  // namespace
}  // namespace verdanto::testing
