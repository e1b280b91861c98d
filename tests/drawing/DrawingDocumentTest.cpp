#include <gtest/gtest.h>

#include <tuple>

#include "drawing/DrawingDocument.h"
#include "drawing/RegionMaking.h"
#include "tests/drawing/DrawingTestSupport.h"

namespace verdanto {
namespace {

using testing::Near;
using testing::OnLayer;

// The south wall drawn by another program, made a region as REGION does.
struct DrawingDocumentTest : ::testing::Test {
  Drawing drawing = testing::Shapes();
  DrawingDocument document{drawing, "shapes.dxf"};
  EntityId wall = kNoEntity;

  void SetUp() override {
    const RegionCommandResult made = MakeRegions(drawing, {OnLayer(drawing, "SouthFace")->handle});
    ASSERT_EQ(made.regions.size(), 1u);
    wall = DrawingDocument::IdOf(made.regions[0]);
  }
};

TEST_F(DrawingDocumentTest, AnswersWhatARegionIsAndNothingForOtherEntities) {
  EXPECT_EQ(document.EntityKind(wall), "AcDbRegion");
  EXPECT_TRUE(Near(*document.RegionNormal(wall), {0, -1, 0}));
  const std::optional<std::vector<EntityId>> pieces = document.Explode(wall);
  ASSERT_TRUE(pieces);
  ASSERT_EQ(pieces->size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(document.EntityKind((*pieces)[i]), "AcDbLine");
    EXPECT_EQ(document.LineEnds((*pieces)[i])->end, document.LineEnds((*pieces)[(i + 1) % 4])->start);
  }
  const Plane plane = *document.RegionPlane(wall);
  const PlanePoint c = *document.RegionCentroid(wall, plane);
  EXPECT_TRUE(Near(plane.origin + c.x * plane.axis1 + c.y * plane.axis2, {2, 0, 1.5}));
  const PlanePoint shifted = *document.RegionCentroid(wall, Plane{{2, 0, 0}, {1, 0, 0}, {0, 0, 1}});
  EXPECT_TRUE(Near({shifted.x, shifted.y, 0}, {0, 1.5, 0}));
  EXPECT_TRUE(Near(document.EntityExtents(wall)->max, {4, 0, 3}));
  // Other entities: no answers.
  const EntityId circle = DrawingDocument::IdOf(OnLayer(drawing, "Circle")->handle);
  EXPECT_EQ(document.EntityKind(circle), "AcDbCircle");
  EXPECT_FALSE(document.Explode(circle) || document.RegionNormal(circle) || document.LineEnds(circle));
  EXPECT_EQ(document.EntityKind(0xABCDEF), "");
  EXPECT_FALSE(document.EntityExtents(0xABCDEF));
}

TEST_F(DrawingDocumentTest, KeepsLabelsInTheDrawingAndConvertsWithTheCurrentUcs) {
  EXPECT_TRUE(document.HasCurrentSpace());
  EXPECT_TRUE(document.HasTextStyle("Standard"));
  TextLabel label;
  label.contents = "1";
  TextLabel fancy;
  fancy.style = "Fancy";
  EXPECT_FALSE(document.AddLabel(fancy));
  const std::optional<EntityId> id = document.AddLabel(label);
  ASSERT_TRUE(id);
  EXPECT_EQ(document.EntityKind(*id), "AcDbMText");
  EXPECT_TRUE(document.SetLabelContents(*id, "outside"));
  EXPECT_TRUE(document.PlaceLabel(*id, {0, -1, 0}, {1, 0, 0}, {2, 0, 1.5}));
  const MText& text = std::get<MText>(drawing.entities().back().geometry);
  EXPECT_EQ(std::tuple(text.contents, text.attachment, text.colorIndex), std::tuple("outside", kAttachMiddleCenter, 1));
  EXPECT_TRUE(Near(text.location, {2, 0, 1.5}));
  EXPECT_FALSE(document.SetLabelContents(wall, "not a label"));
  EXPECT_TRUE(document.Erase(*id));
  EXPECT_EQ(document.EntityKind(*id), "");
  // The conversions themselves are GeometryTest's.
  document.SetUcs(*MakeUcs({1, 2, 3}, {0, 1, 0}, {-1, 0, 0}));
  EXPECT_TRUE(Near(document.UcsToWorldPoint({1, 0, 0}), {1, 3, 3}) &&
              Near(document.WorldToUcsPoint({1, 3, 3}), {1, 0, 0}));
  EXPECT_TRUE(Near(document.UcsToWorldDirection({1, 0, 0}), {0, 1, 0}));
  EXPECT_TRUE(Near(document.WorldToUcsDirection({0, 0, 1}), {0, 0, 1}));
}

}  // namespace
}  // namespace verdanto
