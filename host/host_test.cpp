// The host stand-in's core as plug-ins meet it: the loader, and the events
// and services that reach a loaded module. The frame's probe module stands
// in for a plug-in; the test registers through the same suites it would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "AIActionManager.h"
#include "AIFilePath.h"
#include "AIUser.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AIPanel.h"
#include "AITimer.h"
#include "host.h"
#include "../frame/testprobe/probe.h"
#include "vplatform/dialogs.h"
#include "vplatform/paths.h"
#include "vplatform/windows.h"

namespace {

const std::string kBuild = VARDO_BUILD_DIR;

TEST(HostLoader, RefusesModulesThatAreNoPlugins) {
  vplat::ResetWindowManager();
  vhost::Host host;
  struct Case {
    const char *file;
    const char *reason;
  } cases[] = {
      {"HostBadKind.aip", "does not declare the kind SPEA"},
      {"HostBadVersion.aip", "does not declare interface version 2"},
      {"HostCutList.aip", "malformed property list"},
      {"HostNoList.aip", "carries no plug-in property list"},
      {"HostNoEntry.aip", "exports no PluginMain"},
      {"Missing.aip", "cannot load"},
  };
  for (const Case &c : cases) {
    std::string error;
    EXPECT_EQ(host.LoadPlugin(kBuild + "/testplugins/broken/" + c.file, &error), nullptr) << c.file;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.file << ": " << error;
  }
  std::vector<std::string> errors;
  EXPECT_EQ(host.LoadPluginsFrom(kBuild + "/testplugins/broken", &errors), 0);
  EXPECT_EQ(errors.size(), 5u);
  EXPECT_TRUE(host.Plugins().empty());
}

TEST(HostLoader, ReadsTheNamesOfTheShippedModules) {
  vplat::ResetWindowManager();
  vhost::Host host;
  std::vector<std::string> errors;
  // The system's three modules and the composition engine, in name order.
  ASSERT_EQ(host.LoadPluginsFrom(kBuild + "/plugins", &errors), 4);
  EXPECT_EQ(host.Plugins()[0]->name, "Vardo");
  EXPECT_EQ(host.Plugins()[1]->name, "VardoEngine");
  EXPECT_EQ(host.Plugins()[2]->name, "VardoScript");
  EXPECT_EQ(host.Plugins()[3]->name, "VardoSequencer");
}

class HostEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    vplat::ResetWindowManager();
    std::string error;
    probe_ = host_.LoadPlugin(kBuild + "/testplugins/FrameProbe.aip", &error);
    ASSERT_NE(probe_, nullptr) << error;
    host_.StartPlugins();
    self_ = reinterpret_cast<SPPluginRef>(probe_);
  }

  template <typename Suite>
  const Suite *Acquire(const char *name, ASInt32 version) {
    const void *suite = nullptr;
    EXPECT_EQ(host_.BasicSuite()->AcquireSuite(name, version, &suite), kNoErr);
    return static_cast<const Suite *>(suite);
  }

  ProbeGlobals &Probe() { return *static_cast<ProbeGlobals *>(probe_->globals); }

  vhost::Host host_;
  vhost::Plugin *probe_ = nullptr;
  SPPluginRef self_ = nullptr;
};

TEST_F(HostEvents, TimersFireEveryPeriodOfTicks) {
  auto timers = Acquire<AITimerSuite>(kAITimerSuite, kAITimerSuiteVersion);
  AITimerHandle timer = nullptr;
  ASSERT_EQ(timers->AddTimer(self_, "probe", 12, &timer), kNoErr);
  AITimerHandle bad = nullptr;
  EXPECT_EQ(timers->AddTimer(self_, "never", 0, &bad), kBadParameterErr);
  host_.RunTicks(11);
  EXPECT_EQ(Probe().timerMessages, 0);
  host_.RunTicks(1);
  EXPECT_EQ(Probe().timerMessages, 1);
  host_.RunTicks(36);
  EXPECT_EQ(Probe().timerMessages, 4);
}

