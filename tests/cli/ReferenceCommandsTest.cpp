// refs, relations and rename, run as a user runs them, from a temporary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <tuple>

#include "support/RelationsSample.h"
#include "tests/cli/ToolRun.h"

namespace verdanto {
namespace {

using testing::CorpusFile;
using testing::ToolRun;

struct ReferenceCommands : ::testing::Test {
  testing::TempFolder folder;
  void SetUp() override {
    folder.Write("d.idd", testing::kRelationsIdd);
    folder.Write("main.idf", testing::kRelationsLayer0);
    folder.Write("b.idf", testing::kRelationsLayerB);
    folder.Write("c.idf", testing::kRelationsLayerC);
  }
  ToolRun Run(const std::string& arguments) const { return testing::RunTool(folder, arguments); }
  std::string Read(const std::string& name) const { return testing::TempFolder::Read(folder.PathOf(name)); }
};

TEST_F(ReferenceCommands, RefsListsNamesAndRelationsPrintsTheTreeToTheDepthAsked) {
  EXPECT_EQ(Run("refs --idd d.idd").out,
            "NodeNames\t1\t1\nSpaceNames\t1\t1\nWallNames\t1\t1\nZoneNames\t2\t1\nnames: 4\n");
  EXPECT_EQ(Run("refs --idd d.idd zonenames").out, "1\tGear\tLamp\tA3 - Zone Name\n2\tGear\tWall\tA2 - Zone Name\n");
  EXPECT_EQ(Run("refs --idd d.idd --reference ZoneNames").out, "1\tZones\tZone\tA1 - Name\n");
  const ToolRun unknown = Run("refs --idd d.idd RoofNames");
  EXPECT_EQ(std::tuple(unknown.status, unknown.out), std::tuple(2, ""));
  EXPECT_NE(unknown.err.find("\"RoofNames\""), std::string::npos);
  // The tree itself is RelationsTreeTest's; here the root given by options and the depth opened.
  const ToolRun run = Run("relations --idd d.idd --class Window --object 1 --depth 1 main.idf");
  EXPECT_TRUE(run.status == 0 && run.out.starts_with("GROUP: Gear\n  CLASS: Window\n    OBJECT: <Object 1> \"Win1\"\n"))
      << run.out;
  EXPECT_TRUE(run.out.ends_with("\n                        OBJECT: <Object 1> \"Z1\"\n"
                                "                          LINK\n")) << run.out;  // the wall opened, not the zone
  for (const char* refused : {"--class Window --object 9", "--class Door"})
    EXPECT_EQ(Run(std::string("relations --idd d.idd ") + refused + " main.idf").status, 2) << refused;
}

TEST_F(ReferenceCommands, RelationsReadsEachInputIntoItsOwnLayerTheLastCurrent) {
  // The last file is current; W4 lies in b.idf.
  const std::pair<const char*, bool> cases[] = {
      {"main.idf b.idf", true}, {"b.idf main.idf", false}, {"--layers on b.idf main.idf", true}};
  for (const auto& [arguments, showsW4] : cases) {
    SCOPED_TRACE(arguments);
    const ToolRun run = Run(std::string("relations --idd d.idd --ascending --class Zone --object 2 ") + arguments);
    EXPECT_EQ(std::tuple(run.status, run.out.find("\"W4\"\n") != std::string::npos), std::tuple(0, showsW4)) << run.out;
  }
}

TEST_F(ReferenceCommands, RenameWritesTheNameWhereverItIsNamed) {
  const ToolRun run = Run("rename --idd d.idd --class Zone --object 1 --field A1 --to Core -o out main.idf c.idf");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "main | Zone <Object 1> \"Z1\" | A1 - Name = \"Core\"\n"
            "main | Lamp <Object 1> \"L1\" | A2 - Space Name = \"Core\"\n"
            "main | Lamp <Object 1> \"L1\" | A3 - Zone Name = \"Core\"\n"
            "main | Wall <Object 1> \"W1\" | A2 - Zone Name = \"Core\"\n"
            "main | Wall <Object 2> \"W2\" | A2 - Zone Name = \"Core\"\n"
            "c | Wall <Object 3> \"W3\" | A2 - Zone Name = \"Core\"\n");
  const std::string main = Read("out/main.idf");
  EXPECT_FALSE(std::regex_search(main, std::regex("Z1|z1"))) << main;
  EXPECT_NE(Read("out/c.idf").find("Core"), std::string::npos);
}

TEST_F(ReferenceCommands, RenameRefusesBadNamesAndFieldsThatFillNoList) {
  const std::pair<const char*, const char*> cases[] = {
      {"--class Zone --object 1 --field A1 --to z2", "already used by Zone <Object 2>"},
      {"--class Zone --object 1 --field A1 --to 'a;b'", "cannot hold"},
      {"--class Zone --object 1 --field A1 --to ''", "empty"},
      {"--class Wall --object 1 --field A2 --to Core", "fills no list"},
  };
  for (const auto& [arguments, says] : cases) {
    SCOPED_TRACE(arguments);
    const ToolRun run = Run(std::string("rename --idd d.idd -o out.idf main.idf ") + arguments);
    EXPECT_TRUE(run.status == 2 && run.err.find(says) != std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("out.idf")));
  }
}

