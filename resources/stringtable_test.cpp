#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/modules.h"

namespace vardo::resources {
namespace {

using testing::ScriptModule;

// A list as the options dialogs fill it: `count` consecutive strings from
// `first`, leaving out those that begin with "-".
std::vector<std::u16string> ListEntries(HMODULE module, UINT first, int count) {
  std::vector<std::u16string> entries;
  for (int i = 0; i < count; ++i) {
    WCHAR buffer[64];
    LoadStringW(module, first + i, buffer, 64);
    if (buffer[0] != u'-') entries.emplace_back(buffer);
  }
  return entries;
}

std::vector<std::u16string> Versions() {
  std::vector<std::u16string> v = {u"オート"};
  for (int i = 1; i <= 40; ++i) {
    const std::string n = std::to_string(i);
    v.emplace_back(n.begin(), n.end());
  }
  return v;
}

TEST(ScriptStringTable, ListsHoldTheirEntriesInOrder) {
  HMODULE module = ScriptModule("VardoScript");
  ASSERT_NE(module, nullptr);
  struct Run {
    const char *what;
    UINT first;
    int count;
    std::vector<std::u16string> entries;
  };
  const Run runs[] = {
      {"placement types", 16091, 2, {u"バーコード", u"ＱＲコード"}},
      {"horizontal positions", 16101, 3, {u"左", u"中央", u"右"}},
      {"vertical positions", 16111, 3, {u"上", u"中央", u"下"}},
      {"barcode kinds",
       16151,
       29,
       {u"JAN 標準(12桁)",
        u"JAN 短縮(7桁)",
        u"JAN ISBN",
        u"UPC-A",
        u"UPC-E",
        u"UPC-アドオン",
        u"JAN 標準(12桁) OCR併記",
        u"JAN 短縮(7桁) OCR併記",
        u"UPC-A OCR併記",
        u"2 of 5(IDENTICON-INDUSTRIAL)",
        u"2 of 5(IATA/WALLACE)",
        u"2 of 5(COMPUTER IDENTICS)",
        u"2 of 5(MATRIX)",
        u"2 of 5(INTERLEAVED)",
        u"2 of 5(NEC/COOP)",
        u"2 of 5(UPC CASECODE)",
        u"CODABAR(NW7)",
        u"CODE-39",
        u"CODE-11",
        u"CODE-93",
        u"CODE-128",
        u"CODE-128(UCC/EAN)",
        u"POSTAL",
        u"GS1-14",
        u"GS1 LIMITED",
        u"GS1 EXPANDED",
        u"GS1-14 TRUNCATED",
        u"GS1-14 STACKED",
        u"GS1-14 OMNIDIRCTIONAL"}},
      // 19 strings, two of them "-": 17 entries, the ninth "0".
      {"magnifications",
       16181,
       19,
       {u"0.2", u"0.3", u"0.4", u"0.5", u"0.6", u"0.7", u"0.8", u"0.9", u"0", u"1.1", u"1.2",
        u"1.3", u"1.4", u"1.5", u"1.6", u"1.8", u"2.0"}},
      {"module heights",
       16201,
       14,
       {u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12", u"13", u"14", u"15", u"15.9", u"25.4",
        u"31.8"}},
      {"error-correction levels", 16301, 4, {u"Ｌ(7%)", u"Ｍ(15%)", u"Ｑ(25%)", u"Ｈ(30%)"}},
      {"QR versions", 16311, 41, Versions()},
      {"encoding modes", 16361, 6, {u"オート", u"数字", u"英数", u"バイナリ", u"漢字", u"混在"}},
      {"cell sizes",
       16371,
       11,
       {u"0.2mm", u"0.25mm", u"0.33mm", u"0.5mm", u"0.75mm", u"1mm", u"1mm", u"2mm", u"3mm", u"4mm",
        u"5mm"}},
  };
  for (const Run &run : runs) {
    SCOPED_TRACE(run.what);
    EXPECT_EQ(ListEntries(module, run.first, run.count), run.entries);
  }
  // Exactly the two magnification strings that are left out begin with "-".
  int dashes = 0;
  for (UINT id = 16181; id < 16200; ++id) {
    WCHAR buffer[8];
    LoadStringW(module, id, buffer, 8);
    dashes += std::u16string(buffer) == u"-";
  }
  EXPECT_EQ(dashes, 2);
}

}  // namespace
}  // namespace vardo::resources