TEST_F(HostEvents, MenuItemsAreChosenAndUpdated) {
  auto menus = Acquire<AIMenuSuite>(kAIMenuSuite, kAIMenuSuiteVersion);
  AIMenuItemHandle item = nullptr, quiet = nullptr, lost = nullptr;
  ASSERT_EQ(menus->AddMenuItem(self_, "PROBE_ITEM", "Tool Palettes", u"Probe",
                               kMenuItemWantsUpdateOption, &item),
            kNoErr);
  ASSERT_EQ(menus->AddMenuItem(self_, "PROBE_QUIET", "Tool Palettes", u"Quiet", 0, &quiet), kNoErr);
  EXPECT_EQ(menus->AddMenuItem(self_, "PROBE_LOST", "No Such Group", u"Lost", 0, &lost),
            kBadParameterErr);
  // A submenu group takes items of its own.
  AIMenuGroup group = nullptr;
  ASSERT_EQ(menus->AddMenuGroupAsSubMenu("PROBE_GROUP", 0, item, &group), kNoErr);
  EXPECT_EQ(menus->AddMenuItem(self_, "PROBE_SUB", "PROBE_GROUP", u"Sub", 0, &lost), kNoErr);

  EXPECT_TRUE(host_.ChooseMenuItem("PROBE_ITEM"));
  EXPECT_EQ(Probe().menuGoMessages, 1);
  EXPECT_EQ(Probe().lastMenuItem, item);
  EXPECT_FALSE(host_.ChooseMenuItem("NOBODY"));
  host_.UpdateMenus();
  EXPECT_EQ(Probe().menuUpdateMessages, 1);  // only the item that asked
  EXPECT_EQ(menus->CheckItem(item, true), kNoErr);
  EXPECT_TRUE(host_.FindMenuItem("PROBE_ITEM")->checked);
}

TEST_F(HostEvents, NotificationsRunEveryReceiverInsideTheSend) {
  auto notifiers = Acquire<AINotifierSuite>(kAINotifierSuite, kAINotifierSuiteVersion);
  AINotifierHandle a = nullptr, b = nullptr;
  ASSERT_EQ(notifiers->AddNotifier(self_, "one", kProbeNotification, &a), kNoErr);
  ASSERT_EQ(notifiers->AddNotifier(self_, "two", kProbeNotification, &b), kNoErr);
  ProbeRequest request{kNoErr, 0, 0, 0, 0};
  EXPECT_EQ(notifiers->Notify(kProbeNotification, &request), kNoErr);
  EXPECT_EQ(request.ran, 2);
  EXPECT_EQ(notifiers->Notify("nobody listens", &request), kNoErr);
  EXPECT_EQ(request.ran, 2);
}

TEST_F(HostEvents, ActionsPlayIntoTheirPluginWithTheirBlock) {
  auto actions = Acquire<AIActionManagerSuite>(kAIActionManagerSuite, kAIActionManagerSuiteVersion);
  AIActionParamTypeRef type = nullptr;
  ASSERT_EQ(actions->AINewActionParamType(&type), kNoErr);
  ASSERT_EQ(
      actions->RegisterActionEvent("PROBE_ACTION", "Probe", 1, 0, nullptr, self_, nullptr, type),
      kNoErr);
  EXPECT_EQ(
      actions->RegisterActionEvent("PROBE_ACTION", "Again", 1, 0, nullptr, self_, nullptr, type),
      kBadParameterErr);
  actions->AIDeleteActionParamType(type);

  AIActionParamValueRef block = nullptr;
  ASSERT_EQ(actions->AINewActionParamValue(&block), kNoErr);
  actions->AIActionSetInteger(block, kProbeActionKey, 42);
  EXPECT_EQ(actions->PlayActionEvent("PROBE_ACTION", kDialogOff, block), kNoErr);
  EXPECT_EQ(Probe().actionMessages, 1);
  EXPECT_EQ(Probe().lastActionInteger, 42);
  ASSERT_EQ(host_.UndoHistory().size(), 1u);
  EXPECT_EQ(host_.UndoHistory()[0].undo, "Probe undo");
  EXPECT_EQ(host_.UndoHistory()[0].redo, "Probe redo");
  EXPECT_EQ(actions->PlayActionEvent("NO_SUCH_ACTION", kDialogOff, block), kNoSuchObjectErr);

  bool saved = false;
  host_.AddHostAction(kAISaveDocumentAction, [&](vhost::ParamBlock *) {
    saved = true;
    return kNoErr;
  });
  EXPECT_EQ(actions->PlayActionEvent(kAISaveDocumentAction, kDialogOff, nullptr), kNoErr);
  EXPECT_TRUE(saved);
  actions->AIDeleteActionParamValue(block);
}

