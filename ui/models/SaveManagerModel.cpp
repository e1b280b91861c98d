#include "ui/models/SaveManagerModel.h"

#include "output/SaveLayers.h"
#include "base/Text.h"
#include "base/Platform.h"

namespace verdanto {

namespace {

constexpr std::string_view kAllTogetherPathMissing =
    "<All together checked layers> path is missing and the writing process was interrupted.\r\n"
    "Click Browse... to get file path for the selected item and then retry.";
constexpr std::string_view kLayerPathsMissing =
    "Some file paths are missing and the writing process was interrupted.\r\n"
    "Click Browse... to get file paths for the selected items and then retry.";

std::string ProgressLabel(std::string_view what) { return std::string(kWritingProgress) + " " + std::string(what); }

}  // namespace

SaveManagerModel::SaveManagerModel(const Dictionary& store, LayerList& layers, Prompter& prompter,
                                   FileChooser& chooser, SaveChoices initialChoices)
    : choices(std::move(initialChoices)), store_(store), layers_(layers), prompter_(prompter), chooser_(chooser) {
  for (const Layer& layer : layers_.layers) checked_.push_back(layer.modified);
  checked_.push_back(false);
  RecountAllTogether();
  selected_ = 0;
}

SaveManagerRow SaveManagerModel::Row(int row) const {
  if (row == AllTogetherRow())
    return {std::string(kAllTogetherRowName), Format("%u", allTogetherCount_), choices.allTogetherPath,
            IsChecked(row)};
  const Layer& layer = layers_.At(row);
  return {layer.modified ? layer.name + "*" : layer.name, Format("%u", layer.objectCount), layer.outputPath,
          IsChecked(row)};
}

bool SaveManagerModel::IsChecked(int row) const {
  return row >= 0 && row < RowCount() && checked_[static_cast<std::size_t>(row)];
}

void SaveManagerModel::SetChecked(int row, bool checked) {
  if (row < 0 || row >= RowCount() || IsChecked(row) == checked) return;
  checked_[static_cast<std::size_t>(row)] = checked;
  view_->RowChanged(row);
  if (row != AllTogetherRow()) {
    RecountAllTogether();
    view_->RowChanged(AllTogetherRow());
  }
}

void SaveManagerModel::RecountAllTogether() {
  allTogetherCount_ = 0;
  for (int row = 0; row < AllTogetherRow(); ++row)
    if (IsChecked(row)) allTogetherCount_ += layers_.At(row).objectCount;
}

void SaveManagerModel::SelectRow(int row) {
  selected_ = row >= 0 && row < RowCount() ? row : -1;
  view_->SelectionChanged();
}

void SaveManagerModel::Browse() {
  if (selected_ < 0) return;
  const int row = selected_;
  std::string& path = row == AllTogetherRow() ? choices.allTogetherPath : layers_.At(row).outputPath;
  const auto chosen = chooser_.SaveFile(kSaveFilter, kSaveExtension, path, true);
  if (!chosen) return;
  path = *chosen;
  view_->RowChanged(row);
}

void SaveManagerModel::ClickCell(int row, int column) {
  if (column != kFilePathColumn || row < 0 || row >= RowCount()) return;
  SelectRow(row);
  Browse();
}

bool SaveManagerModel::CheckPaths(bool allTogether) {
  int missing = -1;
  if (allTogether) {
    if (choices.allTogetherPath.empty()) missing = AllTogetherRow();
  } else {
    for (int row = 0; row < AllTogetherRow() && missing < 0; ++row)
      if (IsChecked(row) && layers_.At(row).outputPath.empty()) missing = row;
  }
  if (missing < 0) return true;
  prompter_.Show(allTogether ? kAllTogetherPathMissing : kLayerPathsMissing, kMissingPathCaption, Icon::Warning,
                 Buttons::Ok);
  SelectRow(missing);
  return false;
}

void SaveManagerModel::Save() {
  const bool allTogether = IsChecked(AllTogetherRow());
  if (!CheckPaths(allTogether)) return;
  view_->SetProgressLabel(kWritingProgress);
  view_->ShowProgress(true);
  if (allTogether)
    SaveAllTogetherRow();
  else
    SaveEachLayer();
  EndProgress();
}

void SaveManagerModel::SaveAllTogetherRow() {
  view_->SetRange(allTogetherCount_);
  std::vector<int> layerRows;
  for (int row = 0; row < AllTogetherRow(); ++row)
    if (IsChecked(row)) layerRows.push_back(row);
  view_->SetProgressLabel(ProgressLabel(kAllTogetherRowName));
  if (!SaveAllTogether(store_, layers_, layerRows, choices.allTogetherPath, choices.insertComments, prompter_,
                       *view_))
    return;
  for (int row = 0; row < RowCount(); ++row) SetChecked(row, false);
  view_->SetPosition(0);
}

void SaveManagerModel::SaveEachLayer() {
  for (int row = 0; row < AllTogetherRow(); ++row) {
    view_->SetRange(layers_.At(row).objectCount);
    if (IsChecked(row)) {
      view_->SetProgressLabel(ProgressLabel(layers_.At(row).name));
      const SaveOutcome outcome =
          SaveLayerFile(store_, layers_, row, choices.insertComments, prompter_, *view_);
      if (outcome == SaveOutcome::Stop) return;
      if (outcome == SaveOutcome::Saved) {
        view_->RowChanged(row);  // the "*" is gone
        SetChecked(row, false);
      }
    }
    view_->SetPosition(0);
  }
}

void SaveManagerModel::EndProgress() {
  view_->ShowProgress(false);
  view_->SetPosition(0);
}

}  // namespace verdanto
