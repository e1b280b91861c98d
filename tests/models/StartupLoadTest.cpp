#include "ui/models/StartupLoad.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/Dictionary.h"
#include "headless/HeadlessPlatform.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempFolder.h"

namespace verdanto {
namespace {

using testing::TempFolder;

TEST(ReadIddPathTest, FindsThePathAfterTheHeading) {
  const struct {
    std::string_view text;
    std::optional<std::string> path;
  } cases[] = {
      {"[IDD PATH]\r\n/opt/Energy+.idd\r\nmore\r\nlines", "/opt/Energy+.idd"},
      {"[IDD PATH]\n/opt/Energy+.idd\n", "/opt/Energy+.idd"},
      {"; remembered\r\n[IDD PATH]\r\n/p/Energy+.idd", "/p/Energy+.idd"},
      {"[IDD PATH]x\r\n[IDD PATH]\r\n/second", "/second"},
      {"[IDD PATH]\r\n/with spaces/and\tтабы.idd", "/with spaces/and\tтабы.idd"},
      {"[IDD PATH]\r\n", ""},
      {"[IDD PATH]", std::nullopt},
      {"[IDD PATH] \r\n/p", std::nullopt},
      {"[idd path]\r\n/p", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadIddPath(c.text), c.path) << c.text;
}

struct StartupLoadTest : ::testing::Test {
  TempFolder folder;
  std::string settings = folder.PathOf("Verdanto.ini");
  std::string goodIdd = folder.Write("Energy+.idd",
                                     "!IDD_Version 9.1.0\r\n\\group Simulation Parameters\r\n"
                                     "Version,\r\n  A1 ; \\field Version Identifier\r\n");
  std::string badIdd = folder.Write("Broken.idd", "! no class in here\r\n");
  Dictionary store;
  testing::RecordingPrompter prompter;
  testing::ScriptedFileChooser chooser;
  DirectLoadRunner runner{prompter};

  bool Load() { return LoadDictionaryAtStartup(store, settings, chooser, prompter, runner); }
  void Change() { ChangeDictionary(settings, chooser, prompter); }
  void ExpectLoaded() { EXPECT_EQ(std::tuple(store.GroupCount(), store.version), std::tuple(1, "9.1.0")); }
  // Every message is an OK box captioned "Verdanto".
  void ExpectMessages(const std::vector<std::pair<std::string, Icon>>& expected) {
    std::vector<std::pair<std::string, Icon>> shown;
    for (const RecordedMessage& m : prompter.messages) {
      shown.emplace_back(m.text, m.icon);
      EXPECT_EQ(std::tuple(m.caption, m.buttons), std::tuple("Verdanto", Buttons::Ok)) << m.text;
    }
    EXPECT_EQ(shown, expected);
  }
  std::string Recorded(const std::string& path) const { return "[IDD PATH]\r\n" + path; }
};

TEST_F(StartupLoadTest, RecordedDictionaryLoadsWithoutAsking) {
  const std::string text = Recorded(goodIdd) + "\r\nanything else\r\n";
  folder.Write("Verdanto.ini", text);
  ASSERT_TRUE(Load());
  ExpectLoaded();
  EXPECT_EQ(std::tuple(prompter.messages.size(), chooser.requests.size(), runner.requests.size(), TempFolder::Read(settings)),
            std::tuple(0u, 0u, 1u, text));
  ASSERT_TRUE(Load());  // a second load starts from an empty store
  EXPECT_EQ(store.GroupCount(), 1);
}

// Every fault of the settings file or of the dictionary it names: one message,
// then the file-open dialog; the chosen dictionary loads and its path is recorded.
TEST_F(StartupLoadTest, FaultsAskForTheDictionary) {
  const std::string missing = folder.PathOf("gone/Energy+.idd");
  const std::string unrecognized = "Unable to recognize " + settings + ".\r\nFind Energy+.idd.";
  const struct {
    const char* name;
    std::optional<std::string> content;  // nothing: no file
    std::string message;
    Icon icon;
  } cases[] = {
      {"NoFile", std::nullopt, "Unable to find Energy+.idd.", Icon::Exclamation},
      {"Empty", "", "Unable to find Energy+.idd.", Icon::Exclamation},
      {"OverOneMegabyte", Recorded(std::string(1048576, 'x')), "Unable to find Energy+.idd.", Icon::Exclamation},
      {"NoHeading", "C:\\EnergyPlus\\Energy+.idd", unrecognized, Icon::Exclamation},
      {"TextEndsAtOnce", std::string("\0[IDD PATH]\r\n/p", 15), unrecognized, Icon::Exclamation},
      {"MissingDictionary", Recorded(missing), "Unable to open " + missing + ".", Icon::Error},  // the reader's
      {"EmptyPath", Recorded(""), "Unable to open .", Icon::Error},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(settings);
    if (c.content) folder.Write("Verdanto.ini", *c.content);
    prompter.messages.clear();
    chooser.requests.clear();
    chooser.answers = {goodIdd};
    ASSERT_TRUE(Load());
    ExpectLoaded();
    ExpectMessages({{c.message, c.icon}});
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(std::tuple(chooser.requests[0].filter, TempFolder::Read(settings)),
              std::tuple("EnergyPlus IDD (Energy+.idd)|Energy+.idd||", Recorded(goodIdd)));
  }
}

// A failed dictionary brings the dialog back as often as needed; each choice is
// recorded before it is loaded, so the last one stays even when the user gives up.
TEST_F(StartupLoadTest, AsksAgainUntilADictionaryLoadsOrTheUserGivesUp) {
  EXPECT_FALSE(Load());  // cancelled at once: the settings file is created, nothing recorded
  EXPECT_EQ(std::tuple(runner.requests.size(), std::filesystem::exists(settings), TempFolder::Read(settings)),
            std::tuple(0u, true, ""));

  chooser.answers = {badIdd, badIdd, std::nullopt};
  EXPECT_FALSE(Load());
  EXPECT_EQ(std::tuple(runner.requests.size(), chooser.requests.size(), store.GroupCount(), TempFolder::Read(settings)),
            std::tuple(2u, 4u, 0, Recorded(badIdd)));

  chooser.answers = {badIdd, goodIdd};
  EXPECT_TRUE(Load());
  ExpectLoaded();
  EXPECT_EQ(TempFolder::Read(settings), Recorded(goodIdd));
}

// A settings file that cannot be written (here a folder stands where it would
// be) is reported once; the chosen dictionaries still load.
TEST_F(StartupLoadTest, UnwritableSettingsFileIsReportedOnceAndTheDictionaryLoadsAnyway) {
  settings = folder.PathOf("");
  chooser.answers = {badIdd, goodIdd};
  ASSERT_TRUE(Load());
  ExpectLoaded();
  ASSERT_EQ(prompter.messages.size(), 3u);
  EXPECT_NE(prompter.messages[2].text.find("Broken.idd"), std::string::npos);  // the reader's own message
  prompter.messages.pop_back();
  ExpectMessages({{"Unable to open " + settings + ".\r\nFind Energy+.idd.", Icon::Error},
                  {"Unable to save " + settings + ".", Icon::Exclamation}});
}

TEST_F(StartupLoadTest, ChangeRecordsTheNewPathForTheNextStartUnlessCancelledAndReportsFaults) {
  const std::string text = Recorded(goodIdd) + "\r\nold trailer";
  folder.Write("Verdanto.ini", text);
  Change();  // cancelled
  EXPECT_EQ(std::tuple(TempFolder::Read(settings), prompter.messages.size()), std::tuple(text, 0u));
  chooser.answers = {"/elsewhere/V9.idd"};
  Change();
  ASSERT_EQ(chooser.requests.size(), 2u);
  EXPECT_EQ(std::tuple(chooser.requests[1].filter, chooser.requests[1].initialName, TempFolder::Read(settings)),
            std::tuple("Energy+.idd (*.idd)|*.idd||", goodIdd, Recorded("/elsewhere/V9.idd")));
  ExpectMessages({{"New dictionary will be available on next startup.", Icon::Exclamation}});
  EXPECT_TRUE(runner.requests.empty());  // nothing is loaded now

  // Faults of the settings file are reported and the dialog still opens.
  const std::optional<std::string> contents[] = {std::nullopt, "", "/opt/Energy+.idd", std::string(1048577, '[')};
  for (const auto& content : contents) {
    SCOPED_TRACE(content ? content->substr(0, 20) : "no file");
    std::filesystem::remove(settings);
    if (content) folder.Write("Verdanto.ini", *content);
    prompter.messages.clear();
    chooser.requests.clear();
    Change();
    ExpectMessages({{"Unable to recognize " + settings + ".", Icon::Exclamation}});
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].initialName, "");
  }
  settings = folder.PathOf("");  // cannot be written
  chooser.answers = {goodIdd};
  prompter.messages.clear();
  Change();
  ExpectMessages({{"Unable to open " + settings + ".", Icon::Error},
                  {"Unable to save " + settings + ".", Icon::Exclamation}});
}

}  // namespace
}  // namespace verdanto
