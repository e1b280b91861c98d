#pragma once
// Runs the `verdanto` tool as a user runs it, from a temporary folder.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempFolder.h"

namespace verdanto::testing {

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// `verdanto <arguments>` run in `folder`; the arguments are quoted as needed.
inline ToolRun RunTool(const TempFolder& folder, const std::string& arguments) {
  const std::string out = folder.PathOf(".out"), err = folder.PathOf(".err");
  const std::string command =
      "cd '" + folder.PathOf("") + "' && '" VERDANTO_CLI_PATH "' " + arguments + " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, TempFolder::Read(out), TempFolder::Read(err)};
}

// A real dictionary or model of the corpus folder (or of $VERDANTO_CORPUS); "" when it is not there.
inline std::string CorpusFile(const std::string& name) {
  const char* env = std::getenv("VERDANTO_CORPUS");
  const std::filesystem::path path = std::filesystem::path(env && *env ? env : VERDANTO_CORPUS_DIR) / name;
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) ? path.string() : std::string();
}

}  // namespace verdanto::testing
