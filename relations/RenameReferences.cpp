#include "relations/RenameReferences.h"

#include <algorithm>
#include <tuple>

#include "base/Text.h"
#include "relations/ReferenceIndex.h"

namespace verdanto {
namespace {

const DictField& FieldOf(const Dictionary& store, const ObjectField& at) {
  return store.GetField(at.group, at.classNo, at.field);
}

bool StoreOrder(const ObjectField& a, const ObjectField& b) {
  return std::tie(a.group, a.classNo, a.object, a.field) < std::tie(b.group, b.classNo, b.object, b.field);
}

}  // namespace

bool IsReferenceField(const Dictionary& store, std::uint16_t g, std::uint16_t c, std::uint16_t f) {
  const DictField& field = store.GetField(g, c, f);
  return field.type() != FieldType::ObjectList && !field.refNames.empty();
}

std::vector<ObjectField> FindNamingFields(const Dictionary& store, const ObjectField& source) {
  const DictField& field = FieldOf(store, source);
  const std::string_view name = field.values[source.object].value.view();
  std::vector<ObjectField> found;
  for (const std::uint32_t link : field.refNameLinks)
    for (const FieldRef& user : store.GetRefName(link).users) {
      const DictClass& cls = store.GetClass(user.group, user.classNo);
      const auto& values = cls.fields[user.field].values;
      for (std::uint16_t o = 0; o < cls.objectCount(); ++o)
        if (EqualsNoCase(values[o].value.view(), name)) found.push_back({user.group, user.classNo, user.field, o});
    }
  // A field met through two shared lists is listed once.
  std::sort(found.begin(), found.end(), StoreOrder);
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

std::optional<ObjectField> FindNameBearer(const Dictionary& store, const ObjectField& source, std::string_view name) {
  for (const std::uint32_t link : FieldOf(store, source).refNameLinks)
    for (const FieldRef& definer : store.GetRefName(link).definers) {
      const DictClass& cls = store.GetClass(definer.group, definer.classNo);
      const auto& values = cls.fields[definer.field].values;
      for (std::uint16_t o = 0; o < cls.objectCount(); ++o) {
        const bool self = definer.group == source.group && definer.classNo == source.classNo && o == source.object;
        if (!self && EqualsNoCase(values[o].value.view(), name))
          return ObjectField{definer.group, definer.classNo, definer.field, o};
      }
    }
  return std::nullopt;
}

std::string NamingFieldText(const Dictionary& store, const LayerList& layers, const ObjectField& at) {
  const DictClass& cls = store.GetClass(at.group, at.classNo);
  const int item = layers.ItemOfLayerId(cls.objectLayers[at.object]);
  std::string text = item >= 0 ? layers.At(item).name : std::string("?");
  text.append(" | ").append(cls.name.view());
  text.append(" <Object ").append(std::to_string(at.object + 1)).append("> \"");
  text.append(ObjectName(store, at.group, at.classNo, at.object)).append("\" | ");
  const DictField& field = cls.fields[at.field];
  text.append(field.name.view());
  if (!field.label.empty()) text.append(" - ").append(field.label.view());
  return text;
}

std::vector<ObjectField> ApplyRename(Dictionary& store, LayerList& layers, const ObjectField& source,
                                     const std::vector<ObjectField>& naming, std::string_view newName) {
  std::vector<ObjectField> changed;
  changed.reserve(naming.size() + 1);
  changed.push_back(source);
  changed.insert(changed.end(), naming.begin(), naming.end());
  for (const ObjectField& at : changed) {
    store.GetValue(at.group, at.classNo, at.field, at.object).value = newName;
    const int item = layers.ItemOfLayerId(store.GetClass(at.group, at.classNo).objectLayers[at.object]);
    if (item >= 0) layers.At(item).modified = true;
  }
  return changed;
}

}  // namespace verdanto
