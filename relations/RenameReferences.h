#pragma once
// Renaming a name together with every object-list value that names it, so that
// renaming a zone or a construction does not leave objects naming the old one.
// The fields followed are those of every object on every layer, on or off.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layers/LayerList.h"
#include "store/Dictionary.h"

namespace verdanto {

struct ObjectField {
  std::uint16_t group = 0;
  std::uint16_t classNo = 0;
  std::uint16_t field = 0;
  std::uint16_t object = 0;
  friend bool operator==(const ObjectField&, const ObjectField&) = default;
};

// A field that fills lists (carries \reference names and is no object list).
bool IsReferenceField(const Dictionary& store, std::uint16_t g, std::uint16_t c, std::uint16_t f);

// The object-list fields whose value equals the source field's value without
// regard to case and whose lists share a name with the source field's, in
// store order (group, class, object, field). The source must be a reference field.
std::vector<ObjectField> FindNamingFields(const Dictionary& store, const ObjectField& source);

// The object of a class that fills one of the source field's lists, other than
// the source object, whose name there equals `name` without regard to case.
std::optional<ObjectField> FindNameBearer(const Dictionary& store, const ObjectField& source, std::string_view name);

// "<layer> | <class> <Object n> \"name\" | <field>", as the rename window lists a field.
std::string NamingFieldText(const Dictionary& store, const LayerList& layers, const ObjectField& field);

// Writes newName into the source and every naming field and marks each touched
// layer modified. Returns the fields changed, the source first.
std::vector<ObjectField> ApplyRename(Dictionary& store, LayerList& layers, const ObjectField& source,
                                     const std::vector<ObjectField>& naming, std::string_view newName);

}  // namespace verdanto
