#include "models/MainWindowFixture.h"
#include "tests/support/FakeHost.h"
#include "tests/support/ScriptedDocument.h"
#include "ui/models/LayerManagerModel.h"
#include "ui/models/LayersBoxModel.h"

namespace verdanto::testing {
namespace {

using enum TreeItemKind;

const char* const kThreeZones = "Zone, Z1, 1;\r\nZone, Z2, 2;\r\nZone, Z3, 3;\r\n";

// --- The tree and the selection ------------------------------------------------------------

TEST_F(MainWindowTest, ChoosingAnItemEndsOnItsFirstClassOrFirstShownObject) {
  Read("Zone1", std::string(kThreeZones) + "Version, 7.2;\r\n");
  // The class Version was selected before the reading: selected again, it leads on to its first object.
  EXPECT_EQ(DumpObjects(model), "  Version\n    <Object 1> \"7.2\" @2 *\n  Zone\n    <Object 1> \"Z1\" @2\n"
                                "    <Object 2> \"Z2\" @2\n    <Object 3> \"Z3\" @2\n");
  const struct {
    TreeItem chosen, selected;
  } cases[] = {
      {{Group, kZones, 0, 0}, {Object, kZones, kZone, 0}},      {{Class, kZones, kZone, 0}, {Object, kZones, kZone, 0}},
      {{Class, kZones, kSurface, 0}, {Class, kZones, kSurface, 0}}, {{Object, kZones, kZone, 2}, {Object, kZones, kZone, 2}},
      {{Group, kMisc, 0, 0}, {Class, kMisc, 0, 0}},
  };
  for (const auto& t : cases) {
    model.SelectTreeItem(t.chosen);
    const bool isObject = t.selected.kind == Object;
    EXPECT_EQ(model.SelectedItem(), t.selected) << model.ItemText(t.chosen);
    EXPECT_EQ(std::tuple(model.selectedLayer, model.hasValueColumn, model.delEnabled, model.dupEnabled),
              std::tuple(isObject ? 2 : 0, isObject, isObject, isObject));
  }
  Select(Object, kZones, kOldZone, 0);  // items that do not exist are not selected
  Select(Group, 7);
  EXPECT_EQ(model.SelectedItem(), (TreeItem{Class, kMisc, 0, 0}));
}

TEST_F(MainWindowTest, AnotherObjectOfTheSameClassRenewsOnlyTheValueColumn) {
  Read("Zone1", kThreeZones);
  SelectObject(kZones, kZone, 0);
  model.SelectDetailRow(1);
  view.changes = 0;
  SelectObject(kZones, kZone, 2);
  EXPECT_EQ(view.changes & (kValueColumnPart | kDetailRowsPart), kValueColumnPart);
  EXPECT_EQ(std::tuple(model.valueHeader, Values(), model.selectedDetailRow),
            std::tuple("<Object 3>", Strings{"Z3", "3"}, 0));
  Select(Class, kSim, kBuilding);  // coming from a class item, the rows are made anew
  view.changes = 0;
  SelectObject(kZones, kZone, 1);
  EXPECT_TRUE(view.changes & kDetailRowsPart);
}

TEST_F(MainWindowTest, TheClassIsDescribedByItsPropertiesAndNotes) {
  const struct {
    std::uint16_t g, c;
    Strings rows;
  } cases[] = {
      {kSim, kBuilding,
       {"Group=Simulation Parameters", "Class=Building", "Unique Object=", "Required Object=", "Minimum fields=2"}},
      {kZones, kOldZone, {"Group=Zones", "Class=Old Zone", "Obsolete==>Zone"}},
      {kZones, kSurface, {"Group=Zones", "Class=Surface", "Extensible="}},
  };
  for (const auto& t : cases) {
    Select(Class, t.g, t.c);
    Strings rows;
    for (const PropertyRow& row : model.propertyRows) rows.push_back(row.property + "=" + row.value);
    EXPECT_EQ(rows, t.rows);
    EXPECT_EQ(model.selectEnabled, t.c == kSurface) << "three vertex triples: " << t.rows[1];
  }
  Select(Class, kSim, kBuilding);
  EXPECT_EQ(model.memoText, "Object Memo:\r\n");
  EXPECT_EQ(model.detailRows.at(0).rfs + model.detailRows.at(1).units, "xdeg");  // Name is required, North in deg
  model.SelectDetailRow(2);  // a field without a label
  EXPECT_EQ(model.noteText, "Field \"N2\" Note:\r\n");
  model.SelectDetailRow(-1);
  EXPECT_EQ(model.noteText, "");
  // A class without fields shows no rows; its objects have an empty name.
  Select(Group, kMisc);
  EXPECT_EQ(std::tuple(model.detailRows.size(), model.selectedDetailRow), std::tuple(0u, -1));
  model.AddObject();
  EXPECT_EQ(model.ItemText(model.SelectedItem()), "<Object 1> \"\"");
}

TEST(CountVertexTriplesTest, CountsCompleteTriplesAfterTheCountField) {
  const std::string count = kVertexCountLabel;
  const auto v = [](int n, char axis) { return Format("Vertex %d %c-coordinate", n, axis); };
  const struct {
    Strings labels;
    std::uint32_t triples;
  } cases[] = {
      {{v(1, 'X'), v(1, 'Y'), v(1, 'Z')}, 0},  // no count field
      {{"Name", ToUpperAscii(count), "vertex 1 x-coordinate", "VERTEX 1 Y-COORDINATE", v(1, 'Z'), v(2, 'X'),
        v(2, 'Y'), v(2, 'Z')},
       2},
      {{count, v(2, 'X'), v(2, 'Y'), v(2, 'Z')}, 0},  // a triple out of sequence is not counted, nor what follows
      {{count, v(1, 'X'), v(1, 'Z')}, 1},             // a missing Y: the Z that follows still completes the triple
      {{count, v(1, 'X'), v(1, 'Y'), "Other", v(2, 'X')}, 0},
  };
  for (const auto& t : cases) {
    DictClass dictClass;
    for (const std::string& label : t.labels) dictClass.fields.emplace_back().label = label;
    EXPECT_EQ(CountVertexTriples(dictClass), t.triples) << ::testing::PrintToString(t.labels);
  }
}

// --- Add, Dup, Del --------------------------------------------------------------------------

TEST_F(MainWindowTest, DupAndAddPutTheirObjectInTheCurrentLayerAndSelectIt) {
  Read("Zone1", "Zone,\r\n  Z1, !the first\r\n  5;\r\n");
  SelectObject(kZones, kZone, 0);
  model.DupObject();
  EXPECT_EQ(model.store.GetValue(kZones, kZone, 0, 1).comment, "the first");
  model.AddObject();
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n    <Object 1> \"Z1\" @2\n    <Object 2> \"Z1\" @1\n    <Object 3> \"\" @1 *\n");
  EXPECT_EQ(Layers(), "0 2* | Zone1 1");
}

TEST_F(MainWindowTest, AddObjectShowsTheItemEvenWhenTheCurrentLayerIsOff) {
  model.layers.SetLayerOn(0, false);
  Select(Class, kZones, kOldZone);
  model.AddObject();
  EXPECT_EQ(model.ObjectItemCount(kZones, kOldZone), 1);
  // Switching the layer on later does not show the object twice.
  model.layers.SetLayerOn(0, true);
  model.layers.NotifyChange(0, ChangeKind::OnOffToggled);
  EXPECT_EQ(model.ObjectItemCount(kZones, kOldZone), 1);
}

TEST_F(MainWindowTest, DelRenumbersTheRestAndAfterTheLastShownObjectSelectsTheClass) {
  Read("Zone1", kThreeZones);
  SelectObject(kZones, kZone, 0);
  model.DelObject();
  EXPECT_EQ(DumpObjects(model), "  Zone\n    <Object 1> \"Z2\" @2 *\n    <Object 2> \"Z3\" @2\n");
  EXPECT_EQ(Values(), (Strings{"Z2", "2"}));
  SelectObject(kZones, kZone, 1);
  model.DelObject();  // the last item: its class is chosen, which leads on to the first
  EXPECT_EQ(model.SelectedItem(), (TreeItem{Object, kZones, kZone, 0}));
  model.DelObject();
  EXPECT_EQ(std::tuple(model.SelectedItem(), model.delEnabled), std::tuple(TreeItem{Class, kZones, kZone, 0}, false));
  model.DelObject();  // nothing selected to delete
  EXPECT_EQ(Layers(), "0 0 | Zone1 0*");
}

// --- Layers box ------------------------------------------------------------------------------

TEST_F(MainWindowTest, APlainPickMovesTheSelectedObjectElseTheBoxGoesBackAndACurrentMarkClickOnlySelectsAgain) {
  Read("Zone1", kThreeZones);
  Select(Class, kZones, kOldZone);
  LayersBoxModel box(model.layers);
  box.Pick(LayerIndex("Zone1"));
  EXPECT_EQ(std::tuple(model.layers.shown, model.layers.lastChanged), std::tuple(model.layers.current, -1));
  EXPECT_EQ(Layers(), "0 0 | Zone1 3");
  SelectObject(kZones, kZone, 1);
  box.Pick(0);
  EXPECT_EQ(std::tuple(model.selectedLayer, Layers()), std::tuple(1, "0 1* | Zone1 2*"));

  // A click on a current mark only selects again; with no object selected the box follows the current layer.
  Select(Class, kZones, kOldZone);
  const int zone1 = LayerIndex("Zone1");
  EXPECT_TRUE(box.ClickListEntry(zone1, 5));
  EXPECT_EQ(std::tuple(model.layers.shown, model.SelectedItem()), std::tuple(zone1, TreeItem{Class, kZones, kOldZone, 0}));
  model.AddObject();  // into the new current layer
  EXPECT_EQ(model.ItemKey(model.SelectedItem()) & 0xFFFF, 2u);
}

TEST_F(MainWindowTest, MovingToALayerThatIsOffSelectsTheNextSiblingOrTheClass) {
  Read("Zone1", kThreeZones);
  model.layers.SetLayerOn(model.layers.AddLayer("Hidden", ""), false);
  LayersBoxModel box(model.layers);
  SelectObject(kZones, kZone, 1);
  box.Pick(LayerIndex("Hidden"));
  EXPECT_EQ(DumpObjects(model), "  Zone\n    <Object 1> \"Z1\" @2\n    <Object 3> \"Z3\" @2 *\n");
  EXPECT_EQ(model.layers.shown, LayerIndex("Zone1"));
  box.Pick(LayerIndex("Hidden"));  // the last one: its class is chosen, which leads on to the first
  EXPECT_EQ(DumpObjects(model), "  Zone\n    <Object 1> \"Z1\" @2 *\n");
}

TEST_F(MainWindowTest, LampOffRemovesALayersItemsAndLampOnPutsThemBackInOrder) {
  Read("A", "Zone, a1;\r\n");  // objects of two layers alternate within Zone
  Read("B", "Zone, b2;\r\n");
  Read("A", "Zone, a3;\r\nZone, a4;\r\n");
  Read("B", "Zone, b5;\r\nVersion, 1;\r\n");
  SelectObject(kZones, kZone, 1);
  LayersBoxModel box(model.layers);
  const int b = LayerIndex("B");
  model.layers.shown = b;
  EXPECT_TRUE(box.ClickClosedBox(20));  // the lamp of the shown layer
  EXPECT_EQ(std::tuple(model.layers.IsLayerOn(b), model.layers.lastChanged), std::tuple(false, -1));
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n    <Object 1> \"a1\" @2\n    <Object 3> \"a3\" @2 *\n    <Object 4> \"a4\" @2\n");
  Select(Class, kSim, kVersion);  // its one object is hidden: the class stays selected
  EXPECT_EQ(std::tuple(model.SelectedItem(), model.hasValueColumn), std::tuple(TreeItem{Class, kSim, kVersion, 0}, false));
  SelectObject(kZones, kZone, 2);
  EXPECT_TRUE(box.ClickListEntry(b, 20));
  EXPECT_EQ(DumpObjects(model), "  Version\n    <Object 1> \"1\" @3\n  Zone\n    <Object 1> \"a1\" @2\n"
                                "    <Object 2> \"b2\" @3\n    <Object 3> \"a3\" @2 *\n    <Object 4> \"a4\" @2\n"
                                "    <Object 5> \"b5\" @3\n");
}

