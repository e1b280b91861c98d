#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layers/LayerOps.h"
#include "models/MainWindowFixture.h"
#include "ui/models/LayersBoxModel.h"

namespace verdanto::testing {
namespace {

using Strings = std::vector<std::string>;

const char* const kThreeZones = "Zone, Z1, 1;\r\nZone, Z2, 2;\r\nZone, Z3, 3;\r\n";

// --- Creation and the tree -----------------------------------------------------------

TEST_F(MainWindowTest, CreationShowsTitleLayerZeroAndTheClassesWithTheFirstSelected) {
  EXPECT_EQ(model.title, "Verdanto BETA Version - IDD Version 9.9.0");
  ASSERT_EQ(model.layers.Count(), 1);
  EXPECT_EQ(model.layers.At(0).name, "0");
  EXPECT_EQ(model.layers.At(0).id, 1);
  EXPECT_EQ(model.layers.shown, 0);
  EXPECT_EQ(DumpTree(model),
            "Simulation Parameters\n"
            "  Version *\n"
            "  Building\n"
            "Zones\n"
            "  Zone\n"
            "  Old Zone\n"
            "  Surface\n"
            "Misc\n"
            "  Lead Input\n");
  EXPECT_EQ(view.resets, 1);
  EXPECT_TRUE(model.addEnabled);
  EXPECT_FALSE(model.dupEnabled);
  EXPECT_FALSE(model.delEnabled);
}

TEST_F(MainWindowTest, ItemKeysTellGroupsClassesAndObjects) {
  Read("Zone1", kThreeZones);
  EXPECT_EQ(model.ItemKey({TreeItemKind::Group, kZones, 0, 0}), 0x00000001u);
  EXPECT_EQ(model.ItemKey({TreeItemKind::Class, kZones, kSurface, 0}), 0x00020001u);
  // Object 2 (the third) of layer Zone1, whose id is 2.
  EXPECT_EQ(model.ItemKey({TreeItemKind::Object, kZones, kZone, 2}), 0x00020002u);
}

TEST_F(MainWindowTest, ReadObjectsAppearUnderTheirClassesInTheirLayer) {
  Read("Zone1", std::string(kThreeZones) + "Version, 7.2;\r\n");
  EXPECT_EQ(DumpObjects(model),
            "  Version\n"
            "    <Object 1> \"7.2\" @2 *\n"
            "  Zone\n"
            "    <Object 1> \"Z1\" @2\n"
            "    <Object 2> \"Z2\" @2\n"
            "    <Object 3> \"Z3\" @2\n");
  // The class Version was selected before the reading: selected again, it leads on to its first object.
  EXPECT_EQ(model.selectedLayer, 2);
}

// --- Selection rules --------------------------------------------------------------------

TEST_F(MainWindowTest, ChoosingAnItemEndsOnItsFirstClassOrFirstShownObject) {
  Read("Zone1", kThreeZones);
  const struct {
    TreeItem chosen;
    TreeItem selected;
  } cases[] = {
      {{TreeItemKind::Group, kSim, 0, 0}, {TreeItemKind::Class, kSim, kVersion, 0}},
      {{TreeItemKind::Group, kZones, 0, 0}, {TreeItemKind::Object, kZones, kZone, 0}},
      {{TreeItemKind::Class, kZones, kZone, 0}, {TreeItemKind::Object, kZones, kZone, 0}},
      {{TreeItemKind::Class, kZones, kSurface, 0}, {TreeItemKind::Class, kZones, kSurface, 0}},
      {{TreeItemKind::Object, kZones, kZone, 2}, {TreeItemKind::Object, kZones, kZone, 2}},
  };
  for (const auto& t : cases) {
    model.SelectTreeItem(t.chosen);
    EXPECT_EQ(model.SelectedItem(), t.selected) << model.ItemText(t.chosen);
    const bool isObject = t.selected.kind == TreeItemKind::Object;
    EXPECT_EQ(model.selectedGroup, t.selected.group);
    EXPECT_EQ(model.selectedClass, t.selected.classNo);
    EXPECT_EQ(model.selectedLayer, isObject ? 2 : 0);
    EXPECT_EQ(model.hasValueColumn, isObject);
    EXPECT_EQ(model.delEnabled, isObject);
    EXPECT_EQ(model.dupEnabled, isObject);
  }
}

TEST_F(MainWindowTest, ItemsThatDoNotExistAreNotSelected) {
  Select(TreeItemKind::Class, kZones, kOldZone);
  const TreeItem before = model.SelectedItem();
  Select(TreeItemKind::Object, kZones, kZone, 0);  // not shown
  Select(TreeItemKind::Class, kZones, 9);
  Select(TreeItemKind::Group, 7);
  EXPECT_EQ(model.SelectedItem(), before);
}

TEST_F(MainWindowTest, AnotherObjectOfTheSameClassRenewsOnlyTheValueColumn) {
  Read("Zone1", kThreeZones);
  SelectObject(kZones, kZone, 0);
  model.SelectDetailRow(1);
  view.changes.clear();
  SelectObject(kZones, kZone, 2);
  EXPECT_TRUE(view.AllChanges() & kValueColumnPart);
  EXPECT_FALSE(view.AllChanges() & kDetailRowsPart);
  EXPECT_EQ(model.valueHeader, "<Object 3>");
  EXPECT_EQ(Values(), (Strings{"Z3", "3"}));
  EXPECT_EQ(model.selectedDetailRow, 0);  // the first row is selected again

  // Coming from a class item, the rows are made anew.
  Select(TreeItemKind::Class, kSim, kBuilding);
  view.changes.clear();
  SelectObject(kZones, kZone, 1);
  EXPECT_TRUE(view.AllChanges() & kDetailRowsPart);
}

TEST_F(MainWindowTest, DetailRowsPropertiesAndMemoDescribeTheClass) {
  Select(TreeItemKind::Class, kSim, kBuilding);
  ASSERT_EQ(model.detailRows.size(), 3u);
  const DetailRow& name = model.detailRows[0];
  EXPECT_EQ(Strings({name.id, name.field, name.units, name.rfs}), (Strings{"A1", "Name", "", "x"}));
  const DetailRow& north = model.detailRows[1];
  EXPECT_EQ(Strings({north.id, north.field, north.units, north.rfs}), (Strings{"N1", "North Axis", "deg", ""}));
  EXPECT_FALSE(model.hasValueColumn);
  EXPECT_EQ(model.memoText, "Object Memo:\r\n");
}

TEST_F(MainWindowTest, PropertiesListTheClassFlagsInTheirOrder) {
  const struct {
    std::uint16_t g, c;
    Strings rows;
  } cases[] = {
      {kSim, kVersion, {"Group=Simulation Parameters", "Class=Version", "Unique Object="}},
      {kSim,
       kBuilding,
       {"Group=Simulation Parameters", "Class=Building", "Unique Object=", "Required Object=", "Minimum fields=2"}},
      {kZones, kZone, {"Group=Zones", "Class=Zone"}},
      {kZones, kOldZone, {"Group=Zones", "Class=Old Zone", "Obsolete==>Zone"}},
      {kZones, kSurface, {"Group=Zones", "Class=Surface", "Extensible="}},
  };
  for (const auto& t : cases) {
    Select(TreeItemKind::Class, t.g, t.c);
    Strings rows;
    for (const PropertyRow& row : model.propertyRows) rows.push_back(row.property + "=" + row.value);
    EXPECT_EQ(rows, t.rows) << t.rows[1];
  }
  Select(TreeItemKind::Class, kSim, kVersion);
  EXPECT_EQ(model.memoText, "Object Memo:\r\nSpecifies the EnergyPlus version.\r\n");
}

TEST_F(MainWindowTest, TheSelectedRowShowsItsFieldNote) {
  Select(TreeItemKind::Class, kSim, kVersion);
  EXPECT_EQ(model.selectedDetailRow, 0);
  EXPECT_EQ(model.noteText, "Field \"A1 - Version Identifier\" Note:\r\nMajor and minor version.\r\n");
  Select(TreeItemKind::Class, kSim, kBuilding);
  model.SelectDetailRow(2);  // a field without a label
  EXPECT_EQ(model.noteText, "Field \"N2\" Note:\r\n");
  model.SelectDetailRow(-1);
  EXPECT_EQ(model.noteText, "");
  EXPECT_EQ(model.selectedDetailRow, -1);
}

TEST_F(MainWindowTest, AClassWithoutFieldsShowsNoRows) {
  Select(TreeItemKind::Group, kMisc);
  EXPECT_EQ(model.SelectedItem(), (TreeItem{TreeItemKind::Class, kMisc, 0, 0}));
  EXPECT_TRUE(model.detailRows.empty());
  EXPECT_EQ(model.selectedDetailRow, -1);
  EXPECT_EQ(model.noteText, "");
  model.AddObject();
  EXPECT_EQ(model.SelectedItem().kind, TreeItemKind::Object);
  EXPECT_EQ(model.ItemText(model.SelectedItem()), "<Object 1> \"\"");
  EXPECT_EQ(model.valueHeader, "<Object 1>");
}

TEST_F(MainWindowTest, AClassWhoseObjectsAreAllInLayersThatAreOffShowsNoObjects) {
  Read("Zone1", kThreeZones);
  SelectObject(kZones, kZone, 1);
  model.layers.SetLayerOn(LayerIndex("Zone1"), false);
  model.layers.NotifyChange(LayerIndex("Zone1"), ChangeKind::OnOffToggled);
  Select(TreeItemKind::Class, kZones, kZone);
  EXPECT_EQ(model.ObjectItemCount(kZones, kZone), 0);
  EXPECT_EQ(model.SelectedItem(), (TreeItem{TreeItemKind::Class, kZones, kZone, 0}));
  EXPECT_EQ(model.detailRows.size(), 2u);
  EXPECT_FALSE(model.hasValueColumn);
  EXPECT_FALSE(model.delEnabled);
  EXPECT_FALSE(model.dupEnabled);
  EXPECT_EQ(model.selectedLayer, 0);
}

// --- Add, Dup, Del ------------------------------------------------------------------------

TEST_F(MainWindowTest, AddObjectAppendsAnEmptyObjectInTheCurrentLayerAndSelectsIt) {
  Read("Zone1", kThreeZones);
  SelectObject(kZones, kZone, 1);
  model.AddObject();
  const TreeItem added{TreeItemKind::Object, kZones, kZone, 3};
  EXPECT_EQ(model.SelectedItem(), added);
  EXPECT_EQ(model.ItemText(added), "<Object 4> \"\"");
  EXPECT_EQ(model.ItemKey(added), MakeItemKey(1, 3));  // layer "0" is current
  EXPECT_EQ(model.layers.At(0).objectCount, 1u);
  EXPECT_TRUE(model.layers.At(0).modified);
  EXPECT_FALSE(LayerNamed("Zone1").modified);
  EXPECT_EQ(Values(), (Strings{"", ""}));
  EXPECT_EQ(model.selectedLayer, 1);
}

TEST_F(MainWindowTest, AddObjectShowsTheItemEvenWhenTheCurrentLayerIsOff) {
  model.layers.SetLayerOn(0, false);
  Select(TreeItemKind::Class, kZones, kOldZone);
  model.AddObject();
  EXPECT_EQ(model.ObjectItemCount(kZones, kOldZone), 1);
  // Switching the layer on later does not show the object twice.
  model.layers.SetLayerOn(0, true);
  model.layers.NotifyChange(0, ChangeKind::OnOffToggled);
  EXPECT_EQ(model.ObjectItemCount(kZones, kOldZone), 1);
}

TEST_F(MainWindowTest, DupObjectCopiesValuesAndCommentsIntoTheCurrentLayer) {
  Read("Zone1", "Zone,\r\n  Z1, !the first\r\n  5;\r\n");
  SelectObject(kZones, kZone, 0);
  model.DupObject();
  const TreeItem copy{TreeItemKind::Object, kZones, kZone, 1};
  EXPECT_EQ(model.SelectedItem(), copy);
  EXPECT_EQ(model.ItemText(copy), "<Object 2> \"Z1\"");
  EXPECT_EQ(model.ItemKey(copy) & 0xFFFF, 1u);
  EXPECT_EQ(model.store.GetValue(kZones, kZone, 0, 1).comment, "the first");
  EXPECT_EQ(model.store.GetValue(kZones, kZone, 1, 1).value, "5");
  EXPECT_EQ(Values(), (Strings{"Z1", "5"}));
  EXPECT_EQ(model.layers.At(0).objectCount, 1u);
  EXPECT_EQ(LayerNamed("Zone1").objectCount, 1u);
}

TEST_F(MainWindowTest, DeletingTheFirstOfThreeRenumbersTheOthers) {
  Read("Zone1", kThreeZones);
  SelectObject(kZones, kZone, 0);
  model.DelObject();
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n"
            "    <Object 1> \"Z2\" @2 *\n"
            "    <Object 2> \"Z3\" @2\n");
  EXPECT_EQ(LayerNamed("Zone1").objectCount, 2u);
  EXPECT_TRUE(LayerNamed("Zone1").modified);
  EXPECT_EQ(Values(), (Strings{"Z2", "2"}));
}

TEST_F(MainWindowTest, DeletingTheLastShownObjectSelectsTheClass) {
  Read("Zone1", kThreeZones);
  SelectObject(kZones, kZone, 2);
  model.DelObject();
  EXPECT_EQ(model.SelectedItem(), (TreeItem{TreeItemKind::Object, kZones, kZone, 0}));
  model.DelObject();
  model.DelObject();
  EXPECT_EQ(model.SelectedItem(), (TreeItem{TreeItemKind::Class, kZones, kZone, 0}));
  EXPECT_FALSE(model.delEnabled);
  model.DelObject();  // nothing selected to delete
  EXPECT_EQ(LayerNamed("Zone1").objectCount, 0u);
}

// --- Layers box ------------------------------------------------------------------------------

TEST_F(MainWindowTest, APlainPickWithoutAnObjectPutsTheBoxBackOnTheCurrentLayer) {
  Read("Zone1", kThreeZones);
  Select(TreeItemKind::Class, kZones, kOldZone);
  LayersBoxModel box(model.layers);
  box.Pick(LayerIndex("Zone1"));
  EXPECT_EQ(model.layers.shown, model.layers.current);
  EXPECT_EQ(model.layers.lastChanged, -1);
  EXPECT_FALSE(LayerNamed("Zone1").modified);
}

TEST_F(MainWindowTest, APlainPickMovesTheSelectedObjectToThePickedLayer) {
  Read("Zone1", kThreeZones);
  SelectObject(kZones, kZone, 1);
  LayersBoxModel box(model.layers);
  box.Pick(0);
  EXPECT_EQ(model.store.GetClass(kZones, kZone).objectLayers[1], 1);
  EXPECT_EQ(model.ItemKey(model.SelectedItem()), MakeItemKey(1, 1));
  EXPECT_EQ(model.selectedLayer, 1);
  EXPECT_EQ(model.layers.At(0).objectCount, 1u);
  EXPECT_EQ(LayerNamed("Zone1").objectCount, 2u);
  EXPECT_TRUE(model.layers.At(0).modified);
  EXPECT_TRUE(LayerNamed("Zone1").modified);
  EXPECT_EQ(model.layers.shown, 0);
}

TEST_F(MainWindowTest, MovingToALayerThatIsOffSelectsTheNextSiblingOrTheClass) {
  Read("Zone1", kThreeZones);
  const int off = model.layers.AddLayer("Hidden", "");
  model.layers.SetLayerOn(off, false);
  LayersBoxModel box(model.layers);
  SelectObject(kZones, kZone, 1);
  box.Pick(model.layers.FindLayerByName("Hidden"));
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n"
            "    <Object 1> \"Z1\" @2\n"
            "    <Object 3> \"Z3\" @2 *\n");
  EXPECT_EQ(model.layers.shown, LayerIndex("Zone1"));
  box.Pick(LayerIndex("Hidden"));  // the last one: its class is chosen, which leads on to the first
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n"
            "    <Object 1> \"Z1\" @2 *\n");
  EXPECT_EQ(LayerNamed("Hidden").objectCount, 2u);
}

