// The settings command end to end: the dialog as the user sees and fills it,
// its file choosers, the numbers as read, and the preference file.
#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "sequencerplugintest.h"
#include "vplatform/dialogs.h"
#include "vplatform/screen.h"
#include "vplatform/windows.h"

namespace sequencertest {

namespace {

namespace fs = std::filesystem;
using vplat::dialogs::GetText;

class SettingsDialog : public SequencerPluginTest {
 protected:
  void SetUp() override {
    SequencerPluginTest::SetUp();
    fs::create_directories(Linux(kTemplates));
    fs::create_directories(Linux(kOutputs));
  }

  std::string PrefsFile() { return Get(Prefs("Vardo2Sequencer.ini")); }

  // Answers the next file dialogs with `path` (Linux), keeping each request.
  void AnswerFiles(const std::string &path) {
    vplat::dialogs::OnFileDialog(
        [this, path](const vplat::dialogs::FileDialogRequest &r, std::string &chosen) {
          requests_.push_back(r);
          chosen = path;
          return true;
        });
  }

  std::vector<vplat::dialogs::FileDialogRequest> requests_;
};

TEST_F(SettingsDialog, FirstUseShowsTheStartUpValuesCentredAndCancelChangesNothing) {
  StartAll();
  struct Shown {
    std::string csv, ai, start, end;
    RECT rect;
    LONG exStyle;
  } shown{};
  vplat::dialogs::OnNextModalDialog([&](HWND d) {
    shown = {GetText(d, 4),
             GetText(d, 8),
             GetText(d, 12),
             GetText(d, 14),
             {},
             GetWindowLongW(d, GWL_EXSTYLE)};
    GetWindowRect(d, &shown.rect);
    EXPECT_EQ(vplat::dialogs::DialogResourceId(d), 16052);
    vplat::dialogs::Click(d, IDCANCEL);
  });
  EXPECT_TRUE(Host().ChooseMenuItem("VARDO2_SEQUENCER_CONFIG"));
  EXPECT_EQ(shown.csv, "sample.csv");
  EXPECT_EQ(shown.ai, "sample.ai");
  EXPECT_EQ(shown.start, "1");
  EXPECT_EQ(shown.end, "999");
  const int width = shown.rect.right - shown.rect.left;
  const int height = shown.rect.bottom - shown.rect.top;
  const SIZE screen = vplat::GetScreenSize();
  EXPECT_EQ(shown.rect.left, (screen.cx - width) / 2);
  EXPECT_EQ(shown.rect.top, (screen.cy - height) / 2);
  EXPECT_TRUE(shown.exStyle & WS_EX_TOPMOST);
  EXPECT_FALSE(Exists(Prefs("Vardo2Sequencer.ini")));
  EXPECT_EQ(ProgressWindow(), nullptr);
}

TEST_F(SettingsDialog, TheFileChoosersFillThePathsAndOkWritesTheFileAndStartsTheRun) {
  Put("data.csv", vardotest::Table(3));
  Put("card.ai", SlotDocument(1));
  StartAll();
  ChooseCommand([&](HWND d) {
    AnswerFiles(Linux("data.csv"));
    vplat::dialogs::Click(d, 5);
    AnswerFiles(Linux("card.ai"));
    vplat::dialogs::Click(d, 9);
    vplat::dialogs::SetText(d, 12, "2");
    vplat::dialogs::SetText(d, 14, "3");
  });
  ASSERT_EQ(requests_.size(), 2u);
  using Filters = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(requests_[0].filters, (Filters{{"*.csv", "*.csv"}}));
  EXPECT_EQ(requests_[0].filterIndex, 1);
  EXPECT_EQ(requests_[1].filters,
            (Filters{{"*.ai", "*.ai"}, {"*.eps", "*.eps"}, {"*.pdf", "*.pdf"}}));
  EXPECT_EQ(requests_[1].filterIndex, 3);
  for (const auto &r : requests_) {
    const DWORD flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    EXPECT_EQ(r.flags & flags, flags);
    EXPECT_TRUE(r.title.empty());
    EXPECT_TRUE(r.initialDir.empty());
    EXPECT_NE(r.owner, nullptr);
  }
  EXPECT_EQ(PrefsFile(),
            "csvpath = \"T:\\data.csv\"\r\naippath = \"T:\\card.ai\"\r\nstartRecord = 2\r\n"
            "endRecord = 3\r\nfoption_layout = 1\r\nfoption_print = 0\r\n");
  ASSERT_NE(ProgressWindow(), nullptr);
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(Exists("card_002.ai"));
  EXPECT_TRUE(Exists("card_003.ai"));
  EXPECT_FALSE(Exists("card_001.ai"));
}

TEST_F(SettingsDialog, ClearingTheTemplateEndsTheRunWithTheCopyMessage) {
  WriteSettings("T:\\data.csv", "sample.ai", 1, 5);
  StartAll();
  ChooseCommand([](HWND d) { vplat::dialogs::Click(d, 10); });
  EXPECT_NE(PrefsFile().find("aippath = \"\"\r\n"), std::string::npos);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"レコード番号 1\r\n\"\" ファイルのコピーに失敗しました。\r\n"
                                     "雛型ファイルを確認して下さい。"});
}

