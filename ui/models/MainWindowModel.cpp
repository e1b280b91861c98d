#include "ui/models/MainWindowModel.h"

#include <algorithm>

#include "base/Platform.h"
#include "base/Text.h"
#include "ui/models/StartupLoad.h"

namespace verdanto {

namespace {

std::uint32_t ClassKey(std::uint16_t g, std::uint16_t c) { return MakeItemKey(g, c); }

// What takes the place of a removed object item: the next item of its class, else the class.
TreeItem NextOrClass(std::uint16_t g, std::uint16_t c, const std::vector<std::uint16_t>& items,
                     std::vector<std::uint16_t>::const_iterator next) {
  return next != items.end() ? TreeItem{TreeItemKind::Object, g, c, *next} : TreeItem{TreeItemKind::Class, g, c, 0};
}

}  // namespace

std::string ObjectText(const Dictionary& store, std::uint16_t g, std::uint16_t c, std::uint16_t o) {
  const DictClass& dictClass = store.GetClass(g, c);
  std::string_view name;
  if (o < dictClass.objectCount() && dictClass.fieldCount() > 0) name = dictClass.fields[0].values[o].value;
  return Format("<Object %d> \"", o + 1) + std::string(name) + "\"";
}

MainWindowModel::MainWindowModel(Prompter& prompter, FileChooser& chooser, LoadRunner& loader)
    : prompter_(prompter), chooser_(chooser), loader_(loader) {
  layers.listener = this;
}

MainWindowModel::~MainWindowModel() { layers.listener = nullptr; }

// --- Creation ---------------------------------------------------------------------

bool MainWindowModel::Create(const std::string& settingsPath) {
  if (!LoadDictionaryAtStartup(store, settingsPath, chooser_, prompter_, loader_)) return false;
  SetUp();
  return true;
}

void MainWindowModel::SetUp() {
  title = std::string(kTitlePrefix) + store.version;
  if (layers.Count() == 0) layers.AddLayer("0", "");
  BuildTree();
  Notify(kTitlePart | kLayersBoxPart);
}

void MainWindowModel::BuildTree() {
  rebuilding = true;
  if (listener_ != nullptr) listener_->BeginTreeReset();
  staged_.clear();
  items_.assign(store.GroupCount(), {});
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g) items_[g].assign(store.ClassCount(g), {});
  selectedItem_ = {};
  if (listener_ != nullptr) listener_->EndTreeReset();
  rebuilding = false;
  if (HasClass(0, 0)) {
    SelectTreeItem({TreeItemKind::Class, 0, 0, 0});
  } else {
    ShowSelection({});
  }
}

// --- The class tree ---------------------------------------------------------------

bool MainWindowModel::HasClass(std::uint16_t g, std::uint16_t c) const {
  return g < items_.size() && c < items_[g].size();
}

int MainWindowModel::ObjectItemCount(std::uint16_t g, std::uint16_t c) const {
  return HasClass(g, c) ? static_cast<int>(items_[g][c].size()) : 0;
}

std::uint16_t MainWindowModel::ObjectOfItem(std::uint16_t g, std::uint16_t c, int row) const {
  return items_[g][c][static_cast<std::size_t>(row)];
}

int MainWindowModel::RowOfObject(std::uint16_t g, std::uint16_t c, std::uint16_t o) const {
  if (!HasClass(g, c)) return -1;
  const ItemList& items = items_[g][c];
  const auto it = std::lower_bound(items.begin(), items.end(), o);
  return it != items.end() && *it == o ? static_cast<int>(it - items.begin()) : -1;
}

std::string MainWindowModel::ItemText(const TreeItem& item) const {
  switch (item.kind) {
    case TreeItemKind::Group: return std::string(store.GetGroup(item.group).name.view());
    case TreeItemKind::Class: return std::string(store.GetClass(item.group, item.classNo).name.view());
    case TreeItemKind::Object: return ObjectText(store, item.group, item.classNo, item.object);
    case TreeItemKind::None: break;
  }
  return {};
}

std::uint32_t MainWindowModel::ItemKey(const TreeItem& item) const {
  switch (item.kind) {
    case TreeItemKind::Group: return MakeItemKey(item.group, 0);
    case TreeItemKind::Class: return MakeItemKey(item.group, item.classNo);
    case TreeItemKind::Object: {
      const DictClass& dictClass = store.GetClass(item.group, item.classNo);
      const std::uint16_t layer = item.object < dictClass.objectCount() ? dictClass.objectLayers[item.object] : 0;
      return MakeItemKey(layer, item.object);
    }
    case TreeItemKind::None: break;
  }
  return 0;
}