TEST_F(MainWindowTest, LampOffRemovesALayersItemsAndLampOnPutsThemBackInOrder) {
  // Objects of two layers alternate within Zone.
  Read("A", "Zone, a1;\r\n");
  Read("B", "Zone, b2;\r\n");
  Read("A", "Zone, a3;\r\nZone, a4;\r\n");
  Read("B", "Zone, b5;\r\nVersion, 1;\r\n");
  SelectObject(kZones, kZone, 1);
  LayersBoxModel box(model.layers);
  const int b = LayerIndex("B");
  model.layers.shown = b;
  EXPECT_TRUE(box.ClickClosedBox(20));  // the lamp of the shown layer
  EXPECT_FALSE(model.layers.IsLayerOn(b));
  EXPECT_EQ(model.layers.lastChanged, -1);
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n"
            "    <Object 1> \"a1\" @2\n"
            "    <Object 3> \"a3\" @2 *\n"
            "    <Object 4> \"a4\" @2\n");
  EXPECT_TRUE(box.ClickListEntry(b, 20));
  EXPECT_EQ(DumpObjects(model),
            "  Version\n"
            "    <Object 1> \"1\" @3\n"
            "  Zone\n"
            "    <Object 1> \"a1\" @2\n"
            "    <Object 2> \"b2\" @3\n"
            "    <Object 3> \"a3\" @2 *\n"
            "    <Object 4> \"a4\" @2\n"
            "    <Object 5> \"b5\" @3\n");
}