TEST_F(SettingsDialog, AnEmptyCsvPathGivesOneUncomposedDocument) {
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
  WriteSettings("T:\\data.csv", "sample.ai", 1, 5);
  StartAll();
  ChooseCommand([](HWND d) { vplat::dialogs::Click(d, 6); });
  EXPECT_NE(PrefsFile().find("csvpath = \"\"\r\n"), std::string::npos);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(Receiver().count, 0);
  // Saved as it was opened: its template group is still there.
  EXPECT_NE(Get(std::string(kOutputs) + "/sample_001.ai").find("vardo2_group=\"t\""),
            std::string::npos);
  EXPECT_FALSE(Exists(std::string(kOutputs) + "/sample_002.ai"));
}

TEST_F(SettingsDialog, NumbersAreReadAsTheirLeadingDigitsWithAllThirtyTwoBits) {
  struct Case {
    std::string start, end;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"12abc", "", "startRecord = 12\r\nendRecord = 0\r\n"},
      {"40000", "-7", "startRecord = 40000\r\nendRecord = -7\r\n"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.start);
    TearDown();
    SetUp();
    WriteSettings("T:\\data.csv", "", 1, 5);  // the run ends at once
    StartAll();
    ChooseCommand([&](HWND d) {
      vplat::dialogs::SetText(d, 12, c.start);
      vplat::dialogs::SetText(d, 14, c.end);
    });
    EXPECT_NE(PrefsFile().find(c.expected), std::string::npos) << PrefsFile();
    RunToEnd();
  }
}

// Record numbers beyond 16 bits survive the file.
TEST_F(SettingsDialog, TheFileIsReadOnEveryCommand) {
  WriteSettings("T:\\a.csv", "T:\\a.ai", 3, 32768);
  StartAll();
  std::vector<std::string> shown;
  auto look = [&](HWND d) {
    shown.push_back(GetText(d, 4) + " " + GetText(d, 8) + " " + GetText(d, 12) + " " +
                    GetText(d, 14));
    vplat::dialogs::Click(d, IDCANCEL);
  };
  vplat::dialogs::OnNextModalDialog(look);
  Host().ChooseMenuItem("VARDO2_SEQUENCER_CONFIG");
  WriteSettings("T:\\b.csv", "T:\\b.ai", 4, 9);
  vplat::dialogs::OnNextModalDialog(look);
  Host().ChooseMenuItem("VARDO2_SEQUENCER_CONFIG");
  EXPECT_EQ(shown,
            (std::vector<std::string>{"T:\\a.csv T:\\a.ai 3 32768", "T:\\b.csv T:\\b.ai 4 9"}));
}

TEST_F(SettingsDialog, PathsTooLongAreRefusedWithAMessage) {
  // A CSV path of 250 bytes whose percent form is 720: Vardo reads 511.
  std::string kana;
  for (int i = 0; i < 60; ++i) kana += "あ";
  fs::create_directories(Linux(kana + "/" + kana));
  Put(kana + "/" + kana + "/a.csv", vardotest::Table(1));
  // A template path of 258 bytes: cut to 254 it would name another file.
  const std::string longName = std::string(200, 'b') + "/" + std::string(50, 'c') + ".ai";
  fs::create_directories(Linux(std::string(200, 'b')));
  Put(longName, SlotDocument(1));
  WriteSettings("T:\\data.csv", "T:\\card.ai", 1, 5);
  StartAll();
  bool stillOpen = false;
  std::string template8;
  vplat::dialogs::OnNextModalDialog([&](HWND d) {
    AnswerFiles(Linux(longName));
    vplat::dialogs::Click(d, 9);
    template8 = GetText(d, 8);
    AnswerFiles(Linux(kana + "/" + kana + "/a.csv"));
    vplat::dialogs::Click(d, 5);
    vplat::dialogs::Click(d, IDOK);
    stillOpen = IsWindow(d) && IsWindowVisible(d);
    vplat::dialogs::Click(d, IDCANCEL);
  });
  Host().ChooseMenuItem("VARDO2_SEQUENCER_CONFIG");
  EXPECT_EQ(template8, "T:\\card.ai");
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{
                "ファイル名が長すぎます (254 バイトまで)。\r\n"
                "短い名前のファイルを選んで下さい。",
                "差し込みファイル名が長すぎます。\r\n短い名前のファイルを選んで下さい。"}));
  EXPECT_EQ(ProgressWindow(), nullptr);
  EXPECT_NE(PrefsFile().find("csvpath = \"T:\\data.csv\""), std::string::npos);
}

}  // namespace

}  // namespace sequencertest
