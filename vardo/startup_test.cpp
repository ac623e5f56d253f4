// Start-up, registration, the panel's menu item and shut-down of the real
// Vardo module in the host.
#include <gtest/gtest.h>

#include "testing/vardoplugintest.h"
#include "text.h"

namespace vardotest {
namespace {

class Startup : public VardoPluginTest {};

std::vector<vhost::Notifier *> NotifiersOf(vhost::Host &host, vhost::Plugin *plugin) {
  std::vector<vhost::Notifier *> found;
  for (auto &n : host.Notifiers()) {
    if (n->plugin == plugin) found.push_back(n.get());
  }
  return found;
}

TEST_F(Startup, RegistersEverythingWithItsNamesAndValues) {
  Start(false);
  EXPECT_EQ(Vardo()->startupStatus, kNoErr);
  EXPECT_TRUE(Vardo()->options & 2);

  vhost::MenuItem *item = Host().FindMenuItem("VARDO2_INFO_GROUP");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->group, "Tool Palettes");
  EXPECT_EQ(item->text, u"Vardo");
  EXPECT_EQ(item->options, 1);

  ASSERT_EQ(Host().Timers().size(), 1u);
  EXPECT_EQ(Host().Timers()[0]->name, "AVARDO2_TIMER");
  EXPECT_EQ(Host().Timers()[0]->period, 12);

  std::vector<vhost::Notifier *> notifiers = NotifiersOf(Host(), Vardo());
  ASSERT_EQ(notifiers.size(), 3u);
  EXPECT_EQ(notifiers[0]->name, "Vardo App Started Notifier");
  EXPECT_EQ(notifiers[0]->type, "AI Application Started Notifier");
  EXPECT_EQ(notifiers[1]->name, "");
  EXPECT_EQ(notifiers[1]->type, "9475-2407-6658-9330-9846-6542");
  EXPECT_EQ(notifiers[2]->name, "");
  EXPECT_EQ(notifiers[2]->type, "9475-2407-6658-9330-9846-3586");

  ASSERT_EQ(Host().Actions().size(), 1u);
  EXPECT_EQ(Host().Actions()[0]->name, "VARDO2_COMPOSE_INSIDECMD");
  EXPECT_EQ(Host().Actions()[0]->localizedName, "Vardo2 Compose Inside Objects Command");
  EXPECT_EQ(Host().Actions()[0]->plugin, Vardo());
}

TEST_F(Startup, StopsAtTheFirstFailingStepKeepingWhatCameBefore) {
  constexpr ASErr kRefused = AS_FOURCC('N', 'O', 'P', 'E');
  struct Case {
    const char *call;
    int countdown;
    ASErr status;  // what start-up returns
    bool menu, timer;
    size_t notifiers;
    bool action;
  } cases[] = {
      {"GetPluginOptions", 1, kRefused, false, false, 0, false},
      {"SetPluginOptions", 1, kRefused, false, false, 0, false},
      {"AddMenuItem", 1, kRefused, false, false, 0, false},
      {"AddTimer", 1, kRefused, true, false, 0, false},
      {"AddNotifier", 1, kRefused, true, true, 0, false},
      {"AddNotifier", 2, kRefused, true, true, 1, false},
      {"AddNotifier", 3, kRefused, true, true, 2, false},
      // The action's step examines no status.
      {"AINewActionParamType", 1, kNoErr, true, true, 3, false},
      {"RegisterActionEvent", 1, kNoErr, true, true, 3, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.call) + " #" + std::to_string(c.countdown));
    host_.reset();
    vplat::ResetWindowManager();
    host_ = std::make_unique<vhost::Host>();
    Host().FailCallAt(c.call, c.countdown, kRefused);
    Start(false);
    EXPECT_EQ(Vardo()->startupStatus, c.status);
    EXPECT_EQ(Host().FindMenuItem("VARDO2_INFO_GROUP") != nullptr, c.menu);
    EXPECT_EQ(Host().Timers().size(), c.timer ? 1u : 0u);
    EXPECT_EQ(NotifiersOf(Host(), Vardo()).size(), c.notifiers);
    EXPECT_EQ(Host().Actions().size(), c.action ? 1u : 0u);
    if (c.status != kNoErr) {
      // The frame reports the refusal once.
      ASSERT_EQ(Host().Alerts().size(), 1u);
      EXPECT_NE(Host().Alerts()[0].text.find("Error=4e4f5045"), std::string::npos);
    }
  }
}

