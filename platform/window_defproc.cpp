// Default message handling.
#include "text_convert.h"
#include "window_internal.h"

namespace vplat::wm {
namespace {

constexpr UINT kNoClientSize = 0x0800, kNoClientMove = 0x1000;

bool IsIntResource(const void *p) { return (reinterpret_cast<ULONG_PTR>(p) >> 16) == 0; }

LRESULT HitTest(Window *w, POINT pt) {
  RECT wr = ScreenRect(w);
  if (!PtInRect(&wr, pt)) return HTNOWHERE;
  RECT cr = ClientScreenRect(w);
  if (PtInRect(&cr, pt)) return HTCLIENT;
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    RECT in = FrameInsets(w->style, w->exStyle);
    RECT caption{wr.left + in.left, wr.top + in.left, wr.right - in.right, cr.top};
    if (PtInRect(&caption, pt)) return HTCAPTION;
  }
  return HTBORDER;
}

}  // namespace

LRESULT DefProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicode) {
  Window *w = Get(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      if (lParam) {
        const void *name = unicode ? static_cast<const void *>(
                                         reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpszName)
                                   : static_cast<const void *>(
                                         reinterpret_cast<const CREATESTRUCTA *>(lParam)->lpszName);
        if (name && !IsIntResource(name))
          w->text = unicode ? std::u16string(static_cast<LPCWSTR>(name))
                            : text::FromAnsi(static_cast<LPCSTR>(name));
      }
      return TRUE;
    }
    case WM_SETTEXT:
      w->text = !lParam   ? std::u16string()
                : unicode ? std::u16string(reinterpret_cast<LPCWSTR>(lParam))
                          : text::FromAnsi(reinterpret_cast<LPCSTR>(lParam));
      return TRUE;
    case WM_GETTEXT: {
      int count = static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF));
      return unicode ? text::CopyOut(w->text, reinterpret_cast<LPWSTR>(lParam), count)
                     : text::CopyOutAnsi(w->text, reinterpret_cast<LPSTR>(lParam), count);
    }
    case WM_GETTEXTLENGTH:
      return unicode ? static_cast<LRESULT>(w->text.size())
                     : static_cast<LRESULT>(text::ToAnsi(w->text).size());
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE: Send(hwnd, WM_CLOSE, 0, 0, unicode); break;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
        default: break;
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & (1 << 29))) SendW(Root(w)->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const WINDOWPOS *wp = reinterpret_cast<const WINDOWPOS *>(lParam);
      if (!wp) return 0;
      RECT c = ClientInWindow(w);
      if (!(wp->flags & kNoClientMove))
        SendW(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + c.left, w->rect.top + c.top));
      if (!(wp->flags & kNoClientSize) && (w = Get(hwnd))) {
        c = ClientInWindow(w);
        WPARAM kind = (w->style & WS_MAXIMIZE)   ? SIZE_MAXIMIZED
                      : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED
                                                 : SIZE_RESTORED;
        SendW(hwnd, WM_SIZE, kind, MAKELPARAM(c.right - c.left, c.bottom - c.top));
      }
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(hwnd);
      return 0;
    case WM_MOUSEACTIVATE:
      if (!IsTopLevel(w)) {
        LRESULT r = SendW(w->parent->hwnd, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_SETCURSOR:
      if (!IsTopLevel(w)) return SendW(w->parent->hwnd, WM_SETCURSOR, wParam, lParam);
      return FALSE;
    case WM_CONTEXTMENU:
      if (!IsTopLevel(w)) SendW(w->parent->hwnd, WM_CONTEXTMENU, wParam, lParam);
      return 0;
    case WM_NCHITTEST: return HitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_PAINT:
      // What BeginPaint / EndPaint would leave: nothing left to paint.
      TakeUpdate(hwnd, nullptr, nullptr);
      return 0;
    case WM_NCACTIVATE:
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN: return TRUE;
    case WM_CANCELMODE:
      if (Focus().capture == hwnd) ReleaseCapture();
      return 0;
    default: return 0;
  }
}

}  // namespace vplat::wm

extern "C" LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return vplat::wm::DefProc(hwnd, msg, wParam, lParam, false);
}

extern "C" LRESULT WINAPI DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return vplat::wm::DefProc(hwnd, msg, wParam, lParam, true);
}
