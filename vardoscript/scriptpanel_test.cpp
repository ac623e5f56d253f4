// The script panel as the user meets it: the real module's start-up, its
// panel and menu item, the timer that keeps the panel and the selected
// frame in step, and shut-down.
#include <gtest/gtest.h>

#include <tuple>

#include "AIMenu.h"
#include "testing/scriptplugintest.h"
#include "vplatform/screen.h"

namespace {

class ScriptPanel : public ScriptPluginTest {};

TEST_F(ScriptPanel, StartUpRegistersAndTheApplicationStartShowsThePanel) {
  Start();
  EXPECT_EQ(plugin_->options & 0x2, 0x2);
  vhost::MenuItem *item = host_->FindMenuItem("VARDO_INFO_GROUP");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->group, "Tool Palettes");
  EXPECT_EQ(item->text, u"VardoScript");
  EXPECT_EQ(item->options, kMenuItemWantsUpdateOption);
  ASSERT_EQ(host_->Timers().size(), 1u);
  EXPECT_EQ(host_->Timers()[0]->name, "AVARDO4_TIMER");
  EXPECT_EQ(host_->Timers()[0]->period, 30);
  ASSERT_EQ(host_->Notifiers().size(), 1u);
  EXPECT_EQ(host_->Notifiers()[0]->name, "VardoScript App Started Notifier");
  EXPECT_EQ(host_->Notifiers()[0]->type, kAIApplicationStartedNotifier);

  vhost::Panel *panel = Panel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(vplat::GetWindowTextUtf8(panel->window), "VardoScript");
  EXPECT_EQ(panel->minimumSize.width, 400);
  EXPECT_EQ(panel->minimumSize.height, 188);
  EXPECT_TRUE(IsWindowVisible(panel->window));
  ASSERT_NE(panel->flyout, nullptr);
  ASSERT_EQ(panel->flyout->items.size(), 2u);
  EXPECT_EQ(panel->flyout->items[0].id, 1u);
  EXPECT_EQ(panel->flyout->items[0].text, u"画像タグの挿入...");
  EXPECT_EQ(panel->flyout->items[1].id, 2u);
  EXPECT_EQ(panel->flyout->items[1].text, u"バーコードタグの挿入...");

  // One multi-line edit control fills the panel less a margin of 5 and a
  // strip of 18 pixels at the bottom (scale 1, 96 dpi).
  vplat::WindowState edit = vplat::GetWindowState(Edit());
  ASSERT_NE(edit.hwnd, nullptr);
  EXPECT_EQ(edit.className, "Edit");
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN;
  EXPECT_EQ(edit.style & style, style);
  EXPECT_EQ(edit.style & ES_AUTOHSCROLL, 0u) << "lines wrap";
  EXPECT_NE(SendMessageW(Edit(), WM_GETFONT, 0, 0), 0);
  RECT client{};
  GetClientRect(panel->window, &client);
  POINT origin{0, 0};
  ClientToScreen(panel->window, &origin);
  EXPECT_EQ(edit.rect.left - origin.x, 5);
  EXPECT_EQ(edit.rect.top - origin.y, 5);
  EXPECT_EQ(edit.rect.right - edit.rect.left, client.right - 10);
  EXPECT_EQ(edit.rect.bottom - edit.rect.top, client.bottom - 18 - 5);

  // A resize keeps those margins.
  ASSERT_TRUE(host_->ResizePanel(kPanelId, 500, 300));
  edit = vplat::GetWindowState(Edit());
  EXPECT_EQ(edit.rect.right - edit.rect.left, 490);
  EXPECT_EQ(edit.rect.bottom - edit.rect.top, 300 - 18 - 5);
}

