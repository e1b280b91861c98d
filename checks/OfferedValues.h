#pragma once
// What the field editor shows of a field besides the value being edited: its
// title, the rows of its properties list, and the entries of its value drop-down.
// The drop-down keeps its entries sorted without regard to case and never holds
// two texts that differ only in case; the lists below come in that order.

#include <cstdint>
#include <string>
#include <vector>

#include "layers/LayerList.h"
#include "store/Dictionary.h"

namespace verdanto {

// "A1 - Name", or the field's name alone when it has no label.
std::string FieldEditorTitle(const DictField& field);

struct PropertyRow {
  std::string property;
  std::string value;  // empty for rows that only state a flag
};

// The rows of the "&Field Properties:" list, in the order the editor adds them.
std::vector<PropertyRow> FieldPropertyRows(const Dictionary& store, const DictField& field);

// The drop-down when the editor opens on field (g, c, f): the default,
// "autosize", "autocalculate", the keys of a choice field and the names an
// object-list field may take under `filter`; one empty entry when none applies.
std::vector<std::string> OfferedValuesOnOpening(const Dictionary& store, const LayerList& layers, std::uint16_t g,
                                                std::uint16_t c, std::uint16_t f, LayerFilter filter);

// The drop-down refilled after the user changed the layer filter: the names
// under the new filter, then the default; one empty entry when none applies.
std::vector<std::string> OfferedValuesAfterFilterChange(const Dictionary& store, const LayerList& layers,
                                                        std::uint16_t g, std::uint16_t c, std::uint16_t f,
                                                        LayerFilter filter);

}  // namespace verdanto
