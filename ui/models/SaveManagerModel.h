#pragma once
// The save manager without a window toolkit: one row per layer and a last row
// for writing all checked layers into one file, their check marks, the selected
// row, choosing paths and the Save command in its two modes. Layer paths go into
// the LayerList at once; the all-together path and the insert-comments choice
// are the window's own until the caller takes them back on OK.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layers/LayerList.h"
#include "base/Platform.h"

namespace verdanto {

class Dictionary;
class FileChooser;

inline constexpr std::string_view kAllTogetherRowName = "<All together checked layers>";
inline constexpr std::string_view kSaveFilter = "EnergyPlus (*.idf)|*.idf||";
inline constexpr std::string_view kSaveExtension = "idf";
inline constexpr std::string_view kMissingPathCaption = "Missing File Path";
inline constexpr std::string_view kWritingProgress = "Writing progress:";

enum SaveManagerColumn : int { kLayerNameColumn = 0, kObjectsColumn = 1, kFilePathColumn = 2 };

// What the main window keeps between openings and hands over.
struct SaveChoices {
  std::string allTogetherPath;
  bool insertComments = true;
};

struct SaveManagerRow {
  std::string name;  // the layer's name, "*" after it while modified
  std::string objects;
  std::string path;
  bool checked = false;
};

// The window's parts that change while the model works: the rows, the selected
// row, and the progress label and bar (shown only while Save runs).
class SaveManagerView : public ProgressSink {
 public:
  virtual void RowChanged(int /*row*/) {}
  // The selected row moved; the list takes the keyboard focus.
  virtual void SelectionChanged() {}
  virtual void ShowProgress(bool /*shown*/) {}
  virtual void SetProgressLabel(std::string_view /*text*/) {}
  void SetRange(std::uint32_t) override {}
  void SetPosition(std::uint32_t) override {}
};

class SaveManagerModel {
 public:
  SaveManagerModel(const Dictionary& store, LayerList& layers, Prompter& prompter, FileChooser& chooser,
                   SaveChoices choices);
  SaveManagerModel(const SaveManagerModel&) = delete;
  SaveManagerModel& operator=(const SaveManagerModel&) = delete;

  void SetView(SaveManagerView* view) { view_ = view ? view : &noView_; }

  // The all-together path and the insert-comments check box as the window holds them.
  SaveChoices choices;

  // --- Rows: the layers in LayerList order, then the all-together row -------------
  int RowCount() const { return static_cast<int>(checked_.size()); }
  int AllTogetherRow() const { return RowCount() - 1; }
  SaveManagerRow Row(int row) const;
  bool IsChecked(int row) const;
  std::uint32_t AllTogetherCount() const { return allTogetherCount_; }

  // A check mark changed (by the user or the model); the all-together count follows.
  void SetChecked(int row, bool checked);

  int SelectedRow() const { return selected_; }  // -1 when none
  void SelectRow(int row);
  bool BrowseEnabled() const { return selected_ >= 0; }

  // --- Commands -------------------------------------------------------------------
  // Chooses the output path of the selected row: a layer's outputPath at once, or
  // the all-together path. Nothing changes when the user cancels.
  void Browse();
  // A single click in a cell: in the "File Path" column it selects the row and runs Browse.
  void ClickCell(int row, int column);
  // Writes the checked layers, each to its own file or, with the last row checked,
  // all into one file.
  void Save();

 private:
  void RecountAllTogether();
  // Missing paths: the message, the row selected. False when one is missing.
  bool CheckPaths(bool allTogether);
  void SaveAllTogetherRow();
  void SaveEachLayer();
  void EndProgress();

  const Dictionary& store_;
  LayerList& layers_;
  Prompter& prompter_;
  FileChooser& chooser_;
  SaveManagerView noView_;
  SaveManagerView* view_ = &noView_;
  std::vector<bool> checked_;  // one per row
  std::uint32_t allTogetherCount_ = 0;
  int selected_ = -1;
};

}  // namespace verdanto
