// The surface class's fields: which labels are recognised, how many vertices a
// class holds, and how vertices are written.

#include <gtest/gtest.h>

#include <filesystem>

#include "headless/HeadlessPlatform.h"
#include "base/Text.h"
#include "store/IddReader.h"
#include "surface/VertexFields.h"

namespace verdanto {
namespace {

constexpr const char* kOldCount = "Number of Surface Vertex Groups -- Number of (X,Y,Z) groups in this surface";

std::string Vertex(int n, char axis) { return Format("Vertex %d %c-coordinate", n, axis); }

// A class labelled with one label set, with `triples` vertex triples and one object.
DictClass SurfaceClass(const char* name, const char* count, int triples) {
  DictClass dictClass;
  dictClass.fields.emplace_back().label = name;
  dictClass.fields.emplace_back().label = "Zone Name";
  dictClass.fields.emplace_back().label = count;
  for (int v = 1; v <= triples; ++v)
    for (char axis : {'X', 'Y', 'Z'}) dictClass.fields.emplace_back().label = Vertex(v, axis);
  dictClass.AddObject(1);
  return dictClass;
}

std::vector<std::string> Values(const DictClass& dictClass) {
  std::vector<std::string> values;
  for (const DictField& field : dictClass.fields) values.push_back(field.values[0].value.str());
  return values;
}

TEST(VertexFieldLabels, BothLabelSetsAreRecognisedAndClassesOfEitherEraCountTheirTriples) {
  for (const char* name : {"User Supplied Surface Name", "Name", "NAME"}) EXPECT_TRUE(IsSurfaceNameLabel(name));
  for (const char* count : {kOldCount, "Number of Vertices", "number of vertices"})
    EXPECT_TRUE(IsVertexCountLabel(count));
  EXPECT_FALSE(IsSurfaceNameLabel("Zone Name"));
  EXPECT_FALSE(IsVertexCountLabel("Number of Vertices per Surface"));
  EXPECT_TRUE(IsCoordinateLabel("vertex 12 z-coordinate", 12, 'Z'));
  EXPECT_FALSE(IsCoordinateLabel("Vertex 12 Z-coordinate", 1, 'Z'));
  // Classes of either era count their triples and name.
  for (const char* count : {kOldCount, "Number of Vertices"}) {
    const DictClass dictClass = SurfaceClass("Name", count, 4);
    EXPECT_EQ(CountVertexTriples(dictClass), 4u) << count;
    EXPECT_TRUE(HasSurfaceNameField(dictClass));
  }
  EXPECT_FALSE(HasSurfaceNameField(SurfaceClass("Zone Name", "Number of Vertices", 4)));
}

TEST(WriteVertexFields, AddModeFillsOnlyTheNewVertices) {
  DictClass dictClass = SurfaceClass("Name", "Number of Vertices", 4);
  dictClass.GetValue(12, 0).value = "untouched";  // vertex 4 X
  const auto written = WriteVertexFields(dictClass, 0, {{0, 0, 0}, {1.5, 0, 0}, {1.5, 2, 0.1 + 0.2}}, false);
  EXPECT_EQ(Values(dictClass), (std::vector<std::string>{"", "", "3", "0", "0", "0", "1.5", "0", "0", "1.5", "2",
                                                          "0.3", "untouched", "", ""}));
  EXPECT_EQ(written.size(), 10u);
}

TEST(WriteVertexFields, OverwriteEmptiesTheVerticesBeyondTheNewCountAndKeepsComments) {
  DictClass dictClass = SurfaceClass("User Supplied Surface Name", kOldCount, 6);
  for (std::uint16_t f = 2; f < dictClass.fieldCount(); ++f) dictClass.GetValue(f, 0).value = "9";
  dictClass.GetValue(15, 0).comment = "! vertex 5";
  WriteVertexFields(dictClass, 0, {{0, 0, 3}, {4, 0, 3}, {4, 0, 0}, {0, 0, 0}}, true);
  EXPECT_EQ(Values(dictClass), (std::vector<std::string>{"", "", "4", "0", "0", "3", "4", "0", "3", "4", "0", "0", "0",
                                                          "0", "0", "", "", "", "", "", ""}));
  EXPECT_EQ(dictClass.fields[15].values[0].comment.str(), "! vertex 5");
}

// The dictionaries of today: BuildingSurface:Detailed has "Name" and "Number of Vertices".
TEST(VertexFieldLabels, CurrentDictionarySurfaceClassOffersItsVertices) {
  const std::filesystem::path idd = std::filesystem::path(VERDANTO_CORPUS_DIR) / "Energy+V8_8_0.idd";
  if (!std::filesystem::is_regular_file(idd)) GTEST_SKIP() << idd << " is not in the corpus folder";
  Dictionary store;
  NullProgress progress;
  RecordingPrompter prompter;
  ASSERT_TRUE(LoadDictionary(idd.string(), store, progress, prompter));
  std::uint16_t g = 0, c = 0;
  ASSERT_TRUE(store.FindClass("BuildingSurface:Detailed", g, c));
  EXPECT_EQ(CountVertexTriples(store.GetClass(g, c)), 120u);
  EXPECT_TRUE(HasSurfaceNameField(store.GetClass(g, c)));
}

}  // namespace
}  // namespace verdanto
