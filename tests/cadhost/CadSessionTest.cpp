// The host's own commands and prompt reading, without a display: a scripted
// console types the answers.

#include "CadSession.h"

#include <gtest/gtest.h>

#include <deque>

#include "PromptInput.h"
#include "drawing/DxfFile.h"
#include "tests/support/TempFolder.h"

namespace cadhost {
namespace {

using verdanto::PromptStatus;

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

// Answers every prompt with the next line; "^C" is Escape, "" is Enter.
class ScriptedConsole final : public CommandConsole {
 public:
  explicit ScriptedConsole(std::initializer_list<std::string> lines) : lines_(lines) {}
  std::string printed;

  void Print(std::string_view text) override { printed += text; }
  verdanto::PickAnswer PickEntity(std::string_view prompt) override { return SelectEntity(prompt); }
  verdanto::PickAnswer SelectEntity(std::string_view) override {
    const auto [status, text] = Next();
    std::uint64_t id = 0;
    if (status == PromptStatus::Ok && !verdanto::ParseHandle(text, id)) ADD_FAILURE() << "not a handle: " << text;
    return {status, id};
  }
  verdanto::PromptAnswer GetKeyword(std::string_view keywords, std::string_view) override {
    auto answer = Next();
    if (answer.status == PromptStatus::Ok) answer.text = MatchKeyword(keywords, answer.text).value_or("?");
    return answer;
  }
  verdanto::PromptAnswer GetString(std::string_view, bool) override {
    auto answer = Next();
    if (answer.status == PromptStatus::Empty) answer.status = PromptStatus::Ok;
    return answer;
  }
  verdanto::PromptAnswer GetPoint(std::string_view) override { return Next(); }
  void PostCommandPrompt() override {}
  bool Finished() const { return lines_.empty(); }

 private:
  verdanto::PromptAnswer Next() {
    if (lines_.empty()) {
      ADD_FAILURE() << "a prompt more than the script answers";
      return {};
    }
    const std::string line = lines_.front();
    lines_.pop_front();
    if (line == "^C") return {PromptStatus::Cancelled, {}};
    if (line.empty()) return {PromptStatus::Empty, {}};
    return {PromptStatus::Ok, line};
  }
  std::deque<std::string> lines_;
};

// The first entity of a new drawing gets the handle 100, the next 101, ...
TEST(CadSessionTest, PolylineBecomesARegionThatTheUcsAlignsToAndThatSurvivesSavingAndOpening) {
  CadSession cad;
  ScriptedConsole draw{"0,0", "4,0", "4,3", "0,3", "c"};
  ASSERT_TRUE(cad.Run("pline", draw));
  EXPECT_EQ(std::tuple(draw.Finished(), cad.drawing().size(), cad.document().EntityKind(0x100)),
            std::tuple(true, 1u, "AcDbPolyline"));

  ScriptedConsole select{"100", ""};
  cad.Run("REGION", select);
  EXPECT_NE(select.printed.find("1 region created."), std::string::npos) << select.printed;
  ASSERT_EQ(cad.drawing().size(), 1u);
  const std::string region = cad.drawing().entities()[0].handle;
  const verdanto::EntityId regionId = verdanto::DrawingDocument::IdOf(region);
  EXPECT_EQ(cad.document().EntityKind(regionId), "AcDbRegion");

  // Stood up on its x axis, the region's plane becomes the UCS's XY plane.
  ScriptedConsole rotate{"x", "90"};
  cad.Run("ucs", rotate);
  EXPECT_NEAR(cad.document().UcsToWorldPoint({0, 1, 0}).z, 1, 1e-12);
  ScriptedConsole align{"O", region};
  cad.Run("UCS", align);
  EXPECT_NEAR(verdanto::Dot(cad.document().ucs().zAxis, {0, 0, 1}), 1, 1e-12);

  verdanto::testing::TempFolder folder;
  const std::string path = folder.PathOf("with region.dxf");
  ScriptedConsole none{};
  cad.Run("SAVEAS " + path, none);
  cad.Run("new", none);
  EXPECT_EQ(cad.drawing().size(), 0u);
  cad.Run("open " + path, none);
  EXPECT_EQ(std::tuple(cad.drawing().size(), cad.document().Name(), cad.document().EntityKind(regionId)),
            std::tuple(1u, "with region.dxf", "AcDbRegion")) << none.printed;
}

TEST(CadSessionTest, EscapeLeavesTheDrawingAsItWasAndBadInputIsAskedAgain) {
  CadSession cad;
  ScriptedConsole escaped{"0,0,0", "1,1,1", "^C"};
  cad.Run("PLINE", escaped);
  ScriptedConsole face{"0,0,0", "not a point", "1,0,0", "1,1,0", "^C"};
  cad.Run("3dface", face);
  EXPECT_EQ(std::tuple(cad.drawing().size(), face.Finished()), std::tuple(0u, true));
  EXPECT_NE(face.printed.find("Point or option keyword required."), std::string::npos);

  // A triangle: Enter at the fourth corner repeats the third.
  ScriptedConsole triangle{"0,0,0", "1,0,0", "1,1,0", ""};
  cad.Run("3DFACE", triangle);
  ASSERT_EQ(cad.drawing().size(), 1u);
  const auto& corners = std::get<verdanto::Face3d>(cad.drawing().entities()[0].geometry).corners;
  EXPECT_EQ(corners[3], corners[2]);

  ScriptedConsole erase{"100", "100", ""};
  cad.Run("erase", erase);
  EXPECT_NE(erase.printed.find("1 erased."), std::string::npos) << erase.printed;
  EXPECT_EQ(cad.drawing().size(), 0u);

  ScriptedConsole none{};
  EXPECT_FALSE(cad.Run("FLY", none));
  cad.Run("OPEN /no/such/folder/x.dxf", none);
  EXPECT_FALSE(none.printed.empty());
}

TEST(CadSessionTest, LinesClosedIntoALoopMakeOneRegion) {
  CadSession cad;
  ScriptedConsole lines{"0,0", "2,0", "2,2", "close"};
  cad.Run("line", lines);
  EXPECT_EQ(cad.drawing().size(), 3u);
  ScriptedConsole select{"100", "101", "102", ""};
  cad.Run("region", select);
  EXPECT_NE(select.printed.find("1 region created."), std::string::npos) << select.printed;
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
