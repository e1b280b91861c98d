#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "support/TempFolder.h"

namespace verdanto {
namespace {

using testing::TempFolder;

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the built tool with the given (already quoted) arguments.
ToolRun RunTool(const TempFolder& folder, const std::string& arguments) {
  const std::string out = folder.PathOf("stdout"), err = folder.PathOf("stderr");
  const std::string command =
      std::string("'") + VERDANTO_CLI_PATH + "' " + arguments + " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, TempFolder::Read(out), TempFolder::Read(err)};
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

constexpr const char* kDictionary =
    "!IDD_Version 8.9.0\r\n"
    "\\group Simulation Parameters\r\n"
    "Version,\r\n"
    "  A1 ; \\field Version Identifier\r\n"
    "\\group Zones\r\n"
    "Zone,\r\n"
    "  A1 , \\field Name\r\n"
    "       \\reference ZoneNames\r\n"
    "  A2 ; \\field Kind\r\n"
    "       \\key Inside\r\n"
    "       \\key Outside\r\n"
    "Wall,\n"
    "  A1 , \\field Name\n"
    "  A2 , \\object-list zonenames\n"
    "  A3 ; \\object-list SurfaceNames\n"
    "Empty,\n";

TEST(DictCommandTest, PrintsWhatTheDictionaryHolds) {
  TempFolder folder;
  const ToolRun run = RunTool(folder, "dict " + Quoted(folder.Write("Energy+.idd", kDictionary)));
  EXPECT_EQ(run.status, 0);
  const std::regex expected(
      "version: 8.9.0\n"
      "groups: 2\n"
      "classes: 3\n"
      "fields: 6\n"
      "keys: 2\n"
      "reference names: 2\n"
      "read: [0-9]+\\.[0-9] ms\n");
  EXPECT_TRUE(std::regex_match(run.out, expected)) << run.out;
  // The warning of a successful load still reaches the user.
  EXPECT_EQ(run.err, "Verdanto: No field found in class \"Empty\". This class will be deleted.\n");
}

TEST(DictCommandTest, FailuresAndWrongUsage) {
  TempFolder folder;
  const std::string missing = folder.PathOf("missing.idd");
  const std::string noClass = folder.Write("none.idd", "Zone,\r\n");
  const struct {
    std::string arguments;
    std::string err;
  } cases[] = {
      {"dict " + Quoted(missing), "Verdanto: Unable to open " + missing + ".\n"},
      {"dict " + Quoted(noClass), "Verdanto: ERROR 1\nVerdanto: No class found in " + noClass + ".\n"},
      {"dict", "usage: verdanto dict PATH\n"},
      {"dict a b", "usage: verdanto dict PATH\n"},
  };
  for (const auto& test : cases) {
    const ToolRun run = RunTool(folder, test.arguments);
    EXPECT_EQ(run.status, 1) << test.arguments;
    EXPECT_EQ(run.out, "") << test.arguments;
    EXPECT_EQ(run.err, test.err) << test.arguments;
  }
}

}  // namespace
}  // namespace verdanto