TEST_F(MainWindowTest, ACurrentMarkClickOnlySelectsAgain) {
  Read("Zone1", kThreeZones);
  Select(TreeItemKind::Class, kZones, kOldZone);
  LayersBoxModel box(model.layers);
  const int zone1 = LayerIndex("Zone1");
  EXPECT_TRUE(box.ClickListEntry(zone1, 5));
  EXPECT_EQ(model.layers.current, zone1);
  EXPECT_EQ(model.layers.shown, zone1);  // no object selected: the box follows the current layer
  EXPECT_EQ(model.SelectedItem(), (TreeItem{TreeItemKind::Class, kZones, kOldZone, 0}));
  model.AddObject();
  EXPECT_EQ(model.ItemKey(model.SelectedItem()) & 0xFFFF, 2u);
}

// --- Field editing ------------------------------------------------------------------------------

TEST_F(MainWindowTest, OnlyTheValueColumnOfAShownObjectOpensTheEditor) {
  Read("Zone1", kThreeZones);
  Select(TreeItemKind::Class, kZones, kOldZone);
  EXPECT_FALSE(model.FieldToEdit(0, 4));
  SelectObject(kZones, kZone, 2);
  EXPECT_FALSE(model.FieldToEdit(0, 3));
  EXPECT_FALSE(model.FieldToEdit(2, 4));
  const auto target = model.FieldToEdit(1, 4);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->object, 2);
  EXPECT_EQ(target->field, 1);
}

