// The batch run end to end: the real sequencer and data-merge modules, the
// run started from the settings dialog and driven by the host's timer on
// the virtual clock. Outputs are named and placed as the sequencer names
// them; what reached the engine is read from the test receiver.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "sequencerplugintest.h"
#include "vplatform/dialogs.h"
#include "vplatform/input.h"
#include "vplatform/paths.h"
#include "vplatform/screen.h"
#include "vplatform/windows.h"

namespace sequencertest {

namespace {

namespace fs = std::filesystem;

// One timer period: each tick of the step timer is one state of the run.
constexpr long kStep = 60;

class BatchRun : public SequencerPluginTest {
 protected:
  void SetUp() override {
    SequencerPluginTest::SetUp();
    fs::create_directories(Linux(kTemplates));
    fs::create_directories(Linux(kOutputs));
    Put("data.csv", vardotest::Table(20));
  }

  // Records sent to the engine per output file name.
  std::map<std::string, std::vector<int>> RecordsByFile() {
    std::map<std::string, std::vector<int>> by;
    for (const auto &[file, record] : ComposedByDocument()) by[file].push_back(record);
    for (auto &[file, records] : by) std::sort(records.begin(), records.end());
    return by;
  }

  // Saved after composition: without the engine the slots are collapsed,
  // their template groups replaced by copies of the script frames.
  static bool Composed(const std::string &svg) {
    return svg.find("<svg") != std::string::npos && svg.find("vardo2_group") == std::string::npos;
  }

  std::set<std::string> Files(const std::string &dir) {
    std::set<std::string> names;
    for (const auto &e : fs::directory_iterator(Linux(dir))) names.insert(e.path().filename());
    return names;
  }

