// The command-line tool's commands: their options, output and exit codes. What
// the library decides (the check's rules, the readers' messages) is its own tests'.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <tuple>

#include "tests/cli/ToolRun.h"

namespace verdanto {
namespace {

using testing::CorpusFile;
using testing::ToolRun;

// Zone fills ZoneNames; ZoneList fills ZoneListNames and names zones; People
// names a zone or a zone list and has a choice and an unlabelled real.
constexpr const char* kDictionary = R"(!IDD_Version 1.0.0
\group Zones
Zone,
  A1 , \field Name
       \required-field
       \reference ZoneNames
  N1 , \field Multiplier
       \type integer
       \minimum 1
       \maximum 100
  N2 ; \field Volume
       \type real
       \minimum> 0
       \autocalculatable
ZoneList,
  A1 , \field Name
       \reference ZoneListNames
  A2 ; \field Zone 1 Name
       \object-list ZoneNames
\group Gains
People,
  A1 , \field Name
  A2 , \field Zone or ZoneList Name
       \required-field
       \object-list ZoneNames
       \object-list ZoneListNames
  A3 , \field Kind
       \type choice
       \key Office
       \key Home
  N1 ; \type real
)";

struct Commands : ::testing::Test {
  testing::TempFolder folder;
  void SetUp() override { folder.Write("dict.idd", kDictionary); }
  ToolRun Run(const std::string& arguments) const { return testing::RunTool(folder, arguments); }
  std::string Read(const char* name) const { return testing::TempFolder::Read(folder.PathOf(name)); }
};

// One line per finding, file by file in the order given (a file given twice is
// checked twice; files of one base name share a layer), objects and lines
// counted within their file; the count last; exit 1.
TEST_F(Commands, CheckReportsEveryFindingFileByFileOrCountsKinds) {
  std::filesystem::create_directory(folder.PathOf("b"));
  folder.Write("a.idf", "Zone, West, 2, 100;\nZone, , 0;\nPeople, P2, Nowhere, Anything, abc;\n");
  folder.Write("b/a.idf", "NoSuchClass, x;\nZoneList, Ground, WEST;\nZone, North, 1.5;\n");
  const std::string a =
      "a.idf:2: Zone <Object 2> \"\", field A1 - Name: required field is empty\n"
      "a.idf:2: Zone <Object 2> \"\", field N1 - Multiplier: The value entered is lower than the minimum allowed.\n"
      "a.idf:3: People <Object 1> \"P2\", field A2 - Zone or ZoneList Name: "
      "\"Nowhere\" names no object of ZoneNames, ZoneListNames\n"
      "a.idf:3: People <Object 1> \"P2\", field N1: The value entered is not a real number.\n";
  const ToolRun run = Run("check --idd dict.idd a.idf b/a.idf a.idf");
  EXPECT_EQ(run.out, a + "b/a.idf:3: Zone <Object 1> \"North\", field N1 - Multiplier: The value entered is not an "
                         "integer.\n" + a + "findings: 9\n");
  EXPECT_TRUE(run.status == 1 && !run.err.empty());  // the reader's message on the dropped object
  // The summary counts kinds, the most frequent first; strict keeps the editor's rules.
  folder.Write("in.idf", "Zone, A, 1.0, AUTOSIZE;\nZone, B, 0;\nZone, C, 0;\nPeople, P1, Nowhere;\n"
                         "People, P2, Elsewhere;\n");
  const std::string names =
      "2\tPeople, field A2 - Zone or ZoneList Name: names no object of ZoneNames, ZoneListNames\n";
  const std::string below = "2\tZone, field N1 - Multiplier: The value entered is lower than the minimum allowed.\n";
  EXPECT_EQ(Run("check --summary --idd dict.idd in.idf").out, names + below + "findings: 4\n");
  const ToolRun strict = Run("check --idd dict.idd --strict --summary in.idf");
  EXPECT_EQ(std::tuple(strict.out, strict.status),
            std::tuple(names + below +
                           "1\tZone, field N1 - Multiplier: The value entered is not an integer.\n"
                           "1\tZone, field N2 - Volume: The value entered is not a real number.\nfindings: 6\n",
                       1));
}

// Complete models that the simulation runs: nothing to report unless strict.
TEST_F(Commands, CheckFindsNothingInCompleteModels) {
  const ToolRun sample =
      Run("check --idd '" VERDANTO_EXAMPLES_DIR "/Sample.idd' '" VERDANTO_EXAMPLES_DIR "/Sample.idf'");
  EXPECT_EQ(std::tuple(sample.out, sample.status), std::tuple("findings: 0\n", 0));
  // Options, dictionary, model, output.
  const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
      {"", "Energy+V8_0_0.idd", "5ZoneSupRetPlenRAB-V8_0.idf", "findings: 0\n"},
      {"", "Energy+V8_8_0.idd", "smallfile-V8_8.idf", "findings: 0\n"},
      {"", "Energy+V6_0.idd", "Hospital-V6_0.idf", "findings: 0\n"},
      {"--strict --summary", "Energy+V6_0.idd", "Hospital-V6_0.idf",
       "55\tZone, field N6 - Multiplier: The value entered is not an integer.\n"
       "2\tPlantLoop, field N5 - Plant Loop Volume: The value entered is not a real number.\n"
       "1\tCondenserLoop, field N5 - Condenser Loop Volume: The value entered is not a real number.\n"
       "findings: 58\n"},
  };
  for (const auto& [options, dictionary, model, out] : cases) {
    SCOPED_TRACE(std::string(model) + " " + options);
    const std::string iddPath = CorpusFile(dictionary), idfPath = CorpusFile(model);
    if (iddPath.empty() || idfPath.empty())
      GTEST_SKIP() << model << " or " << dictionary << " is not in the corpus folder";
    const ToolRun run = Run(std::string("check ") + options + " --idd '" + iddPath + "' '" + idfPath + "'");
    EXPECT_EQ(std::tuple(run.out, run.status), std::tuple(out, out == "findings: 0\n" ? 0 : 1));
  }
}