TEST_F(MainWindowTest, EditingTheFirstFieldRenamesTheTreeItemAtOnce) {
  Read("Zone1", kThreeZones);
  SelectObject(kZones, kZone, 1);
  const FieldEditTarget target = *model.FieldToEdit(0, 4);
  model.store.GetValue(kZones, kZone, 0, 1).value = "Renamed";  // what the editor stores
  model.FieldEdited(target, true, LayerFilter::OnlyOn);
  EXPECT_EQ(model.ItemText(model.SelectedItem()), "<Object 2> \"Renamed\"");
  EXPECT_EQ(model.detailRows[0].value, "Renamed");
  EXPECT_TRUE(LayerNamed("Zone1").modified);
  EXPECT_EQ(model.fieldLayerFilter, LayerFilter::OnlyOn);
  // Cancel hands back the filter and nothing else.
  model.FieldEdited(target, false, LayerFilter::OnlyCurrent);
  EXPECT_EQ(model.fieldLayerFilter, LayerFilter::OnlyCurrent);
}

// --- Open all / Close all, closing, guards ---------------------------------------------------------

TEST_F(MainWindowTest, OpenAllAndCloseAllKeepTheSelectedGroupOnTop) {
  Select(TreeItemKind::Class, kZones, kSurface);
  model.SetAllOpen(true);
  model.SetAllOpen(false);
  EXPECT_EQ(view.expansions, (Strings{"open, group 1 on top", "close, group 1 on top"}));
  EXPECT_EQ(model.SelectedItem(), (TreeItem{TreeItemKind::Class, kZones, kSurface, 0}));
}

