// The "SysListView32" class, in report view.
//
// Geometry is fixed, whatever the font: a column header band of 24 pixels
// at the top (none with LVS_NOCOLUMNHEADER), then rows of 20 pixels from
// the top index down; columns laid side by side in index order from x = 0
// (no horizontal scrolling). Hit tests, item rectangles and mouse handling
// all follow from that.
//
// Implemented: columns (insert, delete, get, set, widths, LVSCW_AUTOSIZE
// from an average character width), items and sub-items (insert, set,
// get, text, delete, delete all, LVS_SORTASCENDING / DESCENDING on
// insertion), states (selection under LVS_SINGLESEL, one focused item,
// the selection mark) with LVN_ITEMCHANGING / LVN_ITEMCHANGED, LVM_GETNEXTITEM,
// hit tests, item and sub-item rectangles, the top index (LVM_ENSUREVISIBLE,
// LVM_SCROLL, WM_VSCROLL, WM_MOUSEWHEEL), extended styles and colours
// (stored; gridlines and full-row selection are honoured), the mouse
// (selection by press with Ctrl and Shift, NM_CLICK, NM_DBLCLK with
// LVN_ITEMACTIVATE, NM_RCLICK, LVN_BEGINDRAG after the button moves
// more than SM_CXDRAG / SM_CYDRAG while held), the keyboard (arrows, Home,
// End, Page keys, Space, Enter, LVN_KEYDOWN), LVN_INSERTITEM,
// LVN_DELETEITEM, LVN_DELETEALLITEMS.
//
// Left out: the other views, images, the header child window (LVM_GETHEADER
// gives NULL), column order arrays, LVM_SORTITEMS, LVM_FINDITEM, label
// editing, and text callbacks (an item given LPSTR_TEXTCALLBACK is refused).
// Text changes send no notification.
#include <windows.h>

#include <commctrl.h>
#include <vplatform/classes.h>

#include <algorithm>
#include <cstdlib>

#include "controlsupport.h"
#include "listviewstore.h"

namespace {

using namespace vplat::detail;

constexpr int kHeaderHeight = 24;
constexpr int kRowHeight = 20;
constexpr int kAverageCharWidth = 6;  // for LVSCW_AUTOSIZE
constexpr int kCellPadding = 6;       // each side of a cell's text

// Scroll codes of WM_VSCROLL.
constexpr WORD kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4,
               kThumbTrack = 5, kTop = 6, kBottom = 7;
constexpr int kWheelDelta = 120;

struct ListViewState {
  ListViewStore store;
  DWORD exStyle = 0;
  int top = 0;
  int mark = -1;  // selection mark: anchor of Shift selections
  HFONT font = nullptr;
  COLORREF bk;
  COLORREF text;
  COLORREF textBk = CLR_NONE;
  int version = 6;
  BOOL unicodeFormat = TRUE;
  // Left button pressed on the control and not yet released or dragged.
  bool armed = false;
  POINT press{};
  int pressItem = -1;
  int pendingSingle = -1;  // reduce the selection to this item on release
};

DWORD Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)); }
int HeaderHeight(HWND hwnd) { return (Style(hwnd) & LVS_NOCOLUMNHEADER) ? 0 : kHeaderHeight; }
bool SingleSel(HWND hwnd) { return (Style(hwnd) & LVS_SINGLESEL) != 0; }

RECT Client(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return rc;
}

int PerPage(HWND hwnd) {
  return std::max(0, (static_cast<int>(Client(hwnd).bottom) - HeaderHeight(hwnd)) / kRowHeight);
}

int TotalWidth(const ListViewState *s) {
  int w = 0;
  for (int c = 0; c < s->store.columnCount(); ++c) w += s->store.column(c).width;
  return w;
}

int ColumnLeft(const ListViewState *s, int col) {
  int x = 0;
  for (int c = 0; c < col; ++c) x += s->store.column(c).width;
  return x;
}

// Column under x, -1 outside every column.
int ColumnAt(const ListViewState *s, int x) {
  int left = 0;
  for (int c = 0; c < s->store.columnCount(); ++c) {
    int w = s->store.column(c).width;
    if (x >= left && x < left + w) return c;
    left += w;
  }
  return -1;
}

void ClampTop(HWND hwnd, ListViewState *s) {
  int maxTop = std::max(0, s->store.rowCount() - PerPage(hwnd));
  s->top = std::clamp(s->top, 0, maxTop);
}

void SetTop(HWND hwnd, ListViewState *s, int top) {
  int old = s->top;
  s->top = top;
  ClampTop(hwnd, s);
  if (s->top != old) InvalidateRect(hwnd, nullptr, TRUE);
}

void EnsureVisible(HWND hwnd, ListViewState *s, int item) {
  if (!s->store.validRow(item)) return;
  int page = std::max(1, PerPage(hwnd));
  if (item < s->top)
    SetTop(hwnd, s, item);
  else if (item >= s->top + page)
    SetTop(hwnd, s, item - page + 1);
}

// ---- hit testing -------------------------------------------------------------

