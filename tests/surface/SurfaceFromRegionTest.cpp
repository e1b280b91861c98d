// The surface tool's dialogue on a scripted drawing and command line.

#include <gtest/gtest.h>

#include <tuple>

#include "base/Text.h"
#include "support/ScriptedDocument.h"
#include "surface/AnswerScript.h"
#include "surface/SurfaceFromRegion.h"

namespace verdanto {
namespace {

using Loop = std::vector<Vec3>;
using Answers = std::vector<std::string>;
const std::string kEsc(kEscape);

std::string Handle(EntityId id) { return Format(" %llX", static_cast<unsigned long long>(id)); }

const Loop kRectangle = {{0, 0, 0}, {2, 0, 0}, {2, 1.5, 0}, {0, 1.5, 0}};
const Loop kSouthWall = {{0, 0, 0}, {4, 0, 0}, {4, 0, 3}, {0, 0, 3}};
const Vec3 kUp{0, 0, 1};
const Vec3 kSouth{0, -1, 0};

struct Dialogue {
  testing::ScriptedDocument document;
  AnswerScript commandLine;
  SurfaceSettings settings;
  SurfaceRequest request{4, true, ""};

  SurfaceResult Run(std::deque<EntityId> picks, const Answers& answers) {
    commandLine.picks = std::move(picks);
    commandLine.answers.assign(answers.begin(), answers.end());
    return RunSurfaceFromRegion(commandLine, document, request, settings);
  }
};

// The vertices as written (user coordinates, vertex 1 first) and the entry order and
// starting corner kept afterwards. Seen from below, the rectangle's lower left
// corner is (2, 0) and counter-clockwise runs towards x = 0.
TEST(SurfaceVertices, FollowTheAnswers) {
  const Loop east = {{5, 0, 0}, {5, 3, 0}, {5, 3, 2.5}, {5, 0, 2.5}};
  const struct {
    Loop loop;
    Vec3 normal;
    Answers answers;
    Loop vertices;
    std::int32_t order = 1, corner = 0;
    Vec3 ucsOrigin{};
  } cases[] = {
      {kRectangle, kUp, {"No", "", "", ""}, kRectangle},
      {{kRectangle[0], kRectangle[3], kRectangle[2], kRectangle[1]}, kUp, {"", "", "", ""}, kRectangle},
      {kRectangle, kUp, {"Yes", "", "", ""}, {{2, 0, 0}, {0, 0, 0}, {0, 1.5, 0}, {2, 1.5, 0}}},
      {kRectangle, kUp, {"No", "cw", "", ""}, {{0, 0, 0}, {0, 1.5, 0}, {2, 1.5, 0}, {2, 0, 0}}, 0},
      {kRectangle, kUp, {"No", "CCW", "", ""}, kRectangle},
      {kRectangle, kUp, {"No", "", "URC", "", ""}, {{2, 1.5, 0}, {0, 1.5, 0}, {0, 0, 0}, {2, 0, 0}}, 1, 3},
      {kRectangle, kUp, {"No", "", "SForward", "SForward", "SBackward", "", ""},
       {{2, 0, 0}, {2, 1.5, 0}, {0, 1.5, 0}, {0, 0, 0}}},
      {kRectangle, kUp, {"No", "", "SForward", "LLC", "", ""}, kRectangle},
      {kSouthWall, kSouth, {"No", "", "", ""}, kSouthWall},
      {{kSouthWall[0], kSouthWall[3], kSouthWall[2], kSouthWall[1]}, kSouth, {"No", "", "", ""}, kSouthWall},
      {east, {1, 0, 0}, {"No", "", "", ""}, east},
      {kRectangle, kUp, {"No", "", "", ""}, {{-10, 0, 0}, {-8, 0, 0}, {-8, 1.5, 0}, {-10, 1.5, 0}}, 1, 0, {10, 0, 0}},
  };
  for (const auto& c : cases) {
    Dialogue dialogue;
    dialogue.document.ucsOrigin = c.ucsOrigin;
    const SurfaceResult result = dialogue.Run({dialogue.document.AddRegion(c.loop, c.normal)}, c.answers);
    SCOPED_TRACE(dialogue.commandLine.transcript);
    ASSERT_TRUE(result.accepted);
    EXPECT_EQ(result.vertices, c.vertices);
    EXPECT_EQ(std::tuple(dialogue.settings.vertexEntryOrder, dialogue.settings.startingCorner),
              std::tuple(c.order, c.corner));
  }
}

TEST(SurfaceDialogue, AsksItsQuestionsWithTheSettingsInForceAndLeavesOnlyTheCentreLabel) {
  Dialogue dialogue;
  dialogue.settings = {0, 2};
  dialogue.request.defaultName = "Wall 1";
  const EntityId wall = dialogue.document.AddRegion(kSouthWall, kSouth);
  const SurfaceResult result = dialogue.Run({wall}, {"No", "", "", "South wall 2"});
  EXPECT_EQ(result.name, "South wall 2");
  EXPECT_EQ(dialogue.commandLine.transcript,
            "\nSelect region:" + Handle(wall) +
                "\nCurrent surface setting:  VertexEntry=CW  SurfaceStartingPosition=ULC\n"
            "Flip surface normal? [Yes/No] <No>: No"
            "\nSpecify vertices entry order [CCW/CW] <CW>: "
            "\nSpecify surface starting position [LLC/LRC/ULC/URC/SForward/SBackward]: "
            "\nSpecify surface name <Wall 1>: South wall 2");
  EXPECT_EQ(dialogue.commandLine.commandPrompts, 1);
  // The number labels go at the end; the centre label stays, named, or "outside" where no name is asked.
  const auto labels = dialogue.document.Labels();
  ASSERT_EQ(labels.size(), 1u);
  const TextLabel& l = labels[0];
  EXPECT_EQ(
      std::tuple(l.contents, l.location, l.normal, l.direction, l.style, l.attachment, l.colorIndex),
      std::tuple("South wall 2", Vec3{2, 0, 1.5}, kSouth, Vec3{1, 0, 0}, "STANDARD", TextAttachment::MiddleCentre, 1));
  EXPECT_DOUBLE_EQ(l.height, 5.0 / 30);

  Dialogue unnamed;
  unnamed.request.asksName = false;
  EXPECT_TRUE(unnamed.Run({unnamed.document.AddRegion(kRectangle, kUp)}, {"No", "", ""}).accepted);
  EXPECT_EQ(unnamed.commandLine.transcript.find("name"), std::string::npos);
  ASSERT_EQ(unnamed.document.Labels().size(), 1u);
  EXPECT_EQ(unnamed.document.Labels()[0].contents, "outside");
}

// Sees the labels each time a question is asked.
struct WatchingCommandLine final : HostCommandLine {
  WatchingCommandLine(AnswerScript& s, testing::ScriptedDocument& d) : script(s), document(d) {}
  AnswerScript& script;
  testing::ScriptedDocument& document;
  std::vector<std::vector<TextLabel>> seen;
  void Print(std::string_view text) override { script.Print(text); }
  PickAnswer PickEntity(std::string_view prompt) override { return script.PickEntity(prompt); }
  PromptAnswer GetKeyword(std::string_view keywords, std::string_view prompt) override {
    seen.push_back(document.Labels());
    return script.GetKeyword(keywords, prompt);
  }
  PromptAnswer GetString(std::string_view prompt, bool spaces) override { return script.GetString(prompt, spaces); }
  void PostCommandPrompt() override {}
};

TEST(SurfaceDialogue, NumberLabelsFollowEveryChoice) {
  Dialogue dialogue;
  WatchingCommandLine watching(dialogue.commandLine, dialogue.document);
  dialogue.commandLine.picks = {dialogue.document.AddRegion(kRectangle, kUp)};
  dialogue.commandLine.answers = {"Yes", "CW", "", ""};
  ASSERT_TRUE(RunSurfaceFromRegion(watching, dialogue.document, dialogue.request, dialogue.settings).accepted);
  ASSERT_EQ(watching.seen.size(), 3u);
  auto numbersAt = [](const std::vector<TextLabel>& labels) {
    std::vector<Vec3> at;
    for (const TextLabel& label : labels)
      if (label.contents != "outside") at.push_back(label.location);
    return at;
  };
  EXPECT_EQ(numbersAt(watching.seen[0]), kRectangle);
  EXPECT_EQ(watching.seen[0][0].height, 2.5 / 20);
  EXPECT_EQ(numbersAt(watching.seen[1]), (std::vector<Vec3>{{2, 0, 0}, {0, 0, 0}, {0, 1.5, 0}, {2, 1.5, 0}}));
  EXPECT_EQ(watching.seen[1][0].normal, (Vec3{0, 0, -1}));
  EXPECT_EQ(watching.seen[1].back().direction, (Vec3{-1, 0, 0}));
  EXPECT_EQ(numbersAt(watching.seen[2]), (std::vector<Vec3>{{2, 0, 0}, {2, 1.5, 0}, {0, 1.5, 0}, {0, 0, 0}}));
}

// Each drawing's one candidate entity is refused; the pick is asked again and then cancelled.
TEST(SurfaceDialogue, RefusedRegionSaysWhyAndAsksAgain) {
  using Make = EntityId (*)(Dialogue&);
  const std::pair<Make, const char*> cases[] = {
      {[](Dialogue& d) {
         d.request.maxVertices = 10;
         return d.document.AddRegion({kRectangle, {{0.5, 0.5, 0}, {1, 0.5, 0}, {1, 1, 0}}}, kUp);
       },
       "Unable to process this region: multiconnected region."},
      {[](Dialogue& d) {
         const EntityId region = d.document.AddRegion(kRectangle, kUp);
         d.document.entities[d.document.entities[region].pieces[2]].kind = "AcDbArc";
         return region;
       },
       "Unable to process this region: it is composed by entities other than lines."},
      {[](Dialogue& d) { return d.document.AddRegion({{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {1, 2, 0}, {-1, 1, 0}}, kUp); },
       "Unable to process this region: it has 5 vertices (max 4 allowed)."},
      {[](Dialogue& d) { return d.document.AddPiece({0, 0, 0}, {1, 0, 0}); }, "A region must be selected."},
      {[](Dialogue&) { return EntityId{0x999}; }, "Unable to process this selection."},
      {[](Dialogue& d) {
         const EntityId region = d.document.AddRegion(kRectangle, kUp);
         d.document.entities[region].explodes = false;
         return region;
       },
       "Unable to process this region: unable to get vertices coordinates."},
  };
  for (const auto& [make, message] : cases) {
    SCOPED_TRACE(message);
    Dialogue dialogue;
    const EntityId picked = make(dialogue);
    EXPECT_FALSE(dialogue.Run({kNoEntity, picked}, {"No", "", "", ""}).accepted);
    EXPECT_EQ(dialogue.commandLine.transcript,
              "\nSelect region: 0\nSelect region:" + Handle(picked) + "\n" + message + "\nSelect region:");
    EXPECT_TRUE(dialogue.document.Labels().empty());
    EXPECT_EQ(std::tuple(dialogue.document.lockCount, dialogue.commandLine.commandPrompts), std::tuple(0, 1));
  }
}

TEST(SurfaceDialogue, EscapeErasesTheLabelsAndUnlocksAndNoRoomForLabelsEndsSilently) {
  const Answers upToEscape[] = {{kEsc}, {"No", kEsc}, {"No", "", kEsc}, {"No", "", "", kEsc}};
  for (const Answers& answers : upToEscape) {
    Dialogue dialogue;
    const SurfaceResult result = dialogue.Run({dialogue.document.AddRegion(kRectangle, kUp)}, answers);
    EXPECT_FALSE(result.accepted) << answers.size();
    EXPECT_TRUE(dialogue.document.Labels().empty()) << answers.size();
    EXPECT_EQ(
        std::tuple(dialogue.document.lockCount, dialogue.document.unlockCount, dialogue.commandLine.commandPrompts),
        std::tuple(1, 1, 1));
  }
  // Without room for labels the dialogue ends silently.
  Dialogue dialogue;
  dialogue.document.standardStyle = false;
  dialogue.document.applicationContext = false;
  const EntityId region = dialogue.document.AddRegion(kRectangle, kUp);
  const SurfaceResult result = dialogue.Run({region}, {"No", "", "", ""});
  EXPECT_FALSE(result.accepted);
  EXPECT_EQ(dialogue.commandLine.transcript, "\nSelect region:" + Handle(region));
  EXPECT_EQ(std::tuple(dialogue.document.lockCount, dialogue.document.unlockCount), std::tuple(0, 0));
}

}  // namespace
}  // namespace verdanto