TEST_F(MainWindowTest, ClosingAsksAboutModifiedLayersOnly) {
  EXPECT_EQ(model.RequestClose(), CloseOutcome::Release);
  EXPECT_TRUE(prompter.messages.empty());

  Read("Zone1", kThreeZones);
  Read("Attic", "Zone, Z9;\r\n");
  model.layers.At(0).modified = true;
  LayerNamed("Zone1").modified = true;
  prompter.script = {Answer::Yes, Answer::No};
  EXPECT_EQ(model.RequestClose(), CloseOutcome::SaveFirst);
  EXPECT_EQ(model.RequestClose(), CloseOutcome::Release);
  ASSERT_EQ(prompter.messages.size(), 2u);
  const RecordedMessage& question = prompter.messages[0];
  EXPECT_EQ(question.text, "Save changes to following layers?\r\n\r\n    0\r\n    Zone1");
  EXPECT_EQ(question.caption, "Verdanto");
  EXPECT_EQ(question.icon, Icon::Question);
  EXPECT_EQ(question.buttons, Buttons::YesNo);
}

TEST_F(MainWindowTest, ARunningRegionSelectionRefusesCloseAndRestore) {
  model.layers.At(0).modified = true;
  model.selecting = 1;
  EXPECT_EQ(model.RequestClose(), CloseOutcome::Refused);
  EXPECT_FALSE(model.RequestRestore());
  EXPECT_EQ(prompter.Texts(), (Strings{"Unable to close the dialog, a selection is being performed.",
                                        "Unable to restore the dialog, a selection is being performed."}));
  for (const RecordedMessage& m : prompter.messages) {
    EXPECT_EQ(m.icon, Icon::Error);
    EXPECT_EQ(m.caption, "Verdanto");
  }
  model.selecting = 0;
  EXPECT_TRUE(model.RequestRestore());
}