TEST_F(Commands, DictPrintsWhatTheDictionaryHoldsAndPassesWarningsOn) {
  folder.Write("warn.idd", std::string(kDictionary) + "Empty,\n");
  const ToolRun run = Run("dict warn.idd");
  EXPECT_TRUE(run.status == 0 && std::regex_match(
      run.out, std::regex("version: 1.0.0\ngroups: 2\nclasses: 3\nfields: 9\nkeys: 2\nreference names: 2\n"
                          "read: [0-9]+\\.[0-9] ms\n")))
      << run.out;
  EXPECT_EQ(run.err, "Verdanto: No field found in class \"Empty\". This class will be deleted.\n");
}

// Objects per class in dictionary order; every fault is printed (nobody is asked
// whether to go on) and the rest goes on, with exit 2.
TEST_F(Commands, StatsCountsObjectsPerClassAndPrintsEveryFault) {
  folder.Write("a.idf", "Zone, z1;\r\nPeople, p1, z1;\nZone, z2;\r\n");
  folder.Write("b.idf", "ZoneList, l, z1;\r\nZone, z3;\r\n");
  std::filesystem::create_directory(folder.PathOf("other"));
  folder.Write("other/B.idf", "People, p2;\r\n");  // the same base name: the same layer
  const ToolRun run = Run("stats --idd dict.idd a.idf b.idf other/B.idf");
  EXPECT_EQ(std::tuple(run.status, run.err), std::tuple(0, ""));
  EXPECT_TRUE(std::regex_match(
      run.out, std::regex("3\tZone\n1\tZoneList\n2\tPeople\nlayers: 3\nobjects: 6\nread: [0-9]+\\.[0-9] ms\n")))
      << run.out;

  std::string broken;
  for (int i = 1; i <= 12; ++i) broken += "Foo" + std::to_string(i) + ", x;\r\n";
  folder.Write("bad.idf", broken + "Zone, z1;\r\nZone, z2, 1, 2, 3;\r\n");
  const ToolRun bad = Run("stats --idd dict.idd missing.idf bad.idf");
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(bad.err.starts_with("Verdanto: Unable to open missing.idf.\nIDF Parsing Error: Object class \"Foo1\" not "
                                  "recognized on line 1. This object will not be loaded.\n")) << bad.err;
  EXPECT_TRUE(bad.err.ends_with("IDF Parsing Error: Too many fields in object class \"Zone\" on line 14. This object "
                                "will not be loaded.\n")) << bad.err;
  EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 14);
  EXPECT_EQ(bad.out.substr(0, bad.out.find("read:")), "1\tZone\nlayers: 2\nobjects: 1\n");
}

