// End-to-end tests of the script-authoring plug-in: the real VardoScript
// module loaded into the host stand-in, with a scratch Documents folder,
// played as a user plays it (clicking frames, typing into the panel,
// choosing its menu, answering its dialogs).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "frame/testprofile.h"
#include "host.h"
#include "vplatform/dialogs.h"
#include "vplatform/input.h"
#include "vplatform/windows.h"

class ScriptPluginTest : public TestProfile {
 protected:
  static constexpr const char *kPanelId = "VARDOSCR_INFO_PANEL";
  static constexpr const char *kOptionsFile = "Vardo2Script.ini";
  // Host ticks between two of the plug-in's timer calls.
  static constexpr long kTimerPeriod = 30;

  void SetUp() override {
    TestProfile::SetUp();
    vplat::ResetWindowManager();
    vplat::dialogs::Reset();
    host_ = std::make_unique<vhost::Host>();
    std::string error;
    plugin_ = host_->LoadPlugin(VARDO_BUILD_DIR "/plugins/VardoScript.aip", &error);
    ASSERT_NE(plugin_, nullptr) << error;
  }

  void TearDown() override {
    // Every suite bracket of the handlers and the panel callbacks closed.
    EXPECT_EQ(host_->Suites().Outstanding(), 0);
    host_.reset();
    EXPECT_EQ(vplat::dialogs::TakeDiagnostics(), std::vector<std::string>{});
    vplat::dialogs::Reset();
    vplat::ResetWindowManager();
    TestProfile::TearDown();
  }

  // Start-up and the application-started notification.
  void Start() {
    host_->StartPlugins();
    ASSERT_EQ(plugin_->startupStatus, kNoErr);
  }

  // Writes the options file the plug-in reads at start-up.
  void PutOptions(const std::string &text) {
    std::filesystem::create_directories(Linux(Prefs("")));
    Put(Prefs(kOptionsFile), text);
  }
  std::string Options() const { return Get(Prefs(kOptionsFile)); }
  bool HasOptions() const { return Exists(Prefs(kOptionsFile)); }

  // Opens an SVG document made of `layers` (the layer elements) as the
  // current document.
  vhost::Document &Open(const std::string &layers) {
    const std::string svg =
        "<svg xmlns='http://www.w3.org/2000/svg' "
        "xmlns:inkscape='http://www.inkscape.org/namespaces/inkscape'"
        " xmlns:sodipodi='http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd' "
        "xmlns:vardotag='urn:vardo:tag:1'"
        " width='400' height='400' viewBox='0 0 400 400'>" +
        layers + "</svg>";
    std::string error;
    auto doc = vhost::Document::Parse(svg, &error);
    EXPECT_TRUE(doc) << error;
    doc_ = host_->Documents().Add(std::move(doc));
    return *doc_;
  }

  vhost::Art &ArtOf(const std::string &id) {
    vhost::Art *art = doc_ ? doc_->FindArtById(id) : nullptr;
    EXPECT_NE(art, nullptr) << id;
    return *art;
  }
  // The user clicks a frame (shift: adds it to the selection).
  void Click(const std::string &id, bool shift = false) {
    EXPECT_TRUE(doc_->Click(ArtOf(id), shift)) << id;
  }
  // The value of a tag, or "(none)".
  std::string TagOf(const std::string &id, const std::string &name) {
    const std::string *tag = ArtOf(id).Tag(name);
    return tag ? *tag : "(none)";
  }

  // Runs the host until the plug-in's timer has fired once more.
  void Tick() { host_->RunTicks(kTimerPeriod); }

  vhost::Panel *Panel() { return host_->FindPanel(kPanelId); }
  HWND PanelWindow() {
    vhost::Panel *panel = Panel();
    return panel ? panel->window : nullptr;
  }
  HWND Edit() { return vplat::FindChildById(PanelWindow(), 1001); }
  std::string PanelText() { return vplat::GetWindowTextUtf8(Edit()); }

  // The user clicks into the panel, selects all its text and types `utf8`
  // over it ("\n" is the Enter key).
  void TypeIntoPanel(const std::string &utf8) {
    vplat::ClickWindow(Edit());
    vplat::PumpMessages();
    vplat::KeyDown(VK_CONTROL);
    vplat::KeyStroke('A');
    vplat::KeyUp(VK_CONTROL);
    vplat::PumpMessages();
    if (utf8.empty()) {
      vplat::KeyStroke(VK_DELETE);
    } else {
      vplat::TypeText(utf8);
    }
    vplat::PumpMessages();
  }

  // Chooses an entry of the panel's flyout menu; `answer` plays the dialog
  // it opens.
  void Choose(ASUInt32 item, std::function<void(HWND)> answer) {
    vplat::dialogs::OnNextModalDialog(std::move(answer));
    EXPECT_TRUE(host_->ChooseFlyoutItem(kPanelId, item));
  }

  std::unique_ptr<vhost::Host> host_;
  vhost::Plugin *plugin_ = nullptr;
  vhost::Document *doc_ = nullptr;
};

// A layer element named `id` holding `content`.
inline std::string Layer(const std::string &id, const std::string &content,
                         const std::string &attributes = "") {
  return "<g inkscape:groupmode='layer' id='" + id + "' " + attributes + ">" + content + "</g>";
}

// A text frame element; `tags` are further attributes such as
// vardotag:vardo2_script='...'.
inline std::string Frame(const std::string &id, const std::string &tags = "") {
  return "<text id='" + id + "' x='10' y='20' " + tags + ">" + id + "</text>";
}