const MainWindowModel::ItemList& MainWindowModel::Items(std::uint16_t g, std::uint16_t c) const {
  const auto found = staged_.find(ClassKey(g, c));
  return found != staged_.end() ? found->second : items_[g][c];
}

MainWindowModel::ItemList& MainWindowModel::Staged(std::uint16_t g, std::uint16_t c) {
  const auto [it, inserted] = staged_.try_emplace(ClassKey(g, c));
  if (inserted) it->second = items_[g][c];
  return it->second;
}

void MainWindowModel::Commit() {
  for (auto& entry : staged_) {
    // Named, not structured, bindings: the lambdas below capture them.
    const auto key = entry.first;
    auto& items = entry.second;
    const auto g = static_cast<std::uint16_t>(key & 0xFFFF);
    const auto c = static_cast<std::uint16_t>(key >> 16);
    ItemList& shown = items_[g][c];
    const auto tell = [&](std::size_t first, std::size_t newCount, const auto& change) {
      const int oldCount = static_cast<int>(shown.size());
      if (listener_ != nullptr)
        listener_->BeginObjectItemsChange(g, c, static_cast<int>(first), oldCount, static_cast<int>(newCount));
      change();
      if (listener_ != nullptr)
        listener_->EndObjectItemsChange(g, c, static_cast<int>(first), static_cast<int>(newCount));
    };
    if (renumbered_.contains(key) && shown.size() == items.size()) {
      tell(0, items.size(), [&] { shown.swap(items); });
      continue;
    }
    // Both lists ascend, so an object missing from the staged list lost its item.
    std::vector<std::pair<std::size_t, std::size_t>> removed;  // first row, row count
    for (std::size_t row = 0, next = 0; row < shown.size(); ++row) {
      while (next < items.size() && items[next] < shown[row]) ++next;
      if (next < items.size() && items[next] == shown[row]) continue;
      if (!removed.empty() && removed.back().first + removed.back().second == row) {
        ++removed.back().second;
      } else {
        removed.emplace_back(row, 1);
      }
    }
    // The last run first, so that the rows before it keep their numbers.
    for (auto run = removed.rbegin(); run != removed.rend(); ++run) {
      const auto first = shown.begin() + static_cast<std::ptrdiff_t>(run->first);
      tell(run->first, shown.size() - run->second,
           [&] { shown.erase(first, first + static_cast<std::ptrdiff_t>(run->second)); });
    }
    // What is left of the shown list is part of the staged one: insert the rest run by run.
    bool told = !removed.empty();
    for (std::size_t row = 0; row < items.size();) {
      if (row < shown.size() && shown[row] == items[row]) {
        ++row;
        continue;
      }
      std::size_t end = row;
      while (end < items.size() && (row >= shown.size() || shown[row] != items[end])) ++end;
      tell(row, shown.size() + (end - row), [&] {
        shown.insert(shown.begin() + static_cast<std::ptrdiff_t>(row), items.begin() + static_cast<std::ptrdiff_t>(row),
                     items.begin() + static_cast<std::ptrdiff_t>(end));
      });
      told = true;
      row = end;
    }
    if (shown != items) {  // not two ascending lists: tell it as all items going and coming
      tell(0, 0, [&] { shown.clear(); });
      tell(0, items.size(), [&] { shown = items; });
    } else if (!told) {  // the same items, which may show new texts
      tell(0, items.size(), [] {});
    }
  }
  staged_.clear();
  renumbered_.clear();
}

void MainWindowModel::InsertItem(std::uint16_t g, std::uint16_t c, std::uint16_t o) {
  ItemList& items = Staged(g, c);
  const auto it = std::lower_bound(items.begin(), items.end(), o);
  if (it == items.end() || *it != o) items.insert(it, o);
}

void MainWindowModel::RemoveItem(std::uint16_t g, std::uint16_t c, std::uint16_t o) {
  if (!HasClass(g, c)) return;
  const ItemList& current = Items(g, c);
  if (!std::binary_search(current.begin(), current.end(), o)) return;
  ItemList& items = Staged(g, c);
  const auto it = items.erase(std::lower_bound(items.begin(), items.end(), o));
  if (selectedItem_ == TreeItem{TreeItemKind::Object, g, c, o}) {
    selectedItem_ = NextOrClass(g, c, items, it);
  }
}

