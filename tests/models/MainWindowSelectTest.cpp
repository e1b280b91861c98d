// "&Select...": the surface tool run from the main window on the selected class
// and object, with the window's guards while it runs.

#include "tests/models/MainWindowFixture.h"
#include "tests/support/FakeHost.h"
#include "tests/support/ScriptedDocument.h"

namespace verdanto::testing {
namespace {

using Kind = TreeItemKind;

struct SelectRegionTest : MainWindowTest {
  FakeHost host;
  ScriptedDocument document;
  EntityId triangle = document.AddRegion({{0, 0, 0}, {2, 0, 0}, {0, 1.5, 0}}, {0, 0, 1});

  void SetUp() override {
    MainWindowTest::SetUp();
    host.activeDocument = &document;
    Select(Kind::Class, kZones, kSurface);
  }
  void Run(std::vector<std::string> answers) {
    host.script.picks = {triangle};
    host.script.answers.assign(answers.begin(), answers.end());
    model.SelectRegion(host);
  }
  std::uint16_t Surfaces() const { return model.store.GetClass(kZones, kSurface).objectCount(); }
};

TEST_F(SelectRegionTest, WithoutADocumentSaysSoAndDoesNothing) {
  host.activeDocument = nullptr;
  Run({});
  EXPECT_EQ(prompter.Texts(), Strings{"There is no document active in CAD.\r\nNo selection is available."});
  EXPECT_EQ(prompter.messages[0].icon, Icon::Warning);
  EXPECT_EQ(view.minimised, 0);
  EXPECT_TRUE(host.script.transcript.empty());
}

TEST_F(SelectRegionTest, AddsANamedObjectWithTheVertices) {
  Run({"No", "", "", "Roof"});
  EXPECT_TRUE(prompter.messages.empty());  // nothing was selected: no question
  EXPECT_EQ(DumpObjects(model), "  Surface\n    <Object 1> \"Roof\" @1 *\n");
  EXPECT_EQ(Values(), (Strings{"Roof", "3", "0", "0", "0", "2", "0", "0", "0", "1.5", "0"}));
  EXPECT_EQ(Layers(), "0 1*");
  EXPECT_EQ(std::tuple(view.minimised, view.restored, model.selecting, model.keepFocus, host.script.commandPrompts),
            std::tuple(1, 1, 0, 1, 1));
}

// The answer to "Overwrite ...?": Yes overwrites the selected object keeping its
// name, No adds a new one, Cancel (Escape) asks nothing more.
TEST_F(SelectRegionTest, TheOverwriteQuestionDecidesWhereTheVerticesGo) {
  model.AddObject();
  model.AddObject();
  DictClass& surface = model.store.GetClass(kZones, kSurface);
  surface.GetValue(0, 0).value = "Old";
  SelectObject(kZones, kSurface, 0);
  prompter.script = {Answer::Yes, Answer::No, Answer::Cancel};
  Run({"No", "CW", "", ""});
  EXPECT_EQ(prompter.messages.at(0).text, "Overwrite surface name and vertices data?\r\n(if No add a new object)");
  EXPECT_EQ(prompter.messages[0].buttons, Buttons::YesNoCancel);
  EXPECT_NE(host.script.transcript.find("name <Old>: "), std::string::npos);
  EXPECT_EQ(Values(), (Strings{"Old", "3", "0", "0", "0", "0", "1.5", "0", "2", "0", "0"}));
  EXPECT_EQ(Surfaces(), 2u);
  EXPECT_EQ(model.vertexEntryOrder, 0);  // kept for the next run

  Run({"No", "", "", ""});
  EXPECT_EQ(DumpObjects(model), "  Surface\n    <Object 1> \"Old\" @1\n    <Object 2> \"\" @1\n"
                                "    <Object 3> \"\" @1 *\n");
  EXPECT_EQ(Values()[1], "3");

  host.script.transcript.clear();
  Run({"No", "", "", ""});
  EXPECT_TRUE(host.script.transcript.empty());
  EXPECT_EQ(std::tuple(view.minimised, Surfaces()), std::tuple(2, 3u));
}

TEST_F(SelectRegionTest, WhileSelectingTheWindowRefusesToCloseOrRestore) {
  model.layers.At(0).modified = true;
  Strings seen;
  host.script.echo = [&](std::string_view) {
    seen.push_back(Format("selecting=%d keepFocus=%d", model.selecting, model.keepFocus));
    EXPECT_EQ(model.RequestClose(), CloseOutcome::Refused);
    EXPECT_FALSE(model.RequestRestore());
  };
  host.script.picks = {document.AddPiece({0, 0, 0}, {1, 0, 0})};  // refused: not a region
  model.SelectRegion(host);
  EXPECT_EQ(seen, Strings{"selecting=1 keepFocus=0"});
  EXPECT_EQ(prompter.Texts(), (Strings{"Unable to close the dialog, a selection is being performed.",
                                       "Unable to restore the dialog, a selection is being performed."}));
  EXPECT_EQ(prompter.messages[1].icon, Icon::Error);
  EXPECT_EQ(std::tuple(model.selecting, view.restored, Surfaces()), std::tuple(0, 1, 0u));
  EXPECT_TRUE(model.RequestRestore());
}

}  // namespace
}  // namespace verdanto::testing