// --- Field editing, closing -------------------------------------------------------------------

TEST_F(MainWindowTest, OnlyTheValueColumnOfAShownObjectOpensTheEditorAndANewNameShowsAtOnce) {
  Read("Zone1", kThreeZones);
  Select(Class, kZones, kOldZone);
  EXPECT_FALSE(model.FieldToEdit(0, 4));
  SelectObject(kZones, kZone, 1);
  EXPECT_FALSE(model.FieldToEdit(0, 3) || model.FieldToEdit(2, 4));
  const auto target = model.FieldToEdit(0, 4);
  ASSERT_TRUE(target);
  EXPECT_EQ(std::tuple(target->object, target->field), std::tuple(1, 0));
  model.store.GetValue(kZones, kZone, 0, 1).value = "Renamed";  // what the editor stores
  model.FieldEdited(*target, true, LayerFilter::OnlyOn);
  EXPECT_EQ(std::tuple(model.ItemText(model.SelectedItem()), model.fieldLayerFilter),
            std::tuple("<Object 2> \"Renamed\"", LayerFilter::OnlyOn));
  model.FieldEdited(*target, false, LayerFilter::OnlyCurrent);  // Cancel hands back the filter and nothing else
  EXPECT_EQ(model.fieldLayerFilter, LayerFilter::OnlyCurrent);
}

