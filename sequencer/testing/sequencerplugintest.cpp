#include "sequencerplugintest.h"

#include <cstdio>
#include <filesystem>

#include "vplatform/dialogs.h"
#include "vplatform/windows.h"

namespace sequencertest {

namespace {

const std::string kBuild = VARDO_BUILD_DIR;

std::string ShiftJis(const std::string &utf8) {
  std::u16string wide(utf8.size() + 1, u'\0');
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, reinterpret_cast<LPWSTR>(wide.data()),
                              static_cast<int>(wide.size()));
  std::string out(4 * utf8.size() + 4, '\0');
  n = WideCharToMultiByte(932, 0, reinterpret_cast<LPCWSTR>(wide.data()), -1, out.data(),
                          static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(n > 0 ? n - 1 : 0);
  return out;
}

}  // namespace

std::string SlotDocument(int slots) {
  std::string layer;
  for (int i = 1; i <= slots; ++i) {
    const std::string n = std::to_string(i);
    layer += vardotest::Group(
        "s" + n, vardotest::Template("t" + n, vardotest::Frame("f" + n, 20, 20 + 30 * i)));
  }
  return vardotest::Document(vardotest::Layer("L1", layer));
}

void SequencerPluginTest::StartAll() {
  std::string error;
  vardo_ = host_->LoadPlugin(kBuild + "/plugins/Vardo.aip", &error);
  ASSERT_NE(vardo_, nullptr) << error;
  receiver_ = host_->LoadPlugin(kBuild + "/testplugins/VardoTestReceiver.aip", &error);
  ASSERT_NE(receiver_, nullptr) << error;
  sequencer_ = host_->LoadPlugin(kBuild + "/plugins/VardoSequencer.aip", &error);
  ASSERT_NE(sequencer_, nullptr) << error;
  host_->StartPlugins();
  byDocument_.clear();
  host_->ObserveNotifications([this](const std::string &type, void *) {
    if (type != kEngineNotification) return;
    vhost::Document *doc = host_->Documents().CurrentDocument();
    const std::string path = doc ? std::filesystem::path(doc->Path()).filename().string() : "";
    byDocument_.emplace_back(path, 0);
  });
}

void SequencerPluginTest::WriteSettings(const std::string &csvpath, const std::string &aippath,
                                        long start, long end) {
  std::filesystem::create_directories(Linux("Documents/Adobe/Illustrator/Prefs"));
  char numbers[128];
  std::snprintf(numbers, sizeof numbers,
                "startRecord = %ld\r\nendRecord = %ld\r\n"
                "foption_layout = 1\r\nfoption_print = 0\r\n",
                start, end);
  Put(Prefs("Vardo2Sequencer.ini"), "csvpath = \"" + ShiftJis(csvpath) + "\"\r\naippath = \"" +
                                        ShiftJis(aippath) + "\"\r\n" + numbers);
}

void SequencerPluginTest::ChooseCommand(const std::function<void(HWND)> &dialog) {
  vplat::dialogs::OnNextModalDialog([dialog](HWND d) {
    if (dialog) dialog(d);
    if (IsWindow(d)) vplat::dialogs::Click(d, IDOK);
  });
  EXPECT_TRUE(host_->ChooseMenuItem("VARDO2_SEQUENCER_CONFIG"));
}

HWND SequencerPluginTest::ProgressWindow() {
  for (HWND w : vplat::TopLevelWindows()) {
    if (vplat::dialogs::DialogResourceId(w) == 16207) return w;
  }
  return nullptr;
}

bool SequencerPluginTest::RunToEnd(long maxTicks) {
  return host_->RunUntil([this] { return ProgressWindow() == nullptr; }, maxTicks);
}

void SequencerPluginTest::StepNow() {
  for (auto &timer : host_->Timers()) {
    if (timer->plugin != sequencer_) continue;
    AITimerMessage message{};
    message.timer = reinterpret_cast<AITimerHandle>(timer.get());
    host_->Send(*sequencer_, kCallerAITimer, kSelectorAIGoTimer, &message.d);
  }
}

std::vector<std::string> SequencerPluginTest::Messages() {
  std::vector<std::string> texts;
  for (const vhost::Alert &a : host_->Alerts()) {
    if (a.kind == vhost::Alert::kMessage) texts.push_back(a.text);
  }
  return texts;
}

std::vector<std::pair<std::string, int>> SequencerPluginTest::ComposedByDocument() {
  std::vector<std::pair<std::string, int>> all;
  const ReceiverGlobals &r = Receiver();
  for (size_t i = 0; i < byDocument_.size() && i < static_cast<size_t>(r.count); ++i) {
    all.emplace_back(byDocument_[i].first, r.calls[i].record);
  }
  return all;
}

}  // namespace sequencertest
