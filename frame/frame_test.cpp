// The frame as the host sees it: real modules loaded into the host stand-in,
// called through PluginMain only.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "AIArt.h"
#include "SuiteList.h"
#include "host.h"
#include "testprobe/probe.h"
#include "vplatform/windows.h"

namespace {

constexpr long kVardoRows = 109;

std::string PluginPath(const char *folder, const char *name) {
  return std::string(VARDO_BUILD_DIR) + "/" + folder + "/" + name + ".aip";
}

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vplat::ResetWindowManager();
    std::string error;
    probe_ = host_.LoadPlugin(PluginPath("testplugins", "FrameProbe"), &error);
    ASSERT_NE(probe_, nullptr) << error;
    host_.StartPlugins();
    ASSERT_EQ(probe_->startupStatus, kNoErr);
    host_.Suites().ResetCounts();
  }

  ASErr Notify(ProbeRequest &request) {
    AINotifierMessage message{};
    message.type = kProbeNotification;
    message.notifyData = &request;
    return host_.Send(*probe_, kCallerAINotify, kSelectorAINotify, &message.d);
  }

  vhost::Host host_;
  vhost::Plugin *probe_ = nullptr;
};

TEST_F(FrameTest, HandlerStatusesAreReturnedAndOnlyRealErrorsAlert) {
  struct Case {
    ASErr status;
    bool alerts;
    const char *text;
  } cases[] = {
      {kNoErr, false, ""},
      {1, false, ""},
      {kSPSuiteNotFoundError, false, ""},
      {kCanceledErr, false, ""},
      {AS_FOURCC('A', 'B', 'C', 'D'), true,
       "Error=41424344, DCBA (caller : AI Notifier, selector : AI Notify)"},
      {AS_FOURCC('x', 'y', 'z', 'w'), true,
       "Error=78797a77, wzyx (caller : AI Notifier, selector : AI Notify)"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.status);
    size_t alertsBefore = host_.Alerts().size();
    host_.Suites().ResetCounts();
    ProbeRequest request{c.status, 0, 0, 0, 0};
    EXPECT_EQ(Notify(request), c.status);
    EXPECT_EQ(request.ran, 1);
    ASSERT_EQ(host_.Alerts().size(), alertsBefore + (c.alerts ? 1 : 0));
    if (c.alerts) {
      EXPECT_EQ(host_.Alerts().back().kind, vhost::Alert::kError);
      EXPECT_EQ(host_.Alerts().back().text, c.text);
    }
    // The alert came while the suites were held, and they were all released.
    EXPECT_EQ(host_.Suites().Totals().acquired, kVardoRows);
    EXPECT_EQ(host_.Suites().Outstanding(), 0);
  }
}

TEST_F(FrameTest, RoutingAndSuiteBrackets) {
  struct Case {
    const char *caller, *selector;
    long acquisitions;
  } cases[] = {
      {"Nobody", "Nothing", kVardoRows},
      {kCallerAITimer, "AI Stop", kVardoRows},
      {kSPInterfaceCaller, kSPInterfaceAboutSelector, kVardoRows},
      {kSPInterfaceCaller, "Frobnicate", kVardoRows},
      {kSPAccessCaller, kSPAccessUnloadSelector, 0},
      {kSPAccessCaller, "Anything", 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.caller) + "/" + c.selector);
    host_.Suites().ResetCounts();
    size_t alertsBefore = host_.Alerts().size();
    SPMessageData message{};
    EXPECT_EQ(host_.Send(*probe_, c.caller, c.selector, &message), kNoErr);
    EXPECT_EQ(host_.Suites().Totals().acquired, c.acquisitions);
    EXPECT_EQ(host_.Suites().Outstanding(), 0);
    EXPECT_EQ(host_.Alerts().size(), alertsBefore);
  }
  // A menu message reaches the menu slot, whose status comes back.
  static_cast<ProbeGlobals *>(probe_->globals)->menuStatus = kCanceledErr;
  AIMenuMessage menu{};
  EXPECT_EQ(host_.Send(*probe_, kCallerAIMenu, kSelectorAIGoMenuItem, &menu.d), kCanceledErr);
  EXPECT_EQ(static_cast<ProbeGlobals *>(probe_->globals)->menuGoMessages, 1);
}