TreeItem MainWindowModel::FollowFirstChildren(TreeItem item) const {
  if (item.kind == TreeItemKind::Group && store.ClassCount(item.group) > 0) {
    item = {TreeItemKind::Class, item.group, 0, 0};
  }
  if (item.kind == TreeItemKind::Class) {
    const ItemList& items = Items(item.group, item.classNo);
    if (!items.empty()) item = {TreeItemKind::Object, item.group, item.classNo, items.front()};
  }
  return item;
}

void MainWindowModel::SelectTreeItem(const TreeItem& item) {
  if (rebuilding) return;
  bool exists = false;
  switch (item.kind) {
    case TreeItemKind::Group: exists = item.group < store.GroupCount(); break;
    case TreeItemKind::Class: exists = HasClass(item.group, item.classNo); break;
    case TreeItemKind::Object: exists = RowOfObject(item.group, item.classNo, item.object) >= 0; break;
    case TreeItemKind::None: break;
  }
  if (!exists) return;
  const TreeItem target = FollowFirstChildren(item);
  // Moving on to a first child is a selection change of its own, made from that
  // child's parent; so only a direct change between objects of one class keeps the rows.
  const TreeItem previous = target == item ? selectedItem_ : TreeItem{};
  selectedItem_ = target;
  ShowSelection(previous);
}

void MainWindowModel::ShowSelection(const TreeItem& previous) {
  const TreeItem& item = selectedItem_;
  const bool isObject = item.kind == TreeItemKind::Object;
  const bool hasClass = isObject || item.kind == TreeItemKind::Class;
  unsigned parts = kTreeSelectionPart | kButtonsPart | kDetailSelectionPart | kNotesPart;
  if (!hasClass) {
    detailRows.clear();
    propertyRows.clear();
    memoText.clear();
    vertexTriples = 0;
    selectEnabled = false;
    parts |= kDetailRowsPart | kPropertiesPart;
    if (item.kind == TreeItemKind::Group) selectedGroup = item.group;
  } else {
    selectedGroup = item.group;
    selectedClass = item.classNo;
    const bool sameClass = isObject && previous.kind == TreeItemKind::Object && previous.group == item.group &&
                           previous.classNo == item.classNo;
    if (!sameClass) {
      FillClassRows();
      parts |= kDetailRowsPart | kPropertiesPart;
    } else {
      parts |= kValueColumnPart;
    }
  }
  if (isObject) {
    selectedObject = item.object;
    selectedLayer = store.GetClass(item.group, item.classNo).objectLayers[item.object];
    FillValueColumn();
  } else {
    selectedLayer = 0;
    hasValueColumn = false;
    valueHeader.clear();
    for (DetailRow& row : detailRows) row.value.clear();
  }
  UpdateButtons();
  ShowLayerOfSelection();
  Notify(parts | kLayersBoxPart);
  SelectDetailRow(detailRows.empty() ? -1 : 0);
}

void MainWindowModel::FillClassRows() {
  const DictGroup& group = store.GetGroup(selectedGroup);
  const DictClass& dictClass = group.classes[selectedClass];
  detailRows.clear();
  detailRows.reserve(dictClass.fields.size());
  for (const DictField& field : dictClass.fields) {
    detailRows.push_back({field.name.str(), field.label.str(), field.units.str(),
                          field.Has(FieldFlag::RequiredField) ? "x" : "", ""});
  }
  propertyRows.clear();
  propertyRows.push_back({"Group", group.name.str()});
  propertyRows.push_back({"Class", dictClass.name.str()});
  if (dictClass.Has(ClassFlag::UniqueObject)) propertyRows.push_back({"Unique Object", ""});
  if (dictClass.Has(ClassFlag::RequiredObject)) propertyRows.push_back({"Required Object", ""});
  if (dictClass.minFields != 0) propertyRows.push_back({"Minimum fields", Format("%d", dictClass.minFields)});
  if (!dictClass.obsolete.empty()) propertyRows.push_back({"Obsolete", dictClass.obsolete.str()});
  if (dictClass.Has(ClassFlag::Extensible)) propertyRows.push_back({"Extensible", ""});
  memoText = "Object Memo:\r\n" + dictClass.memo.str();
  vertexTriples = CountVertexTriples(dictClass);
  selectEnabled = vertexTriples >= 3;
}

void MainWindowModel::FillValueColumn() {
  hasValueColumn = true;
  valueHeader = Format("<Object %d>", selectedObject + 1);
  for (std::uint16_t f = 0; f < detailRows.size(); ++f) {
    detailRows[f].value = store.GetField(selectedGroup, selectedClass, f).values[selectedObject].value.str();
  }
}

