// A user played through a report-mode list view: columns and cells in and
// out, clicks, double clicks and drags, with the notifications the parent
// window receives.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <vplatform/input.h>
#include <vplatform/windows.h>

#include <string>

#include "controls_testing.h"

namespace {

constexpr int kListId = 1001;

class ListViewTest : public vplat::testing::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    list = Child(WC_LISTVIEWW, LVS_REPORT | WS_VSCROLL, 10, 10, 600, 200, kListId);
    ASSERT_NE(list, nullptr);
  }

  void AddColumn(int at, const char16_t *title, int width, int fmt = LVCFMT_LEFT) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.fmt = fmt;
    c.cx = width;
    c.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(title));
    ASSERT_EQ(SendMessageW(list, LVM_INSERTCOLUMNW, at, reinterpret_cast<LPARAM>(&c)), at);
  }
  int AddRow(int at, const char16_t *text) {
    LVITEMW it{};
    it.mask = LVIF_TEXT;
    it.iItem = at;
    it.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(text));
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
  }
  void SetCell(int row, int col, const char16_t *text) {
    LVITEMW it{};
    it.iSubItem = col;
    it.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(text));
    ASSERT_TRUE(SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&it)));
  }
  std::u16string Cell(int row, int col) {
    WCHAR buf[256];
    LVITEMW it{};
    it.iSubItem = col;
    it.pszText = buf;
    it.cchTextMax = 256;
    LRESULT n = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&it));
    return std::u16string(reinterpret_cast<const char16_t *>(buf), static_cast<size_t>(n));
  }
  // A grid of 3 columns (row number, name, city) and 6 rows.
  void Fill() {
    AddColumn(0, u"", 50, LVCFMT_CENTER);
    AddColumn(1, u"name", 200);
    AddColumn(2, u"city", 200);
    const char16_t *names[] = {u"Ann", u"Bob", u"Cleo", u"Dan", u"Eve", u"Fay"};
    for (int r = 0; r < 6; ++r) {
      std::u16string n = std::u16string(1, static_cast<char16_t>(u'1' + r));
      ASSERT_EQ(AddRow(r, n.c_str()), r);
      SetCell(r, 1, names[r]);
      SetCell(r, 2, u"\u6771\u4eac");  // Tokyo, outside ASCII
    }
  }
  // Centre of a cell on the screen.
  POINT CellPoint(int row, int col) {
    RECT r{};
    r.top = col;
    r.left = LVIR_LABEL;
    EXPECT_TRUE(SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&r)));
    return Screen(list, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  void ClickCell(int row, int col) {
    POINT p = CellPoint(row, col);
    vplat::ClickAt(p.x, p.y);
    vplat::PumpMessages();
  }
  std::vector<int> Selected() {
    std::vector<int> out;
    for (int i = -1;
         (i = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, i, LVNI_SELECTED))) != -1;)
      out.push_back(i);
    return out;
  }

  HWND list = nullptr;
};

