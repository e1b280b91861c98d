#pragma once
// Made-up input files of any size for benchmarks: objects with plausible values
// (keys of choice fields, numbers within the field's bounds, names) and a few
// retained comments, written in the writer's own layout.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <string>

#include "output/IdfWriter.h"
#include "store/Dictionary.h"

namespace verdanto::bench {

// The generated objects carry this layer id while they are in the store.
inline constexpr std::uint16_t kGeneratedLayer = 0xFFFE;

// A number strictly inside the field's bounds, when it has any.
inline std::string MadeUpNumber(const DictField& field, std::uint32_t o, std::uint16_t f) {
  const bool hasMin = !field.minimum.empty();
  const bool hasMax = !field.maximum.empty();
  double low = hasMin ? std::strtod(field.minimum.str().c_str(), nullptr) : 0.0;
  const double high = hasMax ? std::strtod(field.maximum.str().c_str(), nullptr) : low + 100.0;
  if (!hasMin && hasMax) low = high - 100.0;
  const double share = static_cast<double>((o * 7 + f) % 97 + 1) / 99.0;
  double value = low + (high - low) * share;
  if (field.type() == FieldType::Integer) value = std::clamp(std::round(value), std::ceil(low), std::floor(high));
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

inline std::string MadeUpValue(const DictClass& cls, const DictField& field, std::uint32_t o, std::uint16_t f) {
  if (field.keyCount() != 0) return field.keys[(o + f) % field.keyCount()].str();
  if (field.type() == FieldType::Integer || field.type() == FieldType::Real) return MadeUpNumber(field, o, f);
  if (field.type() == FieldType::ObjectList) return "Name " + std::to_string(o % 50);
  if (f == 0) return cls.name.str() + " " + std::to_string(o);
  if (!field.defaultValue.empty()) return field.defaultValue.str();
  return "Value " + std::to_string(o % 1000) + "-" + std::to_string(f);
}

// Adds `count` objects of class (g, c) in `layer`, every field filled; every
// eighth object gets comments on its first two values.
inline void AddMadeUpObjects(Dictionary& store, std::uint16_t g, std::uint16_t c, std::uint32_t count,
                             std::uint16_t layer = kGeneratedLayer) {
  DictClass& cls = store.GetClass(g, c);
  for (std::uint32_t i = 0; i < count && cls.objectLayers.size() < kMaxCount; ++i) {
    const std::uint16_t o = store.AddObject(g, c, layer);
    for (std::uint16_t f = 0; f < cls.fieldCount(); ++f)
      cls.GetValue(f, o).value = MadeUpValue(cls, cls.fields[f], o, f);
    if (o % 8 == 0) {
      cls.GetValue(0, o).comment = "Object " + std::to_string(o) + " of its class\r\nmade up for a benchmark";
      if (cls.fieldCount() > 1) cls.GetValue(1, o).comment = "a retained comment";
    }
  }
}

// An input of about `targetBytes` for every class of the store: the same number
// of objects of each class (at most 65 535), written with comments. The store
// is given back without the made-up objects.
inline std::string GenerateInput(Dictionary& store, std::size_t targetBytes) {
  const std::uint16_t layer[] = {kGeneratedLayer};
  // One object of each class tells how large a round over all classes is.
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (std::uint16_t c = 0; c < store.ClassCount(g); ++c) AddMadeUpObjects(store, g, c, 1);
  StringSink sample;
  WriteLayers(store, layer, true, sample);
  store.DeleteLayerObjects(kGeneratedLayer);
  const std::size_t rounds = std::clamp<std::size_t>(targetBytes / std::max<std::size_t>(sample.text.size(), 1), 1,
                                                     kMaxCount);
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (std::uint16_t c = 0; c < store.ClassCount(g); ++c)
      AddMadeUpObjects(store, g, c, static_cast<std::uint32_t>(rounds));
  StringSink input;
  input.text.reserve(targetBytes + targetBytes / 8);
  WriteLayers(store, layer, true, input);
  store.DeleteLayerObjects(kGeneratedLayer);
  return std::move(input.text);
}

}  // namespace verdanto::bench
