#include "ui/models/StartupLoad.h"

#include <gtest/gtest.h>

#include "store/Dictionary.h"
#include "tests/support/DirectLoadRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempFolder.h"

namespace verdanto {
namespace {

using testing::DirectLoadRunner;
using testing::RecordedMessage;
using testing::RecordingPrompter;
using testing::ScriptedFileChooser;
using testing::TempFolder;

constexpr std::string_view kIdd =
    "!IDD_Version 9.1.0\r\n"
    "\\group Simulation Parameters\r\n"
    "Version,\r\n"
    "  A1 ; \\field Version Identifier\r\n";

TEST(ReadIddPathTest, FindsThePathAfterTheHeading) {
  const struct {
    std::string_view text;
    std::optional<std::string> path;
  } cases[] = {
      {"[IDD PATH]\r\n/opt/E+/Energy+.idd", "/opt/E+/Energy+.idd"},
      {"[IDD PATH]\r\n/opt/Energy+.idd\r\nmore\r\nlines", "/opt/Energy+.idd"},
      {"[IDD PATH]\r\n/opt/Energy+.idd\nmore", "/opt/Energy+.idd"},
      {"[IDD PATH]\n/opt/Energy+.idd\n", "/opt/Energy+.idd"},
      {"; remembered\r\n[IDD PATH]\r\n/p/Energy+.idd", "/p/Energy+.idd"},
      {"[IDD PATH]x\r\n[IDD PATH]\r\n/second", "/second"},
      {"[IDD PATH]\r\n/with spaces/and\tтабы.idd", "/with spaces/and\tтабы.idd"},
      {"[IDD PATH]\r\n", ""},
      {"[IDD PATH]\r\n\r\n/next line", ""},
      {"[IDD PATH]", std::nullopt},
      {"[IDD PATH] \r\n/p", std::nullopt},
      {"[idd path]\r\n/p", std::nullopt},
      {"IDD PATH\r\n/p", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadIddPath(c.text), c.path) << c.text;
}

TEST(WriteIddPathTest, RewritesTheFileWhole) {
  TempFolder folder;
  const std::string settings = folder.Write("Verdanto.ini", "[IDD PATH]\r\n/a/much/longer/old/path/Energy+.idd");
  ASSERT_TRUE(WriteIddPath(settings, "/new/Énergie+.idd"));
  EXPECT_EQ(TempFolder::Read(settings), "[IDD PATH]\r\n/new/Énergie+.idd");
  ASSERT_TRUE(WriteIddPath(folder.PathOf("created.ini"), ""));
  EXPECT_EQ(TempFolder::Read(folder.PathOf("created.ini")), "[IDD PATH]\r\n");
}

TEST(WriteIddPathTest, ReportsAFileThatCannotBeWritten) {
  TempFolder folder;
  EXPECT_FALSE(WriteIddPath(folder.PathOf("missing/Verdanto.ini"), "/p"));
  EXPECT_FALSE(WriteIddPath(folder.PathOf(""), "/p"));  // the folder itself
}

struct StartupLoadTest : ::testing::Test {
  TempFolder folder;
  std::string settings = folder.PathOf("Verdanto.ini");
  std::string goodIdd = folder.Write("Energy+.idd", kIdd);
  std::string badIdd = folder.Write("Broken.idd", "! no class in here\r\n");
  Dictionary store;
  RecordingPrompter prompter;
  ScriptedFileChooser chooser;
  DirectLoadRunner runner{store, prompter};

  bool Load() { return LoadDictionaryAtStartup(store, settings, chooser, prompter, runner); }
  void ExpectLoaded() {
    EXPECT_EQ(store.GroupCount(), 1);
    EXPECT_EQ(store.version, "9.1.0");
  }
  void ExpectMessage(std::size_t i, const std::string& text, Icon icon) {
    ASSERT_LT(i, prompter.messages.size());
    const RecordedMessage& m = prompter.messages[i];
    EXPECT_EQ(m.text, text);
    EXPECT_EQ(m.icon, icon);
    EXPECT_EQ(m.caption, "Verdanto");
    EXPECT_EQ(m.buttons, Buttons::Ok);
  }
};

TEST_F(StartupLoadTest, RecordedDictionaryLoadsWithoutAsking) {
  const std::string text = "[IDD PATH]\r\n" + goodIdd + "\r\nanything else\r\n";
  folder.Write("Verdanto.ini", text);
  ASSERT_TRUE(Load());
  ExpectLoaded();
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_TRUE(chooser.requests.empty());
  ASSERT_EQ(runner.requests.size(), 1u);
  EXPECT_EQ(runner.requests[0].kind, LoadKind::LoadIdd);
  EXPECT_EQ(runner.requests[0].path, goodIdd);
  EXPECT_EQ(TempFolder::Read(settings), text);
}

TEST_F(StartupLoadTest, NoSettingsFileIsCreatedAndFilledWithTheChosenPath) {
  chooser.answers = {goodIdd};
  ASSERT_TRUE(Load());
  ExpectLoaded();
  ASSERT_EQ(prompter.messages.size(), 1u);
  ExpectMessage(0, "Unable to find Energy+.idd.", Icon::Exclamation);
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].kind, testing::FileRequest::Kind::OpenFile);
  EXPECT_EQ(chooser.requests[0].filter, "EnergyPlus IDD (Energy+.idd)|Energy+.idd||");
  EXPECT_EQ(TempFolder::Read(settings), "[IDD PATH]\r\n" + goodIdd);
}

// Every fault of the settings file: its message, then the file-open dialog;
// the chosen dictionary loads and its path is recorded.
TEST_F(StartupLoadTest, SettingsFileFaultsAskForTheDictionary) {
  const struct {
    const char* name;
    std::string content;
    std::string message;  // %s: the settings path
    Icon icon;
  } cases[] = {
      {"Empty", "", "Unable to find Energy+.idd.", Icon::Exclamation},
      {"LargerThanOneMegabyte", "[IDD PATH]\r\n" + std::string(1048576, 'x'), "Unable to find Energy+.idd.",
       Icon::Exclamation},
      {"NoHeading", "C:\\EnergyPlus\\Energy+.idd", "Unable to recognize %s.\r\nFind Energy+.idd.",
       Icon::Exclamation},
      {"TextEndsAtOnce", std::string("\0[IDD PATH]\r\n/p", 15), "Unable to recognize %s.\r\nFind Energy+.idd.",
       Icon::Exclamation},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    folder.Write("Verdanto.ini", c.content);
    prompter.messages.clear();
    chooser.answers = {goodIdd};
    ASSERT_TRUE(Load());
    ExpectLoaded();
    ASSERT_EQ(prompter.messages.size(), 1u);
    std::string expected = c.message;
    if (const auto at = expected.find("%s"); at != std::string::npos) expected.replace(at, 2, settings);
    ExpectMessage(0, expected, c.icon);
    EXPECT_TRUE(chooser.answers.empty());
    EXPECT_EQ(TempFolder::Read(settings), "[IDD PATH]\r\n" + goodIdd);
  }
}

TEST_F(StartupLoadTest, MissingDictionaryIsReportedByTheReaderThenAskedFor) {
  const std::string missing = folder.PathOf("gone/Energy+.idd");
  folder.Write("Verdanto.ini", "[IDD PATH]\r\n" + missing);
  chooser.answers = {goodIdd};
  ASSERT_TRUE(Load());
  ExpectLoaded();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Unable to open " + missing + ".");
  EXPECT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(TempFolder::Read(settings), "[IDD PATH]\r\n" + goodIdd);
}

TEST_F(StartupLoadTest, EmptyRecordedPathFailsToLoadAndAsks) {
  folder.Write("Verdanto.ini", "[IDD PATH]\r\n");
  chooser.answers = {goodIdd};
  ASSERT_TRUE(Load());
  ASSERT_EQ(runner.requests.size(), 2u);
  EXPECT_EQ(runner.requests[0].path, "");
  EXPECT_EQ(chooser.requests.size(), 1u);
}

// A failed dictionary brings the dialog back as often as needed; each choice is
// recorded before it is loaded, so the last one stays even when the user gives up.
TEST_F(StartupLoadTest, AsksAgainUntilADictionaryLoadsOrTheUserGivesUp) {
  folder.Write("Verdanto.ini", "[IDD PATH]\r\n" + badIdd);
  chooser.answers = {badIdd, badIdd, std::nullopt};
  EXPECT_FALSE(Load());
  EXPECT_EQ(runner.requests.size(), 3u);
  EXPECT_EQ(chooser.requests.size(), 3u);
  EXPECT_EQ(store.GroupCount(), 0);
  EXPECT_EQ(TempFolder::Read(settings), "[IDD PATH]\r\n" + badIdd);

  chooser.answers = {badIdd, goodIdd};
  EXPECT_TRUE(Load());
  ExpectLoaded();
  EXPECT_EQ(TempFolder::Read(settings), "[IDD PATH]\r\n" + goodIdd);
}

TEST_F(StartupLoadTest, CancellingAtOnceLoadsNothing) {
  EXPECT_FALSE(Load());
  EXPECT_TRUE(runner.requests.empty());
  EXPECT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(TempFolder::Read(settings), "");  // created, nothing recorded
}

// A settings file that cannot be written (here a folder stands where it would
// be) is reported once; the chosen dictionaries still load.
TEST_F(StartupLoadTest, UnwritableSettingsFileIsReportedOnceAndTheDictionaryLoadsAnyway) {
  settings = folder.PathOf("");
  chooser.answers = {badIdd, goodIdd};
  ASSERT_TRUE(Load());
  ExpectLoaded();
  const std::vector<std::string> texts = prompter.Texts();
  ASSERT_EQ(texts.size(), 3u);
  ExpectMessage(0, "Unable to open " + settings + ".\r\nFind Energy+.idd.", Icon::Error);
  ExpectMessage(1, "Unable to save " + settings + ".", Icon::Exclamation);
  EXPECT_NE(texts[2].find("Broken.idd"), std::string::npos);  // the reader's own message
  EXPECT_EQ(runner.requests.size(), 2u);
}

TEST_F(StartupLoadTest, ARetryStartsFromAnEmptyStore) {
  folder.Write("Verdanto.ini", "[IDD PATH]\r\n" + goodIdd);
  ASSERT_TRUE(Load());
  ASSERT_TRUE(Load());
  EXPECT_EQ(store.GroupCount(), 1);
}

struct ChangeDictionaryTest : StartupLoadTest {
  void Change() { ChangeDictionary(settings, chooser, prompter); }
};

TEST_F(ChangeDictionaryTest, OkRecordsTheNewPathForTheNextStart) {
  folder.Write("Verdanto.ini", "[IDD PATH]\r\n" + goodIdd + "\r\nold trailer");
  chooser.answers = {"/elsewhere/V9.idd"};
  Change();
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].filter, "Energy+.idd (*.idd)|*.idd||");
  EXPECT_EQ(chooser.requests[0].initialName, goodIdd);
  EXPECT_EQ(TempFolder::Read(settings), "[IDD PATH]\r\n/elsewhere/V9.idd");
  ASSERT_EQ(prompter.messages.size(), 1u);
  ExpectMessage(0, "New dictionary will be available on next startup.", Icon::Exclamation);
  EXPECT_TRUE(runner.requests.empty());  // nothing is loaded now
}

