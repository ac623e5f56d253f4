// The "ComboBox" class: drop-down lists (CBS_DROPDOWNLIST) and editable
// drop-downs (CBS_DROPDOWN, CBS_SIMPLE).
//
// An editable combo box has a child "Edit" control (id 1001) that holds its
// text, as on Windows; WM_SETTEXT / WM_GETTEXT of the combo box go to it,
// and its EN_CHANGE / EN_UPDATE / focus notifications come out of the combo
// box as CBN_EDITCHANGE / CBN_EDITUPDATE / CBN_SETFOCUS / CBN_KILLFOCUS.
//
// Implemented: the list (CB_ADDSTRING with CBS_SORT, CB_INSERTSTRING,
// CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT, CB_GETLBTEXT /
// CB_GETLBTEXTLEN, CB_SETITEMDATA / CB_GETITEMDATA, CB_INITSTORAGE), the
// selection (CB_SETCURSEL / CB_GETCURSEL, CB_SELECTSTRING, CB_FINDSTRING,
// CB_FINDSTRINGEXACT), the edit field messages (CB_LIMITTEXT,
// CB_GETEDITSEL / CB_SETEDITSEL), the drop-down state (CB_SHOWDROPDOWN,
// CB_GETDROPPEDSTATE, a click toggles it), keyboard selection in a
// drop-down list (arrows, Home, End, Page keys, first letters) with
// CBN_SELCHANGE. No list window is ever shown: picking an entry as the user
// does is automation's ComboSelectAsUser.
#include <windows.h>

#include <vplatform/classes.h>

#include <algorithm>
#include <vector>

#include "controlsupport.h"