TEST_F(ListViewTest, ColumnsAndCellsComeBackInBothCharacterSets) {
  Fill();
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 6);
  EXPECT_EQ(Cell(2, 0), u"3");
  EXPECT_EQ(Cell(2, 1), u"Cleo");
  EXPECT_EQ(Cell(5, 2), u"\u6771\u4eac");
  EXPECT_EQ(Cell(5, 7), u"");  // no such column: empty, not an error

  // The ANSI forms go through the code page (932 here): Tokyo is 4 bytes.
  char a[16];
  LVITEMA ia{};
  ia.iSubItem = 2;
  ia.pszText = a;
  ia.cchTextMax = sizeof a;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTA, 5, reinterpret_cast<LPARAM>(&ia)), 4);
  EXPECT_EQ(std::string(a), "\x93\x8c\x8b\x9e");
  // A short buffer cuts whole characters only.
  ia.cchTextMax = 4;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTA, 5, reinterpret_cast<LPARAM>(&ia)), 2);
  EXPECT_EQ(std::string(a), "\x93\x8c");

  LVITEMA seta{};
  seta.iSubItem = 1;
  seta.pszText = const_cast<char *>("\x8d\xb2\x93\xa1");  // Sato in Shift-JIS
  ASSERT_TRUE(SendMessageW(list, LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&seta)));
  EXPECT_EQ(Cell(0, 1), u"\u4f50\u85e4");

  // LVM_SETITEM / LVM_GETITEM: a sub-item's text, the item's value and state.
  LVITEMW set{};
  set.mask = LVIF_TEXT;
  set.iItem = 1;
  set.iSubItem = 2;
  set.pszText = const_cast<LPWSTR>(u"Oslo");
  ASSERT_TRUE(SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&set)));
  set.mask = LVIF_PARAM | LVIF_STATE;
  set.iSubItem = 0;
  set.lParam = 4711;
  set.state = set.stateMask = LVIS_SELECTED;
  ASSERT_TRUE(SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&set)));
  WCHAR got[16];
  LVITEMW get{};
  get.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  get.iItem = 1;
  get.iSubItem = 2;
  get.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  get.pszText = got;
  get.cchTextMax = 16;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&get)));
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t *>(got)), u"Oslo");
  EXPECT_EQ(get.lParam, 4711);
  EXPECT_EQ(get.state, static_cast<UINT>(LVIS_SELECTED));
  get.iItem = 6;
  EXPECT_FALSE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&get)));

  WCHAR title[16];
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  col.pszText = title;
  col.cchTextMax = 16;
  ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&col)));
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t *>(title)), u"name");
  EXPECT_EQ(col.cx, 200);
  EXPECT_EQ(col.fmt, LVCFMT_LEFT);
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, 120));
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 120);

  // Deleting column 1 moves the cities into column 1; deleting until it
  // fails leaves column 0 with its texts.
  ASSERT_TRUE(SendMessageW(list, LVM_DELETECOLUMN, 1, 0));
  EXPECT_EQ(Cell(3, 1), u"\u6771\u4eac");
  ASSERT_TRUE(SendMessageW(list, LVM_DELETECOLUMN, 1, 0));
  EXPECT_FALSE(SendMessageW(list, LVM_DELETECOLUMN, 1, 0));
  EXPECT_EQ(Cell(3, 0), u"4");

  // Refused records: a sub-item on insertion, a negative row, a text callback.
  LVITEMW bad{};
  bad.mask = LVIF_TEXT;
  bad.iSubItem = 1;
  EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&bad)), -1);
  bad.iSubItem = 0;
  bad.iItem = -1;
  EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&bad)), -1);
  bad.iItem = 0;
  bad.pszText = LPSTR_TEXTCALLBACKW;
  EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&bad)), -1);
  EXPECT_EQ(AddRow(100, u"end"), 6);  // past the end: appended
}

TEST_F(ListViewTest, ClicksSelectRowsAsWindowsDoes) {
  Fill();
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
            LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);

  ClickCell(2, 1);
  EXPECT_EQ(Selected(), std::vector<int>{2});
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 2);
  EXPECT_EQ(GetFocus(), list);
  auto clicks = Got(WM_NOTIFY, NM_CLICK);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].activate.iItem, 2);
  EXPECT_EQ(clicks[0].activate.iSubItem, 1);
  EXPECT_EQ(clicks[0].from, list);
  EXPECT_EQ(clicks[0].id, kListId);

  ClickCell(4, 2);  // a plain click replaces the selection
  EXPECT_EQ(Selected(), std::vector<int>{4});

  vplat::KeyDown(VK_CONTROL);
  ClickCell(1, 0);  // Ctrl adds
  ClickCell(4, 0);  // and removes
  ClickCell(5, 2);
  vplat::KeyUp(VK_CONTROL);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 5}));
  vplat::KeyDown(VK_SHIFT);
  ClickCell(3, 1);  // Shift: from the mark (5) to here
  vplat::KeyUp(VK_SHIFT);
  vplat::PumpMessages();
  EXPECT_EQ(Selected(), (std::vector<int>{3, 4, 5}));

  // Each change of state was reported, with old and new states.
  auto changes = Got(WM_NOTIFY, LVN_ITEMCHANGED);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes[0].listView.iItem, 2);
  EXPECT_EQ(changes[0].listView.uNewState & LVIS_SELECTED, static_cast<UINT>(LVIS_SELECTED));
  EXPECT_EQ(changes[0].listView.uChanged, static_cast<UINT>(LVIF_STATE));

  // Below the last row nothing is hit: the selection goes.
  RECT last{};
  SendMessageW(list, LVM_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&last));
  POINT below = Screen(list, POINT{20, last.bottom + 5});
  vplat::ClickAt(below.x, below.y);
  vplat::PumpMessages();
  EXPECT_TRUE(Selected().empty());
}

