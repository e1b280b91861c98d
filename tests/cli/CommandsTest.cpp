// The command-line tool, run as a user runs it, from a temporary folder.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "support/TempFolder.h"

namespace verdanto {
namespace {

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

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

struct Commands : ::testing::Test {
  testing::TempFolder folder;
  void SetUp() override { folder.Write("dict.idd", kDictionary); }

  // Runs `verdanto <arguments>` in the folder; the arguments are quoted as needed.
  ToolRun Run(const std::string& arguments) const {
    const std::string out = folder.PathOf(".out"), err = folder.PathOf(".err");
    const std::string command =
        "cd '" + folder.PathOf("") + "' && '" VERDANTO_CLI_PATH "' " + arguments + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testing::TempFolder::Read(out), testing::TempFolder::Read(err)};
  }
  std::string Read(const char* name) const { return testing::TempFolder::Read(folder.PathOf(name)); }
};

TEST_F(Commands, CheckReportsEveryFindingFileByFileInStoreOrder) {
  folder.Write("first.idf",
               "Zone, West, 2, 100;\nZone, East, 0, -5;\nZone, , 200, autocalculate;\nPeople, P1, west, Office, 1.5;\n"
               "People, P2, Nowhere, Anything, abc;\nPeople, P3, , Home, 1;\n");
  folder.Write("second.idf",
               "NoSuchClass, x;\nZoneList, Ground, EAST;\nZone, North, 1.5, 1;\nPeople, P4, ground, Home, 1e3;\n"
               "People, P5, North Wing, Home, 2;\n");
  const ToolRun run = Run("check --idd dict.idd first.idf second.idf");
  EXPECT_EQ(run.out,
            "first.idf:2: Zone <Object 2> \"East\", field N1 - Multiplier: "
            "The value entered is lower than the minimum allowed.\n"
            "first.idf:2: Zone <Object 2> \"East\", field N2 - Volume: The value entered is lower than the minimum "
            "allowed.\n"
            "first.idf:3: Zone <Object 3> \"\", field A1 - Name: required field is empty\n"
            "first.idf:3: Zone <Object 3> \"\", field N1 - Multiplier: "
            "The value entered is greater than the maximum allowed.\n"
            "first.idf:5: People <Object 2> \"P2\", field A2 - Zone or ZoneList Name: "
            "\"Nowhere\" names no object of ZoneNames, ZoneListNames\n"
            "first.idf:5: People <Object 2> \"P2\", field N1: The value entered is not a real number.\n"
            "first.idf:6: People <Object 3> \"P3\", field A2 - Zone or ZoneList Name: required field is empty\n"
            "second.idf:3: Zone <Object 1> \"North\", field N1 - Multiplier: The value entered is not an integer.\n"
            "second.idf:5: People <Object 2> \"P5\", field A2 - Zone or ZoneList Name: "
            "\"North Wing\" names no object of ZoneNames, ZoneListNames\n"
            "findings: 9\n");
  EXPECT_NE(run.err, "");  // the reader's message on the dropped object
  EXPECT_EQ(run.status, 1);
}

TEST_F(Commands, CheckCountsObjectsPerFileEvenWhenFilesShareALayer) {
  std::filesystem::create_directory(folder.PathOf("a"));
  std::filesystem::create_directory(folder.PathOf("b"));
  folder.Write("a/in.idf", "Zone, A, 1;\nZone, B, 0;\n");
  folder.Write("b/in.idf", "Zone, C, 0;\n");
  const std::string b = "a/in.idf:2: Zone <Object 2> \"B\", field N1 - Multiplier: The value entered is lower than the "
                        "minimum allowed.\n";
  const std::string c = "b/in.idf:1: Zone <Object 1> \"C\"" + b.substr(b.find(','));
  const ToolRun run = Run("check --idd dict.idd a/in.idf b/in.idf a/in.idf");
  EXPECT_EQ(run.out, b + c + b + "findings: 3\n");
  EXPECT_EQ(run.status, 1);
}

TEST_F(Commands, CheckSummaryCountsKindsMostFrequentFirstAndStrictKeepsTheEditorsRules) {
  folder.Write("in.idf", "Zone, A, 1.0, AUTOSIZE;\nZone, B, 0;\nZone, C, 0;\nPeople, P1, Nowhere;\n"
                         "People, P2, Elsewhere;\n");
  const std::string names = "2\tPeople, field A2 - Zone or ZoneList Name: names no object of ZoneNames, ZoneListNames\n";
  const std::string below = "2\tZone, field N1 - Multiplier: The value entered is lower than the minimum allowed.\n";
  const ToolRun run = Run("check --summary --idd dict.idd in.idf");
  EXPECT_EQ(run.out, names + below + "findings: 4\n");
  EXPECT_EQ(run.status, 1);
  const ToolRun strict = Run("check --idd dict.idd --strict --summary in.idf");
  EXPECT_EQ(strict.out, names + below +
                            "1\tZone, field N1 - Multiplier: The value entered is not an integer.\n"
                            "1\tZone, field N2 - Volume: The value entered is not a real number.\n"
                            "findings: 6\n");
  EXPECT_EQ(strict.status, 1);
}

// Complete models that the simulation runs: nothing to report unless strict.
TEST_F(Commands, CheckFindsNothingInCompleteModelsOfTheCorpus) {
  const char* corpus = std::getenv("VERDANTO_CORPUS");
  const std::filesystem::path corpusFolder =
      corpus && *corpus ? std::filesystem::path(corpus)
                        : std::filesystem::path(VERDANTO_EXAMPLES_DIR) / "../../shared/corpus";
  const struct {
    const char* options;
    const char* dictionary;
    const char* model;
    const char* out;
  } cases[] = {
      {"", "Energy+V8_0_0.idd", "5ZoneSupRetPlenRAB-V8_0.idf", "findings: 0\n"},
      {"", "Energy+V8_8_0.idd", "smallfile-V8_8.idf", "findings: 0\n"},
      {"", "Energy+V6_0.idd", "Hospital-V6_0.idf", "findings: 0\n"},
      {"--strict --summary", "Energy+V6_0.idd", "Hospital-V6_0.idf",
       "55\tZone, field N6 - Multiplier: The value entered is not an integer.\n"
       "2\tPlantLoop, field N5 - Plant Loop Volume: The value entered is not a real number.\n"
       "1\tCondenserLoop, field N5 - Condenser Loop Volume: The value entered is not a real number.\n"
       "findings: 58\n"},
  };
  for (const auto& c : cases) {
    const auto dictionary = corpusFolder / c.dictionary, model = corpusFolder / c.model;
    if (!std::filesystem::is_regular_file(dictionary) || !std::filesystem::is_regular_file(model)) {
      GTEST_SKIP() << c.model << " or " << c.dictionary << " is not in the corpus folder " << corpusFolder;
    }
    const ToolRun run =
        Run(std::string("check ") + c.options + " --idd '" + dictionary.string() + "' '" + model.string() + "'");
    EXPECT_EQ(run.out, c.out) << c.model << ' ' << c.options;
    EXPECT_EQ(run.status, std::string(c.out) == "findings: 0\n" ? 0 : 1) << c.model;
  }
}

TEST_F(Commands, CheckFindsNothingInTheSampleModel) {
  const ToolRun sample =
      Run("check --idd '" VERDANTO_EXAMPLES_DIR "/Sample.idd' '" VERDANTO_EXAMPLES_DIR "/Sample.idf'");
  EXPECT_EQ(sample.out, "findings: 0\n");
  EXPECT_EQ(sample.status, 0);
}

TEST_F(Commands, DictPrintsWhatTheDictionaryHoldsAndPassesWarningsOn) {
  folder.Write("warn.idd", std::string(kDictionary) + "Empty,\n");
  const ToolRun run = Run("dict warn.idd");
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(std::regex_match(
      run.out, std::regex("version: 1.0.0\ngroups: 2\nclasses: 3\nfields: 9\nkeys: 2\nreference names: 2\n"
                          "read: [0-9]+\\.[0-9] ms\n")))
      << run.out;
  EXPECT_EQ(run.err, "Verdanto: No field found in class \"Empty\". This class will be deleted.\n");
}

TEST_F(Commands, StatsCountsObjectsPerClassInDictionaryOrder) {
  folder.Write("a.idf", "Zone, z1;\r\nPeople, p1, z1;\nZone, z2;\r\n");
  folder.Write("b.idf", "ZoneList, l, z1;\r\nZone, z3;\r\n");
  std::filesystem::create_directory(folder.PathOf("other"));
  folder.Write("other/B.idf", "People, p2;\r\n");  // the same base name: the same layer
  const ToolRun run = Run("stats --idd dict.idd a.idf b.idf other/B.idf");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(std::regex_match(
      run.out, std::regex("3\tZone\n1\tZoneList\n2\tPeople\nlayers: 3\nobjects: 6\nread: [0-9]+\\.[0-9] ms\n")))
      << run.out;
}

TEST_F(Commands, StatsReportsFaultsAndGoesOn) {
  folder.Write("bad.idf", "Zone, z1;\r\nFoo,\r\n x;\r\nZone, z2, 1, 2, 3;\r\n");
  const ToolRun run = Run("stats --idd dict.idd missing.idf bad.idf");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "Verdanto: Unable to open missing.idf.\n"
            "IDF Parsing Error: Object class \"Foo\" not recognized on line 2. This object will not be loaded.\n"
            "IDF Parsing Error: Too many fields in object class \"Zone\" on line 4. This object will not be loaded.\n");
  EXPECT_EQ(run.out.substr(0, run.out.find("read:")), "1\tZone\nlayers: 2\nobjects: 1\n");
}