// --- Open commands ----------------------------------------------------------------------------------

TEST_F(MainWindowTest, OpenInFilenameLayerCreatesTheLayerThenMarksItModifiedOnTheSecondRead) {
  Read("Zone1", kThreeZones);
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].filter, "EnergyPlus (*.idf)|*.idf||");
  EXPECT_EQ(chooser.requests[0].kind, FileRequest::Kind::OpenFiles);
  Layer& zone1 = LayerNamed("Zone1");
  EXPECT_EQ(zone1.outputPath, "/models/Zone1.idf");
  EXPECT_FALSE(zone1.modified);
  EXPECT_EQ(zone1.objectCount, 3u);
  Read("zone1", "Zone, Z4;\r\n");  // the same layer whatever the case
  EXPECT_EQ(model.layers.Count(), 2);
  EXPECT_TRUE(LayerNamed("Zone1").modified);
  EXPECT_EQ(LayerNamed("Zone1").outputPath, "/models/zone1.idf");
  EXPECT_EQ(model.ObjectItemCount(kZones, kZone), 4);
}

TEST_F(MainWindowTest, OpenInCurrentLayerReadsSeveralFilesInOrderAndSkipsOnesThatFail) {
  loader.files["/m/a.idf"] = "Zone, A;\r\n";
  loader.files["/m/c.idf"] = "Zone, C;\r\n";
  chooser.multiAnswers.push_back(Strings{"/m/a.idf", "/m/missing.idf", "/m/c.idf"});
  Select(TreeItemKind::Class, kZones, kOldZone);
  model.OpenFiles(OpenMode::CurrentLayer);
  EXPECT_EQ(loader.runs, (Strings{"/m/a.idf", "/m/missing.idf", "/m/c.idf"}));
  EXPECT_EQ(prompter.Texts(), (Strings{"Unable to open /m/missing.idf."}));
  EXPECT_EQ(model.layers.Count(), 1);
  EXPECT_EQ(model.layers.At(0).objectCount, 2u);
  EXPECT_TRUE(model.layers.At(0).modified);
  EXPECT_EQ(model.layers.At(0).outputPath, "/m/c.idf");
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n"
            "    <Object 1> \"A\" @1\n"
            "    <Object 2> \"C\" @1\n");
  // The remembered item is selected again and its lists renewed.
  EXPECT_EQ(model.SelectedItem(), (TreeItem{TreeItemKind::Class, kZones, kOldZone, 0}));
  EXPECT_EQ(view.structuralChanges, 1);  // one insertion for the class, not one per object
}