struct Hit {
  int item = -1;
  int column = -1;
  UINT flags = LVHT_NOWHERE;
};

Hit HitTest(HWND hwnd, const ListViewState *s, POINT pt) {
  Hit h;
  RECT rc = Client(hwnd);
  UINT outside = 0;
  if (pt.x < 0) outside |= LVHT_TOLEFT;
  if (pt.x >= rc.right) outside |= LVHT_TORIGHT;
  if (pt.y < 0) outside |= LVHT_ABOVE;
  if (pt.y >= rc.bottom) outside |= LVHT_BELOW;
  if (outside) {
    h.flags = outside;
    return h;
  }
  h.column = ColumnAt(s, pt.x);
  const int header = HeaderHeight(hwnd);
  if (pt.y < header || h.column < 0) return h;
  int row = s->top + (pt.y - header) / kRowHeight;
  if (row >= s->store.rowCount()) return h;
  h.item = row;
  h.flags = LVHT_ONITEMLABEL;
  return h;
}

// LVM_HITTEST: without full-row selection only the first column belongs to
// the item.
Hit ItemHitTest(HWND hwnd, const ListViewState *s, POINT pt) {
  Hit h = HitTest(hwnd, s, pt);
  if (h.item >= 0 && h.column != 0 && !(s->exStyle & LVS_EX_FULLROWSELECT)) {
    h.item = -1;
    h.flags = LVHT_NOWHERE;
  }
  return h;
}

RECT RowRect(HWND hwnd, const ListViewState *s, int item) {
  RECT r;
  r.left = 0;
  r.right = TotalWidth(s);
  r.top = HeaderHeight(hwnd) + (item - s->top) * kRowHeight;
  r.bottom = r.top + kRowHeight;
  return r;
}

RECT CellRect(HWND hwnd, const ListViewState *s, int item, int col) {
  RECT r = RowRect(hwnd, s, item);
  r.left = ColumnLeft(s, col);
  r.right = r.left + (col < s->store.columnCount() ? s->store.column(col).width : 0);
  return r;
}

// ---- notifications and states -------------------------------------------------

UINT KeyFlags() {
  UINT f = 0;
  if (GetKeyState(VK_MENU) & 0x8000) f |= LVKF_ALT;
  if (GetKeyState(VK_CONTROL) & 0x8000) f |= LVKF_CONTROL;
  if (GetKeyState(VK_SHIFT) & 0x8000) f |= LVKF_SHIFT;
  return f;
}

LRESULT NotifyListView(HWND hwnd, UINT code, int item, int sub, POINT pt, UINT newState = 0,
                       UINT oldState = 0, UINT changed = 0, LPARAM param = 0) {
  NMLISTVIEW nm{};
  nm.iItem = item;
  nm.iSubItem = sub;
  nm.uNewState = newState;
  nm.uOldState = oldState;
  nm.uChanged = changed;
  nm.ptAction = pt;
  nm.lParam = param;
  return NotifyParent(hwnd, nm.hdr, code);
}

void NotifyActivate(HWND hwnd, UINT code, const Hit &h, POINT pt) {
  NMITEMACTIVATE nm{};
  nm.iItem = h.item;
  nm.iSubItem = h.item >= 0 ? std::max(h.column, 0) : -1;
  nm.ptAction = pt;
  nm.uKeyFlags = KeyFlags();
  NotifyParent(hwnd, nm.hdr, code);
}

// Changes one item's state with LVN_ITEMCHANGING (which may refuse) and
// LVN_ITEMCHANGED, keeping one focused item and, under LVS_SINGLESEL, one
// selected item. Returns false when the parent refused.
bool ChangeState(HWND hwnd, ListViewState *s, int item, UINT value, UINT mask) {
  if (!s->store.validRow(item)) return false;
  const UINT old = s->store.state(item);
  const UINT next = (old & ~mask) | (value & mask);
  if (old == next) return true;
  const LPARAM param = s->store.param(item);
  if (NotifyListView(hwnd, LVN_ITEMCHANGING, item, 0, POINT{0, 0}, next, old, LVIF_STATE, param))
    return false;
  if ((next & ~old & LVIS_FOCUSED) && s->store.focusedRow() >= 0 && s->store.focusedRow() != item)
    ChangeState(hwnd, s, s->store.focusedRow(), 0, LVIS_FOCUSED);
  if ((next & ~old & LVIS_SELECTED) && SingleSel(hwnd)) {
    for (int r = 0; r < s->store.rowCount(); ++r)
      if (r != item && (s->store.state(r) & LVIS_SELECTED))
        ChangeState(hwnd, s, r, 0, LVIS_SELECTED);
  }
  if (!s->store.validRow(item)) return false;  // a handler deleted it
  s->store.setState(item, value, mask);
  InvalidateRect(hwnd, nullptr, FALSE);
  NotifyListView(hwnd, LVN_ITEMCHANGED, item, 0, POINT{0, 0}, next, old, LVIF_STATE, param);
  return true;
}

void DeselectAllBut(HWND hwnd, ListViewState *s, int keep) {
  for (int r = 0; r < s->store.rowCount(); ++r)
    if (r != keep && (s->store.state(r) & LVIS_SELECTED)) ChangeState(hwnd, s, r, 0, LVIS_SELECTED);
}