  // Fraction of the bar's inner row that is coloured, as the screen shows it,
  // and whether its frame and the rest are as drawn (black, white).
  struct Bar {
    int inner = 0, coloured = 0, white = 0, frame = 0;
  };
  Bar ReadBar() {
    Bar bar;
    HWND control = GetDlgItem(ProgressWindow(), 4);
    vplat::PumpMessages();
    RECT r{};
    GetWindowRect(control, &r);
    const int y = (r.top + r.bottom) / 2;
    bar.frame = vplat::GetScreenPixel(r.left, y) == RGB(0, 0, 0) &&
                vplat::GetScreenPixel(r.right - 1, y) == RGB(0, 0, 0) &&
                vplat::GetScreenPixel((r.left + r.right) / 2, r.top) == RGB(0, 0, 0);
    for (int x = r.left + 1; x < r.right - 1; ++x) {
      ++bar.inner;
      const COLORREF c = vplat::GetScreenPixel(x, y);
      if (c == RGB(0x18, 0x49, 0x9D)) ++bar.coloured;
      if (c == RGB(255, 255, 255)) ++bar.white;
    }
    return bar;
  }
};

TEST_F(BatchRun, StartUpRegistersTheSubmenuItsCommandAndTheStepTimer) {
  StartAll();
  vhost::MenuItem *group = Host().FindMenuItem("VARDO2_SEQUENCER_GROUP");
  vhost::MenuItem *command = Host().FindMenuItem("VARDO2_SEQUENCER_CONFIG");
  ASSERT_NE(group, nullptr);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(group->group, "Place Document");
  EXPECT_EQ(group->text, u"Vardo 連続生成");
  EXPECT_EQ(command->group, "VARDO2_SEQUENCER_GROUP");
  EXPECT_EQ(command->text, u"レコード番号を指定して作成...");
  EXPECT_EQ(command->options, 0);
  bool timer = false;
  for (auto &t : Host().Timers()) {
    if (t->plugin == Sequencer()) timer = t->name == "VARDO2_SEQUENCER_TIMER" && t->period == 60;
  }
  EXPECT_TRUE(timer);
  EXPECT_EQ(Sequencer()->startupStatus, kNoErr);
}

TEST_F(BatchRun, AGroupThatCannotBeAddedStillLeavesTheCommandTried) {
  // Vardo adds its menu item first; the sequencer's group is the second.
  Host().FailCallAt("AddMenuItem", 2, kBadParameterErr);
  StartAll();
  // The command's group was never made, so the command fails too; its
  // status is the start-up's and no timer is registered.
  EXPECT_EQ(Host().FindMenuItem("VARDO2_SEQUENCER_GROUP"), nullptr);
  EXPECT_EQ(Sequencer()->startupStatus, kBadParameterErr);
}

TEST_F(BatchRun, DefaultFoldersHoldTheTemplateAndTheNumberedOutputs) {
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
  WriteSettings("T:\\data.csv", "sample.ai", 1, 3);
  StartAll();
  ChooseCommand();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(Files(kOutputs),
            (std::set<std::string>{"sample_001.ai", "sample_002.ai", "sample_003.ai"}));
  EXPECT_EQ(RecordsByFile(),
            (std::map<std::string, std::vector<int>>{
                {"sample_001.ai", {1}}, {"sample_002.ai", {2}}, {"sample_003.ai", {3}}}));
  // Saved composed, closed, the template untouched.
  EXPECT_TRUE(Composed(Get(std::string(kOutputs) + "/sample_002.ai")));
  EXPECT_EQ(Get(std::string(kTemplates) + "/sample.ai"), SlotDocument(1));
  EXPECT_EQ(Host().Documents().Count(), 0u);
  EXPECT_TRUE(Messages().empty());
}

// Output names and places for templates given as full paths, and the
// range's ends.
TEST_F(BatchRun, FullPathTemplatesGiveOutputsBesideThemNamedByRecord) {
  struct Case {
    std::string aippath;
    long start, end;
    int slots;
    std::map<std::string, std::vector<int>> expected;
  };
  const std::vector<Case> cases = {
      {"C:\\work\\card.ai", 1, 2, 1, {{"card_001.ai", {1}}, {"card_002.ai", {2}}}},
      {"C:\\work\\x.html", 1, 1, 1, {{"x.html_001", {1}}}},
      {"C:\\work\\card.ai",
       1,
       5,
       2,
       {{"card_001.ai", {1, 2}}, {"card_003.ai", {3, 4}}, {"card_005.ai", {5}}}},
      {"C:\\work\\card.ai", 3, 1, 1, {{"card_003.ai", {3}}}},
      {"C:\\work\\card.ai", 0, 1, 1, {{"card_001.ai", {1}}}},
      {"C:\\work\\card.ai", 1000, 1000, 1, {{"card_1000.ai", {1000}}}},
  };
  Put("big.csv", vardotest::Table(1001));
  for (const Case &c : cases) {
    SCOPED_TRACE(c.aippath + " " + std::to_string(c.start) + ".." + std::to_string(c.end));
    TearDown();
    SetUp();
    Put("big.csv", vardotest::Table(1001));
    fs::create_directories(Linux("c/work"));
    ASSERT_TRUE(vplat::MapDrive('C', Linux("c")));
    const std::string name = c.aippath.substr(8);
    Put("c/work/" + name, SlotDocument(c.slots));
    WriteSettings("T:\\big.csv", c.aippath, c.start, c.end);
    StartAll();
    ChooseCommand();
    ASSERT_TRUE(RunToEnd());
    std::set<std::string> expectedFiles = {name};
    for (const auto &[file, records] : c.expected) expectedFiles.insert(file);
    EXPECT_EQ(Files("c/work"), expectedFiles);
    EXPECT_EQ(RecordsByFile(), c.expected);
  }
}

TEST_F(BatchRun, AnExistingOutputIsReplacedWithoutAQuestion) {
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
  Put(std::string(kOutputs) + "/sample_001.ai", "old");
  WriteSettings("T:\\data.csv", "sample.ai", 1, 1);
  StartAll();
  ChooseCommand();
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(Composed(Get(std::string(kOutputs) + "/sample_001.ai")));
  EXPECT_TRUE(vplat::dialogs::Diagnostics().empty());
}

TEST_F(BatchRun, TheCsvPathTravelsInPercentForm) {
  fs::create_directories(Linux("c/データ"));
  ASSERT_TRUE(vplat::MapDrive('C', Linux("c")));
  Put("c/データ/a%.csv", vardotest::Table(3));
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
  WriteSettings("C:\\データ\\a%.csv", "sample.ai", 1, 1);
  StartAll();
  std::vector<std::string> sent;
  Host().ObserveNotifications([&](const std::string &type, void *data) {
    if (type != "9475-2407-6658-9330-9846-6542") return;
    auto &values = static_cast<vhost::ParamBlock *>(data)->values;
    sent.push_back(std::get<std::string>(values.at(AS_FOURCC('c', 's', 'v', 'p'))));
    EXPECT_EQ(std::get<ASInt32>(values.at(AS_FOURCC('f', 'r', 'r', 'c'))), 1);
    EXPECT_EQ(std::get<ASInt32>(values.at(AS_FOURCC('t', 'o', 'r', 'c'))), 1);
    EXPECT_EQ(std::get<ASInt32>(values.at(AS_FOURCC('f', 'n', 'r', 'c'))), 0);
  });
  ChooseCommand();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(sent, std::vector<std::string>{"C:\\%83f%81[%83^\\a%25.csv"});
  // Vardo read the file the path names.
  EXPECT_EQ(Receiver().count, 1);
  EXPECT_EQ(Receiver().calls[0].record, 1);
}

TEST_F(BatchRun, ProgressRisesByTenPercentAndTheWindowGoesOneTickAfter) {
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
  WriteSettings("T:\\data.csv", "sample.ai", 1, 10);
  StartAll();
  ChooseCommand();
  HWND window = ProgressWindow();
  ASSERT_NE(window, nullptr);
  // Placed a tenth of the way across the host's main window, topmost.
  RECT main{}, own{};
  GetWindowRect(Host().MainWindow(), &main);
  GetWindowRect(window, &own);
  EXPECT_EQ(own.left, static_cast<LONG>(0.1 * (main.right - (own.right - own.left))));
  EXPECT_EQ(own.top, static_cast<LONG>(0.1 * (main.bottom - (own.bottom - own.top))));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(vplat::dialogs::GetText(window, 3), "");
  EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU);