TEST_F(ChangeDictionaryTest, CancelLeavesTheSettingsFileUnchanged) {
  const std::string text = "[IDD PATH]\r\n" + goodIdd + "\r\nold trailer";
  folder.Write("Verdanto.ini", text);
  Change();
  EXPECT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(TempFolder::Read(settings), text);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ChangeDictionaryTest, SettingsFileFaultsAreReportedAndTheDialogStillOpens) {
  const struct {
    const char* name;
    std::optional<std::string> content;  // nothing: no file
    Icon icon;
  } cases[] = {
      {"NoFile", std::nullopt, Icon::Exclamation},
      {"Empty", "", Icon::Exclamation},
      {"NoHeading", "/opt/Energy+.idd", Icon::Exclamation},
      {"LargerThanOneMegabyte", std::string(1048577, '['), Icon::Exclamation},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(settings);
    if (c.content) folder.Write("Verdanto.ini", *c.content);
    prompter.messages.clear();
    chooser.requests.clear();
    Change();
    ASSERT_EQ(prompter.messages.size(), 1u);
    ExpectMessage(0, "Unable to recognize " + settings + ".", c.icon);
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].initialName, "");
  }
}

TEST_F(ChangeDictionaryTest, UnwritableSettingsFileIsReportedInsteadOfTheNextStartMessage) {
  settings = folder.PathOf("");
  chooser.answers = {goodIdd};
  Change();
  ASSERT_EQ(prompter.messages.size(), 2u);
  ExpectMessage(0, "Unable to open " + settings + ".", Icon::Error);
  ExpectMessage(1, "Unable to save " + settings + ".", Icon::Exclamation);
}

}  // namespace
}  // namespace verdanto