TEST_F(ScriptPanel, ThePanelWindowPaintsInTheThemeColours) {
  host_->SetThemeColor(1, 0, AIUIThemeColor{1, 0.2, 0.4, 1.0});
  host_->SetThemeColor(1, 1, AIUIThemeColor{1, 1.0, 0.5, 0.0});
  Start();
  HDC dc = GetDC(PanelWindow());
  HBRUSH brush = reinterpret_cast<HBRUSH>(
      SendMessageW(PanelWindow(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0));
  ASSERT_NE(brush, nullptr);
  LOGBRUSH logBrush{};
  ASSERT_NE(GetObjectW(brush, sizeof logBrush, &logBrush), 0);
  EXPECT_EQ(logBrush.lbColor, RGB(51, 102, 255));
  EXPECT_EQ(GetTextColor(dc), RGB(255, 127, 0));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  ReleaseDC(PanelWindow(), dc);
}

TEST_F(ScriptPanel, TheMenuItemShowsAndHidesThePanelAndIsCheckedWhileShown) {
  Start();
  vhost::MenuItem *item = host_->FindMenuItem("VARDO_INFO_GROUP");
  host_->UpdateMenus();
  EXPECT_TRUE(item->checked);
  ASSERT_TRUE(host_->ChooseMenuItem("VARDO_INFO_GROUP"));
  EXPECT_FALSE(IsWindowVisible(PanelWindow()));
  host_->UpdateMenus();
  EXPECT_FALSE(item->checked);
  ASSERT_TRUE(host_->ChooseMenuItem("VARDO_INFO_GROUP"));
  EXPECT_TRUE(IsWindowVisible(PanelWindow()));
  host_->UpdateMenus();
  EXPECT_TRUE(item->checked);
}

TEST_F(ScriptPanel, ShutDownTakesThePanelAway) {
  Start();
  HWND window = PanelWindow();
  ASSERT_TRUE(IsWindow(window));
  host_->ShutdownPlugins();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Panel(), nullptr);
}

TEST_F(ScriptPanel, WithoutItsPanelThePlugInRunsOnAndDoesNothingVisible) {
  // The panel's id is taken, so the host refuses to create it.
  const void *suite = nullptr;
  ASSERT_EQ(host_->Suites().Acquire(kAIPanelSuite, kAIPanelSuiteVersion, &suite), kNoErr);
  AIPanelRef squatter = nullptr;
  ASSERT_EQ(static_cast<const AIPanelSuite *>(suite)->Create(reinterpret_cast<SPPluginRef>(plugin_),
                                                             kPanelId, u"other", 1, AISize{10, 10},
                                                             false, nullptr, nullptr, &squatter),
            kNoErr);
  host_->Suites().Release(kAIPanelSuite, kAIPanelSuiteVersion);
  Start();
  ASSERT_EQ(host_->Panels().size(), 1u);
  EXPECT_EQ(vplat::FindChildById(Panel()->window, 1001), nullptr) << "the plug-in did not take it";
  Open(Layer("l", Frame("f", "vardotag:vardo2_script='x'")));
  Click("f");
  Tick();
  EXPECT_TRUE(host_->ChooseMenuItem("VARDO_INFO_GROUP"));
  host_->UpdateMenus();
  EXPECT_FALSE(host_->FindMenuItem("VARDO_INFO_GROUP")->checked);
  EXPECT_FALSE(IsWindowVisible(Panel()->window)) << "someone else's panel is left alone";
  EXPECT_EQ(TagOf("f", "vardo2_script"), "x");
  EXPECT_TRUE(host_->Alerts().empty());
  host_->ShutdownPlugins();
  EXPECT_EQ(host_->Panels().size(), 1u) << "shut-down destroys only what the plug-in made";
}

TEST_F(ScriptPanel, TheHostScaleHoldsOnlyOnLargeDesktops) {
  struct {
    int width, height;
    double preference;
    int minimumWidth, minimumHeight, strip;
  } cases[] = {
      {1280, 1024, 1.5, 267, 125, 27},  // 1,310,720 pixels
      {1280, 1000, 1.5, 400, 188, 18},  // 1,280,000
      {1920, 1080, 0.5, 400, 188, 18},  // below 1 is 1
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    host_.reset();
    vplat::ResetWindowManager();
    vplat::SetScreenSize(c.width, c.height);
    host_ = std::make_unique<vhost::Host>();
    host_->SetRealPreference("UIPreferences/appScaleFactor", c.preference);
    std::string error;
    plugin_ = host_->LoadPlugin(VARDO_BUILD_DIR "/plugins/VardoScript.aip", &error);
    ASSERT_NE(plugin_, nullptr) << error;
    Start();
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(Panel()->minimumSize.width, c.minimumWidth);
    EXPECT_EQ(Panel()->minimumSize.height, c.minimumHeight);
    RECT client{}, edit{};
    GetClientRect(PanelWindow(), &client);
    GetWindowRect(Edit(), &edit);
    EXPECT_EQ(edit.bottom - edit.top, client.bottom - c.strip - 5);
  }
}

TEST_F(ScriptPanel, WithoutADocumentATickChangesNothing) {
  Start();
  TypeIntoPanel("typed");
  Tick();
  Tick();
  EXPECT_EQ(PanelText(), "typed");
}