void MainWindowModel::UpdateButtons() {
  const TreeItemKind kind = selectedItem_.kind;
  const bool hasClass = kind == TreeItemKind::Class || kind == TreeItemKind::Object;
  const bool room = hasClass && store.GetClass(selectedGroup, selectedClass).objectCount() < kMaxCount;
  addEnabled = room;
  dupEnabled = room && kind == TreeItemKind::Object;
  delEnabled = kind == TreeItemKind::Object;
}

void MainWindowModel::ShowLayerOfSelection() {
  if (selectedLayer == 0) {
    if (layers.shown != layers.current) layers.ShowCurrentLayer();
  } else if (layers.LayerIdOfItem(layers.shown) != selectedLayer) {
    layers.ShowLayer(selectedLayer);
  }
}

void MainWindowModel::SelectDetailRow(int row) {
  if (row >= 0 && static_cast<std::size_t>(row) < detailRows.size()) {
    const DictField& field = store.GetField(selectedGroup, selectedClass, static_cast<std::uint16_t>(row));
    selectedDetailRow = row;
    noteText = "Field \"" + field.name.str();
    if (!field.label.empty()) noteText += " - " + field.label.str();
    noteText += "\" Note:\r\n" + field.note.str();
  } else {
    selectedDetailRow = -1;
    noteText.clear();
  }
  Notify(kDetailSelectionPart | kNotesPart);
}

void MainWindowModel::SetAllOpen(bool open) {
  if (listener_ != nullptr) listener_->SetAllExpanded(open, selectedGroup);
  Notify(kTreeSelectionPart);
}

void MainWindowModel::Notify(unsigned parts) {
  if (listener_ != nullptr) listener_->ViewsChanged(parts);
}

// --- Commands ------------------------------------------------------------------------

std::optional<std::uint16_t> MainWindowModel::AppendObject() {
  const TreeItemKind kind = selectedItem_.kind;
  if (kind != TreeItemKind::Class && kind != TreeItemKind::Object) return std::nullopt;
  if (!layers.IsValid(layers.current)) return std::nullopt;
  const std::uint16_t g = selectedItem_.group;
  const std::uint16_t c = selectedItem_.classNo;
  if (store.GetClass(g, c).objectCount() >= kMaxCount) return std::nullopt;
  Layer& layer = layers.At(layers.current);
  const std::uint16_t o = store.AddObject(g, c, layer.id);
  ++layer.objectCount;
  layer.modified = true;
  InsertItem(g, c, o);  // even when the current layer is off
  return o;
}

void MainWindowModel::AddObject() {
  const auto o = AppendObject();
  if (!o) return;
  Commit();
  SelectTreeItem({TreeItemKind::Object, selectedItem_.group, selectedItem_.classNo, *o});
}

void MainWindowModel::DupObject() {
  if (selectedItem_.kind != TreeItemKind::Object) return;
  const std::uint16_t source = selectedItem_.object;
  const auto o = AppendObject();
  if (!o) return;
  const std::uint16_t g = selectedItem_.group;
  const std::uint16_t c = selectedItem_.classNo;
  DictClass& cls = store.GetClass(g, c);
  for (std::uint16_t f = 0; f < cls.ValueEnd(source); ++f) {
    FieldValue copy = cls.fields[f].values[source];  // a copy: storing may move the column
    if (!copy.value.empty() || !copy.comment.empty()) cls.GetValue(f, *o) = std::move(copy);
  }
  Commit();
  SelectTreeItem({TreeItemKind::Object, g, c, *o});
}

void MainWindowModel::DelObject() {
  if (selectedItem_.kind != TreeItemKind::Object) return;
  const std::uint16_t g = selectedItem_.group;
  const std::uint16_t c = selectedItem_.classNo;
  const std::uint16_t o = selectedItem_.object;
  const int layerIndex = layers.ItemOfLayerId(store.GetClass(g, c).objectLayers[o]);
  RemoveItem(g, c, o);
  Commit();  // the views hear of the removal while every other item still shows its own object
  store.DeleteObject(g, c, o);
  if (layers.IsValid(layerIndex)) {
    Layer& layer = layers.At(layerIndex);
    --layer.objectCount;
    layer.modified = true;
  }
  // The later objects of the class moved down by one.
  for (std::uint16_t& later : Staged(g, c))
    if (later > o) --later;
  renumbered_.insert(ClassKey(g, c));
  if (selectedItem_.kind == TreeItemKind::Object && selectedItem_.object > o) --selectedItem_.object;
  Commit();
  SelectTreeItem(selectedItem_);
}