TEST_F(HostEvents, ParameterBlocksKeepTypesApartAndBoundStrings) {
  auto actions = Acquire<AIActionManagerSuite>(kAIActionManagerSuite, kAIActionManagerSuiteVersion);
  AIActionParamValueRef block = nullptr;
  ASSERT_EQ(actions->AINewActionParamValue(&block), kNoErr);
  const ActionParamKeyID key = AS_FOURCC('c', 's', 'v', 'p');
  actions->AIActionSetString(block, key, "C:\\data.csv");
  ASInt32 number = 7;
  EXPECT_EQ(actions->AIActionGetInteger(block, key, &number), kNoSuchObjectErr);
  EXPECT_EQ(number, 7);
  char small[8] = "keep";
  EXPECT_EQ(actions->AIActionGetString(block, key, small, sizeof small), kBadParameterErr);
  EXPECT_STREQ(small, "keep");
  char fits[12];
  EXPECT_EQ(actions->AIActionGetString(block, key, fits, sizeof fits), kNoErr);
  EXPECT_STREQ(fits, "C:\\data.csv");
  actions->AIActionSetBoolean(block, AS_FOURCC('s', 'a', 'v', 'e'), false);
  ASBoolean flag = 1;
  EXPECT_EQ(actions->AIActionGetBoolean(block, AS_FOURCC('s', 'a', 'v', 'e'), &flag), kNoErr);
  EXPECT_EQ(flag, 0);
  actions->AIDeleteActionParamValue(block);

  host_.FailParamBlockAt(1);
  EXPECT_EQ(actions->AINewActionParamValue(&block), kSPOutOfMemoryError);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(actions->AINewActionParamValue(&block), kNoErr);
  actions->AIDeleteActionParamValue(block);
}

std::vector<ASUInt32> gFlyoutPicks;
int gSizeCalls = 0;

