#pragma once
// Which objects name which: the searches over the reference-name index that
// BuildIndexes made. Names match as whole texts without regard to case. The
// searches read the objects, values and layers as they are when they run.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layers/LayerList.h"
#include "store/Dictionary.h"

namespace verdanto {

// The object's display name: the value of its first field (empty when the class has none).
std::string_view ObjectName(const Dictionary& store, std::uint16_t g, std::uint16_t c, std::uint16_t o);

// OnlyCurrent: the object's layer is the current one; OnlyOn: it is switched on.
// A layer id that no layer carries passes neither.
bool PassesLayerFilter(const LayerList& layers, std::uint16_t layerId, LayerFilter filter);

// PassesLayerFilter for every layer id at once, worked out once per search so that
// objects are tested without looking their layer up in the list.
class LayerPass {
 public:
  LayerPass(const LayerList& layers, LayerFilter filter);
  bool operator()(std::uint16_t layerId) const noexcept { return layerId < passes_.size() && passes_[layerId]; }

 private:
  std::vector<bool> passes_;  // by layer id
};

struct PartnerMatch {
  const RefName* refName = nullptr;  // the list through which the partner was found
  FieldRef partner;
  std::vector<std::uint16_t> objects;  // objects of the partner's class, ascending
};

// Descending: the objects that the object-list field (g, c, f) names with `value`,
// one match per definer of each of the field's lists. Without a value (a
// potential object) every match lists no objects.
std::vector<PartnerMatch> ReferencedObjects(const Dictionary& store, const LayerList& layers, std::uint16_t g,
                                            std::uint16_t c, std::uint16_t f, std::optional<std::string_view> value,
                                            LayerFilter filter);

// Ascending: the objects whose object-list fields name `value` through one of the
// lists that the reference field (g, c, f) fills, one match per user of each list.
std::vector<PartnerMatch> ReferencingObjects(const Dictionary& store, const LayerList& layers, std::uint16_t g,
                                             std::uint16_t c, std::uint16_t f, std::optional<std::string_view> value,
                                             LayerFilter filter);

// The names that the object-list field (g, c, f) may take, in the order met, each
// once without regard to case (the first form met stays).
std::vector<std::string> CandidateNames(const Dictionary& store, const LayerList& layers, std::uint16_t g,
                                        std::uint16_t c, std::uint16_t f, LayerFilter filter);

}  // namespace verdanto
