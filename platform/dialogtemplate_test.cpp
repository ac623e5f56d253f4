#include "dialogtemplate.h"

#include <gtest/gtest.h>

#include "dialogtemplate_testing.h"

using vplat::detail::DialogTemplate;
using vplat::detail::ParseDialogTemplate;
using vplat::testing::DialogTemplateWriter;

namespace {

constexpr DWORD kPopup = 0x80000000L;    // WS_POPUP
constexpr DWORD kChild = 0x40000000L;    // WS_CHILD
constexpr DWORD kVisible = 0x10000000L;  // WS_VISIBLE
constexpr DWORD kTabStop = 0x00010000L;  // WS_TABSTOP

DialogTemplateWriter EditCellDialog(bool extended) {
  DialogTemplateWriter w(extended, kPopup | DS_MODALFRAME, 22, 21, 210, 171, u"\u7de8\u96c6");
  w.font(9, u"MS Shell Dlg")
      .item(DialogTemplateWriter::kButton, 1, kChild | kVisible | kTabStop | BS_DEFPUSHBUTTON, 154,
            149, 45, 14, u"OK")
      .item(DialogTemplateWriter::kButton, 2, kChild | kVisible | kTabStop, 95, 149, 50, 14,
            u"Cancel")
      .item(DialogTemplateWriter::kEdit, 1001, kChild | kVisible | ES_MULTILINE | ES_WANTRETURN, 10,
            10, 190, 130, u"");
  return w;
}

}  // namespace

// Both layouts carry the same dialog; every field of the header and of each
// item must come back, including a title outside ASCII and DWORD padding
// between items of odd-length texts.
TEST(DialogTemplate, ReadsPlainAndExtendedLayouts) {
  for (bool extended : {false, true}) {
    SCOPED_TRACE(extended ? "DLGTEMPLATEEX" : "DLGTEMPLATE");
    std::vector<BYTE> bytes = EditCellDialog(extended).bytes();
    DialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), t));
    EXPECT_EQ(t.extended, extended);
    EXPECT_EQ(t.style, kPopup | DS_MODALFRAME | DS_SETFONT);
    EXPECT_EQ(t.x, 22);
    EXPECT_EQ(t.cy, 171);
    EXPECT_EQ(t.title, u"\u7de8\u96c6");
    EXPECT_TRUE(t.hasFont);
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.typeface, u"MS Shell Dlg");
    EXPECT_EQ(t.weight, extended ? 400 : 0);
    ASSERT_EQ(t.items.size(), 3u);
    EXPECT_EQ(t.items[0].className, u"Button");
    EXPECT_EQ(t.items[0].id, 1u);
    EXPECT_EQ(t.items[0].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(t.items[0].text.name, u"OK");
    EXPECT_EQ(t.items[1].text.name, u"Cancel");
    EXPECT_EQ(t.items[1].x, 95);
    EXPECT_EQ(t.items[2].className, u"Edit");
    EXPECT_EQ(t.items[2].id, 1001u);
    EXPECT_EQ(t.items[2].cx, 190);
    EXPECT_TRUE(t.items[2].text.name.empty());
    EXPECT_FALSE(t.items[2].text.isOrdinal);
  }
}

TEST(DialogTemplate, ReadsClassNamesOrdinalsAndCreationData) {
  DialogTemplateWriter w(true, kPopup, 0, 0, 100, 50, u"T");
  w.item(u"SysListView32", 7, kChild, 1, 2, 3, 4, u"")
      .item(DialogTemplateWriter::kStatic, 8, kChild | SS_ICON, 0, 0, 10, 10, u"",
            {0xAA, 0xBB, 0xCC})
      .item(DialogTemplateWriter::kComboBox, 0x12345, kChild | CBS_DROPDOWNLIST, 0, 0, 10, 10,
            u"x");
  std::vector<BYTE> bytes = w.bytes();
  DialogTemplate t;
  ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), t));
  ASSERT_EQ(t.items.size(), 3u);
  EXPECT_EQ(t.items[0].className, u"SysListView32");
  EXPECT_FALSE(t.hasFont);
  // The creation data keeps its count word in front, as the control sees it.
  EXPECT_EQ(t.items[1].creationData, (std::vector<BYTE>{3, 0, 0xAA, 0xBB, 0xCC}));
  EXPECT_EQ(t.items[2].className, u"ComboBox");
  EXPECT_EQ(t.items[2].id, 0x12345u);  // extended items have 32-bit ids
  EXPECT_EQ(t.items[2].text.name, u"x");
}

// A template cut anywhere must be refused, never read past its end.
TEST(DialogTemplate, RefusesEveryTruncation) {
  for (bool extended : {false, true}) {
    std::vector<BYTE> bytes = EditCellDialog(extended).bytes();
    DialogTemplate t;
    for (size_t len = 0; len < bytes.size(); ++len) {
      std::vector<BYTE> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(len));
      EXPECT_FALSE(ParseDialogTemplate(cut.data(), cut.size(), t)) << "length " << len;
    }
    EXPECT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), t));
  }
}