TEST_F(MainWindowTest, ClosingAsksAboutModifiedLayersOnly) {
  EXPECT_EQ(model.RequestClose(), CloseOutcome::Release);
  Read("Zone1", kThreeZones);
  Read("Attic", "Zone, Z9;\r\n");
  model.layers.At(0).modified = model.layers.At(LayerIndex("Zone1")).modified = true;
  // Escape or the question's close box decides nothing: the window stays with everything in it.
  prompter.script = {Answer::Cancel, Answer::Yes, Answer::No};
  EXPECT_EQ(model.RequestClose(), CloseOutcome::Refused);
  EXPECT_TRUE(model.layers.At(LayerIndex("Zone1")).modified);
  EXPECT_EQ(model.RequestClose(), CloseOutcome::SaveFirst);
  EXPECT_EQ(model.RequestClose(), CloseOutcome::Release);
  ASSERT_EQ(prompter.messages.size(), 3u);
  EXPECT_EQ(std::tuple(prompter.messages[0].text, prompter.messages[0].buttons),
            std::tuple("Save changes to following layers?\r\n\r\n    0\r\n    Zone1", Buttons::YesNo));
}

// --- Open commands ----------------------------------------------------------------------------

// Which layer a file goes to, and when a layer counts as modified, are the layer operations' tests.
TEST_F(MainWindowTest, OpenInCurrentLayerReadsSeveralFilesInOrderAndSkipsOnesThatFail) {
  model.OpenFiles(OpenMode::CurrentLayer);  // the chooser is cancelled: nothing is read
  EXPECT_TRUE(loader.runs.empty());
  loader.files["/m/a.idf"] = "Zone, A;\r\n";
  loader.files["/m/c.idf"] = "Zone, C;\r\n";
  chooser.multiAnswers.push_back(Strings{"/m/a.idf", "/m/missing.idf", "/m/c.idf"});
  Select(Class, kZones, kOldZone);
  model.OpenFiles(OpenMode::CurrentLayer);
  EXPECT_EQ(std::tuple(loader.runs, chooser.requests.at(1).filter, prompter.Texts()),
            std::tuple(Strings{"/m/a.idf", "/m/missing.idf", "/m/c.idf"}, "EnergyPlus (*.idf)|*.idf||",
                       Strings{"Unable to open /m/missing.idf."}));
  EXPECT_EQ(std::tuple(Layers(), model.layers.At(0).outputPath), std::tuple("0 2*", "/m/c.idf"));
  EXPECT_EQ(DumpObjects(model), "  Zone\n    <Object 1> \"A\" @1\n    <Object 2> \"C\" @1\n");
  // The remembered item again, and one insertion for the class, not one per object.
  EXPECT_EQ(std::tuple(model.SelectedItem(), view.structuralChanges), std::tuple(TreeItem{Class, kZones, kOldZone, 0}, 1));
}

