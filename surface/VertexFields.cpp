#include "surface/VertexFields.h"

#include <array>

#include "base/Text.h"

namespace verdanto {

namespace {

constexpr std::array<std::string_view, 2> kNameLabels = {"User Supplied Surface Name", "Name"};
constexpr std::array<std::string_view, 2> kCountLabels = {
    "Number of Surface Vertex Groups -- Number of (X,Y,Z) groups in this surface", "Number of Vertices"};

bool IsOneOf(std::string_view label, const std::array<std::string_view, 2>& labels) {
  for (std::string_view known : labels) {
    if (EqualsNoCase(label, known)) return true;
  }
  return false;
}

bool FieldIsCoordinate(const DictClass& dictClass, std::size_t f, std::uint32_t vertex, char axis) {
  return f < dictClass.fields.size() && IsCoordinateLabel(dictClass.fields[f].label, vertex, axis);
}

}  // namespace

bool IsSurfaceNameLabel(std::string_view label) { return IsOneOf(label, kNameLabels); }
bool IsVertexCountLabel(std::string_view label) { return IsOneOf(label, kCountLabels); }

bool IsCoordinateLabel(std::string_view label, std::uint32_t vertex, char axis) {
  return EqualsNoCase(label, Format("Vertex %u %c-coordinate", vertex, axis));
}

bool HasSurfaceNameField(const DictClass& dictClass) {
  return !dictClass.fields.empty() && IsSurfaceNameLabel(dictClass.fields[0].label);
}

std::uint32_t CountVertexTriples(const DictClass& dictClass) {
  std::uint32_t triples = 0;
  bool found = false;
  for (std::size_t f = 0; f < dictClass.fields.size();) {
    if (!found) {
      found = IsVertexCountLabel(dictClass.fields[f].label);
      ++f;
      continue;
    }
    // X and Y are each passed over when they are there; a Z with the next number
    // completes a triple. Any other field is stepped over.
    if (FieldIsCoordinate(dictClass, f, triples + 1, 'X')) ++f;
    if (FieldIsCoordinate(dictClass, f, triples + 1, 'Y')) ++f;
    if (FieldIsCoordinate(dictClass, f, triples + 1, 'Z')) ++triples;
    ++f;
  }
  return triples;
}

std::string FieldNumber(double value) { return Format("%.15g", value); }

std::vector<std::uint16_t> WriteVertexFields(DictClass& dictClass, std::uint16_t o, const std::vector<Vec3>& vertices,
                                             bool emptyRest) {
  std::vector<std::uint16_t> written;
  const std::size_t n = vertices.size();
  std::size_t k = 0;
  bool found = false;
  auto write = [&](std::size_t f, std::string text) {
    dictClass.GetValue(static_cast<std::uint16_t>(f), o).value = text;
    written.push_back(static_cast<std::uint16_t>(f));
  };
  for (std::size_t f = 0; f < dictClass.fields.size();) {
    if (!emptyRest && k >= n) break;
    if (IsVertexCountLabel(dictClass.fields[f].label)) {
      write(f, Format("%zu", n));
      found = true;
      ++f;
      continue;
    }
    if (!found) {
      ++f;
      continue;
    }
    // The same walk as the count; past the last vertex (emptyRest only) the
    // coordinates are emptied.
    const auto vertex = static_cast<std::uint32_t>(k + 1);
    const Vec3 point = k < n ? vertices[k] : Vec3{};
    auto writeAxis = [&](double value) { write(f, k < n ? FieldNumber(value) : std::string()); };
    if (FieldIsCoordinate(dictClass, f, vertex, 'X')) {
      writeAxis(point.x);
      ++f;
    }
    if (FieldIsCoordinate(dictClass, f, vertex, 'Y')) {
      writeAxis(point.y);
      ++f;
    }
    if (FieldIsCoordinate(dictClass, f, vertex, 'Z')) {
      writeAxis(point.z);
      ++k;
    }
    ++f;
  }
  return written;
}

}  // namespace verdanto