TEST_F(MainWindowTest, OpeningIntoALayerThatIsOffCountsButShowsNothing) {
  model.layers.SetLayerOn(0, false);
  loader.files["/m/a.idf"] = kThreeZones;
  chooser.multiAnswers.push_back(Strings{"/m/a.idf"});
  model.OpenFiles(OpenMode::CurrentLayer);
  EXPECT_EQ(model.layers.At(0).objectCount, 3u);
  EXPECT_EQ(model.ObjectItemCount(kZones, kZone), 0);
}

TEST_F(MainWindowTest, CancellingTheFileChooserReadsNothing) {
  model.OpenFiles(OpenMode::FilenameLayer);
  EXPECT_TRUE(loader.runs.empty());
  EXPECT_EQ(model.layers.Count(), 1);
}

// --- Layer operations keep the tree exact ------------------------------------------------------------

TEST_F(MainWindowTest, DeletingALayerRemovesItsItemsAndRenumbersTheRest) {
  Read("A", "Zone, a1;\r\n");
  Read("B", "Zone, b2;\r\n");
  Read("A", "Zone, a3;\r\n");
  SelectObject(kZones, kZone, 0);  // in the layer that goes
  prompter.script = {Answer::Yes};
  DeleteLayers(model.store, model.layers, std::vector<int>{LayerIndex("A")}, prompter, model);
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n"
            "    <Object 1> \"b2\" @3 *\n");
  EXPECT_EQ(model.rebuilding, 0);
  EXPECT_EQ(model.valueHeader, "<Object 1>");
  EXPECT_EQ(model.layers.shown, LayerIndex("B"));
}

TEST_F(MainWindowTest, DeletingALayerKeepsTheSelectionOnARenumberedObject) {
  Read("A", "Zone, a1;\r\nZone, a2;\r\n");
  Read("B", "Zone, b3;\r\n");
  SelectObject(kZones, kZone, 2);
  prompter.script = {Answer::Yes};
  DeleteLayers(model.store, model.layers, std::vector<int>{LayerIndex("A")}, prompter, model);
  EXPECT_EQ(model.SelectedItem(), (TreeItem{TreeItemKind::Object, kZones, kZone, 0}));
  EXPECT_EQ(Values()[0], "b3");
}

