#pragma once
// The fields of a surface class that the surface tool reads and writes: the
// name field, the vertex count field and the X, Y, Z field of every vertex,
// found by their labels (compared without regard to case).
//
// Dictionaries of EnergyPlus 1.x label the name field "User Supplied Surface
// Name" and the count "Number of Surface Vertex Groups -- Number of (X,Y,Z)
// groups in this surface"; every later one says "Name" and "Number of Vertices".
// Both sets are accepted. The vertex labels are the same in all of them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Vec3.h"
#include "store/Dictionary.h"

namespace verdanto {

bool IsSurfaceNameLabel(std::string_view label);
bool IsVertexCountLabel(std::string_view label);
// "Vertex <vertex> <axis>-coordinate", vertex counted from 1, axis 'X', 'Y' or 'Z'.
bool IsCoordinateLabel(std::string_view label, std::uint32_t vertex, char axis);

// Whether the class's first field is its name field (the tool then asks a name).
bool HasSurfaceNameField(const DictClass& dictClass);

// How many complete X, Y, Z triples follow the vertex count field: the largest
// number of vertices a surface of the class can have.
std::uint32_t CountVertexTriples(const DictClass& dictClass);

// How numbers are written into fields.
std::string FieldNumber(double value);

// Writes the vertex count and the coordinates of `vertices` into object o. Only
// values change, comments stay. With `emptyRest` the coordinates of the later
// vertices the class has room for are emptied (a surface written over one with
// more vertices); without it they are left alone. Returns the fields written.
std::vector<std::uint16_t> WriteVertexFields(DictClass& dictClass, std::uint16_t o, const std::vector<Vec3>& vertices,
                                             bool emptyRest);

}  // namespace verdanto
