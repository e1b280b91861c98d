#include "host/PluginState.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "tests/support/FakeHost.h"

namespace verdanto {
namespace {

using testing::FakeHost;

// What the next fake main window does when created or closed.
struct Script {
  FakeHost& host;
  enum { Succeed, GiveUp, Throw, ReleaseAndGiveUp } onCreate = Succeed;
  enum { Release, StayOpen } onClose = Release;
};

struct FakeWindow final : MainWindow {
  FakeWindow(const Script& s, std::function<void()> r) : script(s), release(std::move(r)) {}
  const Script& script;  // read when called: a test may change it while the window is open
  std::function<void()> release;
  int restores = 0, closeRuns = 0;
  int depthAtCreate = -1, depthAtClose = -1;  // resource handles pushed at the time
  int keepFocus = 1;
  bool discarded = false;

  bool Create() override {
    depthAtCreate = static_cast<int>(script.host.resourceStack.size());
    if (script.onCreate == Script::Throw) throw std::runtime_error("no memory");
    if (script.onCreate == Script::ReleaseAndGiveUp) release();
    return script.onCreate == Script::Succeed;
  }
  void RestoreWindow() override { ++restores; }
  void RunCloseProcedure() override {
    ++closeRuns;
    depthAtClose = static_cast<int>(script.host.resourceStack.size());
    if (script.onClose == Script::Release) release();
  }
  int KeepFocus() const override { return keepFocus; }
};

// Keeps every window until the end of the test, so that a window discarded
// from inside its own member is still there when that member returns.
struct FakeFactory final : MainWindowFactory {
  Script& script;
  std::vector<std::unique_ptr<FakeWindow>> made;
  explicit FakeFactory(Script& s) : script(s) {}
  MainWindow* Make(std::function<void()> release) override {
    return made.emplace_back(std::make_unique<FakeWindow>(script, std::move(release))).get();
  }
  void Discard(MainWindow* window) override {
    auto* fake = static_cast<FakeWindow*>(window);
    EXPECT_FALSE(fake->discarded) << "discarded twice";
    fake->discarded = true;
  }
  FakeWindow& last() { return *made.back(); }
};

const int kModule = 0;  // its address stands for the module's resource handle

// Every test ends with the resource handle pushes and pops paired.
struct PluginStateTest : ::testing::Test {
  FakeHost host;
  Script script{host};
  FakeFactory factory{script};
  PluginState state{host, factory, &kModule};

