#include "checks/OfferedValues.h"

#include <algorithm>
#include <string_view>

#include "relations/NameSet.h"
#include "relations/ReferenceIndex.h"
#include "base/Text.h"

namespace verdanto {
namespace {

// Collects drop-down entries under the duplicate rule (the first form of a text
// stays) and hands them out sorted. It holds views: the texts it is given must
// outlive it.
class DropDownList {
 public:
  void Add(std::string_view text) {
    if (seen_.insert(text).second) entries_.push_back(text);
  }
  void AddAll(const std::vector<std::string>& texts) {
    for (const auto& text : texts) Add(text);
  }
  std::vector<std::string> Sorted() {
    if (entries_.empty()) entries_.push_back({});
    // No two entries are equal without regard to case, so the order is fully determined.
    std::sort(entries_.begin(), entries_.end(),
              [](std::string_view a, std::string_view b) { return CompareNoCase(a, b) < 0; });
    return {entries_.begin(), entries_.end()};
  }

 private:
  std::vector<std::string_view> entries_;
  NameSet seen_;
};

std::string_view TypeName(FieldType type) {
  switch (type) {
    case FieldType::Integer: return "Integer";
    case FieldType::Real: return "Real";
    case FieldType::Alpha: return "Alpha";
    case FieldType::Choice: return "Choice";
    case FieldType::ObjectList: return "Object List";
    case FieldType::Unspecified: break;
  }
  return "Undefined";
}

// The list name as the index holds it, shared by every field that names it;
// the field's own spelling before the index exists.
std::string_view ListName(const Dictionary& store, const DictField& field, std::uint16_t i) {
  return i < field.refNameLinks.size() ? std::string_view(store.FieldRefName(field, i).name) : field.refNames[i].view();
}

}  // namespace

std::string FieldEditorTitle(const DictField& field) {
  std::string title(field.name.view());
  if (!field.label.empty()) title.append(" - ").append(field.label.view());
  return title;
}

std::vector<PropertyRow> FieldPropertyRows(const Dictionary& store, const DictField& field) {
  std::vector<PropertyRow> rows;
  const auto add = [&rows](std::string_view property, std::string_view value = {}) {
    rows.push_back({std::string(property), std::string(value)});
  };
  if (field.Has(FieldFlag::RequiredField)) add("Required field");
  if (!field.units.empty()) add("Units", field.units);
  if (!field.minimum.empty()) add(field.Has(FieldFlag::MinInclusive) ? "Value >=" : "Value >", field.minimum);
  if (!field.maximum.empty()) add(field.Has(FieldFlag::MaxInclusive) ? "Value <=" : "Value <", field.maximum);
  if (!field.defaultValue.empty()) add("Default", field.defaultValue);
  if (field.Has(FieldFlag::Autosizable)) add("Autosizable");
  if (field.Has(FieldFlag::Autocalculatable)) add("Autocalculatable");
  add("Type", TypeName(field.type()));
  const bool objectList = field.type() == FieldType::ObjectList;
  for (std::uint16_t i = 0; i < field.refNameCount(); ++i)
    add(objectList ? std::string("Object List") : Format("Reference %d", i + 1), ListName(store, field, i));
  if (field.Has(FieldFlag::RetainCase)) add("Retaincase");
  return rows;
}

std::vector<std::string> OfferedValuesOnOpening(const Dictionary& store, const LayerList& layers, std::uint16_t g,
                                                std::uint16_t c, std::uint16_t f, LayerFilter filter) {
  const DictField& field = store.GetField(g, c, f);
  std::vector<std::string> names;
  if (field.type() == FieldType::ObjectList) names = CandidateNames(store, layers, g, c, f, filter);
  DropDownList list;
  if (!field.defaultValue.empty()) list.Add(field.defaultValue);
  if (field.Has(FieldFlag::Autosizable)) list.Add("autosize");
  if (field.Has(FieldFlag::Autocalculatable)) list.Add("autocalculate");
  if (field.type() == FieldType::Choice)
    for (const auto& key : field.keys) list.Add(key);
  list.AddAll(names);
  return list.Sorted();
}

std::vector<std::string> OfferedValuesAfterFilterChange(const Dictionary& store, const LayerList& layers,
                                                        std::uint16_t g, std::uint16_t c, std::uint16_t f,
                                                        LayerFilter filter) {
  const DictField& field = store.GetField(g, c, f);
  std::vector<std::string> names;
  if (field.type() == FieldType::ObjectList) names = CandidateNames(store, layers, g, c, f, filter);
  DropDownList list;
  list.AddAll(names);
  if (!field.defaultValue.empty()) list.Add(field.defaultValue);
  return list.Sorted();
}

}  // namespace verdanto
