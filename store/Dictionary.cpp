#include "store/Dictionary.h"

#include <algorithm>

#include "base/Text.h"

namespace verdanto {
namespace {

bool LessNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, b) < 0; }

// Removes every entry whose keep flag is false, keeping the order of the rest.
template <typename Array>
void KeepMarked(Array& items, const std::vector<bool>& keep) {
  std::size_t out = 0;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (keep[i]) {
      if (out != i) items[out] = std::move(items[i]);
      ++out;
    }
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(out), items.end());
}

// Empty cells at the end of a column stand for nothing; without them a column's
// last cell belongs to an object whose bound covers the field, so that the
// removals below, which only visit fields under the bounds, reach every cell.
void DropEmptyTail(CompactArray<FieldValue>& cells) {
  while (!cells.empty() && cells.back().value.empty() && cells.back().comment.empty()) cells.pop_back();
  if (cells.empty()) cells.shrink_to_fit();
}

}  // namespace

std::uint16_t Dictionary::AddGroup(std::string_view name) {
  classIndex_.reset();
  groups_.emplace_back().name = PoolText(name);
  return static_cast<std::uint16_t>(groups_.size() - 1);
}

std::uint16_t Dictionary::AddClass(std::uint16_t g, std::string_view name) {
  classIndex_.reset();
  auto& classes = groups_[g].classes;
  classes.emplace_back().name = PoolText(name);
  return static_cast<std::uint16_t>(classes.size() - 1);
}

std::uint32_t Dictionary::TotalClassCount() const noexcept {
  std::uint32_t total = 0;
  for (const auto& group : groups_) total += group.classCount();
  return total;
}

std::uint16_t Dictionary::AddField(std::uint16_t g, std::uint16_t c, std::string_view name) {
  auto& fields = GetClass(g, c).fields;
  fields.emplace_back().name = PoolText(name);
  return static_cast<std::uint16_t>(fields.size() - 1);
}

std::uint16_t Dictionary::AddKey(std::uint16_t g, std::uint16_t c, std::uint16_t f, std::string_view text) {
  auto& keys = GetField(g, c, f).keys;
  keys.push_back(PoolText(text));
  return static_cast<std::uint16_t>(keys.size() - 1);
}

std::uint16_t Dictionary::AddRefName(std::uint16_t g, std::uint16_t c, std::uint16_t f, std::string_view text) {
  auto& names = GetField(g, c, f).refNames;
  names.push_back(PoolText(text));
  return static_cast<std::uint16_t>(names.size() - 1);
}

std::uint16_t DictClass::AddObject(std::uint16_t layer) {
  objectLayers.push_back(layer);
  valueEnds.push_back(0);
  objectLines.resize(objectLayers.size());
  return static_cast<std::uint16_t>(objectLayers.size() - 1);
}

FieldValue& DictClass::GetValue(std::uint16_t f, std::uint16_t o) {
  auto& cells = fields[f].values.cells_;
  if (cells.size() <= o) cells.resize(o + 1u);
  if (valueEnds[o] <= f) valueEnds[o] = static_cast<std::uint16_t>(f + 1u);
  return cells[o];
}

// Only fields below the largest bound of objects o and later can hold a cell at o.
void DictClass::DeleteObject(std::uint16_t o) {
  const std::uint16_t reach = *std::max_element(valueEnds.begin() + o, valueEnds.end());
  for (std::uint16_t f = 0; f < reach; ++f) {
    auto& cells = fields[f].values.cells_;
    if (o < cells.size()) cells.erase(cells.begin() + o);
    DropEmptyTail(cells);
  }
  objectLayers.erase(objectLayers.begin() + o);
  valueEnds.erase(valueEnds.begin() + o);
  if (o < objectLines.size()) objectLines.erase(objectLines.begin() + o);
}

void DictClass::KeepObjects(const std::vector<bool>& keep) {
  const std::uint16_t reach = valueEnds.empty() ? 0 : *std::max_element(valueEnds.begin(), valueEnds.end());
  for (std::uint16_t f = 0; f < reach; ++f) {
    auto& cells = fields[f].values.cells_;
    KeepMarked(cells, keep);
    DropEmptyTail(cells);
  }
  KeepMarked(objectLayers, keep);
  KeepMarked(valueEnds, keep);
  objectLines.resize(keep.size());
  KeepMarked(objectLines, keep);
}