TEST_F(MainWindowTest, MergingFollowsTheOnAndOffStatesOfSourceAndTarget) {
  Read("A", "Zone, a1;\r\n");
  Read("B", "Zone, b2;\r\n");
  Read("C", "Zone, c3;\r\n");
  // B is off: merging A (on) down into B hides a1; merging B up into C (on) shows both.
  model.layers.SetLayerOn(LayerIndex("B"), false);
  model.layers.NotifyChange(LayerIndex("B"), ChangeKind::OnOffToggled);
  SelectObject(kZones, kZone, 0);
  MergeLayers(model.store, model.layers, std::vector<int>{LayerIndex("A"), LayerIndex("B")}, MergeTarget::Last,
              model);
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n"
            "    <Object 3> \"c3\" @4 *\n");
  MergeLayers(model.store, model.layers, std::vector<int>{LayerIndex("B"), LayerIndex("C")}, MergeTarget::Last,
              model);
  EXPECT_EQ(DumpObjects(model),
            "  Zone\n"
            "    <Object 1> \"a1\" @4\n"
            "    <Object 2> \"b2\" @4\n"
            "    <Object 3> \"c3\" @4 *\n");
}

// --- Vertex triples ----------------------------------------------------------------------------------

TEST(CountVertexTriplesTest, CountsCompleteTriplesAfterTheCountField) {
  const struct {
    Strings labels;
    std::uint32_t triples;
  } cases[] = {
      {{}, 0},
      {{"Vertex 1 X-coordinate", "Vertex 1 Y-coordinate", "Vertex 1 Z-coordinate"}, 0},  // no count field
      {{kVertexCountLabel, "Vertex 1 X-coordinate", "Vertex 1 Y-coordinate", "Vertex 1 Z-coordinate"}, 1},
      {{"Name", "NUMBER OF SURFACE VERTEX GROUPS -- NUMBER OF (X,Y,Z) GROUPS IN THIS SURFACE",
        "vertex 1 x-coordinate", "vertex 1 y-coordinate", "vertex 1 z-coordinate", "Vertex 2 X-coordinate",
        "Vertex 2 Y-coordinate", "Vertex 2 Z-coordinate"},
       2},
      // A triple out of sequence is not counted, nor is anything after it.
      {{kVertexCountLabel, "Vertex 2 X-coordinate", "Vertex 2 Y-coordinate", "Vertex 2 Z-coordinate"}, 0},
      // A missing Y: the Z that follows still completes the triple.
      {{kVertexCountLabel, "Vertex 1 X-coordinate", "Vertex 1 Z-coordinate"}, 1},
      {{kVertexCountLabel, "Vertex 1 X-coordinate", "Vertex 1 Y-coordinate", "Other", "Vertex 2 X-coordinate"}, 0},
  };
  for (const auto& t : cases) {
    DictClass dictClass;
    for (const std::string& label : t.labels) {
      dictClass.fields.emplace_back();
      dictClass.fields.back().label = label;
    }
    EXPECT_EQ(CountVertexTriples(dictClass), t.triples) << ::testing::PrintToString(t.labels);
  }
}

TEST_F(MainWindowTest, SelectIsEnabledForClassesWithThreeVertexTriples) {
  Select(TreeItemKind::Class, kZones, kSurface);
  EXPECT_EQ(model.vertexTriples, 3u);
  EXPECT_TRUE(model.selectEnabled);
  Select(TreeItemKind::Class, kZones, kZone);
  EXPECT_EQ(model.vertexTriples, 0u);
  EXPECT_FALSE(model.selectEnabled);
}

}  // namespace
}  // namespace verdanto::testing