// The tool asks nobody whether to go on: every fault of a broken file is printed.
TEST_F(Commands, StatsPrintsEveryFaultOfABrokenFile) {
  std::string text;
  for (int i = 1; i <= 12; ++i) text += "Foo" + std::to_string(i) + ", x;\r\n";
  folder.Write("broken.idf", text);
  const ToolRun run = Run("stats --idd dict.idd broken.idf");
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 12);
  EXPECT_NE(run.err.find("\"Foo12\" not recognized on line 12."), std::string::npos);
  EXPECT_EQ(run.err.find("more faults"), std::string::npos);
}

TEST_F(Commands, FormatWritesEveryLayerTogetherAndIsStable) {
  folder.Write("a.idf", "! the first zone\r\nZone, z1, ! north\n 90;\r\nPeople, p1, z1;\n");
  folder.Write("b.idf", "Zone,z2;ZoneList,l,z2;\r\n");
  const ToolRun run = Run("format --idd dict.idd -o out.idf a.idf b.idf");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const std::string first = Read("out.idf");
  EXPECT_TRUE(first.starts_with("!- File generated by Verdanto BETA Version\r\n"));
  EXPECT_NE(first.find("! the first zone\r\n! north\r\nZone,\r\n    z1,"), std::string::npos) << first;
  EXPECT_LT(first.find("    z1,"), first.find("    z2;"));  // by class, then by layer
  EXPECT_LT(first.find("    z2;"), first.find("    l,"));
  EXPECT_LT(first.find("    l,"), first.find("    p1,"));

  EXPECT_EQ(Run("format --idd dict.idd -o again.idf out.idf").status, 0);
  EXPECT_EQ(Read("again.idf"), first);

  EXPECT_EQ(Run("format --no-comments --idd dict.idd -o plain.idf a.idf").status, 0);
  const std::string plain = Read("plain.idf");
  EXPECT_EQ(plain.find("! the first zone"), std::string::npos);
  EXPECT_NE(plain.find("Zone,\r\n    z1,"), std::string::npos);
}