// Selection by a left (or right) press on item with the modifier keys.
void PressSelect(HWND hwnd, ListViewState *s, int item, WPARAM keys, bool deferSingle) {
  const bool multi = !SingleSel(hwnd);
  const bool ctrl = (keys & MK_CONTROL) != 0, shift = (keys & MK_SHIFT) != 0;
  s->pendingSingle = -1;
  if (item < 0) {
    if (!ctrl && !shift) DeselectAllBut(hwnd, s, -1);
    return;
  }
  if (ctrl && multi) {
    ChangeState(hwnd, s, item, s->store.state(item) ^ LVIS_SELECTED, LVIS_SELECTED);
    ChangeState(hwnd, s, item, LVIS_FOCUSED, LVIS_FOCUSED);
    s->mark = item;
    return;
  }
  if (shift && multi && s->store.validRow(s->mark)) {
    const int a = std::min(s->mark, item), b = std::max(s->mark, item);
    for (int r = 0; r < s->store.rowCount(); ++r)
      if ((r < a || r > b) && (s->store.state(r) & LVIS_SELECTED))
        ChangeState(hwnd, s, r, 0, LVIS_SELECTED);
    for (int r = a; r <= b; ++r) ChangeState(hwnd, s, r, LVIS_SELECTED, LVIS_SELECTED);
    ChangeState(hwnd, s, item, LVIS_FOCUSED, LVIS_FOCUSED);
    return;
  }
  // A press inside a multiple selection keeps it, so that it can be
  // dragged; the release without a drag reduces it to this item.
  if (deferSingle && (s->store.state(item) & LVIS_SELECTED) &&
      s->store.countWithState(LVIS_SELECTED) > 1)
    s->pendingSingle = item;
  else
    DeselectAllBut(hwnd, s, item);
  ChangeState(hwnd, s, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  s->mark = item;
}

// ---- text in and out of LVITEM / LVCOLUMN --------------------------------------

std::u16string TextIn(const void *p, bool ansi) {
  if (!p) return {};
  if (ansi) return AnsiToWide(static_cast<const char *>(p));
  auto *w = static_cast<LPCWSTR>(p);
  return std::u16string(reinterpret_cast<const char16_t *>(w), WideLength(w));
}

int TextOut(std::u16string_view t, void *buf, int cap, bool ansi) {
  return ansi ? CopyOutAnsi(t, static_cast<LPSTR>(buf), cap)
              : CopyOut(t, static_cast<LPWSTR>(buf), cap);
}

bool IsCallback(const void *p) {
  return p == reinterpret_cast<const void *>(static_cast<LONG_PTR>(-1));
}

// LVITEMA and LVITEMW (and the two LVCOLUMNs) differ only in the type of
// pszText, so one record type serves both with an ANSI flag.
using Item = LVITEMW;
using Column = LVCOLUMNW;

int SortedPosition(HWND hwnd, const ListViewState *s, std::u16string_view text) {
  const DWORD style = Style(hwnd);
  const int n = s->store.rowCount();
  if (!(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING))) return -1;
  const bool desc = (style & LVS_SORTDESCENDING) != 0;
  int lo = 0, hi = n;
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    int c = CompareNoCase(s->store.text(mid, 0), text);
    if (desc ? c >= 0 : c <= 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

LRESULT InsertItem(HWND hwnd, ListViewState *s, const Item *it, bool ansi) {
  if (!it || it->iSubItem != 0 || it->iItem < 0) return -1;
  std::u16string text;
  if (it->mask & LVIF_TEXT) {
    if (IsCallback(it->pszText)) return -1;
    text = TextIn(it->pszText, ansi);
  }
  int at = SortedPosition(hwnd, s, text);
  if (at < 0) at = it->iItem;
  const int row = s->store.insertRow(at);
  s->store.setText(row, 0, text);
  if (it->mask & LVIF_PARAM) s->store.setParam(row, it->lParam);
  if (it->mask & LVIF_IMAGE) s->store.setImage(row, it->iImage);
  if (s->mark >= row) ++s->mark;
  if (it->mask & LVIF_STATE) {
    const UINT mask = it->stateMask;
    const UINT value = it->state & mask;
    if ((value & LVIS_SELECTED) && SingleSel(hwnd)) DeselectAllBut(hwnd, s, row);
    s->store.setState(row, value, mask);
  }
  InvalidateRect(hwnd, nullptr, FALSE);
  NotifyListView(hwnd, LVN_INSERTITEM, row, 0, POINT{0, 0});
  return row;
}

BOOL SetItem(HWND hwnd, ListViewState *s, const Item *it, bool ansi) {
  if (!it || !s->store.validRow(it->iItem) || it->iSubItem < 0) return FALSE;
  if (it->mask & LVIF_TEXT) {
    if (IsCallback(it->pszText)) return FALSE;
    s->store.setText(it->iItem, it->iSubItem, TextIn(it->pszText, ansi));
    InvalidateRect(hwnd, nullptr, FALSE);
  }
  if (it->iSubItem != 0) return TRUE;
  if (it->mask & LVIF_PARAM) s->store.setParam(it->iItem, it->lParam);
  if (it->mask & LVIF_IMAGE) s->store.setImage(it->iItem, it->iImage);
  if (it->mask & LVIF_STATE)
    return ChangeState(hwnd, s, it->iItem, it->state, it->stateMask) ? TRUE : FALSE;
  return TRUE;
}

BOOL GetItem(const ListViewState *s, Item *it, bool ansi) {
  if (!it || !s->store.validRow(it->iItem) || it->iSubItem < 0) return FALSE;
  if (it->mask & LVIF_TEXT)
    TextOut(s->store.text(it->iItem, it->iSubItem), it->pszText, it->cchTextMax, ansi);
  if (it->mask & LVIF_STATE) it->state = s->store.state(it->iItem) & it->stateMask;
  if (it->mask & LVIF_PARAM) it->lParam = s->store.param(it->iItem);
  if (it->mask & LVIF_IMAGE) it->iImage = s->store.image(it->iItem);
  if (it->mask & LVIF_INDENT) it->iIndent = 0;
  return TRUE;
}

void ApplyColumn(ListViewStore::Column &c, const Column *col, bool ansi) {
  if (col->mask & LVCF_FMT) c.fmt = col->fmt;
  if (col->mask & LVCF_WIDTH) c.width = std::max(0, col->cx);
  if ((col->mask & LVCF_TEXT) && !IsCallback(col->pszText)) c.text = TextIn(col->pszText, ansi);
  if (col->mask & LVCF_IMAGE) c.image = col->iImage;
  if (col->mask & LVCF_ORDER) c.order = col->iOrder;
}

int AutoWidth(const ListViewState *s, int col, bool withHeader) {
  size_t chars = withHeader ? s->store.column(col).text.size() : 0;
  for (int r = 0; r < s->store.rowCount(); ++r)
    chars = std::max(chars, s->store.text(r, col).size());
  return static_cast<int>(chars) * kAverageCharWidth + 2 * kCellPadding;
}

BOOL SetColumnWidth(HWND hwnd, ListViewState *s, int col, int cx) {
  if (col < 0 || col >= s->store.columnCount()) return FALSE;
  if (cx == LVSCW_AUTOSIZE) {
    cx = AutoWidth(s, col, false);
  } else if (cx == LVSCW_AUTOSIZE_USEHEADER) {
    cx = AutoWidth(s, col, true);
    if (col == s->store.columnCount() - 1)  // the last column fills the rest
      cx = std::max(cx, static_cast<int>(Client(hwnd).right) - ColumnLeft(s, col));
  }
  s->store.column(col).width = std::max(0, cx);
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

int NextItem(HWND hwnd, const ListViewState *s, int start, UINT flags) {
  (void)hwnd;
  UINT want = 0;
  if (flags & LVNI_FOCUSED) want |= LVIS_FOCUSED;
  if (flags & LVNI_SELECTED) want |= LVIS_SELECTED;
  if (flags & LVNI_CUT) want |= LVIS_CUT;
  if (flags & LVNI_DROPHILITED) want |= LVIS_DROPHILITED;
  const int n = s->store.rowCount();
  auto matches = [&](int r) { return (s->store.state(r) & want) == want; };
  if (flags & (LVNI_TOLEFT | LVNI_TORIGHT)) return -1;  // one column of items in report view
  if (flags & LVNI_ABOVE) {
    for (int r = std::min(start, n) - 1; r >= 0; --r)
      if (matches(r)) return r;
    return -1;
  }
  for (int r = std::max(start + 1, 0); r < n; ++r)
    if (matches(r)) return r;
  return -1;
}

// ---- painting -------------------------------------------------------------------

UINT Align(int fmt) {
  switch (fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return DT_RIGHT;
    case LVCFMT_CENTER: return DT_CENTER;
    default: return DT_LEFT;
  }
}

void FillColour(HDC dc, const RECT &r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void Paint(HWND hwnd, ListViewState *s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc) return;
  const RECT rc = Client(hwnd);
  FillColour(dc, rc, s->bk);
  HGDIOBJ oldFont = s->font ? SelectObject(dc, s->font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  const int ncol = s->store.columnCount();
  const int header = HeaderHeight(hwnd);
  auto cellText = [&](RECT cell, std::u16string_view t, int fmt) {
    if (t.empty()) return;
    cell.left += kCellPadding;
    cell.right -= kCellPadding;
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(t.data()), static_cast<int>(t.size()), &cell,
              Align(fmt) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  };
  if (header) {
    RECT band{0, 0, rc.right, header};
    FillRect(dc, &band, GetSysColorBrush(COLOR_3DFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (int c = 0, x = 0; c < ncol; x += s->store.column(c).width, ++c) {
      RECT cell{x, 0, x + s->store.column(c).width, header};
      FrameRect(dc, &cell, GetSysColorBrush(COLOR_3DSHADOW));
      cellText(cell, s->store.column(c).text, c == 0 ? LVCFMT_LEFT : s->store.column(c).fmt);
    }
  }
  const int total = TotalWidth(s);
  const int last = std::min(s->store.rowCount(), s->top + PerPage(hwnd) + 1);
  for (int r = s->top; r < last; ++r) {
    RECT row = RowRect(hwnd, s, r);
    const bool selected = (s->store.state(r) & LVIS_SELECTED) != 0;
    if (selected) {
      RECT sel = row;
      if (!(s->exStyle & LVS_EX_FULLROWSELECT) && ncol > 0) sel.right = s->store.column(0).width;
      FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    for (int c = 0; c < ncol; ++c) {
      const bool hi = selected && (c == 0 || (s->exStyle & LVS_EX_FULLROWSELECT));
      SetTextColor(dc, hi ? GetSysColor(COLOR_HIGHLIGHTTEXT) : s->text);
      cellText(CellRect(hwnd, s, r, c), s->store.text(r, c),
               c == 0 ? LVCFMT_LEFT : s->store.column(c).fmt);
    }
    if (s->exStyle & LVS_EX_GRIDLINES) {
      RECT line{0, row.bottom - 1, total, row.bottom};
      FillRect(dc, &line, GetSysColorBrush(COLOR_3DLIGHT));
    }
  }
  if ((s->exStyle & LVS_EX_GRIDLINES) && ncol > 0) {
    const int bottom = header + (last - s->top) * kRowHeight;
    for (int c = 0, x = 0; c < ncol; ++c) {
      x += s->store.column(c).width;
      RECT line{x - 1, header, x, bottom};
      FillRect(dc, &line, GetSysColorBrush(COLOR_3DLIGHT));
    }
  }
  if (oldFont) SelectObject(dc, oldFont);
  EndPaint(hwnd, &ps);
}

// ---- input ------------------------------------------------------------------------

void KeyNavigate(HWND hwnd, ListViewState *s, int target) {
  const int n = s->store.rowCount();
  if (n == 0) return;
  target = std::clamp(target, 0, n - 1);
  if (GetKeyState(VK_CONTROL) & 0x8000) {
    ChangeState(hwnd, s, target, LVIS_FOCUSED, LVIS_FOCUSED);
  } else {
    PressSelect(hwnd, s, target, (GetKeyState(VK_SHIFT) & 0x8000) ? MK_SHIFT : 0, false);
  }
  EnsureVisible(hwnd, s, target);
}

void OnKeyDown(HWND hwnd, ListViewState *s, WPARAM vk, LPARAM lParam) {
  NMLVKEYDOWN kd{};
  kd.wVKey = static_cast<WORD>(vk);
  kd.flags = static_cast<UINT>(lParam);
  NotifyParent(hwnd, kd.hdr, LVN_KEYDOWN);
  if (!IsWindow(hwnd)) return;
  const int focus = s->store.focusedRow();
  const int page = std::max(1, PerPage(hwnd));
  switch (vk) {
    case VK_DOWN: KeyNavigate(hwnd, s, focus < 0 ? 0 : focus + 1); break;
    case VK_UP: KeyNavigate(hwnd, s, focus < 0 ? 0 : focus - 1); break;
    case VK_HOME: KeyNavigate(hwnd, s, 0); break;
    case VK_END: KeyNavigate(hwnd, s, s->store.rowCount() - 1); break;
    case VK_NEXT: KeyNavigate(hwnd, s, (focus < 0 ? 0 : focus) + page - 1); break;
    case VK_PRIOR: KeyNavigate(hwnd, s, (focus < 0 ? 0 : focus) - page + 1); break;
    case VK_SPACE:
      if (focus >= 0) {
        UINT v = (GetKeyState(VK_CONTROL) & 0x8000) ? (s->store.state(focus) ^ LVIS_SELECTED)
                                                    : LVIS_SELECTED;
        ChangeState(hwnd, s, focus, v, LVIS_SELECTED);
      }
      break;
    case VK_RETURN: {
      NMHDR hdr{};
      NotifyParent(hwnd, hdr, NM_RETURN);
      if (focus >= 0 && IsWindow(hwnd)) {
        Hit h;
        h.item = focus;
        h.column = 0;
        NotifyActivate(hwnd, LVN_ITEMACTIVATE, h, POINT{0, 0});
      }
      break;
    }
    default: break;
  }
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LRESULT CALLBACK ListViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ListViewState *s = ControlState<ListViewState>(hwnd);
  if (!s) {
    if (msg == WM_NCCREATE) {
      s = new ListViewState;
      s->bk = GetSysColor(COLOR_WINDOW);
      s->text = GetSysColor(COLOR_WINDOWTEXT);
      SetControlState(hwnd, s);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  const bool ansi = msg == LVM_INSERTITEMA || msg == LVM_SETITEMA || msg == LVM_GETITEMA ||
                    msg == LVM_SETITEMTEXTA || msg == LVM_GETITEMTEXTA ||
                    msg == LVM_INSERTCOLUMNA || msg == LVM_SETCOLUMNA || msg == LVM_GETCOLUMNA;
  switch (msg) {
    case WM_NCDESTROY:
      SetControlState<ListViewState>(hwnd, nullptr);
      delete s;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(hwnd, s); return 0;
    case WM_SIZE: ClampTop(hwnd, s); return 0;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      NMHDR hdr{};
      NotifyParent(hwnd, hdr, msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
      return 0;
    }

    // ---- mouse
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd);
      const POINT pt = PointOf(lParam);
      const Hit h = ItemHitTest(hwnd, s, pt);
      PressSelect(hwnd, s, h.item, wParam, true);
      s->armed = true;
      s->press = pt;
      s->pressItem = h.item;
      SetCapture(hwnd);
      return 0;
    }
    case WM_MOUSEMOVE: {
      if (!s->armed) return 0;
      if (!(wParam & MK_LBUTTON)) {
        s->armed = false;
        return 0;
      }
      const POINT pt = PointOf(lParam);
      if (std::abs(pt.x - s->press.x) <= GetSystemMetrics(SM_CXDRAG) &&
          std::abs(pt.y - s->press.y) <= GetSystemMetrics(SM_CYDRAG))
        return 0;
      s->armed = false;
      s->pendingSingle = -1;
      if (GetCapture() == hwnd) ReleaseCapture();
      if (s->pressItem >= 0)
        NotifyListView(hwnd, LVN_BEGINDRAG, s->pressItem, 0, s->press, 0, 0, 0,
                       s->store.param(s->pressItem));
      return 0;
    }
    case WM_LBUTTONUP: {
      if (!s->armed) return 0;
      s->armed = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      if (s->pendingSingle >= 0) {
        DeselectAllBut(hwnd, s, s->pendingSingle);
        s->pendingSingle = -1;
      }
      NotifyActivate(hwnd, NM_CLICK, HitTest(hwnd, s, s->press), s->press);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd) s->armed = false;
      return 0;
    case WM_LBUTTONDBLCLK: {
      SetFocus(hwnd);
      const POINT pt = PointOf(lParam);
      PressSelect(hwnd, s, ItemHitTest(hwnd, s, pt).item, wParam, false);
      const Hit h = HitTest(hwnd, s, pt);
      NotifyActivate(hwnd, NM_DBLCLK, h, pt);
      if (h.item >= 0 && IsWindow(hwnd)) NotifyActivate(hwnd, LVN_ITEMACTIVATE, h, pt);
      return 0;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
      SetFocus(hwnd);
      const POINT pt = PointOf(lParam);
      const Hit h = ItemHitTest(hwnd, s, pt);
      if (h.item < 0 || !(s->store.state(h.item) & LVIS_SELECTED))
        PressSelect(hwnd, s, h.item, wParam, false);
      NotifyActivate(hwnd, msg == WM_RBUTTONDOWN ? NM_RCLICK : NM_RDBLCLK, HitTest(hwnd, s, pt),
                     pt);
      return 0;
    }
    case WM_VSCROLL: {
      const int page = std::max(1, PerPage(hwnd));
      switch (LOWORD(wParam)) {
        case kLineUp: SetTop(hwnd, s, s->top - 1); break;
        case kLineDown: SetTop(hwnd, s, s->top + 1); break;
        case kPageUp: SetTop(hwnd, s, s->top - page); break;
        case kPageDown: SetTop(hwnd, s, s->top + page); break;
        case kThumbPosition:
        case kThumbTrack: SetTop(hwnd, s, HIWORD(wParam)); break;
        case kTop: SetTop(hwnd, s, 0); break;
        case kBottom: SetTop(hwnd, s, s->store.rowCount()); break;
        default: break;
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
      SetTop(hwnd, s, s->top - static_cast<SHORT>(HIWORD(wParam)) / kWheelDelta * 3);
      return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, s, wParam, lParam); return 0;

    // ---- columns
    case LVM_INSERTCOLUMNA:
    case LVM_INSERTCOLUMNW: {
      auto *col = reinterpret_cast<const Column *>(lParam);
      if (!col) return -1;
      ListViewStore::Column c;
      ApplyColumn(c, col, ansi);
      int at = s->store.insertColumn(static_cast<int>(wParam), std::move(c));
      InvalidateRect(hwnd, nullptr, TRUE);
      return at;
    }
    case LVM_DELETECOLUMN: {
      BOOL ok = s->store.deleteColumn(static_cast<int>(wParam));
      if (ok) InvalidateRect(hwnd, nullptr, TRUE);
      return ok;
    }
    case LVM_SETCOLUMNA:
    case LVM_SETCOLUMNW: {
      auto *col = reinterpret_cast<const Column *>(lParam);
      const int i = static_cast<int>(wParam);
      if (!col || i < 0 || i >= s->store.columnCount()) return FALSE;
      ApplyColumn(s->store.column(i), col, ansi);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case LVM_GETCOLUMNA:
    case LVM_GETCOLUMNW: {
      auto *col = reinterpret_cast<Column *>(lParam);
      const int i = static_cast<int>(wParam);
      if (!col || i < 0 || i >= s->store.columnCount()) return FALSE;
      const ListViewStore::Column &c = s->store.column(i);
      if (col->mask & LVCF_FMT) col->fmt = c.fmt;
      if (col->mask & LVCF_WIDTH) col->cx = c.width;
      if (col->mask & LVCF_TEXT) TextOut(c.text, col->pszText, col->cchTextMax, ansi);
      if (col->mask & LVCF_SUBITEM) col->iSubItem = i;
      if (col->mask & LVCF_IMAGE) col->iImage = c.image;
      if (col->mask & LVCF_ORDER) col->iOrder = i;
      return TRUE;
    }
    case LVM_GETCOLUMNWIDTH: {
      const int i = static_cast<int>(wParam);
      return (i >= 0 && i < s->store.columnCount()) ? s->store.column(i).width : 0;
    }
    case LVM_SETCOLUMNWIDTH:
      return SetColumnWidth(hwnd, s, static_cast<int>(wParam), static_cast<SHORT>(LOWORD(lParam)));
    case LVM_GETHEADER: return 0;
    case LVM_SETCOLUMNORDERARRAY: return FALSE;
    case LVM_GETCOLUMNORDERARRAY: {
      auto *order = reinterpret_cast<int *>(lParam);
      if (!order || static_cast<int>(wParam) > s->store.columnCount()) return FALSE;
      for (int i = 0; i < static_cast<int>(wParam); ++i) order[i] = i;
      return TRUE;
    }

    // ---- items
    case LVM_GETITEMCOUNT: return s->store.rowCount();
    case LVM_SETITEMCOUNT: return TRUE;
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW: return InsertItem(hwnd, s, reinterpret_cast<const Item *>(lParam), ansi);
    case LVM_SETITEMA:
    case LVM_SETITEMW: return SetItem(hwnd, s, reinterpret_cast<const Item *>(lParam), ansi);
    case LVM_GETITEMA:
    case LVM_GETITEMW: return GetItem(s, reinterpret_cast<Item *>(lParam), ansi);
    case LVM_SETITEMTEXTA:
    case LVM_SETITEMTEXTW: {
      auto *it = reinterpret_cast<const Item *>(lParam);
      const int row = static_cast<int>(wParam);
      if (!it || !s->store.validRow(row) || it->iSubItem < 0 || IsCallback(it->pszText))
        return FALSE;
      s->store.setText(row, it->iSubItem, TextIn(it->pszText, ansi));
      InvalidateRect(hwnd, nullptr, FALSE);
      return TRUE;
    }
    case LVM_GETITEMTEXTA:
    case LVM_GETITEMTEXTW: {
      auto *it = reinterpret_cast<Item *>(lParam);
      if (!it) return 0;
      return TextOut(s->store.text(static_cast<int>(wParam), it->iSubItem), it->pszText,
                     it->cchTextMax, ansi);
    }
    case LVM_DELETEITEM: {
      const int row = static_cast<int>(wParam);
      if (!s->store.validRow(row)) return FALSE;
      NotifyListView(hwnd, LVN_DELETEITEM, row, 0, POINT{0, 0}, 0, 0, 0, s->store.param(row));
      if (!IsWindow(hwnd) || !s->store.deleteRow(row)) return FALSE;
      if (s->mark == row)
        s->mark = -1;
      else if (s->mark > row)
        --s->mark;
      s->pressItem = -1;
      ClampTop(hwnd, s);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case LVM_DELETEALLITEMS: {
      // A parent answering TRUE to LVN_DELETEALLITEMS asks for no
      // LVN_DELETEITEM per item.
      if (!NotifyListView(hwnd, LVN_DELETEALLITEMS, -1, 0, POINT{0, 0})) {
        for (int r = 0; r < s->store.rowCount() && IsWindow(hwnd); ++r)
          NotifyListView(hwnd, LVN_DELETEITEM, r, 0, POINT{0, 0}, 0, 0, 0, s->store.param(r));
        if (!IsWindow(hwnd)) return FALSE;
      }
      s->store.clearRows();
      s->mark = -1;
      s->pressItem = -1;
      s->top = 0;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case LVM_GETNEXTITEM: return NextItem(hwnd, s, static_cast<int>(wParam), LOWORD(lParam));
    case LVM_SETITEMSTATE: {
      auto *it = reinterpret_cast<const Item *>(lParam);
      if (!it) return FALSE;
      const int row = static_cast<int>(wParam);
      if (row == -1) {
        bool ok = true;
        for (int r = 0; r < s->store.rowCount(); ++r)
          ok = ChangeState(hwnd, s, r, it->state, it->stateMask) && ok;
        return ok;
      }
      return ChangeState(hwnd, s, row, it->state, it->stateMask);
    }
    case LVM_GETITEMSTATE:
      return s->store.validRow(static_cast<int>(wParam))
                 ? s->store.state(static_cast<int>(wParam)) & lParam
                 : 0;
    case LVM_GETSELECTEDCOUNT: return s->store.countWithState(LVIS_SELECTED);
    case LVM_GETSELECTIONMARK: return s->mark;
    case LVM_SETSELECTIONMARK: {
      int old = s->mark;
      s->mark = static_cast<int>(lParam);
      return old;
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
      auto *info = reinterpret_cast<LVHITTESTINFO *>(lParam);
      if (!info) return -1;
      const Hit h =
          msg == LVM_HITTEST ? ItemHitTest(hwnd, s, info->pt) : HitTest(hwnd, s, info->pt);
      info->flags = h.flags;
      info->iItem = h.item;
      if (msg == LVM_SUBITEMHITTEST) info->iSubItem = h.item >= 0 ? h.column : -1;
      return h.item;
    }
    case LVM_GETITEMRECT: {
      auto *r = reinterpret_cast<RECT *>(lParam);
      const int row = static_cast<int>(wParam);
      if (!r || !s->store.validRow(row)) return FALSE;
      const LONG code = r->left;
      *r = RowRect(hwnd, s, row);
      if (code == LVIR_ICON) r->right = r->left;
      if (code == LVIR_LABEL && s->store.columnCount() > 0) r->right = s->store.column(0).width;
      return TRUE;
    }
    case LVM_GETSUBITEMRECT: {
      auto *r = reinterpret_cast<RECT *>(lParam);
      const int row = static_cast<int>(wParam);
      if (!r || !s->store.validRow(row)) return FALSE;
      const int col = r->top;
      const LONG code = r->left;
      if (col < 0 || col >= std::max(1, s->store.columnCount())) return FALSE;
      // Sub-item 0 with LVIR_BOUNDS is the whole row, as on Windows.
      *r = (col == 0 && code == LVIR_BOUNDS) ? RowRect(hwnd, s, row) : CellRect(hwnd, s, row, col);
      if (code == LVIR_ICON) r->right = r->left;
      return TRUE;
    }
    case LVM_GETVIEWRECT: {
      auto *r = reinterpret_cast<RECT *>(lParam);
      if (!r) return FALSE;
      r->left = 0;
      r->right = TotalWidth(s);
      r->top = HeaderHeight(hwnd) - s->top * kRowHeight;
      r->bottom = r->top + s->store.rowCount() * kRowHeight;
      return TRUE;
    }
    case LVM_GETORIGIN:
      if (lParam) *reinterpret_cast<POINT *>(lParam) = POINT{0, 0};
      return FALSE;  // no origin in report view
    case LVM_ENSUREVISIBLE:
      if (!s->store.validRow(static_cast<int>(wParam))) return FALSE;
      EnsureVisible(hwnd, s, static_cast<int>(wParam));
      return TRUE;
    case LVM_GETTOPINDEX: return s->top;
    case LVM_GETCOUNTPERPAGE: return PerPage(hwnd);
    case LVM_SCROLL: {
      // Vertical pixels become whole rows, rounded to the nearest.
      int dy = static_cast<int>(lParam);
      int rows = (dy + (dy >= 0 ? kRowHeight / 2 : -kRowHeight / 2)) / kRowHeight;
      SetTop(hwnd, s, s->top + rows);
      return TRUE;
    }
    case LVM_REDRAWITEMS:
    case LVM_UPDATE: InvalidateRect(hwnd, nullptr, TRUE); return TRUE;
    case LVM_SORTITEMS:
    case LVM_FINDITEMA:
    case LVM_FINDITEMW: return msg == LVM_SORTITEMS ? FALSE : -1;

    // ---- styles and colours
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      const DWORD old = s->exStyle;
      const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
      s->exStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
      InvalidateRect(hwnd, nullptr, TRUE);
      return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return s->exStyle;
    case LVM_SETBKCOLOR:
      s->bk = static_cast<COLORREF>(lParam) == CLR_NONE ? GetSysColor(COLOR_WINDOW)
                                                        : static_cast<COLORREF>(lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case LVM_GETBKCOLOR: return s->bk;
    case LVM_SETTEXTCOLOR:
      s->text = static_cast<COLORREF>(lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return TRUE;
    case LVM_GETTEXTCOLOR: return s->text;
    case LVM_SETTEXTBKCOLOR: s->textBk = static_cast<COLORREF>(lParam); return TRUE;
    case LVM_GETTEXTBKCOLOR: return s->textBk;
    case CCM_SETVERSION: {
      int old = s->version;
      s->version = static_cast<int>(wParam);
      return old;
    }
    case CCM_GETVERSION: return s->version;
    case CCM_SETUNICODEFORMAT: {
      BOOL old = s->unicodeFormat;
      s->unicodeFormat = wParam != 0;
      return old;
    }
    case CCM_GETUNICODEFORMAT: return s->unicodeFormat;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void RegisterListViewClass() {
  WNDCLASSW wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = ListViewProc;
  wc.cbWndExtra = sizeof(void *);
  wc.lpszClassName = WC_LISTVIEWW;
  RegisterClassW(&wc);
}

const vplat::BuiltinClass listViewClass(&RegisterListViewClass);

}  // namespace

extern "C" BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX *picce) {
  return picce && picce->dwSize == sizeof(INITCOMMONCONTROLSEX);
}

extern "C" void WINAPI InitCommonControls(void) {}
