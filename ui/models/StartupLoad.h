#pragma once
// Finding the data dictionary at start-up, and recording a new one for the next
// start. The dictionary's path lives only in the settings file beside the
// plug-in: "[IDD PATH]\r\n" followed by the path.

#include <optional>
#include <string>
#include <string_view>

namespace verdanto {

class Dictionary;
class FileChooser;
class LoadRunner;
class Prompter;

inline constexpr std::string_view kIddPathMarker = "[IDD PATH]\r\n";
inline constexpr std::string_view kStartupIddFilter = "EnergyPlus IDD (Energy+.idd)|Energy+.idd||";
inline constexpr std::string_view kChangeIddFilter = "Energy+.idd (*.idd)|*.idd||";

// The path recorded in a settings text, or nothing when the text has no
// "[IDD PATH]" line. The path ends at the next line end (CR LF or LF) or at the
// end of the text; it may be empty.
std::optional<std::string> ReadIddPath(std::string_view settingsText);

// Rewrites the settings file whole with the marker and `iddPath` (no line end
// after it). False when the file cannot be written.
bool WriteIddPath(const std::string& settingsPath, std::string_view iddPath);

// Loads the dictionary named in the settings file into `store` through
// `runner` (which fills the same store), asking the user for the file as often
// as loading fails. False when the user gave up: the main window is not opened.
bool LoadDictionaryAtStartup(Dictionary& store, const std::string& settingsPath, FileChooser& chooser,
                             Prompter& prompter, LoadRunner& runner);

// Records a dictionary chosen by the user for the next start; the loaded one stays.
void ChangeDictionary(const std::string& settingsPath, FileChooser& chooser, Prompter& prompter);

}  // namespace verdanto
