#pragma once
// How the windows' models ask the user for files. The Qt windows implement it
// with file dialogs; tests script the answers.
//
// Filters are written as "Description|pattern|Description|pattern||"; several
// patterns of one entry are separated by ';' (e.g. "Energy+.idd (*.idd)|*.idd||").
// Paths and texts are 8-bit store text. Every open dialog accepts only existing
// files, shows no read-only check box and can be resized.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verdanto {

class FileChooser {
 public:
  virtual ~FileChooser() = default;

  // Several files; nothing when the user cancels.
  virtual std::optional<std::vector<std::string>> OpenFiles(std::string_view filter,
                                                            std::string_view initialName) = 0;
  // One file; nothing when the user cancels.
  virtual std::optional<std::string> OpenFile(std::string_view filter, std::string_view initialName) = 0;
  // A file to write. `defaultExtension` (without the dot, e.g. "idf") is added to
  // a name typed without one; `askOverwrite` asks before an existing file is chosen.
  virtual std::optional<std::string> SaveFile(std::string_view filter, std::string_view defaultExtension,
                                              std::string_view initialName, bool askOverwrite) = 0;
};

}  // namespace verdanto
