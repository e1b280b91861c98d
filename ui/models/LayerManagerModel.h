#pragma once
// The layer manager window without a window toolkit: a list whose row i is
// layer i of the LayerList, the rows the user selected, the enabled buttons and
// every command of the window. Its commands only call the operations of the
// layer list and show their results; the main window follows through the
// list's listener (on/off and current layer) and as the ObjectTreeObserver of
// deletes and merges.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "layers/LayerList.h"
#include "layers/LayerOps.h"
#include "base/Platform.h"

namespace verdanto {

class Dictionary;

inline constexpr std::string_view kCurrentLayerLabel = "Current Layer: ";

struct LayerManagerRow {
  int lampImage = 0;  // kLampOnImage or kLampOffImage of the shared image strip
  std::string name;
  std::string objects;  // objectCount as "%u"
};

// The view redraws every row, the selection and the label from the model.
class LayerManagerListener {
 public:
  virtual ~LayerManagerListener() = default;
  virtual void RowsChanged() = 0;
};

class LayerManagerModel {
 public:
  // `tree` is the main window's class tree, told how deletes and merges move objects.
  LayerManagerModel(Dictionary& store, LayerList& layers, Prompter& prompter, ObjectTreeObserver& tree);
  LayerManagerModel(const LayerManagerModel&) = delete;
  LayerManagerModel& operator=(const LayerManagerModel&) = delete;

  void SetListener(LayerManagerListener* listener) { listener_ = listener; }

  // --- What the window shows ------------------------------------------------------
  int RowCount() const { return layers_.Count(); }
  LayerManagerRow Row(int row) const;
  std::string CurrentLabel() const;  // "Current Layer: " and the current layer's name

  bool IsSelected(int row) const;
  std::vector<int> SelectedRows() const;  // ascending
  int FocusedRow() const { return layers_.ItemOfLayerId(focusedId_); }  // -1 when none

  bool AddEnabled() const { return true; }
  bool DeleteEnabled() const { return SelectedCount() >= 1; }
  bool CurrentEnabled() const { return SelectedCount() == 1; }
  bool MergeEnabled() const { return SelectedCount() >= 2; }

  // --- Selection ------------------------------------------------------------------
  // The rows the view selected (invalid rows are ignored) and the focused one.
  void SetSelection(const std::vector<int>& rows, int focused);
  // When the window opens: the first row alone is selected and focused.
  void SelectFirstRow();

  // --- Commands -------------------------------------------------------------------
  // A new layer "Layer %d", alone selected and focused. The main window is not told.
  void Add();
  // The in-place edit of `row` ended with `newName`. A refusal is shown and the row
  // keeps its name; a renamed layer's row moves to its new place, selected and focused.
  void Rename(int row, std::string_view newName);
  // A click on the row's lamp: switches the layer on or off and tells the main window.
  void ClickLamp(int row);
  // "&Current": the one selected row's layer becomes current.
  void MakeCurrent();
  // A double click: makes the row's layer current unless it already is (or the
  // click fell outside the rows, -1).
  void DoubleClick(int row);
  void Delete();
  void MergeUp() { Merge(MergeTarget::First); }
  void MergeDown() { Merge(MergeTarget::Last); }

 private:
  // Redraws the list before a message appears, so that rows of layers already
  // removed are gone while the user reads it.
  class RefreshingPrompter final : public Prompter {
   public:
    explicit RefreshingPrompter(LayerManagerModel& owner) : owner_(owner) {}
    Answer Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) override;

   private:
    LayerManagerModel& owner_;
  };

  int SelectedCount() const;
  void SetCurrent(int row);
  void Merge(MergeTarget target);
  void DropMissingIds();
  void Changed();

  Dictionary& store_;
  LayerList& layers_;
  Prompter& prompter_;
  ObjectTreeObserver& tree_;
  RefreshingPrompter refreshingPrompter_{*this};
  LayerManagerListener* listener_ = nullptr;
  // Selected and focused layers by id, so that they follow their layers when
  // adds, renames and removals move the rows.
  std::set<std::uint16_t> selectedIds_;
  std::uint16_t focusedId_ = 0;  // 0: no row is focused (no layer has id 0)
};

}  // namespace verdanto
