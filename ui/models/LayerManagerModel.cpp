#include "ui/models/LayerManagerModel.h"

#include <algorithm>

#include "base/Text.h"
#include "ui/models/LayersBoxModel.h"

namespace verdanto {

LayerManagerModel::LayerManagerModel(Dictionary& store, LayerList& layers, Prompter& prompter,
                                     ObjectTreeObserver& tree)
    : store_(store), layers_(layers), prompter_(prompter), tree_(tree) {}

Answer LayerManagerModel::RefreshingPrompter::Show(std::string_view text, std::string_view caption, Icon icon,
                                                   Buttons buttons) {
  owner_.DropMissingIds();
  owner_.Changed();
  return owner_.prompter_.Show(text, caption, icon, buttons);
}

LayerManagerRow LayerManagerModel::Row(int row) const {
  const Layer& layer = layers_.At(row);
  return {layer.on ? kLampOnImage : kLampOffImage, layer.name, Format("%u", layer.objectCount)};
}

std::string LayerManagerModel::CurrentLabel() const {
  const int current = layers_.CurrentLayer();
  return std::string(kCurrentLayerLabel) + (layers_.IsValid(current) ? layers_.At(current).name : std::string());
}

bool LayerManagerModel::IsSelected(int row) const {
  return layers_.IsValid(row) && selectedIds_.contains(layers_.At(row).id);
}

std::vector<int> LayerManagerModel::SelectedRows() const {
  std::vector<int> rows;
  for (int row = 0; row < RowCount(); ++row)
    if (IsSelected(row)) rows.push_back(row);
  return rows;
}

int LayerManagerModel::SelectedCount() const {
  return static_cast<int>(std::count_if(layers_.layers.begin(), layers_.layers.end(),
                                        [&](const Layer& layer) { return selectedIds_.contains(layer.id); }));
}

void LayerManagerModel::SetSelection(const std::vector<int>& rows, int focused) {
  selectedIds_.clear();
  for (const int row : rows)
    if (layers_.IsValid(row)) selectedIds_.insert(layers_.At(row).id);
  focusedId_ = layers_.IsValid(focused) ? layers_.At(focused).id : 0;
}

void LayerManagerModel::SelectFirstRow() {
  SetSelection({0}, 0);
  Changed();
}

void LayerManagerModel::Add() {
  const std::string name = layers_.NewLayerName();
  selectedIds_.clear();
  const int row = layers_.AddLayer(name, "");
  if (row >= 0) {
    selectedIds_.insert(layers_.At(row).id);
    focusedId_ = layers_.At(row).id;
  }
  Changed();
}

void LayerManagerModel::Rename(int row, std::string_view newName) {
  if (!layers_.IsValid(row)) return;
  const std::uint16_t id = layers_.At(row).id;
  const RenameOutcome outcome = layers_.RenameLayer(row, newName, prompter_);
  if (outcome.result == RenameResult::Renamed) {
    selectedIds_.insert(id);
    focusedId_ = id;
  }
  Changed();
}

void LayerManagerModel::ClickLamp(int row) {
  if (!layers_.IsValid(row)) return;
  layers_.SetLayerOn(row, !layers_.IsLayerOn(row));
  layers_.NotifyChange(row, ChangeKind::OnOffToggled);
  Changed();
}

void LayerManagerModel::SetCurrent(int row) {
  layers_.SetCurrentLayer(row);
  layers_.NotifyChange(row, ChangeKind::CurrentChanged);
  Changed();
}

void LayerManagerModel::MakeCurrent() {
  const std::vector<int> rows = SelectedRows();
  if (rows.size() == 1) SetCurrent(rows.front());
}

void LayerManagerModel::DoubleClick(int row) {
  if (layers_.IsValid(row) && row != layers_.CurrentLayer()) SetCurrent(row);
}

void LayerManagerModel::Delete() {
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  DeleteLayers(store_, layers_, rows, refreshingPrompter_, tree_);
  DropMissingIds();
  Changed();
}

void LayerManagerModel::Merge(MergeTarget target) {
  const std::vector<int> rows = SelectedRows();
  if (rows.size() < 2) return;
  MergeLayers(store_, layers_, rows, target, tree_);
  Changed();
}

// Ids of removed layers leave the selection: a layer added later may get them again.
void LayerManagerModel::DropMissingIds() {
  std::erase_if(selectedIds_, [&](std::uint16_t id) { return layers_.ItemOfLayerId(id) < 0; });
  if (layers_.ItemOfLayerId(focusedId_) < 0) focusedId_ = 0;
}

void LayerManagerModel::Changed() {
  if (listener_ != nullptr) listener_->RowsChanged();
}

}  // namespace verdanto