namespace {

using namespace vplat::detail;

constexpr int kEditId = 1001;
constexpr int kButtonWidth = 17;  // the drop-down arrow beside the field

struct Item {
  std::u16string text;
  ULONG_PTR data = 0;
};

struct ComboState {
  std::vector<Item> items;
  int cur = -1;
  HWND edit = nullptr;
  bool dropped = false;
  bool focused = false;
  bool extendedUi = false;
  HFONT font = nullptr;
  int itemHeight = 16;
  int droppedWidth = 0;
  int top = 0;
  // Set while the combo box itself puts text into its field: changes it
  // makes are not the user's, and are not reported as CBN_EDITCHANGE.
  bool settingField = false;
};

LRESULT SetField(ComboState *s, LPCWSTR text) {
  s->settingField = true;
  LRESULT r = SendMessageW(s->edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  s->settingField = false;
  return r;
}

DWORD Type(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & 3; }
int Count(const ComboState *s) { return static_cast<int>(s->items.size()); }
bool Valid(const ComboState *s, WPARAM i) {
  return static_cast<int>(i) >= 0 && static_cast<int>(i) < Count(s);
}

std::u16string_view Arg(LPARAM lParam) {
  auto *t = reinterpret_cast<const char16_t *>(lParam);
  return t ? std::u16string_view(t, WideLength(reinterpret_cast<LPCWSTR>(t)))
           : std::u16string_view();
}

void ShowSelectionInField(ComboState *s) {
  if (!s->edit) return;
  std::u16string t = s->cur >= 0 ? s->items[static_cast<size_t>(s->cur)].text : std::u16string();
  SetField(s, reinterpret_cast<LPCWSTR>(t.c_str()));
  SendMessageW(s->edit, EM_SETSEL, 0, -1);
}

void Select(HWND hwnd, ComboState *s, int index) {
  s->cur = index;
  ShowSelectionInField(s);
  InvalidateRect(hwnd, nullptr, FALSE);
}

// Search from the item after start, wrapping round, as list boxes do.
int Find(const ComboState *s, int start, std::u16string_view text, bool exact) {
  const int n = Count(s);
  if (n == 0) return CB_ERR;
  int from = (start < 0 || start >= n) ? 0 : start + 1;
  for (int k = 0; k < n; ++k) {
    int i = (from + k) % n;
    const std::u16string &t = s->items[static_cast<size_t>(i)].text;
    if (exact ? CompareNoCase(t, text) == 0 : StartsWithNoCase(t, text)) return i;
  }
  return CB_ERR;
}

void SetDropped(HWND hwnd, ComboState *s, bool dropped) {
  if (s->dropped == dropped) return;
  if (dropped) NotifyCommand(hwnd, CBN_DROPDOWN);
  s->dropped = dropped;
  if (!dropped) NotifyCommand(hwnd, CBN_CLOSEUP);
}

void UserMove(HWND hwnd, ComboState *s, int index) {
  index = std::clamp(index, 0, Count(s) - 1);
  if (Count(s) == 0 || index == s->cur) return;
  Select(hwnd, s, index);
  NotifyCommand(hwnd, CBN_SELCHANGE);
}

void Paint(HWND hwnd, ComboState *s) {
  std::u16string text;
  if (!s->edit && s->cur >= 0) text = s->items[static_cast<size_t>(s->cur)].text;
  PaintControl(hwnd, IsWindowEnabled(hwnd) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, text,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  HDC dc = GetDC(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  FrameRect(dc, &rc, GetSysColorBrush(COLOR_3DSHADOW));
  RECT button{std::max(rc.left, rc.right - kButtonWidth), rc.top, rc.right, rc.bottom};
  FillRect(dc, &button, GetSysColorBrush(COLOR_3DFACE));
  FrameRect(dc, &button, GetSysColorBrush(COLOR_3DSHADOW));
  ReleaseDC(hwnd, dc);
}

void PlaceEdit(HWND hwnd, ComboState *s) {
  if (!s->edit) return;
  RECT rc;
  GetClientRect(hwnd, &rc);
  int w =
      Type(hwnd) == CBS_SIMPLE ? rc.right : std::max(0, static_cast<int>(rc.right) - kButtonWidth);
  MoveWindow(s->edit, 0, 0, w, rc.bottom, FALSE);
}

LRESULT CALLBACK ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ComboState *s = ControlState<ComboState>(hwnd);
  if (!s) {
    if (msg == WM_NCCREATE) SetControlState(hwnd, new ComboState);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  switch (msg) {
    case WM_CREATE: {
      if (Type(hwnd) != CBS_DROPDOWNLIST) {
        auto *cs = reinterpret_cast<const CREATESTRUCTW *>(lParam);
        DWORD es = WS_CHILD | WS_VISIBLE | ((style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0) |
                   ((style & CBS_UPPERCASE) ? ES_UPPERCASE : 0) |
                   ((style & CBS_LOWERCASE) ? ES_LOWERCASE : 0);
        s->edit = CreateWindowExW(0, u"Edit", cs ? cs->lpszName : nullptr, es, 0, 0, 0, 0, hwnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                                  cs ? cs->hInstance : nullptr, nullptr);
        if (!s->edit) return -1;
        PlaceEdit(hwnd, s);
      }
      return 0;
    }
    case WM_NCDESTROY:
      SetControlState<ComboState>(hwnd, nullptr);
      delete s;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_SIZE: PlaceEdit(hwnd, s); return 0;
    case WM_COMMAND:
      if (s->edit && reinterpret_cast<HWND>(lParam) == s->edit) {
        switch (HIWORD(wParam)) {
          case EN_CHANGE:
            if (!s->settingField) NotifyCommand(hwnd, CBN_EDITCHANGE);
            break;
          case EN_UPDATE:
            if (!s->settingField) NotifyCommand(hwnd, CBN_EDITUPDATE);
            break;
          case EN_SETFOCUS: NotifyCommand(hwnd, CBN_SETFOCUS); break;
          case EN_KILLFOCUS:
            SetDropped(hwnd, s, false);
            NotifyCommand(hwnd, CBN_KILLFOCUS);
            break;
          default: break;
        }
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      // The field's colours are the combo box's parent's business.
      if (HWND parent = GetParent(hwnd))
        return SendMessageW(parent, msg, wParam, reinterpret_cast<LPARAM>(hwnd));
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(hwnd, s); return 0;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (s->edit) SendMessageW(s->edit, WM_SETFONT, wParam, lParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_ENABLE:
      if (s->edit) EnableWindow(s->edit, wParam != 0);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_SETFOCUS:
      if (s->edit) {
        SetFocus(s->edit);
        SendMessageW(s->edit, EM_SETSEL, 0, -1);
        return 0;
      }
      s->focused = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyCommand(hwnd, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (s->edit) return 0;
      s->focused = false;
      SetDropped(hwnd, s, false);
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyCommand(hwnd, CBN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(hwnd);
      if (s->dropped) {
        NotifyCommand(hwnd, CBN_SELENDCANCEL);
        SetDropped(hwnd, s, false);
      } else if (Type(hwnd) != CBS_SIMPLE) {
        SetDropped(hwnd, s, true);
      }
      return 0;
    case WM_KEYDOWN: {
      const int page = 8;
      switch (wParam) {
        case VK_F4: SetDropped(hwnd, s, !s->dropped); return 0;
        case VK_DOWN:
        case VK_RIGHT: UserMove(hwnd, s, s->cur + 1); return 0;
        case VK_UP:
        case VK_LEFT: UserMove(hwnd, s, s->cur < 0 ? 0 : s->cur - 1); return 0;
        case VK_HOME: UserMove(hwnd, s, 0); return 0;
        case VK_END: UserMove(hwnd, s, Count(s) - 1); return 0;
        case VK_NEXT: UserMove(hwnd, s, s->cur + page); return 0;
        case VK_PRIOR: UserMove(hwnd, s, s->cur - page); return 0;
        case VK_RETURN:
        case VK_ESCAPE:
          if (s->dropped) {
            NotifyCommand(hwnd, wParam == VK_RETURN ? CBN_SELENDOK : CBN_SELENDCANCEL);
            SetDropped(hwnd, s, false);
          }
          return 0;
        default: return 0;
      }
    }
    case WM_CHAR: {
      if (s->edit || wParam < 0x20) return 0;
      char16_t c = static_cast<char16_t>(wParam);
      int i = Find(s, s->cur, std::u16string_view(&c, 1), false);
      if (i != CB_ERR) UserMove(hwnd, s, i);
      return 0;
    }

    case WM_SETTEXT:
      if (!s->edit) return CB_ERR;
      return SetField(s, reinterpret_cast<LPCWSTR>(lParam));
    case WM_GETTEXT:
      if (s->edit) return SendMessageW(s->edit, WM_GETTEXT, wParam, lParam);
      return CopyOut(
          s->cur >= 0 ? std::u16string_view(s->items[static_cast<size_t>(s->cur)].text) : u"",
          reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      if (s->edit) return SendMessageW(s->edit, WM_GETTEXTLENGTH, 0, 0);
      return s->cur >= 0 ? static_cast<LRESULT>(s->items[static_cast<size_t>(s->cur)].text.size())
                         : 0;

    case CB_ADDSTRING: {
      Item item{std::u16string(Arg(lParam)), 0};
      size_t at = s->items.size();
      if (style & CBS_SORT) {
        at = static_cast<size_t>(std::upper_bound(s->items.begin(), s->items.end(), item,
                                                  [](const Item &a, const Item &b) {
                                                    return CompareNoCase(a.text, b.text) < 0;
                                                  }) -
                                 s->items.begin());
      }
      s->items.insert(s->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
      if (s->cur >= static_cast<int>(at)) ++s->cur;
      return static_cast<LRESULT>(at);
    }
    case CB_INSERTSTRING: {
      int at = static_cast<int>(wParam);
      if (at == -1) at = Count(s);
      if (at < 0 || at > Count(s)) return CB_ERR;
      s->items.insert(s->items.begin() + at, Item{std::u16string(Arg(lParam)), 0});
      if (s->cur >= at) ++s->cur;
      return at;
    }
    case CB_DELETESTRING: {
      if (!Valid(s, wParam)) return CB_ERR;
      int at = static_cast<int>(wParam);
      s->items.erase(s->items.begin() + at);
      if (s->cur == at)
        s->cur = -1;
      else if (s->cur > at)
        --s->cur;
      InvalidateRect(hwnd, nullptr, FALSE);
      return Count(s);
    }
    case CB_RESETCONTENT:
      s->items.clear();
      s->cur = -1;
      if (s->edit) SetField(s, u"");
      InvalidateRect(hwnd, nullptr, FALSE);
      return CB_OKAY;
    case CB_INITSTORAGE:
      s->items.reserve(s->items.size() + wParam);
      return static_cast<LRESULT>(s->items.capacity());
    case CB_GETCOUNT: return Count(s);
    case CB_GETCURSEL: return s->cur;
    case CB_SETCURSEL:
      if (!Valid(s, wParam)) {
        Select(hwnd, s, -1);
        return CB_ERR;
      }
      Select(hwnd, s, static_cast<int>(wParam));
      return s->cur;
    case CB_GETLBTEXT: {
      // The caller's buffer is trusted to hold the whole text, as on Windows.
      if (!Valid(s, wParam) || !lParam) return CB_ERR;
      const std::u16string &t = s->items[wParam].text;
      return CopyOut(t, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(t.size()) + 1);
    }
    case CB_GETLBTEXTLEN:
      return Valid(s, wParam) ? static_cast<LRESULT>(s->items[wParam].text.size()) : CB_ERR;
    case CB_FINDSTRING: return Find(s, static_cast<int>(wParam), Arg(lParam), false);
    case CB_FINDSTRINGEXACT: return Find(s, static_cast<int>(wParam), Arg(lParam), true);
    case CB_SELECTSTRING: {
      int i = Find(s, static_cast<int>(wParam), Arg(lParam), false);
      if (i != CB_ERR) Select(hwnd, s, i);
      return i;
    }
    case CB_SETITEMDATA:
      if (!Valid(s, wParam)) return CB_ERR;
      s->items[wParam].data = static_cast<ULONG_PTR>(lParam);
      return TRUE;
    case CB_GETITEMDATA:
      return Valid(s, wParam) ? static_cast<LRESULT>(s->items[wParam].data) : CB_ERR;
    case CB_LIMITTEXT:
      if (!s->edit) return CB_ERR;
      SendMessageW(s->edit, EM_LIMITTEXT, wParam, 0);
      return TRUE;
    case CB_GETEDITSEL:
      if (!s->edit) return CB_ERR;
      return SendMessageW(s->edit, EM_GETSEL, wParam, lParam);
    case CB_SETEDITSEL:
      if (!s->edit) return CB_ERR;
      SendMessageW(s->edit, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(lParam))),
                   static_cast<SHORT>(HIWORD(lParam)));
      return TRUE;
    case CB_SHOWDROPDOWN:
      if (Type(hwnd) != CBS_SIMPLE) SetDropped(hwnd, s, wParam != 0);
      return TRUE;
    case CB_GETDROPPEDSTATE: return s->dropped;
    case CB_SETEXTENDEDUI: s->extendedUi = wParam != 0; return CB_OKAY;
    case CB_GETEXTENDEDUI: return s->extendedUi;
    case CB_SETITEMHEIGHT:
      if (static_cast<int>(lParam) <= 0) return CB_ERR;
      s->itemHeight = static_cast<int>(lParam);
      return 0;
    case CB_GETITEMHEIGHT: return s->itemHeight;
    case CB_SETDROPPEDWIDTH: s->droppedWidth = static_cast<int>(wParam); return s->droppedWidth;
    case CB_GETDROPPEDWIDTH: {
      RECT rc;
      GetWindowRect(hwnd, &rc);
      return std::max<LRESULT>(s->droppedWidth, rc.right - rc.left);
    }
    case CB_GETTOPINDEX: return s->top;
    case CB_SETTOPINDEX:
      if (!Valid(s, wParam)) return CB_ERR;
      s->top = static_cast<int>(wParam);
      return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void RegisterComboClass() {
  WNDCLASSW wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
  wc.lpfnWndProc = ComboProc;
  wc.cbWndExtra = sizeof(void *);
  wc.lpszClassName = u"ComboBox";
  RegisterClassW(&wc);
}

const vplat::BuiltinClass comboClass(&RegisterComboClass);

}  // namespace

namespace vplat::detail {

bool ComboSelectAsUser(HWND combo, int index) {
  WCHAR cls[16];
  if (!IsWindow(combo) || !GetClassNameW(combo, cls, 16) ||
      CompareNoCase(reinterpret_cast<const char16_t *>(cls), u"ComboBox") != 0)
    return false;
  ComboState *s = ControlState<ComboState>(combo);
  if (!s || !Valid(s, static_cast<WPARAM>(index))) return false;
  // The click that opens the list gives the combo box the focus.
  HWND focus = GetFocus();
  if (focus != combo && (!focus || GetParent(focus) != combo)) SetFocus(combo);
  if (!IsWindow(combo)) return true;
  if (Type(combo) != CBS_SIMPLE) SetDropped(combo, s, true);
  s->cur = index;
  InvalidateRect(combo, nullptr, FALSE);
  // On Windows the field still shows the old text while CBN_SELCHANGE is
  // handled; it takes the entry's text afterwards.
  NotifyCommand(combo, CBN_SELCHANGE);
  if (!IsWindow(combo)) return true;
  ShowSelectionInField(s);
  NotifyCommand(combo, CBN_SELENDOK);
  if (IsWindow(combo)) SetDropped(combo, s, false);
  return true;
}

}  // namespace vplat::detail
