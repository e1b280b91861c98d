#pragma once
// Helpers of the drawing tests: nearly-equal points, fixtures by layer.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "drawing/Drawing.h"
#include "drawing/DxfFile.h"

namespace verdanto {

inline void PrintTo(Vec3 v, std::ostream* out) { *out << "(" << v.x << ", " << v.y << ", " << v.z << ")"; }

namespace testing {

inline ::testing::AssertionResult Near(Vec3 actual, Vec3 expected, double tolerance = 1e-9) {
  if (Distance(actual, expected) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not ("
                                       << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

// Beside this header: the build compiles sources by their full paths.
inline std::string FixturePath(const std::string& name) {
  return (std::filesystem::path(__FILE__).parent_path() / "fixtures" / name).string();
}

// The fixture drawing written by another program; each case on its own layer.
inline const Drawing& Shapes() {
  static const Drawing* shapes = [] {
    auto* drawing = new Drawing;
    const DxfLoad load = LoadDxfFile(FixturePath("shapes.dxf"), *drawing);
    EXPECT_TRUE(load.ok) << load.error;
    return drawing;
  }();
  return *shapes;
}

inline const Entity* OnLayer(const Drawing& drawing, const std::string& layer) {
  for (const Entity& entity : drawing.entities())
    if (entity.layer == layer) return &entity;
  ADD_FAILURE() << "no entity on layer " << layer;
  return nullptr;
}

}  // namespace testing
}  // namespace verdanto