  void SetUp() override { ASSERT_EQ(state.HandleMessage(kInitAppMessage), kEntryOk); }
  void TearDown() override { EXPECT_TRUE(host.Balanced()); }
};

TEST_F(PluginStateTest, InitialisationRegistersTheCommandAndOtherMessagesChangeNothing) {
  ASSERT_EQ(host.commands.size(), 1u);
  const auto& command = host.commands.at("VERDANTO");
  EXPECT_EQ(std::tuple(command.group, command.globalName, command.localName, command.flags),
            std::tuple("TOVA", "VERDANTO", "VERDANTO", 0x00400000u));
  EXPECT_EQ(host.printed, "\nVerdanto: Enter \"VERDANTO\" to bring up the dialog.\n");
  for (const int message : {0, 3, 4, 5, 6, 7, 9, 10, 100, -1, int{kQuitMessage}})
    EXPECT_EQ(state.HandleMessage(message), kEntryOk) << message;
  EXPECT_EQ(std::tuple(host.commands.size(), factory.made.size(), host.pushCount), std::tuple(1u, 0u, 0));
  EXPECT_EQ(state.HandleMessage(kUnloadAppMessage), kEntryOk);
  EXPECT_EQ(std::tuple(host.removedGroups, host.commands.size()), std::tuple(std::vector<std::string>{"TOVA"}, 0u));
}

TEST_F(PluginStateTest, CommandCreatesTheWindowBetweenPushAndPopAndThenRestoresIt) {
  EXPECT_FALSE(host.keepFocus);
  ASSERT_TRUE(host.RunCommand("verdanto"));
  EXPECT_EQ(std::tuple(state.mainWindowOpen(), factory.last().depthAtCreate), std::tuple(true, 1));
  host.RunCommand("VERDANTO");
  ASSERT_EQ(factory.made.size(), 1u);
  EXPECT_EQ(std::tuple(factory.last().restores, host.pushCount, host.maxDepth), std::tuple(1, 2, 1));
  // The host's keep-focus query is answered by the open window only.
  ASSERT_TRUE(host.keepFocus);
  factory.last().keepFocus = 0;
  EXPECT_EQ(host.keepFocus(), 0);
  state.ReleaseMainWindow();
  state.ReleaseMainWindow();  // a second release has nothing left to end
  EXPECT_FALSE(host.keepFocus);
  host.RunCommand("VERDANTO");  // a new window after the release
  ASSERT_EQ(factory.made.size(), 2u);
  EXPECT_EQ(std::tuple(factory.made[0]->discarded, factory.made[1]->discarded, factory.made[1]->restores),
            std::tuple(true, false, 0));
}

// Creation that does not end with a window leaves the flag at 0, discards the
// window once, pops the resource handle (also when left by an exception), and
// lets the next command try again.
TEST_F(PluginStateTest, FailedCreationLeavesNoWindowAndTheNextCommandTriesAgain) {
  for (const auto failure : {Script::GiveUp, Script::Throw, Script::ReleaseAndGiveUp}) {
    SCOPED_TRACE(failure);
    script.onCreate = failure;
    host.RunCommand("VERDANTO");
    EXPECT_EQ(std::tuple(factory.last().discarded, state.mainWindowOpen(), bool(host.keepFocus), host.Balanced()),
              std::tuple(true, false, false, true));
  }
  EXPECT_EQ(factory.made.size(), 3u);
  EXPECT_NE(host.printed.find("no memory"), std::string::npos);
  script.onCreate = Script::Succeed;
  host.RunCommand("VERDANTO");
  EXPECT_EQ(std::tuple(state.mainWindowOpen(), factory.last().discarded), std::tuple(true, false));
}

// Quit restores the window and runs its close procedure, in which the user may
// keep it (to save first): unload is refused for as long as it is open.
TEST_F(PluginStateTest, UnloadIsRefusedWhileTheWindowIsOpenEvenAfterQuit) {
  host.RunCommand("VERDANTO");
  FakeWindow& window = factory.last();
  EXPECT_EQ(state.HandleMessage(kUnloadAppMessage), kEntryRefused);
  script.onClose = Script::StayOpen;
  EXPECT_EQ(state.HandleMessage(kQuitMessage), kEntryOk);
  EXPECT_EQ(state.HandleMessage(kUnloadAppMessage), kEntryRefused);
  EXPECT_EQ(std::tuple(host.removedGroups.size(), window.discarded), std::tuple(0u, false));
  script.onClose = Script::Release;
  EXPECT_EQ(state.HandleMessage(kQuitMessage), kEntryOk);
  EXPECT_EQ(std::tuple(window.restores, window.closeRuns, window.depthAtClose, window.discarded),
            std::tuple(2, 2, 1, true));
  EXPECT_FALSE(state.mainWindowOpen());
  EXPECT_EQ(state.HandleMessage(kUnloadAppMessage), kEntryOk);
  EXPECT_EQ(std::tuple(host.removedGroups, host.RunCommand("VERDANTO")), std::tuple(std::vector<std::string>{"TOVA"}, false));
}

TEST(SettingsPathTest, ReplacesTheModuleExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/opt/cad/plugins/Verdanto.arx", "/opt/cad/plugins/Verdanto.ini"},
      {"Verdanto.arx", "Verdanto.ini"},
      {"/opt/my.plugins/Verdanto", "/opt/my.plugins/Verdanto.ini"},
      {"/opt/plugins/.arx", "/opt/plugins/.arx.ini"},
      {"/a/b.c.arx", "/a/b.c.ini"},
  };
  for (const auto& [module, settings] : cases) EXPECT_EQ(SettingsPathBeside(module), settings) << module;
}

}  // namespace
}  // namespace verdanto
