// "&Select..." of the main window's model, run on the stand-in host over a
// drawing written by another program (tests/drawing/fixtures/shapes.dxf, made
// with ezdxf): the host's command line answers the tool's questions, and the
// vertices written into the store are the ones the numbering rules predict.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

#include "CadHostWindow.h"
#include "base/Text.h"
#include "headless/HeadlessPlatform.h"
#include "surface/VertexFields.h"
#include "ui/models/MainWindowModel.h"

namespace {

using namespace verdanto;

const std::filesystem::path kSource = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();

struct SurfaceCase {
  const char* name;
  const char* layer;         // of the entity in shapes.dxf made a region
  bool overwriteFirst;       // over the class's first object, else a new one
  QStringList answers;       // flip, order, corners..., name: as typed after the pick
  const char* vertices;      // "<k>\t<x>\t<y>\t<z>\n"...; empty: nothing written
  const char* writtenName;
};

void PrintTo(const SurfaceCase& c, std::ostream* out) { *out << c.name; }

// The written object's vertices, as `verdanto surface` prints them.
std::string VertexList(const DictClass& dictClass, std::uint16_t o) {
  std::string out;
  for (std::uint32_t k = 1;; ++k) {
    std::string line = std::to_string(k);
    for (const char axis : {'X', 'Y', 'Z'}) {
      std::uint16_t f = 0;
      while (f < dictClass.fieldCount() && !IsCoordinateLabel(dictClass.fields[f].label.view(), k, axis)) ++f;
      if (f == dictClass.fieldCount()) return out;
      const std::string value = dictClass.GetValue(f, o).value.str();
      if (value.empty()) return out;
      line += "\t" + value;
    }
    out += line + "\n";
  }
}

class CadHostSurfaceTest : public ::testing::TestWithParam<SurfaceCase> {};

TEST_P(CadHostSurfaceTest, SelectWritesTheVerticesTheRulesPredict) {
  const SurfaceCase& c = GetParam();
  cadhost::CadHostWindow host;
  host.RunScript({QString::fromStdString("OPEN " + (kSource / "tests/drawing/fixtures/shapes.dxf").string())}, true);
  const auto onLayer = [&host](const char* layer, bool region) {
    for (const Entity& entity : host.Cad().drawing().entities()) {
      if (entity.layer == layer && std::holds_alternative<Region>(entity.geometry) == region) return entity.handle;
    }
    return std::string();
  };
  const std::string drawn = onLayer(c.layer, false);
  ASSERT_FALSE(drawn.empty()) << c.layer;
  host.RunScript({QStringLiteral("REGION"), QString::fromStdString(drawn), QString()}, true);
  const std::string region = onLayer(c.layer, true);
  ASSERT_FALSE(region.empty()) << c.layer;
  const std::size_t entitiesBefore = host.Cad().drawing().size();

  RecordingPrompter prompter;
  ScriptedFileChooser chooser;
  DirectLoadRunner loader{prompter};
  MainWindowModel model{prompter, chooser, loader};
  ASSERT_TRUE(loader.Run(LoadKind::LoadIdd, (kSource / "examples/Sample.idd").string(), model.store));
  model.SetUp();
  chooser.multiAnswers.push_back(std::vector<std::string>{(kSource / "examples/Sample.idf").string()});
  model.OpenFiles(OpenMode::FilenameLayer);
  std::uint16_t g = 0, cl = 0;
  ASSERT_TRUE(model.store.FindClass("BuildingSurface:Detailed", g, cl));
  const DictClass& surfaces = model.store.GetClass(g, cl);
  const std::uint16_t objectsBefore = surfaces.objectCount();
  ASSERT_GT(objectsBefore, 0);
  const std::string firstName = surfaces.GetValue(0, 0).value.str();
  // The class's first object is selected: the window asks whether to overwrite it.
  model.SelectTreeItem({TreeItemKind::Object, g, cl, 0});
  prompter.script.push_back(c.overwriteFirst ? Answer::Yes : Answer::No);
  ASSERT_TRUE(model.selectEnabled);

  // The button's handler, run where the script's lines answer the host's prompts.
  host.AddCommand("TEST", "PRESSSELECT", "PRESSSELECT", 0, [&] { model.SelectRegion(host); });
  host.RunScript(QStringList{QStringLiteral("PRESSSELECT"), QString::fromStdString(region)} + c.answers, true);

  const std::uint16_t written = c.overwriteFirst ? 0 : objectsBefore;
  SCOPED_TRACE(host.findChild<QPlainTextEdit*>(QStringLiteral("commandHistory"))->toPlainText().toStdString());
  EXPECT_EQ(surfaces.objectCount(), objectsBefore + (c.overwriteFirst || !*c.vertices ? 0 : 1));
  if (*c.vertices) {
    EXPECT_EQ(VertexList(surfaces, written), c.vertices);
    EXPECT_EQ(surfaces.GetValue(0, written).value.str(), c.writtenName);
  }
  EXPECT_EQ(surfaces.GetValue(0, 0).value.str(), c.overwriteFirst ? c.writtenName : firstName);
  // Only the centre label of an accepted surface stays in the drawing.
  EXPECT_EQ(host.Cad().drawing().size(), entitiesBefore + (*c.vertices ? 1 : 0));
  EXPECT_FALSE(model.selecting);
}

INSTANTIATE_TEST_SUITE_P(
    ShapesFromAnotherProgram, CadHostSurfaceTest,
    ::testing::Values(
        SurfaceCase{"SouthFaceAsProposed", "SouthFace", false, {"", "", "", "South wall 2"},
                    "1\t0\t0\t0\n2\t4\t0\t0\n3\t4\t0\t3\n4\t0\t0\t3\n", "South wall 2"},
        SurfaceCase{"EastPolylineFromUpperLeft", "EastPolyline", false, {"n", "ccw", "ulc", "", "East"},
                    "1\t4\t0\t3\n2\t4\t0\t0\n3\t4\t3\t0\n4\t4\t3\t3\n", "East"},
        SurfaceCase{"FloorFlippedClockwise", "Floor", false, {"Yes", "CW", "", "Floor 1"},
                    "1\t4\t0\t0\n2\t4\t3\t0\n3\t0\t3\t0\n4\t0\t0\t0\n", "Floor 1"},
        SurfaceCase{"OverwriteShiftedKeepsTheName", "SouthPolyline", true, {"", "", "sf", "", ""},
                    "1\t4\t0\t0\n2\t4\t0\t3\n3\t0\t0\t3\n4\t0\t0\t0\n", "West Office South Wall"},
        SurfaceCase{"EscapeAtTheFlipWritesNothing", "SouthFace", false, {"^C"}, "", ""}),
    [](const ::testing::TestParamInfo<SurfaceCase>& test) { return std::string(test.param.name); });

}  // namespace
