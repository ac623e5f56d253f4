// The data panel of the real Vardo module: import into the list, export,
// editing a cell through its dialog.
#include <gtest/gtest.h>

#include "testing/vardoplugintest.h"
#include "vplatform/clock.h"
#include "vplatform/faults.h"

namespace vardotest {
namespace {

class DataPanel : public VardoPluginTest {
 protected:
  void SetUp() override {
    VardoPluginTest::SetUp();
    Start();
  }

  std::vector<std::string> Row(int row) {
    std::vector<std::string> cells;
    for (size_t c = 0; c < ColumnTitles().size(); ++c)
      cells.push_back(Cell(row, static_cast<int>(c)));
    return cells;
  }

  // Double-clicks a cell; `edit` answers the dialog when one opens.
  int DoubleClick(int row, int column, std::function<void(HWND)> edit) {
    int opened = 0;
    vplat::dialogs::OnModalDialog([&](HWND dialog) {
      ++opened;
      EXPECT_EQ(vplat::dialogs::DialogResourceId(dialog), 16052);
      edit(dialog);
    });
    vplat::clock::Advance(2'000'000);
    const POINT p = CellPoint(row, column);
    vplat::DoubleClickAt(p.x, p.y);
    vplat::PumpMessages();
    vplat::dialogs::Reset();
    return opened;
  }
};

using Rows = std::vector<std::vector<std::string>>;

TEST_F(DataPanel, ShowsTheTableAsColumnsAndRows) {
  struct Case {
    const char *name;
    std::string csv;
    std::vector<std::string> titles;
    Rows rows;
  } cases[] = {
      {"three fields, five lines",
       "a,b,c\r\n1,2,3\r\n4,5,6\r\n7,8,9\r\n10,11,12\r\n13,14,15\r\n",
       {"", "a", "b", "c"},
       {{"1", "1", "2", "3"},
        {"2", "4", "5", "6"},
        {"3", "7", "8", "9"},
        {"4", "10", "11", "12"},
        {"5", "13", "14", "15"}}},
      {"an empty header field", "a,,c\r\n1,2,3\r\n", {"", "a", "@1", "c"}, {{"1", "1", "2", "3"}}},
      {"longer and shorter records",
       "a,b\r\n1,2,3,4\r\n5\r\n",
       {"", "a", "b"},
       {{"1", "1", "2"}, {"2", "5", ""}}},
      {"only a header", "a,b\r\n", {"", "a", "b"}, {}},
      {"UTF-8 text",
       "名前,住所\r\n価格,\"東京, 日本\"\r\n",
       {"", "名前", "住所"},
       {{"1", "価格", "東京, 日本"}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Import("data.csv", c.csv);
    EXPECT_EQ(ColumnTitles(), c.titles);
    ASSERT_EQ(RowCount(), static_cast<int>(c.rows.size()));
    for (size_t r = 0; r < c.rows.size(); ++r) EXPECT_EQ(Row(static_cast<int>(r)), c.rows[r]) << r;
  }
}

TEST_F(DataPanel, ARejectedFileEmptiesTheListAndAnUnreadableOneKeepsTheTable) {
  Import("good.csv", Table(2));
  ASSERT_EQ(RowCount(), 2);

  vplat::faults::Arm(vplat::faults::Op::Open, 0, false);
  Import("other.csv", Table(5));
  EXPECT_TRUE(vplat::faults::Fired());
  vplat::faults::Reset();
  EXPECT_EQ(RowCount(), 2);
  EXPECT_EQ(ColumnTitles(), (std::vector<std::string>{"", "a", "b", "c"}));
  EXPECT_EQ(Cell(1, 3), "r2c");

  Import("control.csv", std::string("a,b\r\n1,\x01\r\n"));
  EXPECT_EQ(RowCount(), 0);
  EXPECT_EQ(ColumnTitles(), (std::vector<std::string>{""}));
}

TEST_F(DataPanel, ExportWritesTheTableAsUtf8) {
  // "名前,値" and "東京,1" in Shift-JIS.
  Import("sjis.csv", std::string("\x96\xbc\x91\x4f,\x92\x6c\r\n\x93\x8c\x8b\x9e,1\r\n"));
  ASSERT_EQ(Cell(0, 1), "東京");
  Export("out.csv");
  EXPECT_EQ(Get("out.csv"), "名前,値\r\n東京,1\r\n");

  // A cancelled dialog writes nothing.
  vplat::dialogs::OnFileDialog(
      [](const vplat::dialogs::FileDialogRequest &, std::string &) { return false; });
  Host().ChooseFlyoutItem(kPanelId, 2);
  EXPECT_FALSE(Exists("Untitled.csv"));
}

TEST_F(DataPanel, ADoubleClickEditsTheCellInTheListAndTheTable) {
  Import("data.csv", Table(2));
  const int opened = DoubleClick(0, 2, [](HWND dialog) {
    EXPECT_EQ(vplat::dialogs::GetText(dialog, 1001), "r1b");
    vplat::dialogs::SetText(dialog, 1001, "new, \"quoted\"");
    vplat::dialogs::Click(dialog, IDOK);
  });
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(Cell(0, 2), "new, \"quoted\"");
  SenderRequest answer = Send(Lookup(1, "b"));
  ASSERT_TRUE(answer.hasValue);
  EXPECT_STREQ(answer.value, "new, \"quoted\"");
  Export("out.csv");
  const std::string out = Get("out.csv");
  EXPECT_EQ(out.find("a,b,c\r\nr1a,\"new, "), 0u) << out;  // quoted in the table
  EXPECT_NE(out.find(",r1c\r\nr2a,r2b,r2c\r\n"), std::string::npos) << out;
}

TEST_F(DataPanel, CancelTheRowNumberAndAnOversizedEditChangeNothing) {
  Import("data.csv", Table(2));
  const std::string before = Get("data.csv");
  // Cancel.
  EXPECT_EQ(DoubleClick(1, 1,
                        [](HWND dialog) {
                          vplat::dialogs::SetText(dialog, 1001, "x");
                          vplat::dialogs::Click(dialog, IDCANCEL);
                        }),
            1);
  // The row-number column opens nothing.
  EXPECT_EQ(DoubleClick(1, 0, [](HWND) {}), 0);
  // 11,000 characters of three UTF-8 bytes each do not fit the 32,767-byte
  // buffer: refused.
  std::string long_text;
  for (int i = 0; i < 11000; ++i) long_text += "日";
  EXPECT_EQ(DoubleClick(1, 1,
                        [&](HWND dialog) {
                          vplat::dialogs::SetText(dialog, 1001, long_text);
                          vplat::dialogs::Click(dialog, IDOK);
                        }),
            1);
  EXPECT_EQ(Cell(1, 1), "r2a");
  EXPECT_STREQ(Send(Lookup(2, "a")).value, "r2a");
  Export("out.csv");
  EXPECT_EQ(Get("out.csv"), before);
}

TEST_F(DataPanel, AnEditTheTableRefusesIsNotShown) {
  // 30,000 characters fit the UTF-8 buffer, but the record's line would
  // outgrow the table's line window.
  Import("data.csv", "a,b\r\n1," + std::string(3000, 'x') + "\r\n");
  EXPECT_EQ(DoubleClick(0, 1,
                        [](HWND dialog) {
                          vplat::dialogs::SetText(dialog, 1001, std::string(30000, 'y'));
                          vplat::dialogs::Click(dialog, IDOK);
                        }),
            1);
  EXPECT_EQ(Cell(0, 1), "1");
  EXPECT_STREQ(Send(Lookup(1, "a")).value, "1");
}

}  // namespace
}  // namespace vardotest