// The panel's minimum size follows the host scale, its list's bottom strip
// the host scale times the screen's DPI factor.
TEST_F(Startup, MeasuresTheScaleAndTheDpiFactor) {
  struct Case {
    bool hasPreference;
    double preference;
    int width, height, dpi;
    int minimumWidth, minimumHeight;  // trunc(400 / scale + 0.5), trunc(188 / scale + 0.5)
    int strip;                        // trunc(scale * dpi factor * 18 + 0.5)
  } cases[] = {
      {true, 1.5, 1920, 1080, 96, 267, 125, 27}, {true, 1.5, 1280, 800, 96, 400, 188, 18},
      {true, 0.8, 1920, 1080, 96, 400, 188, 18}, {true, 0.8, 3840, 2160, 96, 400, 188, 18},
      {true, 1.5, 1300, 1000, 96, 267, 125, 27},  // exactly 1,300,000 pixels
      {true, 1.5, 57, 22807, 96, 400, 188, 18},   // one pixel fewer
      {false, 0, 1920, 1080, 96, 400, 188, 18},  {true, 1, 1920, 1080, 144, 400, 188, 27},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.preference) + " on " + std::to_string(c.width) + "x" +
                 std::to_string(c.height) + " at " + std::to_string(c.dpi) + " dpi");
    host_.reset();
    vplat::ResetWindowManager();
    vplat::SetScreenSize(c.width, c.height);
    vplat::SetScreenDpi(c.dpi);
    host_ = std::make_unique<vhost::Host>();
    if (c.hasPreference) {
      Host().SetRealPreference("UIPreferences/appScaleFactor", c.preference);
    } else {
      Host().RemoveRealPreference("UIPreferences/appScaleFactor");
    }
    Start(false);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(Panel()->minimumSize.width, c.minimumWidth);
    EXPECT_EQ(Panel()->minimumSize.height, c.minimumHeight);
    RECT panel{}, list{};
    GetClientRect(PanelWindow(), &panel);
    GetWindowRect(List(), &list);
    EXPECT_EQ(list.bottom - list.top, panel.bottom - c.strip - 5);
    EXPECT_EQ(list.right - list.left, panel.right - 10);
    host_.reset();
    vplat::SetScreenDpi(96);
  }
}

TEST_F(Startup, ThePanelComesWithTheApplicationAndTheMenuItemTogglesIt) {
  std::string error;
  vardo_ = Host().LoadPlugin(std::string(VARDO_BUILD_DIR) + "/plugins/Vardo.aip", &error);
  ASSERT_NE(vardo_, nullptr) << error;
  SPMessageData startup{};
  ASSERT_EQ(Host().Send(*vardo_, "SP Interface", "Startup", &startup), kNoErr);
  // Before the application has started there is no panel: the item does
  // nothing and gets no check mark.
  EXPECT_TRUE(Host().ChooseMenuItem("VARDO2_INFO_GROUP"));
  Host().UpdateMenus();
  EXPECT_EQ(Panel(), nullptr);
  EXPECT_FALSE(Host().FindMenuItem("VARDO2_INFO_GROUP")->checked);

  Host().Notify("AI Application Started Notifier", nullptr);
  ASSERT_NE(Panel(), nullptr);
  EXPECT_TRUE(IsWindowVisible(PanelWindow()));
  EXPECT_EQ(vplat::GetWindowTextUtf8(PanelWindow()), "Vardo");
  const vhost::FlyoutMenu *menu = Panel()->flyout;
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 4u);
  const char *texts[] = {"開く...", "別名で保存...", "", "自動組版"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(menu->items[i].id, i + 1);
    EXPECT_EQ(menu->items[i].separator, i == 2);
    EXPECT_EQ(vhost::Utf8FromUtf16(menu->items[i].text), texts[i]);
  }
  EXPECT_EQ(ColumnTitles(), (std::vector<std::string>{"", ""}));

  Host().UpdateMenus();
  EXPECT_TRUE(Host().FindMenuItem("VARDO2_INFO_GROUP")->checked);
  Host().ChooseMenuItem("VARDO2_INFO_GROUP");
  EXPECT_FALSE(IsWindowVisible(PanelWindow()));
  Host().UpdateMenus();
  EXPECT_FALSE(Host().FindMenuItem("VARDO2_INFO_GROUP")->checked);
  Host().ChooseMenuItem("VARDO2_INFO_GROUP");
  EXPECT_TRUE(IsWindowVisible(PanelWindow()));
  Host().UpdateMenus();
  EXPECT_TRUE(Host().FindMenuItem("VARDO2_INFO_GROUP")->checked);
}

TEST_F(Startup, ShutdownLeavesNoWindowOrGdiObjectBehind) {
  const size_t objects = vplat::LiveGdiObjectCount();
  const size_t dcs = vplat::LiveDcCount();
  Start();
  Open(Document(Layer("l", Group("s", Template("t", Frame("f", 50, 50))))));
  Import("data.csv", Table(3));
  ClickRow(0);
  Compose();
  HWND panel = PanelWindow();
  ASSERT_TRUE(IsWindow(panel));
  EXPECT_GT(vplat::LiveGdiObjectCount(), objects);  // the background brush

  Host().ShutdownPlugins();
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_EQ(vplat::FindWindowByClass("SysListView32"), nullptr);
  EXPECT_EQ(Panel(), nullptr);
  EXPECT_EQ(vplat::LiveGdiObjectCount(), objects);
  EXPECT_EQ(vplat::LiveDcCount(), dcs);
}

}  // namespace
}  // namespace vardotest