TEST_F(HostEvents, PanelsAreWindowsWithFlyoutMenus) {
  auto panels = Acquire<AIPanelSuite>(kAIPanelSuite, kAIPanelSuiteVersion);
  auto flyouts =
      Acquire<AIPanelFlyoutMenuSuite>(kAIPanelFlyoutMenuSuite, kAIPanelFlyoutMenuSuiteVersion);
  AIPanelFlyoutMenuRef menu = nullptr;
  ASSERT_EQ(flyouts->Create(&menu), kNoErr);
  flyouts->AppendItem(menu, 1, u"Open...");
  flyouts->AppendSeparator(menu, 3);
  flyouts->AppendItem(menu, 4, u"Compose");
  AIPanelRef panel = nullptr;
  ASSERT_EQ(panels->Create(self_, "PROBE_PANEL", u"Probe", 1, AISize{400, 188}, true, menu, nullptr,
                           &panel),
            kNoErr);
  AIPanelRef twice = nullptr;
  EXPECT_EQ(
      panels->Create(self_, "PROBE_PANEL", u"Again", 1, AISize{1, 1}, true, menu, nullptr, &twice),
      kBadParameterErr);
  AIPlatformWindow window = nullptr;
  ASSERT_EQ(panels->GetPlatformWindow(panel, &window), kNoErr);
  EXPECT_EQ(vplat::GetWindowTextUtf8(static_cast<HWND>(window)), "Probe");
  ASBoolean shown = 1;
  panels->IsShown(panel, &shown);
  EXPECT_EQ(shown, 0);
  panels->Show(panel, true);
  panels->IsShown(panel, &shown);
  EXPECT_EQ(shown, 1);

  gFlyoutPicks.clear();
  gSizeCalls = 0;
  panels->SetFlyoutMenuPressedFunc(panel,
                                   [](AIPanelRef, ASUInt32 id) { gFlyoutPicks.push_back(id); });
  panels->SetSizeChangedFunc(panel, [](AIPanelRef) { ++gSizeCalls; });
  EXPECT_TRUE(host_.ChooseFlyoutItem("PROBE_PANEL", 4));
  EXPECT_FALSE(host_.ChooseFlyoutItem("PROBE_PANEL", 3));  // a separator
  EXPECT_FALSE(host_.ChooseFlyoutItem("PROBE_PANEL", 9));
  EXPECT_EQ(gFlyoutPicks, std::vector<ASUInt32>{4});
  EXPECT_TRUE(host_.ResizePanel("PROBE_PANEL", 500, 300));
  AISize size{};
  panels->GetSize(panel, &size);
  EXPECT_EQ(size.width, 500);
  EXPECT_EQ(size.height, 300);
  EXPECT_EQ(gSizeCalls, 1);

  EXPECT_EQ(panels->Destroy(panel), kNoErr);
  EXPECT_FALSE(IsWindow(static_cast<HWND>(window)));
  flyouts->Destroy(menu);
}

TEST_F(HostEvents, FileDialogsAreAnsweredThroughThePlatform) {
  vplat::dialogs::Reset();
  auto user = Acquire<AIUserSuite>(kAIUserSuite, kAIUserSuiteVersion);
  auto paths = Acquire<AIFilePathSuite>(kAIFilePathSuite, kAIFilePathSuiteVersion);
  AIFilePathRef path = nullptr;
  ASSERT_EQ(paths->NewFilePath(&path), kNoErr);
  const AIFileDialogFilter csv[] = {{u"CSV", u"*.csv"}};

  // Nobody answers: the user cancelled.
  EXPECT_EQ(user->GetFileDialog(u"Import", csv, 1, path), kCanceledErr);

  vplat::dialogs::FileDialogRequest seen;
  vplat::dialogs::OnFileDialog(
      [&](const vplat::dialogs::FileDialogRequest &request, std::string &chosen) {
        seen = request;
        chosen = request.save ? "C:\\out\\" + request.initialFile : "C:\\data\\table.csv";
        return true;
      });
  vplat::MapDrive('C', ::testing::TempDir());
  CreateDirectoryA("C:\\data", nullptr);
  CreateDirectoryA("C:\\out", nullptr);
  HFILE file = _lcreat("C:\\data\\table.csv", 0);
  _lclose(file);

  ASSERT_EQ(user->GetFileDialog(u"Import", csv, 1, path), kNoErr);
  EXPECT_EQ(seen.title, "Import");
  ASSERT_EQ(seen.filters.size(), 1u);
  EXPECT_EQ(seen.filters[0], (std::pair<std::string, std::string>{"CSV", "*.csv"}));
  ai_uchar16 chosen[300];
  ASSERT_EQ(paths->GetPlatformPathW(path, chosen, 300), kNoErr);
  EXPECT_EQ(std::u16string(chosen), u"C:\\data\\table.csv");

  ASSERT_EQ(user->PutFileDialog(u"Export", csv, 1, u"Untitled.csv", path), kNoErr);
  EXPECT_TRUE(seen.save);
  ASSERT_EQ(paths->GetPlatformPathW(path, chosen, 300), kNoErr);
  EXPECT_EQ(std::u16string(chosen), u"C:\\out\\Untitled.csv");
  paths->DeleteFilePath(path);
  vplat::dialogs::Reset();
  vplat::UnmapDrive('C');
}

}  // namespace