// The figures were counted apart from the tool, with a short script over the dictionary texts.
TEST_F(ReferenceCommands, RefsAgreesWithTheRealDictionaries) {
  // The dictionary, the count of names, two rows.
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"Energy+V6_0.idd", "names: 204\n", "ZoneNames\t266\t1\n", "ScheduleNames\t512\t4\n"},
      {"Energy+V8_0_0.idd", "names: 247\n", "ZoneNames\t284\t1\n", "ScheduleNames\t553\t7\n"},
      {"Energy+V8_8_0.idd", "names: 274\n", "ZoneNames\t326\t1\n", "ScheduleNames\t732\t7\n"},
  };
  for (const auto& [dictionary, names, zoneNames, scheduleNames] : cases) {
    const std::string path = CorpusFile(dictionary);
    if (path.empty()) GTEST_SKIP() << dictionary << " is not in the corpus folder";
    const std::string out = Run("refs --idd '" + path + "'").out;
    EXPECT_TRUE(out.ends_with(names) && out.find(zoneNames) != std::string::npos &&
                out.find(scheduleNames) != std::string::npos) << dictionary << ":\n" << out;
  }
}

TEST_F(ReferenceCommands, RenamedZoneLeavesNothingUnresolved) {
  const std::string idd = CorpusFile("Energy+V8_0_0.idd"), idf = CorpusFile("5ZoneSupRetPlenRAB-V8_0.idf");
  if (idd.empty() || idf.empty()) GTEST_SKIP() << "the 5-zone model or its dictionary is not in the corpus folder";
  const auto valueLines = [](const std::string& text, const char* name) {
    const std::regex line(std::string("\n\\s*") + name + "\\s*[,;]", std::regex::icase);
    return std::distance(std::sregex_iterator(text.begin(), text.end(), line), std::sregex_iterator());
  };
  const std::string before = testing::TempFolder::Read(idf);
  const ToolRun rename =
      Run("rename --idd '" + idd + "' --class Zone --object 2 --field A1 --to 'South Wing' -o out.idf '" + idf + "'");
  ASSERT_EQ(rename.status, 0) << rename.err;
  const std::string after = Read("out.idf");
  EXPECT_GT(valueLines(before, "SPACE1-1"), 1);
  EXPECT_EQ(valueLines(after, "SPACE1-1"), 0);
  EXPECT_EQ(valueLines(after, "South Wing"), valueLines(before, "SPACE1-1"));
  // The check's lines name the file; its findings must be the same before and after.
  const ToolRun checkBefore = Run("check --idd '" + idd + "' '" + idf + "'");
  const ToolRun checkAfter = Run("check --idd '" + idd + "' out.idf");
  EXPECT_EQ(checkAfter.out.substr(checkAfter.out.rfind("findings:")),
            checkBefore.out.substr(checkBefore.out.rfind("findings:")));
}

}  // namespace
}  // namespace verdanto
