#include "host/PluginState.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "tests/support/FakeHost.h"

namespace verdanto {
namespace {

using testing::FakeHost;

// What a fake main window is told to do when created or closed.
enum class OnCreate { Succeed, GiveUp, Throw, ReleaseAndGiveUp };
enum class OnClose { Release, StayOpen };

struct FakeWindow final : MainWindow {
  FakeWindow(std::function<void()> releaseFn, OnCreate create, OnClose close, FakeHost& hostRef)
      : release(std::move(releaseFn)), onCreate(create), onClose(close), host(hostRef) {}

  bool Create() override {
    depthAtCreate = static_cast<int>(host.resourceStack.size());
    switch (onCreate) {
      case OnCreate::Succeed: return true;
      case OnCreate::GiveUp: return false;
      case OnCreate::Throw: throw std::runtime_error("no memory");
      case OnCreate::ReleaseAndGiveUp: release(); return false;
    }
    return false;
  }
  void RestoreWindow() override { ++restores; }
  void RunCloseProcedure() override {
    ++closeRuns;
    depthAtClose = static_cast<int>(host.resourceStack.size());
    if (onClose == OnClose::Release) release();
  }
  int KeepFocus() const override { return keepFocus; }

  std::function<void()> release;
  OnCreate onCreate;
  OnClose onClose;
  FakeHost& host;
  int restores = 0;
  int closeRuns = 0;
  int depthAtCreate = -1;
  int depthAtClose = -1;
  int keepFocus = 1;
  bool discarded = false;
};

// Keeps every window until the end of the test, so that a window discarded
// from inside its own member is still there when that member returns.
struct FakeFactory final : MainWindowFactory {
  explicit FakeFactory(FakeHost& hostRef) : host(hostRef) {}
  MainWindow* Make(std::function<void()> release) override {
    made.push_back(std::make_unique<FakeWindow>(std::move(release), nextCreate, nextClose, host));
    return made.back().get();
  }
  void Discard(MainWindow* window) override {
    auto* fake = static_cast<FakeWindow*>(window);
    EXPECT_FALSE(fake->discarded) << "discarded twice";
    fake->discarded = true;
  }
  FakeWindow& last() { return *made.back(); }

  FakeHost& host;
  OnCreate nextCreate = OnCreate::Succeed;
  OnClose nextClose = OnClose::Release;
  std::vector<std::unique_ptr<FakeWindow>> made;
};

const int kModule = 0;  // its address stands for the module's resource handle

struct PluginStateTest : ::testing::Test {
  FakeHost host;
  FakeFactory factory{host};
  PluginState state{host, factory, &kModule};