TEST_F(FrameTest, EveryRowIsAcquiredAndReleasedOncePerOutermostBracket) {
  ProbeRequest request{kNoErr, 1, 0, 0, 0};
  Notify(request);
  EXPECT_EQ(request.windowAnswer, 1);  // the nested bracket saw the suites
#define CHECK_ROW(name, version, inVardo, b, c)           \
  {                                                       \
    auto counts = host_.Suites().CountsOf(name, version); \
    EXPECT_EQ(counts.acquired, inVardo ? 1 : 0) << name;  \
    EXPECT_EQ(counts.released, inVardo ? 1 : 0) << name;  \
  }
  VARDO_HOST_SUITES(CHECK_ROW)
#undef CHECK_ROW

  // The same window procedure with no call in progress opens the outermost
  // bracket itself.
  host_.Suites().ResetCounts();
  HWND window = FindWindowA(nullptr, "frame probe");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 1);
  EXPECT_EQ(host_.Suites().Totals().acquired, kVardoRows);
  EXPECT_EQ(host_.Suites().Outstanding(), 0);
}

TEST_F(FrameTest, ReloadRestartsTheNestingCount) {
  // A bracket left open makes the next call a nested one: nothing acquired.
  ProbeRequest leak{kNoErr, 0, 0, 0, 1};
  Notify(leak);
  host_.Suites().ResetCounts();
  ProbeRequest plain{kNoErr, 0, 0, 0, 0};
  Notify(plain);
  EXPECT_EQ(host_.Suites().Totals().acquired, 0);

  SPMessageData reload{};
  EXPECT_EQ(host_.Send(*probe_, kSPAccessCaller, kSPAccessReloadSelector, &reload), kNoErr);
  Notify(plain);
  EXPECT_EQ(host_.Suites().Totals().acquired, kVardoRows);
}

TEST_F(FrameTest, ShutdownAlwaysSucceedsAndEmptiesTheGlobals) {
  ASSERT_NE(probe_->globals, nullptr);
  SPMessageData message{};
  EXPECT_EQ(host_.Send(*probe_, kSPInterfaceCaller, kSPInterfaceShutdownSelector, &message),
            kNoErr);
  EXPECT_EQ(probe_->globals, nullptr);
  EXPECT_EQ(host_.Suites().Outstanding(), 0);
}

TEST_F(FrameTest, AMissingSuiteStopsTheHandlerAndIsToldOnce) {
  host_.Suites().Withdraw(kAIArtSuite, kAIArtSuiteVersion);
  size_t alertsBefore = host_.Alerts().size();
  for (int i = 0; i < 3; ++i) {
    ProbeRequest request{kNoErr, 0, 0, 0, 0};
    EXPECT_EQ(Notify(request), kSPSuiteNotFoundError);
    EXPECT_EQ(request.ran, 0);
    EXPECT_EQ(host_.Suites().Outstanding(), 0);
  }
  ASSERT_EQ(host_.Alerts().size(), alertsBefore + 1);
  EXPECT_EQ(host_.Alerts().back().kind, vhost::Alert::kMessage);
  EXPECT_EQ(host_.Alerts().back().text, "Error: 1394689636, suite: AI Art Suite, version: 20!");
  // Back, so that "Shutdown" can run and take the probe's window with it.
  host_.Suites().Withdraw(kAIArtSuite, kAIArtSuiteVersion, false);
}

TEST(FrameStartup, AFailedAllocationIsReturnedAndStartupDoesNotRun) {
  vplat::ResetWindowManager();
  vhost::Host host;
  std::string error;
  vhost::Plugin *probe = host.LoadPlugin(PluginPath("testplugins", "FrameProbe"), &error);
  ASSERT_NE(probe, nullptr) << error;
  host.FailAllocationAt(1);
  host.StartPlugins();
  EXPECT_EQ(probe->startupStatus, kSPOutOfMemoryError);
  EXPECT_EQ(FindWindowA(nullptr, "frame probe"), nullptr);
}

TEST(FrameModules, TheThreeModulesStartAnswerAboutAndShutDown) {
  vplat::ResetWindowManager();
  vhost::Host host;
  std::vector<std::string> refused;
  // The three and the composition engine beside them.
  EXPECT_EQ(host.LoadPluginsFrom(std::string(VARDO_BUILD_DIR) + "/plugins", &refused), 4);
  EXPECT_TRUE(refused.empty());
  host.StartPlugins();
  for (const auto &plugin : host.Plugins()) {
    SCOPED_TRACE(plugin->name);
    EXPECT_EQ(plugin->startupStatus, kNoErr);
    SPMessageData about{};
    EXPECT_EQ(host.Send(*plugin, kSPInterfaceCaller, kSPInterfaceAboutSelector, &about), kNoErr);
  }
  EXPECT_TRUE(host.Alerts().empty());
  EXPECT_EQ(host.Suites().Outstanding(), 0);
}

}  // namespace
