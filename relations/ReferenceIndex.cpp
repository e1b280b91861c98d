#include "relations/ReferenceIndex.h"

#include "relations/NameSet.h"
#include "base/Text.h"

namespace verdanto {
namespace {

// The objects of `partner`'s class that pass the filter and whose value of the
// partner field equals `value`; none when there is no value to follow.
PartnerMatch MatchPartner(const Dictionary& store, const RefName& refName, const FieldRef& partner,
                          std::optional<std::string_view> value, const LayerPass& passes) {
  PartnerMatch match{&refName, partner, {}};
  if (!value) return match;
  const auto& cls = store.GetClass(partner.group, partner.classNo);
  const auto& values = cls.fields[partner.field].values;
  for (std::uint16_t o = 0; o < cls.objectCount(); ++o)
    if (passes(cls.objectLayers[o]) && EqualsNoCase(values[o].value, *value)) match.objects.push_back(o);
  return match;
}

enum class Side { Definers, Users };

std::vector<PartnerMatch> FindPartners(const Dictionary& store, const LayerList& layers, const DictField& field,
                                       std::optional<std::string_view> value, LayerFilter filter, Side side) {
  const LayerPass passes(layers, filter);
  std::vector<PartnerMatch> matches;
  for (const std::uint32_t link : field.refNameLinks) {
    const RefName& refName = store.GetRefName(link);
    for (const FieldRef& partner : side == Side::Definers ? refName.definers : refName.users)
      matches.push_back(MatchPartner(store, refName, partner, value, passes));
  }
  return matches;
}

}  // namespace

std::string_view ObjectName(const Dictionary& store, std::uint16_t g, std::uint16_t c, std::uint16_t o) {
  const auto& cls = store.GetClass(g, c);
  return cls.fields.empty() ? std::string_view() : cls.fields[0].values[o].value.view();
}

bool PassesLayerFilter(const LayerList& layers, std::uint16_t layerId, LayerFilter filter) {
  const int item = layers.ItemOfLayerId(layerId);
  if (item < 0) return false;
  return filter == LayerFilter::OnlyCurrent ? item == layers.CurrentLayer() : layers.IsLayerOn(item);
}

LayerPass::LayerPass(const LayerList& layers, LayerFilter filter) {
  // Like ItemOfLayerId, the first layer that carries an id decides for it.
  std::vector<bool> seen;
  for (int item = 0; item < layers.Count(); ++item) {
    const std::uint16_t id = layers.layers[static_cast<std::size_t>(item)].id;
    if (id >= passes_.size()) {
      passes_.resize(id + 1u);
      seen.resize(id + 1u);
    }
    if (seen[id]) continue;
    seen[id] = true;
    passes_[id] = filter == LayerFilter::OnlyCurrent ? item == layers.CurrentLayer() : layers.IsLayerOn(item);
  }
}

std::vector<PartnerMatch> ReferencedObjects(const Dictionary& store, const LayerList& layers, std::uint16_t g,
                                            std::uint16_t c, std::uint16_t f, std::optional<std::string_view> value,
                                            LayerFilter filter) {
  return FindPartners(store, layers, store.GetField(g, c, f), value, filter, Side::Definers);
}

std::vector<PartnerMatch> ReferencingObjects(const Dictionary& store, const LayerList& layers, std::uint16_t g,
                                             std::uint16_t c, std::uint16_t f, std::optional<std::string_view> value,
                                             LayerFilter filter) {
  return FindPartners(store, layers, store.GetField(g, c, f), value, filter, Side::Users);
}

std::vector<std::string> CandidateNames(const Dictionary& store, const LayerList& layers, std::uint16_t g,
                                        std::uint16_t c, std::uint16_t f, LayerFilter filter) {
  const LayerPass passes(layers, filter);
  const auto& links = store.GetField(g, c, f).refNameLinks;
  std::size_t objects = 0;
  for (const std::uint32_t link : links)
    for (const FieldRef& definer : store.GetRefName(link).definers)
      objects += store.GetClass(definer.group, definer.classNo).objectCount();
  std::vector<std::string> names;
  names.reserve(objects);
  NameSet seen;  // views of store values, which stay put while this runs
  seen.reserve(objects);
  for (const std::uint32_t link : links)
    for (const FieldRef& definer : store.GetRefName(link).definers) {
      const auto& cls = store.GetClass(definer.group, definer.classNo);
      const auto& values = cls.fields[definer.field].values;
      for (std::uint16_t o = 0; o < cls.objectCount(); ++o) {
        if (!passes(cls.objectLayers[o])) continue;
        const std::string_view name = values[o].value.view();
        if (seen.insert(name).second) names.emplace_back(name);
      }
    }
  return names;
}

}  // namespace verdanto
