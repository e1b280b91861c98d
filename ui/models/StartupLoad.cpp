#include "ui/models/StartupLoad.h"

#include <cstdio>
#include <filesystem>

#include "store/Dictionary.h"
#include "base/WholeFile.h"
#include "base/Platform.h"
#include "base/Text.h"

namespace verdanto {
namespace {

constexpr std::uint64_t kMaxSettingsSize = 1048576;

enum class SettingsStatus { Ok, CannotOpen, NoText, CannotRead, Unrecognized };

struct Settings {
  SettingsStatus status = SettingsStatus::Ok;
  std::string iddPath;
};

Settings ReadSettings(const std::string& settingsPath) {
  // Created when missing, never truncated: the next start finds the file even
  // when no path gets recorded. A file that may only be read still names the
  // dictionary, so failing to create it is not an error yet.
  if (std::FILE* file = std::fopen(settingsPath.c_str(), "ab")) std::fclose(file);
  WholeFile file;
  switch (file.Read(settingsPath, kMaxSettingsSize)) {
    case ReadStatus::CannotOpen: return {SettingsStatus::CannotOpen, {}};
    case ReadStatus::TooLarge: return {SettingsStatus::NoText, {}};
    case ReadStatus::CannotRead: return {SettingsStatus::CannotRead, {}};
    case ReadStatus::Ok: break;
  }
  // An empty file is a missing path; a text that ends at a NUL byte at once is
  // a text without the heading.
  std::error_code sizeError;
  const std::string_view text = file.text();
  if (text.empty() && std::filesystem::file_size(settingsPath, sizeError) == 0 && !sizeError)
    return {SettingsStatus::NoText, {}};
  std::optional<std::string> iddPath = ReadIddPath(text);
  if (!iddPath) return {SettingsStatus::Unrecognized, {}};
  return {SettingsStatus::Ok, std::move(*iddPath)};
}

void Tell(Prompter& prompter, const std::string& text, Icon icon) {
  prompter.Show(text, kAppCaption, icon, Buttons::Ok);
}

void TellUnableToSave(Prompter& prompter, const std::string& settingsPath) {
  Tell(prompter, Format("Unable to save %s.", settingsPath.c_str()), Icon::Exclamation);
}

}  // namespace

std::optional<std::string> ReadIddPath(std::string_view settingsText) {
  constexpr std::string_view kHeading = "[IDD PATH]";
  for (std::size_t at = settingsText.find(kHeading); at != std::string_view::npos;
       at = settingsText.find(kHeading, at + 1)) {
    std::string_view rest = settingsText.substr(at + kHeading.size());
    // The heading's line may end with CR LF, as written, or with LF, as edited by hand.
    if (rest.starts_with("\r\n")) {
      rest.remove_prefix(2);
    } else if (rest.starts_with('\n')) {
      rest.remove_prefix(1);
    } else {
      continue;
    }
    std::size_t next = 0;
    return std::string(rest.substr(0, FindLineEnd(rest, 0, next)));
  }
  return std::nullopt;
}

bool WriteIddPath(const std::string& settingsPath, std::string_view iddPath) {
  std::FILE* file = std::fopen(settingsPath.c_str(), "wb");
  if (!file) return false;
  const std::string text = std::string(kIddPathMarker) + std::string(iddPath);
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

bool LoadDictionaryAtStartup(Dictionary& store, const std::string& settingsPath, FileChooser& chooser,
                             Prompter& prompter, LoadRunner& runner) {
  const char* settingsName = settingsPath.c_str();
  Settings settings = ReadSettings(settingsPath);
  switch (settings.status) {
    case SettingsStatus::Ok: break;
    case SettingsStatus::CannotOpen:
      Tell(prompter, Format("Unable to open %s.\r\nFind Energy+.idd.", settingsName), Icon::Error);
      break;
    case SettingsStatus::NoText: Tell(prompter, "Unable to find Energy+.idd.", Icon::Exclamation); break;
    case SettingsStatus::CannotRead:
      Tell(prompter, Format("Unable to load %s.\r\nFind Energy+.idd.", settingsName), Icon::Error);
      break;
    case SettingsStatus::Unrecognized:
      Tell(prompter, Format("Unable to recognize %s.\r\nFind Energy+.idd.", settingsName), Icon::Exclamation);
      break;
  }

  bool ask = settings.status != SettingsStatus::Ok;
  std::string iddPath = std::move(settings.iddPath);
  bool toldUnableToSave = false;
  for (;;) {
    if (ask) {
      std::optional<std::string> chosen = chooser.OpenFile(kStartupIddFilter, "");
      if (!chosen) return false;
      iddPath = std::move(*chosen);
      // Recorded before loading, so the next start begins with this path even
      // when it fails to load. A settings file that cannot be written does not
      // keep the user from working: say so once and load the dictionary anyway.
      if (!WriteIddPath(settingsPath, iddPath) && !toldUnableToSave) {
        TellUnableToSave(prompter, settingsPath);
        toldUnableToSave = true;
      }
    }
    store.Clear();  // nothing of a failed attempt may stay behind
    if (runner.Run(LoadKind::LoadIdd, iddPath, store)) return true;
    ask = true;  // the reader has told the user why
  }
}

void ChangeDictionary(const std::string& settingsPath, FileChooser& chooser, Prompter& prompter) {
  const char* settingsName = settingsPath.c_str();
  Settings settings = ReadSettings(settingsPath);
  switch (settings.status) {
    case SettingsStatus::Ok: break;
    case SettingsStatus::CannotOpen: Tell(prompter, Format("Unable to open %s.", settingsName), Icon::Error); break;
    case SettingsStatus::NoText:
    case SettingsStatus::Unrecognized:
      Tell(prompter, Format("Unable to recognize %s.", settingsName), Icon::Exclamation);
      break;
    case SettingsStatus::CannotRead: Tell(prompter, Format("Unable to load %s.", settingsName), Icon::Error); break;
  }

  const std::optional<std::string> chosen = chooser.OpenFile(kChangeIddFilter, settings.iddPath);
  if (!chosen) return;
  if (!WriteIddPath(settingsPath, *chosen)) {
    TellUnableToSave(prompter, settingsPath);
    return;
  }
  Tell(prompter, "New dictionary will be available on next startup.", Icon::Exclamation);
}

}  // namespace verdanto
