#include "ui/models/LayerManagerModel.h"

#include <gtest/gtest.h>

#include "tests/support/WindowScenarios.h"

namespace verdanto::testing {

using Strings = std::vector<std::string>;  // as the other window tests name it

namespace {

using Rows = std::vector<int>;
using Changes = std::vector<std::pair<int, ChangeKind>>;

// Stands in for the main window: writes down every change a view reports.
class ChangeLog final : public LayerListListener {
 public:
  explicit ChangeLog(LayerList& layers) : layers_(layers) { layers_.listener = this; }
  ~ChangeLog() override { layers_.listener = nullptr; }
  Changes changes;
  void LayerSelectionChanged() override {
    changes.emplace_back(layers_.lastChanged, layers_.changeKind);
    layers_.ChangeHandled();
  }

 private:
  LayerList& layers_;
};

// Writes down what the list shows at every redraw, "name|objects" per row.
class ListView final : public LayerManagerListener {
 public:
  explicit ListView(const LayerManagerModel& model) : model_(model) {}
  std::vector<Strings> redraws;
  void RowsChanged() override { redraws.push_back(Shown(model_)); }
  static Strings Shown(const LayerManagerModel& model) {
    Strings rows;
    for (int row = 0; row < model.RowCount(); ++row) rows.push_back(model.Row(row).name + "|" + model.Row(row).objects);
    return rows;
  }

 private:
  const LayerManagerModel& model_;
};

struct LayerManagerTest : ::testing::Test, FiveLayers {
  ChangeLog log{layers};
  RecordingPrompter prompter;
  ObjectTreeObserver noTree;
  LayerManagerModel model{store, layers, prompter, noTree};
  ListView view{model};

  void SetUp() override {
    model.SetListener(&view);
    model.SelectFirstRow();
  }

  Strings Shown() const { return ListView::Shown(model); }
  int Row(const char* name) const { return layers.FindLayerByName(name); }
  void Select(const Rows& rows) { model.SetSelection(rows, rows.empty() ? -1 : rows.back()); }
};

// The refusals' texts and the deletion's question are the layer list's own.
TEST_F(LayerManagerTest, RenamedRowsMoveToTheirPlaceAndStaySelected) {
  Select({Row("a"), Row("c")});
  model.Rename(Row("a"), "B");  // refused: the rows stay
  EXPECT_EQ(prompter.messages.size(), 1u);
  model.Rename(Row("a"), "z");
  EXPECT_EQ(std::tuple(Shown(), model.SelectedRows(), model.FocusedRow()),
            std::tuple(Strings{"0|0", "b|2", "c|1", "d|0", "z|0"}, Rows{Row("c"), Row("z")}, Row("z")));
  EXPECT_TRUE(log.changes.empty()) << "only a renamed current layer tells the main window";
  layers.SetCurrentLayer(Row("b"));
  model.Rename(Row("b"), "Basement");
  EXPECT_EQ(model.CurrentLabel(), "Current Layer: Basement");
  EXPECT_EQ(log.changes, (Changes{{Row("Basement"), ChangeKind::CurrentChanged}}));
}

TEST_F(LayerManagerTest, BlankNamesAreRefusedWithAMessage) {
  for (const char* blank : {"", "   ", " \t "}) {
    prompter.messages.clear();
    model.Rename(Row("a"), blank);
    EXPECT_EQ(Shown(), (Strings{"0|0", "a|0", "b|2", "c|1", "d|0"})) << '"' << blank << '"';
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(std::tuple(prompter.messages[0].text, prompter.messages[0].icon),
              std::tuple("Invalid layer name\r\nThe layer name must not be blank", Icon::Warning));
  }
}

// A lamp click is the window's test (LayerManagerDialogTest); the main window hears it in WithLayerManager.
TEST_F(LayerManagerTest, DoubleClickMakesALayerCurrentExceptOnTheCurrentRowOrOutsideTheRows) {
  for (const int row : {0, -1, model.RowCount()}) model.DoubleClick(row);
  Select({7, -1});  // rows that do not exist select nothing
  EXPECT_TRUE(model.SelectedRows().empty());
  Select({1, 2});
  model.MakeCurrent();  // needs exactly one selected row
  EXPECT_TRUE(log.changes.empty());
  model.DoubleClick(Row("a"));
  EXPECT_EQ(model.CurrentLabel(), "Current Layer: a");
  EXPECT_EQ(log.changes, (Changes{{Row("a"), ChangeKind::CurrentChanged}}));
}

TEST_F(LayerManagerTest, DeleteKeepsRefusedRowsSelectedAndDropsTheRowsOfRemovedLayers) {
  layers.SetCurrentLayer(Row("a"));
  Select({0, Row("a")});
  model.Delete();  // layer 0 and the current layer are refused
  EXPECT_EQ(std::tuple(prompter.messages.size(), model.SelectedRows()), std::tuple(1u, Rows{0, Row("a")}));
  layers.SetCurrentLayer(0);
  Select({Row("a"), Row("d")});
  model.Delete();  // empty layers: nothing is asked
  EXPECT_EQ(std::tuple(prompter.messages.size(), Shown(), model.SelectedRows(), model.FocusedRow()),
            std::tuple(1u, Strings{"0|0", "b|2", "c|1"}, Rows{}, -1));
  layers.AddLayer("e", "");  // it may get a removed layer's id; it does not come back selected
  EXPECT_TRUE(model.SelectedRows().empty());
}

TEST_F(LayerManagerTest, RowsOfRemovedLayersAreGoneBeforeTheQuestionIsAsked) {
  Select({Row("a"), Row("b")});
  prompter.script.push_back(Answer::No);
  model.Delete();
  ASSERT_EQ(std::tuple(prompter.messages.size(), view.redraws.size() >= 2), std::tuple(1u, true));
  EXPECT_EQ(view.redraws[view.redraws.size() - 2], (Strings{"0|0", "b|2", "c|1", "d|0"}));
  EXPECT_EQ(model.SelectedRows(), Rows{Row("b")});
}

}  // namespace
}  // namespace verdanto::testing
