// The "Button" class: push buttons, check boxes, radio buttons, group boxes.
//
// Implemented: clicks by mouse (press, track, release inside), by the space
// bar and by BM_CLICK, all ending in BN_CLICKED to the parent; automatic
// check boxes (two and three states) and automatic radio buttons (which
// clear the other automatic radio buttons of their WS_GROUP group);
// BM_SETCHECK / BM_GETCHECK / BM_GETSTATE / BM_SETSTATE / BM_SETSTYLE;
// WM_GETDLGCODE as the dialog manager expects it; BS_NOTIFY focus and
// double-click notifications; owner-drawn buttons (WM_DRAWITEM). Painting
// is the WM_CTLCOLORBTN (push buttons) or WM_CTLCOLORSTATIC (the others)
// brush and the caption; images are kept, not drawn.
#include <windows.h>

#include <vplatform/classes.h>

#include "controlsupport.h"

namespace {

using namespace vplat::detail;

struct ButtonState {
  UINT check = BST_UNCHECKED;
  bool pushed = false;
  bool focused = false;
  bool tracking = false;    // left button went down on us
  bool forceClick = false;  // BM_CLICK: the release counts wherever it is
  HFONT font = nullptr;
  HANDLE image = nullptr;
};

DWORD Type(HWND hwnd) {
  return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & BS_TYPEMASK;
}

bool IsCheckType(DWORD t) {
  return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE ||
         t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON;
}

bool IsPushType(DWORD t) {
  return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_USERBUTTON || t == BS_PUSHBOX;
}

// Clears the other automatic radio buttons of hwnd's group: the siblings
// from the nearest WS_GROUP at or before it up to the next WS_GROUP.
void ClearRadioGroup(HWND hwnd) {
  HWND first = hwnd;
  while (!(GetWindowLongPtrW(first, GWL_STYLE) & WS_GROUP)) {
    HWND prev = GetWindow(first, GW_HWNDPREV);
    if (!prev) break;
    first = prev;
  }
  for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w != first && (GetWindowLongPtrW(w, GWL_STYLE) & WS_GROUP)) break;
    if (w == hwnd) continue;
    WCHAR cls[16];
    if (GetClassNameW(w, cls, 16) && std::u16string_view(cls) == u"Button" &&
        Type(w) == BS_AUTORADIOBUTTON)
      SendMessageW(w, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(HWND hwnd, ButtonState *s) {
  switch (Type(hwnd)) {
    case BS_AUTOCHECKBOX:
      SendMessageW(hwnd, BM_SETCHECK, s->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
      break;
    case BS_AUTO3STATE: SendMessageW(hwnd, BM_SETCHECK, (s->check + 1) % 3, 0); break;
    case BS_AUTORADIOBUTTON:
      SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
      ClearRadioGroup(hwnd);
      break;
    default: break;
  }
  NotifyCommand(hwnd, BN_CLICKED);
}

void SetPushed(HWND hwnd, ButtonState *s, bool pushed) {
  if (s->pushed == pushed) return;
  s->pushed = pushed;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void Paint(HWND hwnd, ButtonState *s) {
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  const DWORD type = style & BS_TYPEMASK;
  if (type == BS_OWNERDRAW) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (s->pushed ? ODS_SELECTED : 0) | (s->focused ? ODS_FOCUS : 0) |
                    (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
    dis.hwndItem = hwnd;
    dis.hDC = dc;
    GetClientRect(hwnd, &dis.rcItem);
    if (HWND parent = GetParent(hwnd))
      SendMessageW(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    EndPaint(hwnd, &ps);
    return;
  }
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, u'\0');
  text.resize(static_cast<size_t>(
      GetWindowTextW(hwnd, reinterpret_cast<LPWSTR>(text.data()), static_cast<int>(text.size()))));
  const bool push = IsPushType(type);
  UINT format =
      push ? DT_CENTER | DT_VCENTER | DT_SINGLELINE : DT_LEFT | DT_VCENTER | DT_SINGLELINE;
  if (type == BS_GROUPBOX) format = DT_LEFT | DT_TOP | DT_SINGLELINE;
  PaintControl(hwnd, push ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC, text, format);

  // Frames and marks on top of the background and caption.
  HDC dc = GetDC(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (push) {
    FrameRect(dc, &rc,
              GetSysColorBrush(type == BS_DEFPUSHBUTTON || s->pushed ? COLOR_3DDKSHADOW
                                                                     : COLOR_3DSHADOW));
  } else if (type == BS_GROUPBOX) {
    RECT frame = rc;
    frame.top += 6;
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_3DSHADOW));
  } else if (IsCheckType(type)) {
    RECT box{0, (rc.bottom - 13) / 2, 13, (rc.bottom - 13) / 2 + 13};
    FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &box, GetSysColorBrush(COLOR_3DSHADOW));
    if (s->check != BST_UNCHECKED) {
      RECT mark = box;
      InflateRect(&mark, -3, -3);
      FillRect(dc, &mark,
               GetSysColorBrush(s->check == BST_CHECKED ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    }
  }
  ReleaseDC(hwnd, dc);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ButtonState *s = ControlState<ButtonState>(hwnd);
  if (!s) {
    if (msg == WM_NCCREATE) {
      SetControlState(hwnd, new ButtonState);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  const DWORD type = Type(hwnd);
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  switch (msg) {
    case WM_NCDESTROY:
      SetControlState<ButtonState>(hwnd, nullptr);
      delete s;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_NCHITTEST: return type == BS_GROUPBOX ? HTTRANSPARENT : HTCLIENT;
    case WM_GETDLGCODE:
      switch (type) {
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON:
        case BS_PUSHBOX:
        case BS_USERBUTTON:
        case BS_OWNERDRAW: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX: return DLGC_STATIC;
        default: return DLGC_BUTTON;
      }
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(hwnd, s); return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;

    case WM_LBUTTONDBLCLK:
      if ((style & BS_NOTIFY) || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
          type == BS_OWNERDRAW)
        NotifyCommand(hwnd, BN_DOUBLECLICKED);
      [[fallthrough]];  // otherwise a double click is a second press
    case WM_LBUTTONDOWN:
      if (type == BS_GROUPBOX) return 0;
      SetCapture(hwnd);
      SetFocus(hwnd);
      s->tracking = true;
      SetPushed(hwnd, s, true);
      return 0;
    case WM_MOUSEMOVE:
      if (s->tracking && GetCapture() == hwnd) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        SetPushed(hwnd, s, PtInRect(&rc, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!s->tracking) return 0;
      s->tracking = false;
      RECT rc;
      GetClientRect(hwnd, &rc);
      const bool inside =
          s->forceClick || PtInRect(&rc, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      s->forceClick = false;
      SetPushed(hwnd, s, false);
      if (GetCapture() == hwnd) ReleaseCapture();
      if (inside) Click(hwnd, s);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (s->tracking && reinterpret_cast<HWND>(lParam) != hwnd) {
        s->tracking = false;
        SetPushed(hwnd, s, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && !s->tracking) SetPushed(hwnd, s, true);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && s->pushed && !s->tracking) {
        SetPushed(hwnd, s, false);
        Click(hwnd, s);
      }
      return 0;
    case WM_SETFOCUS:
      s->focused = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      if (style & BS_NOTIFY) NotifyCommand(hwnd, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      s->focused = false;
      if (s->pushed && !s->tracking) SetPushed(hwnd, s, false);
      InvalidateRect(hwnd, nullptr, FALSE);
      if (style & BS_NOTIFY) NotifyCommand(hwnd, BN_KILLFOCUS);
      return 0;

    case BM_CLICK:
      if (!IsWindowEnabled(hwnd)) return 0;
      // As on Windows the button sees a press and a release, so subclasses
      // watching the mouse messages see the click too.
      SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      s->forceClick = true;
      SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
      s->forceClick = false;
      return 0;
    case BM_GETCHECK: return IsCheckType(type) ? s->check : BST_UNCHECKED;
    case BM_SETCHECK: {
      if (!IsCheckType(type)) return 0;
      UINT v = static_cast<UINT>(wParam);
      if (v == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) v = BST_CHECKED;
      if (v > BST_INDETERMINATE) v = BST_CHECKED;
      if (v != s->check) {
        s->check = v;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    }
    case BM_GETSTATE:
      return (IsCheckType(type) ? s->check : 0) | (s->pushed ? BST_PUSHED : 0) |
             (s->focused ? BST_FOCUS : 0);
    case BM_SETSTATE: SetPushed(hwnd, s, wParam != 0); return 0;
    case BM_SETSTYLE: {
      DWORD next = (style & ~static_cast<DWORD>(0xFFFF)) | (static_cast<DWORD>(wParam) & 0xFFFF);
      SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(next));
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case BM_SETIMAGE: {
      HANDLE old = s->image;
      s->image = reinterpret_cast<HANDLE>(lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE: return reinterpret_cast<LRESULT>(s->image);
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void RegisterButtonClass() {
  WNDCLASSW wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
  wc.lpfnWndProc = ButtonProc;
  wc.cbWndExtra = sizeof(void *);
  wc.lpszClassName = u"Button";
  RegisterClassW(&wc);
}

const vplat::BuiltinClass buttonClass(&RegisterButtonClass);

}  // namespace