  Bar start = ReadBar();
  EXPECT_TRUE(start.frame);
  EXPECT_EQ(start.white, start.inner);  // all white at 0 percent
  for (int document = 1; document <= 10; ++document) {
    SCOPED_TRACE(document);
    Host().RunTicks(kStep);  // produce
    const Bar bar = ReadBar();
    EXPECT_EQ(bar.coloured, bar.inner * (10 * (document - 1)) / 100);
    EXPECT_EQ(bar.coloured + bar.white, bar.inner);
    Host().RunTicks(2 * kStep);  // save, close
  }
  EXPECT_NE(ProgressWindow(), nullptr);
  Host().RunTicks(kStep);
  EXPECT_EQ(ProgressWindow(), nullptr);
  EXPECT_EQ(Files(kOutputs).size(), 10u);
}

TEST_F(BatchRun, TheBarIsFullyColouredAtOneHundredPercent) {
  // An end of 0 is no upper limit to Vardo: from a start of 0 both slots
  // are filled, (2 - 0) / 1 of the bar, which stays inside its frame.
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(2));
  WriteSettings("T:\\data.csv", "sample.ai", 0, 0);
  StartAll();
  ChooseCommand();
  Host().RunTicks(kStep);
  const Bar bar = ReadBar();
  EXPECT_TRUE(bar.frame);
  EXPECT_EQ(bar.coloured, bar.inner);
}

TEST_F(BatchRun, ARangeEndingBeforeItStartsShowsAFullBarWithoutDividingByZero) {
  // 3 to 2: the span is 0.
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
  WriteSettings("T:\\data.csv", "sample.ai", 3, 2);
  StartAll();
  ChooseCommand();
  Host().RunTicks(kStep);
  const Bar bar = ReadBar();
  EXPECT_EQ(bar.coloured, bar.inner);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(RecordsByFile(), (std::map<std::string, std::vector<int>>{{"sample_003.ai", {3}}}));
}

TEST_F(BatchRun, AnAbortWhileSavingLetsTheDocumentBeSavedAndClosed) {
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
  WriteSettings("T:\\data.csv", "sample.ai", 1, 5);
  StartAll();
  ChooseCommand();
  Host().RunTicks(kStep);  // document 1 open, to be saved next
  ASSERT_TRUE(vplat::dialogs::Click(ProgressWindow(), 2));
  Host().RunTicks(2 * kStep);  // saved and closed all the same
  EXPECT_EQ(Host().Documents().Count(), 0u);
  EXPECT_NE(ProgressWindow(), nullptr);
  Host().RunTicks(kStep);  // the abort is honoured: no document 2
  EXPECT_EQ(ProgressWindow(), nullptr);
  EXPECT_EQ(Files(kOutputs), std::set<std::string>{"sample_001.ai"});
  EXPECT_TRUE(Composed(Get(std::string(kOutputs) + "/sample_001.ai")));
}

TEST_F(BatchRun, AnEscapeWaitingInTheQueueAbortsOneTheHostTookDoesNot) {
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
  WriteSettings("T:\\data.csv", "sample.ai", 1, 5);
  StartAll();
  ChooseCommand();
  Host().RunTicks(3 * kStep);  // document 1 done
  SetActiveWindow(Host().MainWindow());
  SetFocus(Host().MainWindow());
  vplat::KeyDown(VK_ESCAPE);  // taken by the host's own loop at the next tick
  vplat::KeyUp(VK_ESCAPE);
  Host().RunTicks(3 * kStep);
  EXPECT_EQ(Files(kOutputs).size(), 2u);
  ASSERT_NE(ProgressWindow(), nullptr);

  vplat::KeyDown(VK_ESCAPE);  // still queued when the step begins
  StepNow();
  EXPECT_EQ(ProgressWindow(), nullptr);
  Host().RunTicks(3 * kStep);
  EXPECT_EQ(Files(kOutputs).size(), 2u);
}

