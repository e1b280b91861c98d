#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <tuple>

#include "base/Text.h"
#include "drawing/DxfFile.h"
#include "drawing/Region.h"
#include "drawing/RegionMaking.h"
#include "tests/drawing/DrawingTestSupport.h"
#include "tests/support/TempFolder.h"

namespace verdanto {
namespace {

using testing::Near;
using testing::OnLayer;
using testing::Shapes;

template <typename T>
const T& As(const std::string& layer) {
  const Entity* entity = OnLayer(Shapes(), layer);
  EXPECT_TRUE(entity && std::holds_alternative<T>(entity->geometry)) << layer;
  static const T none{};
  return entity && std::holds_alternative<T>(entity->geometry) ? std::get<T>(entity->geometry) : none;
}

// A text DXF of the given entity records.
std::string Dxf(const std::string& entities) {
  return "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

// Each kind on its layer, with its handle; the outlines' shapes are also checked
// through the regions made of them (RegionTest).
TEST(DxfFixture, ReadsEveryKindOnItsLayerWithItsHandle) {
  const Drawing& shapes = Shapes();
  std::set<std::string> handles;
  for (const Entity& entity : shapes.entities()) handles.insert(entity.handle);
  EXPECT_EQ(handles.size(), shapes.size());
  EXPECT_EQ(shapes.entities().front().handle, "2F");  // as the other program numbered it
  const std::vector<Vec3> elevated = WorldVertices(As<Polyline2d>("Elevated"));
  ASSERT_EQ(elevated.size(), 4u);
  EXPECT_TRUE(Near(elevated[0], {0, -2, 0}));
  EXPECT_TRUE(Near(elevated[2], {4, -2, 3}));
  EXPECT_TRUE(Near(As<Face3d>("EastFace").corners[2], {4, 3, 3}));
  EXPECT_TRUE(Near(As<Circle>("Circle").center, {1, 2, 0}));
  EXPECT_DOUBLE_EQ(As<Circle>("Circle").radius, 1.5);
  EXPECT_TRUE(Near(ArcEnd(As<Arc>("Arc")), {5, 7, 0}));
  const MText& text = As<MText>("Text");
  EXPECT_EQ(std::tuple(text.contents, text.height), std::tuple("Zone 1", 0.5));
  EXPECT_TRUE(Near(text.direction, {std::sqrt(3) / 2, 0.5, 0}));
  const MText& mtext = As<MText>("MText");
  EXPECT_EQ(std::tuple(mtext.contents, mtext.attachment), std::tuple("Line one\\PLine two", kAttachMiddleCenter));
  EXPECT_TRUE(Near(mtext.location, {2, 3, 0}));
  EXPECT_TRUE(Near(mtext.direction, {0, 1, 0}));
}

TEST(DxfFixture, CountsAndSkipsUnsupportedKinds) {
  Drawing drawing;
  const DxfLoad load = LoadDxfFile(testing::FixturePath("unsupported.dxf"), drawing);
  ASSERT_TRUE(load.ok) << load.error;
  EXPECT_EQ(drawing.size(), 1u);
  EXPECT_EQ(load.notes, std::vector<std::string>{"Skipped 3 entities of unsupported kinds (HATCH 2, SPLINE 1)."});
}

// A drawing of one line is read into: the text, the error (empty: read) or else the
// one note, the entities then held.
TEST(DxfRead, BadFilesGiveAClearMessage) {
  const std::string line = "0\nLINE\n8\nA\n10\n0\n20\n0\n30\n0\n11\n1\n21\n1\n31\n0\n";
  const std::string skipped = "Skipped %s with unreadable or out-of-range values (%s).";
  const std::tuple<std::string, std::string, std::string, std::size_t> cases[] = {
      {"", "The file is empty or not a DXF file.", "", 1},
      {"Version,8.9;\r\n",
       "Line 1: a group code was expected, not \"Version,8.9;\". This is not a DXF file, or a damaged one.", "", 1},
      {std::string("AutoCAD Binary DXF\r\n\x1a\0", 22), "This is a binary DXF file; only text DXF files can be read.",
       "", 1},
      {std::string("0\nSECTION\0\0\x01", 13), "The file holds binary data: it is not a text DXF file.", "", 1},
      {Dxf(line).substr(0, 60), "The file ends before its end-of-file mark: it is truncated.", "", 1},
      {Dxf(line + "0\nLINE\n10\n1e300\n20\n0\n11\n1\n21\n1\n"), "", Format(skipped.c_str(), "1 entity", "LINE 1"), 1},
      {Dxf("0\nCIRCLE\n10\nnan\n20\n0\n40\n1\n0\nARC\n10\n0\n20\ninf\n40\n1\n"), "",
       Format(skipped.c_str(), "2 entities", "ARC 1, CIRCLE 1"), 0},
      {Dxf("0\nCIRCLE\n10\n0\n20\n0\n40\n0\n"), "", Format(skipped.c_str(), "1 entity", "CIRCLE 1"), 0},
      {Dxf("0\nMTEXT\n10\n0\n20\n0\n1\n" + std::string(5000, 'x') + "\n"), "",
       "Shortened 1 text longer than 1000 characters.", 1},
      {"\xEF\xBB\xBF" + Dxf(line), "", "", 1},
      {Dxf("0\nLWPOLYLINE\n90\n2000000000\n42\n1\n10\n0\n20\n0\n10\n1\n20\n0\n" + line), "", "", 2},
  };
  for (const auto& [text, error, note, entities] : cases) {
    SCOPED_TRACE(text.substr(0, 40));
    Drawing drawing;
    drawing.Add(Line{});
    const DxfLoad load = LoadDxfText(text, drawing);
    EXPECT_EQ(std::tuple(load.ok, load.error, drawing.size()), std::tuple(error.empty(), error, entities));
    EXPECT_EQ(load.notes, note.empty() ? std::vector<std::string>{} : std::vector<std::string>{note});
  }
}

// A drawing with every kind; the regions have a hole and an arc edge.
Drawing EveryKind() {
  Drawing drawing = Shapes();
  std::vector<std::string> outlines;
  for (const char* layer : {"Floor", "SouthPolyline", "Circle"}) outlines.push_back(OnLayer(drawing, layer)->handle);
  const RegionCommandResult made = MakeRegions(drawing, outlines);
  const std::string hole =
      drawing.Add(Polyline2d{{{1, 1, 0}, {2, 1, 0}, {2, 2, 0}, {1, 2, 0}}, true, 0, {0, 0, 1}}, "Floor");
  SubtractRegions(drawing, made.regions[0], MakeRegions(drawing, {hole}).regions);
  return drawing;
}

TEST(DxfWrite, ReadsBackWhatItWrote) {
  const Drawing original = EveryKind();
  const std::string text = WriteDxfText(original);
  Drawing copy;
  const DxfLoad load = LoadDxfText(text, copy);
  ASSERT_TRUE(load.ok) << load.error;
  EXPECT_TRUE(load.notes.empty());
  ASSERT_EQ(copy.size(), original.size());
  for (const Entity& entity : original.entities()) {
    const Entity* read = copy.Find(entity.handle);
    ASSERT_TRUE(read) << entity.handle;
    EXPECT_EQ(EntityClassName(read->geometry), EntityClassName(entity.geometry));
    EXPECT_EQ(read->layer, entity.layer);
    const BoundingBox a = EntityExtents(entity.geometry);
    const BoundingBox b = EntityExtents(read->geometry);
    EXPECT_TRUE(Near(a.min, b.min) && Near(a.max, b.max)) << entity.handle;
    if (const auto* region = std::get_if<Region>(&entity.geometry)) {
      const Region& back = std::get<Region>(read->geometry);
      EXPECT_EQ(back.loops.size(), region->loops.size());
      EXPECT_TRUE(Near(back.normal, region->normal));
      EXPECT_NEAR(AreaPropertiesOf(back).area, AreaPropertiesOf(*region).area, 1e-9);
    }
  }

  // Every handle in the file is used once, entities' and tables' alike.
  std::multiset<std::string> fileHandles;
  for (std::size_t at = text.find("\n  5\n"); at != std::string::npos; at = text.find("\n  5\n", at + 1))
    fileHandles.insert(text.substr(at + 5, text.find('\n', at + 5) - at - 5));
  for (const std::string& handle : fileHandles) EXPECT_EQ(fileHandles.count(handle), 1u) << handle;
}

TEST(DxfWrite, SavesSafely) {
  testing::TempFolder folder;
  const std::string path = folder.PathOf("plan.dxf");
  std::string error;
  ASSERT_TRUE(SaveDxfFile(path, Shapes(), error)) << error;
  Drawing back;
  EXPECT_TRUE(LoadDxfFile(path, back).ok);
  EXPECT_EQ(back.size(), Shapes().size());
  EXPECT_FALSE(SaveDxfFile(folder.PathOf("missing/plan.dxf"), Shapes(), error));
  EXPECT_EQ(error, "\"" + folder.PathOf("missing/plan.dxf") + "\" could not be written.");
}

}  // namespace
}  // namespace verdanto