std::optional<FieldAddress> MainWindowModel::FieldToEdit(int row, int column) const {
  constexpr int kValueColumn = 4;
  if (column != kValueColumn || !hasValueColumn || selectedItem_.kind != TreeItemKind::Object) return std::nullopt;
  if (row < 0 || static_cast<std::size_t>(row) >= detailRows.size()) return std::nullopt;
  return FieldAddress{selectedGroup, selectedClass, selectedObject, static_cast<std::uint16_t>(row)};
}

void MainWindowModel::FieldEdited(const FieldAddress& target, bool accepted, LayerFilter filter) {
  fieldLayerFilter = filter;
  if (!accepted) return;
  const DictClass& dictClass = store.GetClass(target.group, target.classNo);
  const int layerIndex = layers.ItemOfLayerId(dictClass.objectLayers[target.object]);
  if (layers.IsValid(layerIndex)) layers.At(layerIndex).modified = true;
  const bool shown = selectedItem_ == TreeItem{TreeItemKind::Object, target.group, target.classNo, target.object};
  if (shown && target.field < detailRows.size()) {
    detailRows[target.field].value =
        store.GetField(target.group, target.classNo, target.field).values[target.object].value.str();
    Notify(kValueColumnPart);
  }
  if (target.field == 0 && RowOfObject(target.group, target.classNo, target.object) >= 0) {
    Staged(target.group, target.classNo);  // no item comes or goes; its text is new
    Commit();
  }
}

void MainWindowModel::OpenFiles(OpenMode mode) {
  const auto paths = chooser_.OpenFiles(kOpenIdfFilter, "");
  if (!paths) return;
  const TreeItem remembered = selectedItem_;
  rebuilding = true;
  for (const std::string& path : *paths) {
    if (!loader_.Run(LoadKind::LoadIdf, path, store)) {
      // Whatever a failed reading added stays with no layer; the next file's layer must not get it.
      store.DeleteLayerObjects(0);
      continue;
    }
    const OpenTarget target = BeginOpen(layers, mode, path);
    FinishOpen(store, layers, target, *this);
  }
  rebuilding = false;
  Commit();
  selectedItem_ = {};
  SelectTreeItem(remembered);
}

CloseOutcome MainWindowModel::RequestClose() {
  if (selecting != 0) {
    prompter_.Show("Unable to close the dialog, a selection is being performed.", kAppCaption, Icon::Error,
                   Buttons::Ok);
    return CloseOutcome::Refused;
  }
  std::string question = "Save changes to following layers?\r\n";
  bool anyModified = false;
  for (const Layer& layer : layers.layers) {
    if (!layer.modified) continue;
    question += "\r\n    " + layer.name;
    anyModified = true;
  }
  if (!anyModified) return CloseOutcome::Release;
  switch (prompter_.Show(question, kAppCaption, Icon::Question, Buttons::YesNo)) {
    case Answer::Yes: return CloseOutcome::SaveFirst;
    case Answer::No: return CloseOutcome::Release;
    default: return CloseOutcome::Refused;  // closed without an answer: nothing is decided, nothing lost
  }
}

bool MainWindowModel::RequestRestore() {
  if (!selecting) return true;
  prompter_.Show("Unable to restore the dialog, a selection is being performed.", kAppCaption, Icon::Error,
                 Buttons::Ok);
  return false;
}

// --- Layers box and layer manager --------------------------------------------------------

void MainWindowModel::LayerSelectionChanged() {
  const int changed = layers.lastChanged;
  if (changed < 0) {
    PickLayer(layers.shown);
  } else if (layers.changeKind == ChangeKind::OnOffToggled) {
    ApplyLamp(changed);
  } else {
    Reselect();
  }
  layers.ChangeHandled();
  Notify(kLayersBoxPart);
}

void MainWindowModel::PickLayer(int picked) {
  if (selectedItem_.kind != TreeItemKind::Object) {
    layers.ShowCurrentLayer();
    return;
  }
  const std::uint16_t g = selectedItem_.group;
  const std::uint16_t c = selectedItem_.classNo;
  const std::uint16_t o = selectedItem_.object;
  if (MoveObjectToLayer(store, layers, g, c, o, picked)) {
    selectedLayer = layers.At(picked).id;
    if (!layers.IsLayerOn(picked)) RemoveItem(g, c, o);
    Commit();
  }
  Reselect();
}