  void SetUp() override { ASSERT_EQ(state.HandleMessage(kInitAppMessage), kEntryOk); }
  void TearDown() override { EXPECT_TRUE(host.Balanced()); }
};

TEST_F(PluginStateTest, InitialisationRegistersTheCommandAndPrintsTheStartupLine) {
  ASSERT_EQ(host.commands.size(), 1u);
  const auto& command = host.commands.at("VERDANTO");
  EXPECT_EQ(command.group, "TOVA");
  EXPECT_EQ(command.globalName, "VERDANTO");
  EXPECT_EQ(command.localName, "VERDANTO");
  EXPECT_EQ(command.flags, 0x00400000u);
  EXPECT_EQ(host.printed, "\nVerdanto: Enter \"VERDANTO\" to bring up the dialog.\n");
  EXPECT_FALSE(state.mainWindowOpen());
  EXPECT_TRUE(factory.made.empty());
}

TEST_F(PluginStateTest, OtherMessagesAreAnsweredWithSuccessAndChangeNothing) {
  for (const int message : {0, 3, 4, 5, 6, 7, 9, 10, 100, -1}) {
    EXPECT_EQ(state.HandleMessage(message), kEntryOk) << message;
  }
  EXPECT_EQ(host.commands.size(), 1u);
  EXPECT_TRUE(host.removedGroups.empty());
  EXPECT_TRUE(factory.made.empty());
  EXPECT_EQ(host.pushCount, 0);
}

TEST_F(PluginStateTest, CommandCreatesTheWindowBetweenPushAndPop) {
  ASSERT_TRUE(host.RunCommand("verdanto"));
  ASSERT_EQ(factory.made.size(), 1u);
  EXPECT_TRUE(state.mainWindowOpen());
  EXPECT_EQ(factory.last().depthAtCreate, 1);
  EXPECT_EQ(host.pushCount, 1);
  EXPECT_EQ(host.maxDepth, 1);
}

TEST_F(PluginStateTest, SecondCommandRestoresTheSameWindow) {
  host.RunCommand("VERDANTO");
  host.RunCommand("VERDANTO");
  ASSERT_EQ(factory.made.size(), 1u);
  EXPECT_EQ(factory.last().restores, 1);
  EXPECT_EQ(host.pushCount, 2);
}

TEST_F(PluginStateTest, KeepFocusQueryIsAnsweredByTheOpenWindowOnly) {
  EXPECT_FALSE(host.keepFocus);
  host.RunCommand("VERDANTO");
  ASSERT_TRUE(host.keepFocus);
  EXPECT_EQ(host.keepFocus(), 1);
  factory.last().keepFocus = 0;
  EXPECT_EQ(host.keepFocus(), 0);
  state.ReleaseMainWindow();
  EXPECT_FALSE(host.keepFocus);
}

// Creation that does not end with a window leaves the flag at 0, discards the
// window once, pops the resource handle, and lets the next command try again.
TEST_F(PluginStateTest, FailedCreationLeavesNoWindowAndTheNextCommandTriesAgain) {
  for (const OnCreate failure : {OnCreate::GiveUp, OnCreate::Throw, OnCreate::ReleaseAndGiveUp}) {
    SCOPED_TRACE(static_cast<int>(failure));
    factory.nextCreate = failure;
    const std::size_t before = factory.made.size();
    host.RunCommand("VERDANTO");
    ASSERT_EQ(factory.made.size(), before + 1);
    EXPECT_TRUE(factory.last().discarded);
    EXPECT_FALSE(state.mainWindowOpen());
    EXPECT_FALSE(host.keepFocus);
    EXPECT_TRUE(host.Balanced());
  }
  EXPECT_NE(host.printed.find("no memory"), std::string::npos);
  factory.nextCreate = OnCreate::Succeed;
  host.RunCommand("VERDANTO");
  EXPECT_TRUE(state.mainWindowOpen());
  EXPECT_FALSE(factory.last().discarded);
}

TEST_F(PluginStateTest, UnloadIsRefusedWhileTheWindowIsOpenAndRemovesTheGroupAfterwards) {
  host.RunCommand("VERDANTO");
  EXPECT_EQ(state.HandleMessage(kUnloadAppMessage), kEntryRefused);
  EXPECT_TRUE(host.removedGroups.empty());
  EXPECT_EQ(host.commands.count("VERDANTO"), 1u);
  EXPECT_FALSE(factory.last().discarded);

  factory.last().RunCloseProcedure();  // the user closes the window
  EXPECT_TRUE(factory.last().discarded);
  EXPECT_FALSE(state.mainWindowOpen());
  EXPECT_EQ(state.HandleMessage(kUnloadAppMessage), kEntryOk);
  EXPECT_EQ(host.removedGroups, std::vector<std::string>{"TOVA"});
  EXPECT_FALSE(host.RunCommand("VERDANTO"));
}

TEST_F(PluginStateTest, UnloadWithoutEverOpeningRemovesTheGroup) {
  EXPECT_EQ(state.HandleMessage(kUnloadAppMessage), kEntryOk);
  EXPECT_TRUE(host.commands.empty());
}

TEST_F(PluginStateTest, QuitRestoresTheWindowAndRunsItsCloseProcedure) {
  host.RunCommand("VERDANTO");
  FakeWindow& window = factory.last();
  EXPECT_EQ(state.HandleMessage(kQuitMessage), kEntryOk);
  EXPECT_EQ(window.restores, 1);
  EXPECT_EQ(window.closeRuns, 1);
  EXPECT_EQ(window.depthAtClose, 1);
  EXPECT_TRUE(window.discarded);
  EXPECT_FALSE(state.mainWindowOpen());
  EXPECT_EQ(state.HandleMessage(kUnloadAppMessage), kEntryOk);
}

TEST_F(PluginStateTest, QuitWhileTheUserKeepsTheWindowStillRefusesUnload) {
  factory.nextClose = OnClose::StayOpen;  // the user chose to save first
  host.RunCommand("VERDANTO");
  EXPECT_EQ(state.HandleMessage(kQuitMessage), kEntryOk);
  EXPECT_TRUE(state.mainWindowOpen());
  EXPECT_FALSE(factory.last().discarded);
  EXPECT_EQ(state.HandleMessage(kUnloadAppMessage), kEntryRefused);
}

TEST_F(PluginStateTest, QuitWithoutAWindowDoesNothing) {
  EXPECT_EQ(state.HandleMessage(kQuitMessage), kEntryOk);
  EXPECT_TRUE(factory.made.empty());
  EXPECT_EQ(host.pushCount, 0);
}

TEST_F(PluginStateTest, AfterReleaseTheCommandMakesANewWindow) {
  host.RunCommand("VERDANTO");
  state.ReleaseMainWindow();
  state.ReleaseMainWindow();  // a second release has nothing left to end
  host.RunCommand("VERDANTO");
  ASSERT_EQ(factory.made.size(), 2u);
  EXPECT_TRUE(factory.made[0]->discarded);
  EXPECT_FALSE(factory.made[1]->discarded);
  EXPECT_EQ(factory.made[1]->restores, 0);
}

TEST(ResourceScopeTest, PopsAlsoWhenLeftByAnException) {
  FakeHost host;
  try {
    ResourceScope scope(host, &kModule);
    EXPECT_EQ(host.resourceStack, std::vector<ResourceHandle>{&kModule});
    throw std::runtime_error("failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(host.Balanced());
  EXPECT_EQ(host.pushCount, 1);
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