TEST_F(MainWindowTest, AReadingThatFailsPartWayLeavesNothingForTheNextFilesLayer) {
  loader.files["/models/Broken.idf"] = "Zone, Lost;\r\n";
  loader.files["/models/Good.idf"] = "Zone, Kept;\r\n";
  loader.failAfterReading.push_back("/models/Broken.idf");
  chooser.multiAnswers.push_back(Strings{"/models/Broken.idf", "/models/Good.idf"});
  model.OpenFiles(OpenMode::FilenameLayer);
  EXPECT_EQ(Layers(), "0 0 | Good 1");
  EXPECT_EQ(DumpObjects(model), "  Zone\n    <Object 1> \"Kept\" @2\n");
}

// --- The layer manager's operations keep the tree exact ----------------------------------------

struct WithLayerManager : MainWindowTest {
  LayerManagerModel manager{model.store, model.layers, prompter, model};
  void SelectLayer(const char* first, const char* last) {
    const std::vector<int> rows{LayerIndex(first), LayerIndex(last)};
    manager.SetSelection(rows, rows.back());
  }
};

TEST_F(WithLayerManager, DeletingALayerRemovesItsItemsAndRenumbersTheRest) {
  Read("A", "Zone, a1;\r\n");
  Read("B", "Zone, b2;\r\n");
  Read("A", "Zone, a3;\r\n");
  Read("C", "Zone, c4;\r\n");
  SelectObject(kZones, kZone, 0);  // in the layer that goes
  SelectLayer("A", "A");
  prompter.script = {Answer::Yes, Answer::Yes};
  manager.Delete();
  EXPECT_EQ(DumpObjects(model), "  Zone\n    <Object 1> \"b2\" @3 *\n    <Object 2> \"c4\" @4\n");
  EXPECT_EQ(std::tuple(model.rebuilding, model.valueHeader, model.layers.shown),
            std::tuple(false, "<Object 1>", LayerIndex("B")));
  SelectObject(kZones, kZone, 1);  // renumbered, it keeps the selection
  SelectLayer("B", "B");
  manager.Delete();
  EXPECT_EQ(std::tuple(model.SelectedItem(), Values()[0]), std::tuple(TreeItem{Object, kZones, kZone, 0}, "c4"));
}