TEST_F(Commands, FormatWritesEveryLayerTogetherIsStableAndTellsWhetherAllWasWritten) {
  folder.Write("a.idf", "! the first zone\r\nZone, z1, ! north\n 90;\r\nPeople, p1, z1;\n");
  folder.Write("b.idf", "Zone,z2;ZoneList,l,z2;\r\n");
  const ToolRun run = Run("format --idd dict.idd -o out.idf a.idf b.idf");
  EXPECT_EQ(std::tuple(run.status, run.out, run.err), std::tuple(0, "", ""));
  const std::string first = Read("out.idf");
  EXPECT_TRUE(first.starts_with("!- File generated by Verdanto BETA Version\r\n"));
  EXPECT_NE(first.find("! the first zone\r\n! north\r\nZone,\r\n    z1,"), std::string::npos) << first;
  EXPECT_LT(first.find("    z2;"), first.find("    p1,"));  // both files, class by class (IdfWriterTest)

  EXPECT_EQ(Run("format --idd dict.idd -o again.idf out.idf").status, 0);
  EXPECT_EQ(Read("again.idf"), first);

  EXPECT_EQ(Run("format --no-comments --idd dict.idd -o plain.idf a.idf").status, 0);
  const std::string plain = Read("plain.idf");
  EXPECT_TRUE(plain.find("! the first zone") == std::string::npos &&
              plain.find("Zone,\r\n    z1,") != std::string::npos);
  // Whether everything was written: 2 when objects were dropped, 1 when nothing could be written.
  folder.Write("bad.idf", "Zone, z1;\r\nFoo, x;\r\n");
  EXPECT_EQ(Run("format --idd dict.idd -o out.idf bad.idf").status, 2);
  EXPECT_NE(Read("out.idf").find("    z1;"), std::string::npos);
  const ToolRun failed = Run("format --idd dict.idd -o no/such/out.idf bad.idf");
  EXPECT_EQ(failed.status, 1);
  EXPECT_TRUE(failed.err.ends_with("Writing Error: Unable to save no/such/out.idf file.\n")) << failed.err;
}

TEST_F(Commands, RefuseBadUsageAndInputsThatCannotBeRead) {
  folder.Write("in.idf", "Zone, z;");
  folder.Write("none.idd", "Zone,\r\n");
  // Arguments, exit status, output, message (null: any message).
  const std::tuple<const char*, int, const char*, const char*> cases[] = {
      // clang-format off
      {"dict missing.idd", 1, "", "Verdanto: Unable to open missing.idd.\n"},
      {"dict none.idd", 1, "", "Verdanto: ERROR 1\nVerdanto: No class found in none.idd.\n"},
      {"dict", 2, "", "usage: verdanto dict PATH\n"},
      {"stats in.idf", 2, "", nullptr},
      {"stats --idd dict.idd --bogus in.idf", 2, "", nullptr},
      {"format --idd dict.idd in.idf", 2, "", nullptr},
      {"", 2, "", nullptr},
      {"bogus", 2, "", nullptr},
      {"check --idd missing.idd in.idf", 2, "", nullptr},
      {"check --idd dict.idd in.idf missing.idf", 2, "findings: 0\n", nullptr},
      // clang-format on
  };
  for (const auto& [arguments, status, out, err] : cases) {
    const ToolRun run = Run(arguments);
    EXPECT_EQ(std::tuple(run.status, run.out), std::tuple(status, std::string(out))) << arguments;
    EXPECT_TRUE(err ? run.err == err : !run.err.empty()) << arguments << ": " << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.PathOf("out.idf")));
  const ToolRun help = Run("--help");  // usage on standard output
  EXPECT_EQ(std::tuple(help.status, help.out.substr(0, 26), help.err),
            std::tuple(0, "usage: verdanto dict PATH\n", ""));
}

}  // namespace
}  // namespace verdanto
