// The host's own commands and prompt reading.

#include "CadSession.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "CadHostWindow.h"
#include "PromptInput.h"
#include "drawing/DxfFile.h"
#include "tests/support/TempFolder.h"

namespace cadhost {
namespace {

TEST(MatchKeywordTest, TakesTheKeywordOrItsCapitalisedAbbreviationInAnyCase) {
  constexpr const char* kUcsOptions = "World 3point X Y Z Object";
  constexpr const char* kCorners = "LLC LRC ULC URC SForward SBackward";
  const struct {
    const char* keywords;
    const char* typed;
    std::optional<std::string> expected;
  } cases[] = {
      {kUcsOptions, "world", "World"},   {kUcsOptions, "w", "World"},  {kUcsOptions, "3", "3point"},
      {kUcsOptions, "z", "Z"},           {kCorners, "sb", "SBackward"}, {kCorners, "ulc", "ULC"},
      {kCorners, "  Sf ", "SForward"},   {kCorners, "SFor", std::nullopt},  // a partial word is no keyword
      {kUcsOptions, "q", std::nullopt},  {kUcsOptions, "", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchKeyword(c.keywords, c.typed), c.expected) << '"' << c.typed << '"';
}

TEST(ParsePointTest, ReadsTwoOrThreeNumbersAndRefusesTheRest) {
  EXPECT_EQ(ParsePoint("1,2,3"), (verdanto::Vec3{1, 2, 3}));
  EXPECT_EQ(ParsePoint(" 1.5 , -2 "), (verdanto::Vec3{1.5, -2, 0}));
  EXPECT_EQ(ParsePoint("1e3,+2,0"), (verdanto::Vec3{1000, 2, 0}));
  for (const char* bad : {"", "1", "1,2,3,4", "a,b", "1,,2", "1,2x", "nan,1", "C"}) {
    EXPECT_FALSE(ParsePoint(bad).has_value()) << bad;
  }
}

// The host's commands typed on its command line ("^C" is Escape, "" Enter); the
// host's messages are read from the command history.
struct CadSessionTest : ::testing::Test {
  CadHostWindow host;
  CadSession& cad = host.Cad();
  // Types `lines` and gives back what the host said meanwhile.
  std::string Type(const QStringList& lines) {
    auto* history = host.findChild<QPlainTextEdit*>(QStringLiteral("commandHistory"));
    const qsizetype before = history->toPlainText().size();
    host.RunScript(lines, true);
    return history->toPlainText().mid(before).toStdString();
  }
};

// The first entity of a new drawing gets the handle 100, the next 101, ...
TEST_F(CadSessionTest, PolylineBecomesARegionThatTheUcsAlignsToAndThatSurvivesSavingAndOpening) {
  Type({"pline", "0,0", "4,0", "4,3", "0,3", "c"});
  EXPECT_EQ(std::tuple(cad.drawing().size(), cad.document().EntityKind(0x100)), std::tuple(1u, "AcDbPolyline"));
  const std::string said = Type({"REGION", "100", ""});
  EXPECT_NE(said.find("1 region created."), std::string::npos) << said;
  ASSERT_EQ(cad.drawing().size(), 1u);
  const std::string region = cad.drawing().entities()[0].handle;
  const verdanto::EntityId regionId = verdanto::DrawingDocument::IdOf(region);
  EXPECT_EQ(cad.document().EntityKind(regionId), "AcDbRegion");

  // Stood up on its x axis, the region's plane becomes the UCS's XY plane.
  Type({"ucs", "x", "90"});
  EXPECT_NEAR(cad.document().UcsToWorldPoint({0, 1, 0}).z, 1, 1e-12);
  Type({"UCS", "O", QString::fromStdString(region)});
  EXPECT_NEAR(verdanto::Dot(cad.document().ucs().zAxis, {0, 0, 1}), 1, 1e-12);

  verdanto::testing::TempFolder folder;
  const QString path = QString::fromStdString(folder.PathOf("with region.dxf"));
  Type({"SAVEAS " + path, "new"});
  EXPECT_EQ(cad.drawing().size(), 0u);
  const std::string opened = Type({"open " + path});
  EXPECT_EQ(std::tuple(cad.drawing().size(), cad.document().Name(), cad.document().EntityKind(regionId)),
            std::tuple(1u, "with region.dxf", "AcDbRegion")) << opened;
}

TEST_F(CadSessionTest, EscapeLeavesTheDrawingAsItWasAndBadInputIsAskedAgain) {
  Type({"PLINE", "0,0,0", "1,1,1", "^C"});
  const std::string face = Type({"3dface", "0,0,0", "not a point", "1,0,0", "1,1,0", "^C"});
  EXPECT_EQ(cad.drawing().size(), 0u);
  EXPECT_NE(face.find("Point or option keyword required."), std::string::npos) << face;

  // A triangle: Enter at the fourth corner repeats the third.
  Type({"3DFACE", "0,0,0", "1,0,0", "1,1,0", ""});
  ASSERT_EQ(cad.drawing().size(), 1u);
  const auto& corners = std::get<verdanto::Face3d>(cad.drawing().entities()[0].geometry).corners;
  EXPECT_EQ(corners[3], corners[2]);

  const std::string erased = Type({"erase", "100", "100", ""});
  EXPECT_NE(erased.find("1 erased."), std::string::npos) << erased;
  EXPECT_EQ(cad.drawing().size(), 0u);
  EXPECT_NE(Type({"FLY"}).find("Unknown command \"FLY\"."), std::string::npos);
  EXPECT_EQ(Type({"OPEN /no/such/folder/x.dxf"}).find("Opened"), std::string::npos);
}

TEST_F(CadSessionTest, LinesClosedIntoALoopMakeOneRegionAndEnterRepeatsTheCommand) {
  Type({"line", "0,0", "2,0", "2,2", "close", "", "5,0", "6,0", ""});  // the repeated LINE draws handle 103
  EXPECT_EQ(cad.drawing().size(), 4u);
  const std::string said = Type({"region", "100", "101", "102", ""});
  EXPECT_NE(said.find("1 region created."), std::string::npos) << said;
}

TEST(ViewPlaneTest, NamedViewsLookAlongTheirAxesAndPlanFollowsTheUcs) {
  const verdanto::Ucs turned = verdanto::RotateUcs({}, 0, 1.0);
  const auto plan = ViewPlaneFor(NamedView::Plan, turned);
  EXPECT_EQ(std::tuple(plan.right, plan.up), std::tuple(turned.xAxis, turned.yAxis));
  // Seen from the south-west and above: north-east is up, height is up, east is right.
  const auto iso = ViewPlaneFor(NamedView::SwIso, {});
  EXPECT_GT(verdanto::Dot({1, 1, 0}, iso.up), 0);
  EXPECT_GT(verdanto::Dot({0, 0, 1}, iso.up), 0);
  EXPECT_GT(verdanto::Dot({1, 0, 0}, iso.right), 0);
  EXPECT_NEAR(verdanto::Dot(iso.right, iso.up), 0, 1e-15);
  EXPECT_EQ(ViewPlaneFor(NamedView::Front, {}).up, (verdanto::Vec3{0, 0, 1}));
}

}  // namespace
}  // namespace cadhost
