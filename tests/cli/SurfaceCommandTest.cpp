// verdanto surface, run as a user runs it, over a drawing written by another
// program (tests/drawing/fixtures/shapes.dxf, made with ezdxf) and the sample
// input file.

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "drawing/DxfFile.h"
#include "tests/cli/ToolRun.h"

namespace verdanto {
namespace {

using testing::ToolRun;

const std::string kExamples = VERDANTO_EXAMPLES_DIR;
const std::string kShapes = kExamples + "/../tests/drawing/fixtures/shapes.dxf";

// The handle of the entity on `layer` of the drawing.
std::string HandleOn(const std::string& layer) {
  Drawing drawing;
  EXPECT_TRUE(LoadDxfFile(kShapes, drawing).ok);
  for (const Entity& entity : drawing.entities())
    if (entity.layer == layer) return entity.handle;
  return "none";
}

// The value on the first line after `from` whose comment names `label`.
std::string ValueOf(const std::string& idf, std::size_t from, const std::string& label) {
  const std::size_t at = idf.find("!- " + label, from);
  if (at == std::string::npos) return "?";
  const std::size_t start = idf.rfind('\n', at) + 1;
  std::string value = idf.substr(start, idf.find_first_of(",;", start) - start);
  return value.substr(value.find_first_not_of(' '));
}

struct SurfaceCommand : ::testing::Test {
  testing::TempFolder folder;
  ToolRun Run(const std::string& arguments) const {
    return testing::RunTool(folder, "surface --idd '" + kExamples + "/Sample.idd' --dxf '" + kShapes +
                                        "' --class BuildingSurface:Detailed " + arguments + " -o out.idf '" +
                                        kExamples + "/Sample.idf'");
  }
  std::string Output() const { return testing::TempFolder::Read(folder.PathOf("out.idf")); }
};

TEST_F(SurfaceCommand, GivesTheVerticesTheRulesPredictNamesNewObjectsAndKeepsOverwrittenNames) {
  const std::pair<std::string, const char*> cases[] = {
      {"--entity " + HandleOn("SouthFace"), "1\t0\t0\t0\n2\t4\t0\t0\n3\t4\t0\t3\n4\t0\t0\t3\n"},
      {"--corner ULC --entity " + HandleOn("EastPolyline"), "1\t4\t0\t3\n2\t4\t0\t0\n3\t4\t3\t0\n4\t4\t3\t3\n"},
      {"--flip --order CW --entity " + HandleOn("Floor"), "1\t4\t0\t0\n2\t4\t3\t0\n3\t0\t3\t0\n4\t0\t0\t0\n"},
  };
  for (const auto& [arguments, vertices] : cases) {
    const ToolRun run = Run(arguments);
    EXPECT_EQ(std::tuple(run.status, run.out), std::tuple(0, std::string(vertices))) << arguments << ": " << run.err;
  }
  // A new object is named; overwriting keeps the name.
  const std::string face = "--entity " + HandleOn("SouthFace");
  ASSERT_EQ(Run(face + " --name \"New south wall\"").status, 0);
  const std::string added = Output();
  EXPECT_NE(added.find("New south wall,"), std::string::npos);
  ASSERT_EQ(Run(face + " --object 1 --shift -1").status, 0);
  const std::string overwritten = Output();
  const std::size_t first = overwritten.find("West Office South Wall,");
  ASSERT_NE(first, std::string::npos);
  // Vertex 1 moved one corner back, to (0, 0, 3); vertex 4 is (4, 0, 3).
  EXPECT_EQ(ValueOf(overwritten, first, "Vertex 1 Z-coordinate"), "3");
  EXPECT_EQ(ValueOf(overwritten, first, "Vertex 4 X-coordinate"), "4");
  EXPECT_EQ(overwritten.find("New south wall"), std::string::npos);
}

TEST_F(SurfaceCommand, RefusedEntityWritesNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"Arc", "A region must be selected."},
      {"Circle", "Unable to process this region: it is composed by entities other than lines."},
  };
  for (const auto& [layer, message] : cases) {
    const ToolRun run = Run(std::string("--entity ") + HandleOn(layer));
    EXPECT_EQ(std::tuple(run.status, run.out), std::tuple(1, std::string())) << layer;
    EXPECT_NE(run.err.find(message), std::string::npos) << layer << ": " << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("out.idf"))) << layer;
  }
}

}  // namespace
}  // namespace verdanto