TEST_F(ListViewTest, SingleSelectionAndRefusedChanges) {
  SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) | LVS_SINGLESEL);
  Fill();
  vplat::KeyDown(VK_CONTROL);
  ClickCell(1, 0);
  ClickCell(3, 0);
  vplat::KeyUp(VK_CONTROL);
  EXPECT_EQ(Selected(), std::vector<int>{3});

  LVITEMW st{};
  st.stateMask = LVIS_SELECTED;
  st.state = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&st));
  EXPECT_EQ(Selected(), std::vector<int>{0});

  refuseItemChanging = TRUE;  // the parent says no
  EXPECT_FALSE(SendMessageW(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&st)));
  EXPECT_EQ(Selected(), std::vector<int>{0});
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 2, LVIS_SELECTED), 0);
}

TEST_F(ListViewTest, DoubleClickOnACellReportsItemAndSubItem) {
  Fill();
  POINT p = CellPoint(3, 2);
  vplat::DoubleClickAt(p.x, p.y);
  vplat::PumpMessages();
  auto dbl = Got(WM_NOTIFY, NM_DBLCLK);
  ASSERT_EQ(dbl.size(), 1u);
  EXPECT_EQ(dbl[0].activate.iItem, 3);
  EXPECT_EQ(dbl[0].activate.iSubItem, 2);
  POINT client = p;
  ScreenToClient(list, &client);
  EXPECT_EQ(dbl[0].activate.ptAction.x, client.x);
  EXPECT_EQ(dbl[0].activate.ptAction.y, client.y);
  EXPECT_EQ(dbl[0].from, list);
  EXPECT_EQ(Got(WM_NOTIFY, LVN_ITEMACTIVATE).size(), 1u);

  // The parent's usual answer: the cell under the cursor by sub-item hit test.
  LVHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ScreenToClient(list, &hit.pt);
  EXPECT_EQ(SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 3);
  EXPECT_EQ(hit.iSubItem, 2);

  // Below the rows: the double click still comes, with no item.
  received.clear();
  RECT last{};
  SendMessageW(list, LVM_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&last));
  POINT below = Screen(list, POINT{60, last.bottom + 30});
  vplat::DoubleClickAt(below.x, below.y);
  vplat::PumpMessages();
  dbl = Got(WM_NOTIFY, NM_DBLCLK);
  ASSERT_EQ(dbl.size(), 1u);
  EXPECT_EQ(dbl[0].activate.iItem, -1);
  EXPECT_TRUE(Got(WM_NOTIFY, LVN_ITEMACTIVATE).empty());
}

TEST_F(ListViewTest, PressAndMoveBeyondTheDragDistanceBeginsADrag) {
  Fill();
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
  ASSERT_GT(cx, 0);
  POINT start = CellPoint(1, 1);
  vplat::MoveCursor(start.x, start.y);
  vplat::PressButton();
  vplat::MoveCursor(start.x + cx, start.y - cy);  // within the drag rectangle
  vplat::PumpMessages();
  EXPECT_TRUE(Got(WM_NOTIFY, LVN_BEGINDRAG).empty());
  EXPECT_EQ(Selected(), std::vector<int>{1});  // the press selected the row

  vplat::MoveCursor(start.x + cx + 1, start.y);
  vplat::PumpMessages();
  auto drags = Got(WM_NOTIFY, LVN_BEGINDRAG);
  ASSERT_EQ(drags.size(), 1u);
  EXPECT_EQ(drags[0].listView.iItem, 1);
  POINT client = start;
  ScreenToClient(list, &client);
  EXPECT_EQ(drags[0].listView.ptAction.x, client.x);  // where the press was
  EXPECT_EQ(drags[0].listView.ptAction.y, client.y);
  EXPECT_TRUE(drags[0].leftDown);  // the button is still held

  // Moving further and releasing starts nothing more and is no click.
  vplat::MoveCursor(start.x + 40, start.y + 40);
  vplat::ReleaseButton();
  vplat::PumpMessages();
  EXPECT_EQ(Got(WM_NOTIFY, LVN_BEGINDRAG).size(), 1u);
  EXPECT_TRUE(Got(WM_NOTIFY, NM_CLICK).empty());

  // A press on no row never begins a drag.
  received.clear();
  POINT empty = Screen(list, POINT{580, 190});
  vplat::MoveCursor(empty.x, empty.y);
  vplat::PressButton();
  vplat::MoveCursor(empty.x - 30, empty.y - 30);
  vplat::ReleaseButton();
  vplat::PumpMessages();
  EXPECT_TRUE(Got(WM_NOTIFY, LVN_BEGINDRAG).empty());
}