TEST_F(ScriptPanel, ThePanelFollowsTheSelection) {
  Start();
  Open(Layer("l", Frame("one", "vardotag:vardo2_script='[name]&#13;[address]'") +
                      Frame("two", "vardotag:vardo2_script='[other]'") + Frame("bare")));
  Click("one");
  Tick();
  EXPECT_EQ(PanelText(), "[name]\r\n[address]");
  Click("two", true);
  Tick();
  EXPECT_EQ(PanelText(), "") << "two frames selected: none is current";
  Click("two");
  Tick();
  EXPECT_EQ(PanelText(), "[other]");
  Click("bare");
  Tick();
  EXPECT_EQ(PanelText(), "");
  EXPECT_EQ(TagOf("one", "vardo2_script"), "[name]\r[address]") << "nothing written by looking";
}

TEST_F(ScriptPanel, TypingIntoThePanelWritesTheFrameAtTheNextTick) {
  Start();
  Open(Layer("l", Frame("bare") + Frame("other")));
  Click("bare");
  Tick();
  TypeIntoPanel("abc");
  EXPECT_EQ(TagOf("bare", "vardo2_script"), "(none)") << "not before the tick";
  Tick();
  EXPECT_EQ(TagOf("bare", "vardo2_script"), "abc");
  TypeIntoPanel("a\nb");
  Tick();
  EXPECT_EQ(TagOf("bare", "vardo2_script"), "a\rb");
  EXPECT_EQ(PanelText(), "a\r\nb");
  TypeIntoPanel("");
  Tick();
  EXPECT_EQ(TagOf("bare", "vardo2_script"), "(none)") << "an empty panel takes the script away";
  EXPECT_EQ(TagOf("other", "vardo2_script"), "(none)");
}

TEST_F(ScriptPanel, LockedFramesAndFramesInHiddenOrLockedLayersAreNotCurrent) {
  Start();
  Open(
      Layer("hidden", Frame("inhidden", "vardotag:vardo2_script='h'"), "style='display:none'") +
      Layer("locked", Frame("inlocked", "vardotag:vardo2_script='l'"),
            "sodipodi:insensitive='true'") +
      Layer("open", Frame("lockedframe", "vardotag:vardo2_script='f' sodipodi:insensitive='true'") +
                        "<g id='lockedgroup' sodipodi:insensitive='true'>" +
                        Frame("ingroup", "vardotag:vardo2_script='g'") + "</g>" + Frame("free")));
  // Selected before they were locked or hidden: a click could not select
  // them now.
  for (const char *id : {"inhidden", "inlocked", "lockedframe", "ingroup"}) {
    SCOPED_TRACE(id);
    doc_->DeselectAll();
    TypeIntoPanel("");
    ArtOf(id).SetSelected(true);
    Tick();
    EXPECT_EQ(PanelText(), "") << "its script is not shown";
    TypeIntoPanel("new");
    Tick();
    EXPECT_EQ(TagOf(id, "vardo2_script").size(), 1u) << "not written";
  }
  // Not counted either: the one free frame beside them is current.
  ArtOf("lockedframe").SetSelected(true);
  Click("free", true);
  Tick();
  TypeIntoPanel("mine");
  Tick();
  EXPECT_EQ(TagOf("free", "vardo2_script"), "mine");
}

TEST_F(ScriptPanel, OlderLineEndsAreShownAsLinesAndWrittenBackWithCR) {
  Start();
  Open(Layer("l", Frame("lf", "vardotag:vardo2_script='a&#10;b'") +
                      Frame("crlf", "vardotag:vardo2_script='c&#13;&#10;d'")));
  for (auto [id, shown, stored] :
       {std::tuple{"lf", "a\r\nb", "a\rb"}, std::tuple{"crlf", "c\r\nd", "c\rd"}}) {
    Click(id);
    Tick();
    EXPECT_EQ(PanelText(), shown) << id;
    Tick();
    EXPECT_EQ(TagOf(id, "vardo2_script"), stored) << id;
  }
}