TEST_F(Commands, FormatTellsWhetherEverythingWasWritten) {
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
  const struct {
    const char* arguments;
    int status;
    const char* out;
    const char* err;  // null: any message
  } cases[] = {
      // clang-format off
      {"dict missing.idd", 1, "", "Verdanto: Unable to open missing.idd.\n"},
      {"dict none.idd", 1, "", "Verdanto: ERROR 1\nVerdanto: No class found in none.idd.\n"},
      {"dict", 2, "", "usage: verdanto dict PATH\n"},
      {"dict a b", 2, "", "usage: verdanto dict PATH\n"},
      {"stats in.idf", 2, "", nullptr},
      {"stats --idd dict.idd --bogus in.idf", 2, "", nullptr},
      {"format --idd dict.idd in.idf", 2, "", nullptr},
      {"format --idd dict.idd -o", 2, "", nullptr},
      {"", 2, "", nullptr},
      {"bogus", 2, "", nullptr},
      {"check in.idf", 2, "", nullptr},
      {"check --idd missing.idd in.idf", 2, "", nullptr},
      {"check --idd dict.idd in.idf missing.idf", 2, "findings: 0\n", nullptr},
      // clang-format on
  };
  for (const auto& c : cases) {
    const ToolRun run = Run(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments;
    EXPECT_EQ(run.out, c.out) << c.arguments;
    if (c.err) {
      EXPECT_EQ(run.err, c.err) << c.arguments;
    } else {
      EXPECT_NE(run.err, "") << c.arguments;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(folder.PathOf("out.idf")));
}

TEST_F(Commands, HelpGoesToStandardOutput) {
  const ToolRun run = Run("--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("usage: verdanto dict PATH\n", 0), 0u) << run.out;
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace verdanto