// A press inside a multiple selection keeps it (so it can be dragged); a
// release without a drag reduces it to the pressed row.
TEST_F(ListViewTest, PressInsideASelectionKeepsItUntilRelease) {
  Fill();
  LVITEMW st{};
  st.stateMask = st.state = LVIS_SELECTED;
  for (int r : {1, 2, 3}) SendMessageW(list, LVM_SETITEMSTATE, r, reinterpret_cast<LPARAM>(&st));
  POINT p = CellPoint(2, 0);
  vplat::MoveCursor(p.x, p.y);
  vplat::PressButton();
  vplat::PumpMessages();
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
  vplat::ReleaseButton();
  vplat::PumpMessages();
  EXPECT_EQ(Selected(), std::vector<int>{2});
}

struct HitCase {
  int x, y;  // client point
  int item, subItem;
  UINT flags;
};

TEST_F(ListViewTest, HitTestsFollowFixedRowsColumnsAndTheTopIndex) {
  Fill();
  RECT r0{};
  SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r0));
  const int header = r0.top, row = r0.bottom - r0.top;
  ASSERT_GT(row, 0);
  const HitCase cases[] = {
      {5, header + 1, 0, 0, LVHT_ONITEMLABEL},
      {55, header + row * 2 + row / 2, 2, 1, LVHT_ONITEMLABEL},
      {449, header + row * 5, 5, 2, LVHT_ONITEMLABEL},
      {450, header + row, -1, -1, LVHT_NOWHERE},     // right of the last column
      {20, header + row * 6, -1, -1, LVHT_NOWHERE},  // below the last row
      {20, header - 1, -1, -1, LVHT_NOWHERE},        // on the header
      {-1, header + 1, -1, -1, LVHT_TOLEFT},
      {20, 250, -1, -1, LVHT_BELOW},  // outside the client area
  };
  for (const HitCase &c : cases) {
    SCOPED_TRACE(::testing::Message() << "point " << c.x << "," << c.y);
    LVHITTESTINFO hit{};
    hit.pt = {c.x, c.y};
    EXPECT_EQ(SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), c.item);
    EXPECT_EQ(hit.iItem, c.item);
    EXPECT_EQ(hit.iSubItem, c.subItem);
    EXPECT_EQ(hit.flags, c.flags);
  }
  // Without full-row selection only the first column belongs to the item.
  LVHITTESTINFO hit{};
  hit.pt = {55, header + 1};
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);

  // Scrolling: enough rows to scroll, then the last one made visible.
  for (int i = 6; i < 40; ++i) AddRow(i, u"x");
  const int page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_EQ(page, (200 - header) / row);
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
  EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 39, FALSE));
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 40 - page);
  hit.pt = {5, header + 1};
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 40 - page);
  EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 3, FALSE));
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 3);
  SendMessageW(list, LVM_SCROLL, 0, -row * 2);
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 1);
}

TEST_F(ListViewTest, DeletingItemsNotifiesAndKeepsStatesInPlace) {
  Fill();
  LVITEMW st{};
  st.stateMask = st.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, 4, reinterpret_cast<LPARAM>(&st));
  ASSERT_TRUE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
  EXPECT_EQ(Selected(), std::vector<int>{3});
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 3);
  EXPECT_EQ(Cell(1, 1), u"Cleo");
  EXPECT_FALSE(SendMessageW(list, LVM_DELETEITEM, 9, 0));

  received.clear();
  ASSERT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(Got(WM_NOTIFY, LVN_DELETEALLITEMS).size(), 1u);
  EXPECT_EQ(Got(WM_NOTIFY, LVN_DELETEITEM).size(), 5u);  // the parent did not say TRUE
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), -1);
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
}

}  // namespace