TEST_F(ScriptPanel, ALongScriptFullOfLineEndsRoundTripsUnchanged) {
  // 2000 bytes, 400 of them CR: the panel shows 2400 units.
  std::string script;
  for (int i = 0; i < 400; ++i) script += "abcd\r";
  ASSERT_EQ(script.size(), 2000u);
  std::string attributes;
  for (int i = 0; i < 10; ++i) {
    attributes +=
        std::string(" vardotag:vardo2_script") + (i ? "_" + std::to_string(i) : "") + "='";
    for (char c : script.substr(i * 200, 200))
      attributes += c == '\r' ? "&#13;" : std::string(1, c);
    attributes += "'";
  }
  Start();
  Open(Layer("l", Frame("long", attributes)));
  Click("long");
  Tick();
  EXPECT_EQ(PanelText().size(), 2400u);
  Tick();
  Tick();
  std::string stored;
  for (int i = 0; i < 10; ++i)
    stored += TagOf("long", i ? "vardo2_script_" + std::to_string(i) : "vardo2_script");
  EXPECT_EQ(stored, script);

  // Typed the same way, 4000 bytes with 2000 line ends come back whole.
  std::string typed;
  for (int i = 0; i < 2000; ++i) typed += "x\n";
  TypeIntoPanel(typed);
  EXPECT_EQ(PanelText().size(), 6000u);
  Tick();
  stored.clear();
  for (int i = 0; i < 10; ++i)
    stored += TagOf("long", i ? "vardo2_script_" + std::to_string(i) : "vardo2_script");
  std::string expected;
  for (int i = 0; i < 1000; ++i) expected += "x\r";
  EXPECT_EQ(stored, expected) << "the tags hold the first 2000 bytes of the whole script";
}

TEST_F(ScriptPanel, LookingAtALongOlderScriptFullOfLineEndsWritesNothing) {
  // A VRTag script of 3000 bytes, 1500 of them CR: 4500 units in the panel.
  // Read back whole it equals the frame's script, so no tick stores it.
  std::string vrtag;
  for (int i = 0; i < 1500; ++i) vrtag += "a&#13;";
  Start();
  Open(Layer("l", Frame("old", "vardotag:VRTag='" + vrtag + "'")));
  Click("old");
  Tick();
  EXPECT_EQ(PanelText().size(), 4500u);
  Tick();
  Tick();
  EXPECT_EQ(TagOf("old", "vardo2_script"), "(none)");
}

TEST_F(ScriptPanel, AScriptBeyondWhatTheTagsHoldIsCutBeforeACharacterAndStaysPut) {
  Start();
  Open(Layer("l", Frame("f")));
  Click("f");
  Tick();
  std::string typed;
  for (int i = 0; i < 700; ++i) typed += "価";  // 2100 bytes
  TypeIntoPanel(typed);
  Tick();
  auto stored = [this] {
    std::string all;
    for (int i = 0; i < 10; ++i)
      all += TagOf("f", i ? "vardo2_script_" + std::to_string(i) : "vardo2_script");
    return all;
  };
  EXPECT_EQ(stored(), typed.substr(0, 1998));
  Tick();
  EXPECT_EQ(PanelText(), typed.substr(0, 1998)) << "the panel shows what the frame keeps";
  Tick();
  Tick();
  EXPECT_EQ(stored(), typed.substr(0, 1998));
  EXPECT_EQ(PanelText(), typed.substr(0, 1998));
}

TEST_F(ScriptPanel, ATickWhileOneIsRunningDoesNothing) {
  Start();
  Open(Layer("l", Frame("one", "vardotag:vardo2_script='first'") +
                      Frame("two", "vardotag:vardo2_script='second'")));
  // While the tick shows "first", the user selects the other frame and a
  // second tick arrives inside the first.
  static int shown;
  static WNDPROC editProc;
  static std::function<void()> during;
  shown = 0;
  during = [this] {
    Click("two");
    AITimerMessage message{};
    message.timer = reinterpret_cast<AITimerHandle>(host_->Timers()[0].get());
    host_->Send(*plugin_, kCallerAITimer, kSelectorAIGoTimer, &message.d);
  };
  WNDPROC recorder = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_SETTEXT) {
      ++shown;
      if (during) {
        auto run = std::move(during);
        during = nullptr;
        run();
      }
    }
    return CallWindowProcW(editProc, w, m, wp, lp);
  };
  editProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(Edit(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recorder)));
  Click("one");
  Tick();
  EXPECT_EQ(shown, 1) << "the inner tick showed nothing";
  EXPECT_EQ(PanelText(), "first");
  Tick();
  EXPECT_EQ(PanelText(), "second") << "the next tick finds the new selection";
  SetWindowLongPtrW(Edit(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc));
}

TEST_F(ScriptPanel, ATimerMessageForAnotherTimerIsIgnored) {
  Start();
  Open(Layer("l", Frame("one", "vardotag:vardo2_script='first'")));
  Click("one");
  vhost::Timer other;
  AITimerMessage message{};
  message.timer = reinterpret_cast<AITimerHandle>(&other);
  EXPECT_EQ(host_->Send(*plugin_, kCallerAITimer, kSelectorAIGoTimer, &message.d), kNoErr);
  EXPECT_EQ(PanelText(), "");
  Tick();
  EXPECT_EQ(PanelText(), "first");
}

}  // namespace