TEST_F(BatchRun, ACopyThatFailsShowsTheMessageOnceAndProducesNothing) {
  // A missing template, and an output that cannot be deleted.
  for (bool templateThere : {false, true}) {
    SCOPED_TRACE(templateThere);
    TearDown();
    SetUp();
    if (templateThere) {
      Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
      Put(std::string(kOutputs) + "/sample_004.ai", "kept");
      MakeReadOnly(std::string(kOutputs) + "/sample_004.ai");
    }
    WriteSettings("T:\\data.csv", "sample.ai", 4, 6);
    StartAll();
    ChooseCommand();
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "レコード番号 4\r\n\"sample.ai\" ファイルのコピーに失敗しました。\r\n"
                              "雛型ファイルを確認して下さい。"});
    EXPECT_EQ(Receiver().count, 0);
    EXPECT_EQ(Host().Documents().Count(), 0u);
    EXPECT_EQ(Files(kOutputs).size(), templateThere ? 1u : 0u);
  }
}

TEST_F(BatchRun, ARequestThatCannotBeMadeEndsTheRunAfterThatDocument) {
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
  WriteSettings("T:\\data.csv", "sample.ai", 1, 5);
  StartAll();
  ChooseCommand();
  Host().FailParamBlockAt(1);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(Messages(), std::vector<std::string>{"レコード番号 1\r\n組版の依頼を作れませんでした。"
                                                 "\r\n連続生成を中止します。"});
  // Saved uncomposed and closed; never made again for the same record.
  EXPECT_EQ(Files(kOutputs), std::set<std::string>{"sample_001.ai"});
  EXPECT_EQ(Receiver().count, 0);
  EXPECT_EQ(Host().Documents().Count(), 0u);
}

TEST_F(BatchRun, ACopyTheHostCannotOpenLeavesTheCurrentDocumentAlone) {
  Put(std::string(kTemplates) + "/sample.ai", "not a document");
  WriteSettings("T:\\data.csv", "sample.ai", 1, 5);
  StartAll();
  Open(SlotDocument(1), "mine.svg");
  ChooseCommand();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("sample_001.ai\" を開けませんでした。"), std::string::npos);
  EXPECT_EQ(Receiver().count, 0);
  ASSERT_EQ(Host().Documents().Count(), 1u);
  EXPECT_EQ(fs::path(Host().Documents().CurrentDocument()->Path()).filename(), "mine.svg");
  EXPECT_EQ(Get("mine.svg"), SlotDocument(1));
  EXPECT_TRUE(Files(kOutputs).empty());
}

TEST_F(BatchRun, TheCommandDuringARunIsRefusedAndTheRunGoesOn) {
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(1));
  WriteSettings("T:\\data.csv", "sample.ai", 1, 3);
  StartAll();
  ChooseCommand();
  Host().RunTicks(kStep);
  bool dialogShown = false;
  vplat::dialogs::OnNextModalDialog([&](HWND d) {
    dialogShown = true;
    vplat::dialogs::Click(d, IDCANCEL);
  });
  EXPECT_TRUE(Host().ChooseMenuItem("VARDO2_SEQUENCER_CONFIG"));
  EXPECT_FALSE(dialogShown);
  EXPECT_EQ(Messages(), std::vector<std::string>{"連続生成の実行中です。\r\n"
                                                 "終わるか中止してから設定して下さい。"});
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(Files(kOutputs).size(), 3u);
  vplat::dialogs::Reset();
}

TEST_F(BatchRun, TheRunEndsWhenTheDataRunsOut) {
  // 20 records over 1..999, three slots a document: the seventh document
  // takes records 19 and 20, Vardo answers 0 and the run ends after it.
  Put(std::string(kTemplates) + "/sample.ai", SlotDocument(3));
  WriteSettings("T:\\data.csv", "sample.ai", 1, 999);
  StartAll();
  ChooseCommand();
  ASSERT_TRUE(RunToEnd());
  const auto by = RecordsByFile();
  EXPECT_EQ(by.size(), 7u);
  EXPECT_EQ(by.at("sample_019.ai"), (std::vector<int>{19, 20}));
  EXPECT_EQ(Files(kOutputs).size(), 7u);
}

}  // namespace

}  // namespace sequencertest
