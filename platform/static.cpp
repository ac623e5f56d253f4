// The "Static" class: labels, frames and owner-drawn areas.
//
// Implemented: the text (kept by DefWindowProc), alignment styles for
// painting, SS_SUNKEN, the rectangle and frame kinds, SS_OWNERDRAW (the
// parent draws through WM_DRAWITEM), SS_NOTIFY clicks, STM_SETIMAGE /
// STM_SETICON (handles kept, not drawn), WM_SETFONT / WM_GETFONT. A static
// without SS_NOTIFY is transparent to the mouse, so clicks on a label reach
// the window beneath, as on Windows.
#include <windows.h>

#include <vplatform/classes.h>

#include "controlsupport.h"

namespace {

using namespace vplat::detail;

// Extra window bytes: the font and the image handle.
constexpr int kFontSlot = 0;
constexpr int kImageSlot = sizeof(void *);

UINT TextFormat(DWORD style) {
  UINT f = DT_EXPANDTABS;
  if (style & SS_NOPREFIX) f |= DT_NOPREFIX;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: f |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: f |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: f |= DT_SINGLELINE; break;
    default: f |= DT_WORDBREAK; break;
  }
  if (style & SS_CENTERIMAGE)
    f = (f & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
  return f;
}

void PaintOwnerDrawn(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc) return;
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_STATIC;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
  dis.hwndItem = hwnd;
  dis.hDC = dc;
  GetClientRect(hwnd, &dis.rcItem);
  if (HWND parent = GetParent(hwnd))
    SendMessageW(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  EndPaint(hwnd, &ps);
}

// Rectangles and frames in the system's 3-D colours.
bool PaintShape(HWND hwnd, DWORD type) {
  int colour;
  bool frame;
  switch (type) {
    case SS_BLACKRECT:
      colour = COLOR_3DDKSHADOW;
      frame = false;
      break;
    case SS_GRAYRECT:
      colour = COLOR_3DSHADOW;
      frame = false;
      break;
    case SS_WHITERECT:
      colour = COLOR_3DHIGHLIGHT;
      frame = false;
      break;
    case SS_BLACKFRAME:
      colour = COLOR_3DDKSHADOW;
      frame = true;
      break;
    case SS_GRAYFRAME:
    case SS_ETCHEDFRAME:
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
      colour = COLOR_3DSHADOW;
      frame = true;
      break;
    case SS_WHITEFRAME:
      colour = COLOR_3DHIGHLIGHT;
      frame = true;
      break;
    default: return false;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc) return true;
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (frame)
    FrameRect(dc, &rc, GetSysColorBrush(colour));
  else
    FillRect(dc, &rc, GetSysColorBrush(colour));
  EndPaint(hwnd, &ps);
  return true;
}

void Paint(HWND hwnd) {
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  const DWORD type = style & SS_TYPEMASK;
  if (type == SS_OWNERDRAW) return PaintOwnerDrawn(hwnd);
  if (PaintShape(hwnd, type)) return;
  std::u16string text;
  if (type != SS_ICON && type != SS_BITMAP && type != SS_ENHMETAFILE) {
    text.resize(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1);
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, reinterpret_cast<LPWSTR>(text.data()),
                                                   static_cast<int>(text.size()))));
  }
  PaintControl(hwnd, WM_CTLCOLORSTATIC, text, TextFormat(style));
  if (style & SS_SUNKEN) {
    HDC dc = GetDC(hwnd);
    RECT rc;
    GetClientRect(hwnd, &rc);
    FrameRect(dc, &rc, GetSysColorBrush(COLOR_3DSHADOW));
    ReleaseDC(hwnd, dc);
  }
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  switch (msg) {
    case WM_NCHITTEST: return (style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole client area
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_SETFONT:
      SetWindowLongPtrW(hwnd, kFontSlot, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return GetWindowLongPtrW(hwnd, kFontSlot);
    case STM_SETICON:
    case STM_SETIMAGE: {
      LRESULT old = GetWindowLongPtrW(hwnd, kImageSlot);
      SetWindowLongPtrW(hwnd, kImageSlot,
                        static_cast<LONG_PTR>(msg == STM_SETICON ? wParam : lParam));
      InvalidateRect(hwnd, nullptr, TRUE);
      return old;
    }
    case STM_GETICON:
    case STM_GETIMAGE: return GetWindowLongPtrW(hwnd, kImageSlot);
    case WM_LBUTTONDOWN:
      if (style & SS_NOTIFY) NotifyCommand(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (style & SS_NOTIFY) NotifyCommand(hwnd, STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      if (style & SS_NOTIFY) NotifyCommand(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void RegisterStaticClass() {
  WNDCLASSW wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
  wc.lpfnWndProc = StaticProc;
  wc.cbWndExtra = 2 * sizeof(void *);
  wc.lpszClassName = u"Static";
  RegisterClassW(&wc);
}

const vplat::BuiltinClass staticClass(&RegisterStaticClass);

}  // namespace