void MainWindowModel::ApplyLamp(int index) {
  if (!layers.IsValid(index)) return;
  const std::uint16_t id = layers.At(index).id;
  const bool on = layers.IsLayerOn(index);
  rebuilding = true;
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g) {
    for (std::uint16_t c = 0; c < store.ClassCount(g); ++c) {
      const std::vector<std::uint16_t>& objectLayers = store.GetClass(g, c).objectLayers;
      if (on) {
        ShowLayerObjects(g, c, objectLayers, id);
      } else {
        HideLayerObjects(g, c, objectLayers, id);
      }
    }
  }
  rebuilding = false;
  Commit();
  Reselect();
}

void MainWindowModel::ShowLayerObjects(std::uint16_t g, std::uint16_t c, const std::vector<std::uint16_t>& objectLayers,
                                       std::uint16_t id) {
  if (std::find(objectLayers.begin(), objectLayers.end(), id) == objectLayers.end()) return;
  const ItemList& before = Items(g, c);
  ItemList merged;
  merged.reserve(objectLayers.size());
  auto shown = before.begin();
  for (std::size_t o = 0; o < objectLayers.size(); ++o) {
    const bool hadItem = shown != before.end() && *shown == o;
    if (hadItem) ++shown;
    if (hadItem || objectLayers[o] == id) merged.push_back(static_cast<std::uint16_t>(o));
  }
  if (merged.size() != before.size()) Staged(g, c).swap(merged);
}

void MainWindowModel::HideLayerObjects(std::uint16_t g, std::uint16_t c, const std::vector<std::uint16_t>& objectLayers,
                                       std::uint16_t id) {
  const ItemList& before = Items(g, c);
  const auto ofLayer = [&](std::uint16_t o) { return objectLayers[o] == id; };
  if (std::none_of(before.begin(), before.end(), ofLayer)) return;
  const TreeItem selected = selectedItem_;
  ItemList& items = Staged(g, c);
  if (selected.kind == TreeItemKind::Object && selected.group == g && selected.classNo == c &&
      ofLayer(selected.object)) {
    const auto next = std::find_if_not(std::upper_bound(items.begin(), items.end(), selected.object), items.end(),
                                       ofLayer);
    selectedItem_ = NextOrClass(g, c, items, next);
  }
  std::erase_if(items, ofLayer);
}

void MainWindowModel::Reselect() {
  TreeItem item = selectedItem_;
  if (item.kind == TreeItemKind::Object && RowOfObject(item.group, item.classNo, item.object) < 0) {
    item.kind = TreeItemKind::Class;
  }
  if (item.kind == TreeItemKind::None && HasClass(0, 0)) item = {TreeItemKind::Class, 0, 0, 0};
  selectedItem_ = FollowFirstChildren(item);
  ShowSelection({});
}

// --- Layer operations ------------------------------------------------------------------------

void MainWindowModel::BeginTreeChange(TreeChange) { rebuilding = true; }

void MainWindowModel::EndTreeChange(TreeChange) {
  rebuilding = false;
  Commit();
  Reselect();
  Notify(kLayersBoxPart);
}

void MainWindowModel::ObjectRemoved(std::uint16_t g, std::uint16_t c, std::uint16_t o) {
  // The object is still in the store: told now, the removal leaves every other item
  // as it was. Renumberings of an earlier layer's removal go first.
  Commit();
  RemoveItem(g, c, o);
  Commit();
}

void MainWindowModel::ObjectRenumbered(std::uint16_t g, std::uint16_t c, std::uint16_t oldIndex,
                                       std::uint16_t newIndex) {
  if (selectedItem_ == TreeItem{TreeItemKind::Object, g, c, oldIndex}) selectedItem_.object = newIndex;
  if (!HasClass(g, c)) return;
  const ItemList& current = Items(g, c);
  if (!std::binary_search(current.begin(), current.end(), oldIndex)) return;
  ItemList& items = Staged(g, c);
  *std::lower_bound(items.begin(), items.end(), oldIndex) = newIndex;
  renumbered_.insert(ClassKey(g, c));
}

void MainWindowModel::ObjectHidden(std::uint16_t g, std::uint16_t c, std::uint16_t o) { RemoveItem(g, c, o); }

void MainWindowModel::ObjectShown(std::uint16_t g, std::uint16_t c, std::uint16_t o, std::uint16_t) {
  if (HasClass(g, c)) InsertItem(g, c, o);
}

}  // namespace verdanto