TEST_F(WithLayerManager, MergingFollowsTheOnAndOffStatesOfSourceAndTarget) {
  Read("A", "Zone, a1;\r\n");
  Read("B", "Zone, b2;\r\n");
  Read("C", "Zone, c3;\r\n");
  // B is off: merging A (on) down into B hides a1; merging B down into C (on) shows both.
  manager.ClickLamp(LayerIndex("B"));
  SelectObject(kZones, kZone, 0);
  SelectLayer("A", "B");
  manager.MergeDown();
  EXPECT_EQ(DumpObjects(model), "  Zone\n    <Object 3> \"c3\" @4 *\n");
  SelectLayer("B", "C");
  manager.MergeDown();
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n    <Object 1> \"a1\" @4\n    <Object 2> \"b2\" @4\n    <Object 3> \"c3\" @4 *\n");
}

// --- "&Select...": the surface tool run on the selected class and object ---------------------

struct SelectRegionTest : MainWindowTest {
  FakeHost host;
  ScriptedDocument document;
  EntityId triangle = document.AddRegion({{0, 0, 0}, {2, 0, 0}, {0, 1.5, 0}}, {0, 0, 1});

  void SetUp() override {
    MainWindowTest::SetUp();
    host.activeDocument = &document;
    Select(Class, kZones, kSurface);
  }
  void Run(std::vector<std::string> answers) {
    host.script.picks = {triangle};
    host.script.answers.assign(answers.begin(), answers.end());
    model.SelectRegion(host);
  }
  std::uint16_t Surfaces() const { return model.store.GetClass(kZones, kSurface).objectCount(); }
};

