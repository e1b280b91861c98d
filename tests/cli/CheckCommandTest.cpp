#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/TempFolder.h"

namespace verdanto {
namespace {

using testing::TempFolder;

struct ToolRun {
  std::string out;
  std::string err;
  int status = -1;
};

// Runs `verdanto check` with the arguments (already quoted as needed) from `folder`.
ToolRun RunCheck(const TempFolder& folder, const std::string& arguments) {
  const std::string errPath = folder.PathOf("stderr.txt");
  const std::string command =
      "cd '" + folder.PathOf("") + "' && '" VERDANTO_CLI_PATH "' check " + arguments + " 2>'" + errPath + "'";
  ToolRun run;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, got);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  run.err = TempFolder::Read(errPath);
  return run;
}

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

constexpr const char* kFirstInput = R"(Zone, West, 2, 100;
Zone, East, 0, -5;
Zone, , 200, autocalculate;
People, P1, west, Office, 1.5;
People, P2, Nowhere, Anything, abc;
People, P3, , Home, 1;
)";

constexpr const char* kSecondInput = R"(ZoneList, Ground, EAST;
Zone, North, 1.5, 1;
People, P4, ground, Home, 1e3;
People, P5, North Wing, Home, 2;
)";

TEST(CheckCommandTest, ReportsEveryFindingFileByFileInStoreOrder) {
  TempFolder folder;
  folder.Write("dict.idd", kDictionary);
  folder.Write("first.idf", kFirstInput);
  folder.Write("second.idf", kSecondInput);
  const ToolRun run = RunCheck(folder, "--idd dict.idd first.idf second.idf");
  EXPECT_EQ(
      run.out,
      "first.idf: Zone <Object 2> \"East\", field N1 - Multiplier: "
      "The value entered is lower than the minimum allowed.\n"
      "first.idf: Zone <Object 2> \"East\", field N2 - Volume: The value entered is lower than the minimum allowed.\n"
      "first.idf: Zone <Object 3> \"\", field A1 - Name: required field is empty\n"
      "first.idf: Zone <Object 3> \"\", field N1 - Multiplier: "
      "The value entered is greater than the maximum allowed.\n"
      "first.idf: People <Object 2> \"P2\", field A2 - Zone or ZoneList Name: "
      "\"Nowhere\" names no object of ZoneNames, ZoneListNames\n"
      "first.idf: People <Object 2> \"P2\", field N1: The value entered is not a real number.\n"
      "first.idf: People <Object 3> \"P3\", field A2 - Zone or ZoneList Name: required field is empty\n"
      "second.idf: Zone <Object 1> \"North\", field N1 - Multiplier: The value entered is not an integer.\n"
      "second.idf: People <Object 2> \"P5\", field A2 - Zone or ZoneList Name: "
      "\"North Wing\" names no object of ZoneNames, ZoneListNames\n"
      "findings: 9\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.status, 1);
}

TEST(CheckCommandTest, CleanInputHasNoFindingsAndSucceeds) {
  TempFolder folder;
  folder.Write("dict.idd", kDictionary);
  folder.Write("clean.idf", "Zone, A, 1, autocalculate;\nZone, B, , ;\nPeople, P, b, Elsewhere, ;\n");
  const ToolRun run = RunCheck(folder, "--idd dict.idd clean.idf");
  EXPECT_EQ(run.out, "findings: 0\n");
  EXPECT_EQ(run.status, 0);
}

TEST(CheckCommandTest, ObjectsAreCountedPerFileEvenWhenFilesShareALayer) {
  TempFolder folder;
  folder.Write("dict.idd", kDictionary);
  std::filesystem::create_directory(folder.PathOf("a"));
  std::filesystem::create_directory(folder.PathOf("b"));
  folder.Write("a/in.idf", "Zone, A, 1;\nZone, B, 0;\n");
  folder.Write("b/in.idf", "Zone, C, 0;\n");
  const ToolRun run = RunCheck(folder, "--idd dict.idd a/in.idf b/in.idf a/in.idf");
  EXPECT_EQ(
      run.out,
      "a/in.idf: Zone <Object 2> \"B\", field N1 - Multiplier: The value entered is lower than the minimum allowed.\n"
      "b/in.idf: Zone <Object 1> \"C\", field N1 - Multiplier: The value entered is lower than the minimum allowed.\n"
      "a/in.idf: Zone <Object 2> \"B\", field N1 - Multiplier: The value entered is lower than the minimum allowed.\n"
      "findings: 3\n");
  EXPECT_EQ(run.status, 1);
}

TEST(CheckCommandTest, CannotCheckWithoutDictionaryOrInput) {
  TempFolder folder;
  folder.Write("dict.idd", kDictionary);
  folder.Write("in.idf", "Zone, A, 1;\n");
  struct Case {
    const char* arguments;
    const char* out;
  };
  const Case cases[] = {
      {"in.idf", ""},                                          // no dictionary given
      {"--idd dict.idd", ""},                                  // no input
      {"--idd missing.idd in.idf", ""},                        // dictionary cannot be read
      {"--idd dict.idd in.idf missing.idf", "findings: 0\n"},  // one input cannot be read
  };
  for (const auto& c : cases) {
    const ToolRun run = RunCheck(folder, c.arguments);
    EXPECT_EQ(run.out, c.out) << c.arguments;
    EXPECT_NE(run.err, "") << c.arguments;
    EXPECT_EQ(run.status, 2) << c.arguments;
  }
}

TEST(CheckCommandTest, ObjectsTheReaderDroppedAreNotCheckedAndTheRestIs) {
  TempFolder folder;
  folder.Write("dict.idd", kDictionary);
  folder.Write("in.idf", "NoSuchClass, x;\nZone, A, 0;\n");
  const ToolRun run = RunCheck(folder, "--idd dict.idd in.idf");
  EXPECT_EQ(
      run.out,
      "in.idf: Zone <Object 1> \"A\", field N1 - Multiplier: The value entered is lower than the minimum allowed.\n"
      "findings: 1\n");
  EXPECT_NE(run.err, "");  // the reader's message
  EXPECT_EQ(run.status, 1);
}

TEST(CheckCommandTest, SampleModelIsClean) {
  TempFolder folder;
  const ToolRun run =
      RunCheck(folder, "--idd '" VERDANTO_EXAMPLES_DIR "/Sample.idd' '" VERDANTO_EXAMPLES_DIR "/Sample.idf'");
  EXPECT_EQ(run.out, "findings: 0\n");
  EXPECT_EQ(run.status, 0);
}

}  // namespace
}  // namespace verdanto