std::uint16_t Dictionary::AddObject(std::uint16_t g, std::uint16_t c, std::uint16_t layer) {
  return GetClass(g, c).AddObject(layer);
}

void Dictionary::DeleteObject(std::uint16_t g, std::uint16_t c, std::uint16_t o) { GetClass(g, c).DeleteObject(o); }

void Dictionary::DeleteLayerObjects(std::uint16_t layer) {
  for (auto& group : groups_)
    for (auto& cls : group.classes) {
      if (std::find(cls.objectLayers.begin(), cls.objectLayers.end(), layer) == cls.objectLayers.end()) continue;
      std::vector<bool> keep(cls.objectLayers.size());
      for (std::size_t o = 0; o < keep.size(); ++o) keep[o] = cls.objectLayers[o] != layer;
      cls.KeepObjects(keep);
    }
  const bool anyObject = std::any_of(groups_.begin(), groups_.end(), [](const DictGroup& group) {
    return std::any_of(group.classes.begin(), group.classes.end(),
                       [](const DictClass& cls) { return cls.objectCount() > 0; });
  });
  if (!anyObject) readTexts_.Clear();
}

void Dictionary::BuildIndexes() {
  if (refNameIndex_) return;

  std::vector<ClassIndexEntry> classes;
  classes.reserve(TotalClassCount());
  std::vector<std::string_view> names;
  for (std::uint16_t g = 0; g < GroupCount(); ++g)
    for (std::uint16_t c = 0; c < ClassCount(g); ++c) {
      const auto& cls = GetClass(g, c);
      classes.push_back({cls.name.view(), g, c});
      for (const auto& field : cls.fields)
        for (const auto& name : field.refNames) names.push_back(name.view());
    }
  // A stable sort keeps equal names in store order, so lookups are repeatable.
  std::stable_sort(classes.begin(), classes.end(),
                   [](const ClassIndexEntry& a, const ClassIndexEntry& b) { return LessNoCase(a.name, b.name); });
  classIndex_ = std::move(classes);

  if (names.empty()) return;
  std::stable_sort(names.begin(), names.end(), LessNoCase);
  std::vector<RefName> index;
  for (const auto name : names)
    if (index.empty() || !EqualsNoCase(index.back().name, name)) index.push_back(RefName{std::string(name), {}, {}});

  for (std::uint16_t g = 0; g < GroupCount(); ++g)
    for (std::uint16_t c = 0; c < ClassCount(g); ++c)
      for (std::uint16_t f = 0; f < FieldCount(g, c); ++f) {
        auto& field = GetField(g, c, f);
        field.refNameLinks.clear();
        for (const auto& name : field.refNames) {
          const auto it = std::lower_bound(index.begin(), index.end(), name.view(),
                                           [](const RefName& r, std::string_view n) { return LessNoCase(r.name, n); });
          auto& entry = *it;
          (field.type() == FieldType::ObjectList ? entry.users : entry.definers).push_back({g, c, f});
          field.refNameLinks.push_back(static_cast<std::uint32_t>(it - index.begin()));
        }
      }
  refNameIndex_ = std::move(index);
}

bool Dictionary::FindClass(std::string_view name, std::uint16_t& g, std::uint16_t& c) const {
  if (!classIndex_) return false;
  const auto& index = *classIndex_;
  const auto it = std::lower_bound(index.begin(), index.end(), name,
                                   [](const ClassIndexEntry& e, std::string_view n) { return LessNoCase(e.name, n); });
  if (it == index.end() || !EqualsNoCase(it->name, name)) return false;
  g = it->group;
  c = it->classNo;
  return true;
}

void Dictionary::RemoveLastClass() {
  // The class index names classes by their own texts, so it cannot outlive one.
  classIndex_.reset();
  groups_.back().classes.pop_back();
}

void Dictionary::RemoveLastGroup() {
  classIndex_.reset();
  groups_.pop_back();
}

void Dictionary::Clear() {
  classIndex_.reset();
  refNameIndex_.reset();
  groups_.clear();
  groups_.shrink_to_fit();
  texts_.Clear();
  readTexts_.Clear();
  version.clear();
}

}  // namespace verdanto
