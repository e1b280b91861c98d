// verdanto surface, run as a user runs it, over a drawing written by another
// program (tests/drawing/fixtures/shapes.dxf, made with ezdxf) and the sample
// input file.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempFolder.h"

namespace verdanto {
namespace {

const std::string kExamples = VERDANTO_EXAMPLES_DIR;
const std::string kShapes = kExamples + "/../tests/drawing/fixtures/shapes.dxf";

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// The handle of the first entity of `kind` on `layer`, read from the DXF's group pairs.
std::string HandleOn(const std::string& kind, const std::string& layer) {
  const std::string text = testing::TempFolder::Read(kShapes);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line.substr(line.find_first_not_of(' ') == std::string::npos ? 0 : line.find_first_not_of(' ')));
    at = end + 1;
  }
  std::string handle, type;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    if (lines[i] == "0") {
      type = lines[i + 1];
      handle.clear();
    } else if (lines[i] == "5") {
      handle = lines[i + 1];
    } else if (lines[i] == "8" && type == kind && lines[i + 1] == layer) {
      return handle;
    }
  }
  return {};
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
    const std::string out = folder.PathOf(".out"), err = folder.PathOf(".err");
    const std::string command = "cd '" + folder.PathOf("") + "' && '" VERDANTO_CLI_PATH "' surface --idd '" +
                                kExamples + "/Sample.idd' --dxf '" + kShapes + "' --class BuildingSurface:Detailed " +
                                arguments + " -o out.idf '" + kExamples + "/Sample.idf' >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testing::TempFolder::Read(out), testing::TempFolder::Read(err)};
  }
  std::string Output() const { return testing::TempFolder::Read(folder.PathOf("out.idf")); }
};

TEST_F(SurfaceCommand, WallsAndFloorsGiveTheVerticesTheRulesPredict) {
  const struct {
    const char* name;
    std::string arguments;
    const char* vertices;
  } cases[] = {
      {"SouthFace", "--entity " + HandleOn("3DFACE", "SouthFace"), "1\t0\t0\t0\n2\t4\t0\t0\n3\t4\t0\t3\n4\t0\t0\t3\n"},
      {"EastPolylineFromUpperLeft", "--corner ULC --entity " + HandleOn("POLYLINE", "EastPolyline"),
       "1\t4\t0\t3\n2\t4\t0\t0\n3\t4\t3\t0\n4\t4\t3\t3\n"},
      {"FloorFlippedClockwise", "--flip --order CW --entity " + HandleOn("LWPOLYLINE", "Floor"),
       "1\t4\t0\t0\n2\t4\t3\t0\n3\t0\t3\t0\n4\t0\t0\t0\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = Run(c.arguments);
    EXPECT_EQ(run.status, 0) << c.name << ": " << run.err;
    EXPECT_EQ(run.out, c.vertices) << c.name;
  }
}

TEST_F(SurfaceCommand, NewObjectIsNamedAndOverwritingKeepsTheName) {
  const std::string face = "--entity " + HandleOn("3DFACE", "SouthFace");
  ASSERT_EQ(Run(face + " --name \"New south wall\"").status, 0);
  const std::string added = Output();
  EXPECT_NE(added.find("New south wall,"), std::string::npos);
  ASSERT_EQ(Run(face + " --object 1 --shift 1").status, 0);
  const std::string overwritten = Output();
  const std::size_t first = overwritten.find("West Office South Wall,");
  ASSERT_NE(first, std::string::npos);
  // Vertex 1 moved one corner on: (4, 0, 0).
  EXPECT_EQ(ValueOf(overwritten, first, "Vertex 1 X-coordinate"), "4");
  EXPECT_EQ(ValueOf(overwritten, first, "Vertex 4 Z-coordinate"), "0");
  EXPECT_EQ(overwritten.find("New south wall"), std::string::npos);
}

TEST_F(SurfaceCommand, RefusedEntityWritesNothing) {
  const struct {
    const char* kind;
    const char* layer;
    const char* message;
  } cases[] = {
      {"ARC", "Arc", "A region must be selected."},
      {"CIRCLE", "Circle", "Unable to process this region: it is composed by entities other than lines."},
  };
  for (const auto& c : cases) {
    const ToolRun run = Run(std::string("--entity ") + HandleOn(c.kind, c.layer));
    EXPECT_EQ(run.status, 1) << c.layer;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.layer << ": " << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("out.idf"))) << c.layer;
  }
}

}  // namespace
}  // namespace verdanto