TEST_F(SelectRegionTest, AddsANamedObjectWithTheVerticesAndWithoutADocumentSaysSo) {
  Run({"No", "", "", "Roof"});
  EXPECT_TRUE(prompter.messages.empty());  // nothing was selected: no question
  EXPECT_EQ(DumpObjects(model) + Layers(), "  Surface\n    <Object 1> \"Roof\" @1 *\n0 1*");
  EXPECT_EQ(Values(), (Strings{"Roof", "3", "0", "0", "0", "2", "0", "0", "0", "1.5", "0"}));
  EXPECT_EQ(std::tuple(view.minimised, view.restored, model.selecting, model.keepFocus, host.script.commandPrompts),
            std::tuple(1, 1, false, 1, 1));
  host.activeDocument = nullptr;
  host.script.transcript.clear();
  Run({});
  EXPECT_EQ(std::tuple(prompter.Texts(), prompter.messages[0].icon, view.minimised, host.script.transcript),
            std::tuple(Strings{"There is no document active in CAD.\r\nNo selection is available."}, Icon::Warning, 1, ""));
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
  EXPECT_EQ(std::tuple(prompter.messages.at(0).text, prompter.messages[0].buttons),
            std::tuple("Overwrite surface name and vertices data?\r\n(if No add a new object)", Buttons::YesNoCancel));
  EXPECT_NE(host.script.transcript.find("name <Old>: "), std::string::npos);
  EXPECT_EQ(Values(), (Strings{"Old", "3", "0", "0", "0", "0", "1.5", "0", "2", "0", "0"}));
  EXPECT_EQ(std::tuple(Surfaces(), model.vertexEntryOrder), std::tuple(2u, 0));  // the order is kept for the next run

  Run({"No", "", "", ""});
  EXPECT_EQ(DumpObjects(model) + Values()[1], "  Surface\n    <Object 1> \"Old\" @1\n    <Object 2> \"\" @1\n"
                                             "    <Object 3> \"\" @1 *\n3");

  host.script.transcript.clear();
  Run({"No", "", "", ""});
  EXPECT_TRUE(host.script.transcript.empty());
  EXPECT_EQ(std::tuple(view.minimised, Surfaces()), std::tuple(2, 3u));
}

TEST_F(SelectRegionTest, WhileSelectingTheWindowRefusesToCloseOrRestore) {
  model.layers.At(0).modified = true;
  Strings seen;
  host.script.echo = [&](std::string_view) {
    seen.push_back(Format("selecting=%d keepFocus=%d", model.selecting ? 1 : 0, model.keepFocus));
    EXPECT_EQ(model.RequestClose(), CloseOutcome::Refused);
    EXPECT_FALSE(model.RequestRestore());
  };
  host.script.picks = {document.AddPiece({0, 0, 0}, {1, 0, 0})};  // refused: not a region
  model.SelectRegion(host);
  EXPECT_EQ(seen, Strings{"selecting=1 keepFocus=0"});
  EXPECT_EQ(prompter.Texts(), (Strings{"Unable to close the dialog, a selection is being performed.",
                                       "Unable to restore the dialog, a selection is being performed."}));
  EXPECT_EQ(std::tuple(model.selecting, view.restored, Surfaces()), std::tuple(false, 1, 0u));
  EXPECT_TRUE(model.RequestRestore());
}

}  // namespace
}  // namespace verdanto::testing
