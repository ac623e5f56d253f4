// Moving, sizing, Z order and visibility: SetWindowPos and what is built
// on it.
#include "window_internal.h"

using namespace vplat::wm;

namespace {

// Internal WINDOWPOS flags Windows sets in WM_WINDOWPOSCHANGED when the
// client area kept its size / position; DefWindowProc reads them.
constexpr UINT kNoClientSize = 0x0800, kNoClientMove = 0x1000;

void InvalidateTree(Window *w) {
  Invalidate(w, nullptr, true);
  for (Window *c : w->children) InvalidateTree(c);
}

}  // namespace

extern "C" {

BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window *w = GetChecked(hwnd);
  if (!w) return FALSE;
  if (w == Desktop()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->rect.left;
    wp.y = w->rect.top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->rect.right - w->rect.left;
    wp.cy = w->rect.bottom - w->rect.top;
  }
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = Get(hwnd))) return FALSE;
  }
  if (wp.cx < 0) wp.cx = 0;
  if (wp.cy < 0) wp.cy = 0;

  bool wasVisible = Visible(w);
  RECT oldScreen = ScreenRect(w);
  RECT oldRect = w->rect;
  RECT oldClient = ClientInWindow(w);
  std::vector<Window *> oldOrder = w->parent->children;

  if (!(wp.flags & SWP_NOMOVE)) OffsetRect(&w->rect, wp.x - w->rect.left, wp.y - w->rect.top);
  if (!(wp.flags & SWP_NOSIZE)) {
    w->rect.right = w->rect.left + wp.cx;
    w->rect.bottom = w->rect.top + wp.cy;
  }
  if (!(wp.flags & SWP_NOZORDER)) PlaceInZOrder(w, wp.hwndInsertAfter);
  if (wp.flags & SWP_SHOWWINDOW)
    w->style |= WS_VISIBLE;
  else if (wp.flags & SWP_HIDEWINDOW)
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);

  RECT newClient = ClientInWindow(w);
  bool moved = w->rect.left != oldRect.left || w->rect.top != oldRect.top;
  bool clientMoved = moved || newClient.left != oldClient.left || newClient.top != oldClient.top;
  bool clientSized = newClient.right - newClient.left != oldClient.right - oldClient.left ||
                     newClient.bottom - newClient.top != oldClient.bottom - oldClient.top;
  bool sized = (w->rect.right - w->rect.left) != (oldRect.right - oldRect.left) ||
               (w->rect.bottom - w->rect.top) != (oldRect.bottom - oldRect.top);
  bool reordered = w->parent->children != oldOrder;
  bool nowVisible = Visible(w);

  if (!(wp.flags & SWP_NOREDRAW)) {
    if (wasVisible && (moved || sized || !nowVisible)) InvalidateScreenArea(oldScreen);
    if (nowVisible && (moved || sized || reordered || !wasVisible)) InvalidateTree(w);
  }
  if (wasVisible && !nowVisible) {
    LoseFocusAndActivation(hwnd);
    if (!(w = Get(hwnd))) return TRUE;
  }
  if (!(wp.flags & SWP_NOACTIVATE) && IsTopLevel(w) && nowVisible && !(w->style & WS_DISABLED)) {
    Activate(hwnd, false);
    if (!(w = Get(hwnd))) return TRUE;
  }

  WINDOWPOS done{
      hwnd,
      wp.hwndInsertAfter,
      w->rect.left,
      w->rect.top,
      w->rect.right - w->rect.left,
      w->rect.bottom - w->rect.top,
      wp.flags | (clientSized ? 0u : kNoClientSize) | (clientMoved ? 0u : kNoClientMove)};
  SendW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

BOOL WINAPI ShowWindow(HWND hwnd, int cmd) {
  Window *w = GetChecked(hwnd);
  if (!w || w == Desktop()) return FALSE;
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;

  if (cmd == SW_HIDE) {
    if (!wasVisible) return FALSE;
    SendW(hwnd, WM_SHOWWINDOW, FALSE, 0);
    if (Get(hwnd)) SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_HIDEWINDOW | SWP_NOACTIVATE);
    return TRUE;
  }

  bool activate = cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE &&
                  cmd != SW_MINIMIZE && cmd != SW_FORCEMINIMIZE;
  if (!wasVisible) {
    SendW(hwnd, WM_SHOWWINDOW, TRUE, 0);
    if (!(w = Get(hwnd))) return FALSE;
  }
  UINT show = SWP_SHOWWINDOW | (activate ? 0u : SWP_NOACTIVATE);

  switch (cmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      w->style = (w->style | WS_MINIMIZE) & ~static_cast<DWORD>(WS_MAXIMIZE);
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | show);
      SendW(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
      break;
    case SW_MAXIMIZE: {
      if (!(w->style & WS_MAXIMIZE)) w->restore = w->rect;
      w->style = (w->style | WS_MAXIMIZE) & ~static_cast<DWORD>(WS_MINIMIZE);
      RECT area;
      if (IsTopLevel(w)) {
        SIZE s = ScreenSize();
        area = RECT{0, 0, s.cx, s.cy};
      } else {
        GetClientRect(w->parent->hwnd, &area);
      }
      SetWindowPos(hwnd, nullptr, area.left, area.top, area.right - area.left,
                   area.bottom - area.top, SWP_NOZORDER | show);
      break;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        bool wasMax = (w->style & WS_MAXIMIZE) != 0;
        w->style &= ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE);
        if (wasMax) {
          RECT r = w->restore;
          SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | show);
          break;
        }
        // Leaving the minimized state: the client size is back.
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | show);
        if (Window *m = Get(hwnd)) {
          RECT c = ClientInWindow(m);
          SendW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
        }
        break;
      }
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | show);
      break;
    default:  // SW_SHOW, SW_SHOWNA, SW_SHOWNOACTIVATE, unknown
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | show);
      break;
  }
  return wasVisible;
}

BOOL WINAPI IsIconic(HWND hwnd) {
  Window *w = Get(hwnd);
  return w && (w->style & WS_MINIMIZE);
}

BOOL WINAPI IsZoomed(HWND hwnd) {
  Window *w = Get(hwnd);
  return w && (w->style & WS_MAXIMIZE);
}

}  // extern "C"
