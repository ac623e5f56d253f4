// Frames, rectangles, coordinate mapping and hit testing. Windows have no
// drawn frame here, only the room the frame styles reserve; the sizes are
// those of the classic Windows metrics (see GetSystemMetrics).
#include "window_internal.h"

namespace vplat::wm {

namespace {
constexpr int kCaption = 19, kThickFrame = 4, kDlgFrame = 3, kBorder = 1, kClientEdge = 2,
              kStaticEdge = 1, kMenu = 19;
}

RECT FrameInsets(DWORD style, DWORD exStyle) {
  int b = 0;
  if (style & WS_THICKFRAME)
    b = kThickFrame;
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    b = kDlgFrame;
  else if (style & WS_BORDER)
    b = kBorder;
  if (exStyle & WS_EX_CLIENTEDGE) b += kClientEdge;
  if (exStyle & WS_EX_STATICEDGE) b += kStaticEdge;
  int top = b + ((style & WS_CAPTION) == WS_CAPTION ? kCaption : 0);
  return RECT{b, top, b, b};
}

RECT ClientInWindow(const Window *w) {
  RECT in = FrameInsets(w->style, w->exStyle);
  LONG width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
  RECT r{in.left, in.top, width - in.right, height - in.bottom};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

POINT WindowOrigin(const Window *w) {
  if (!w->parent) return POINT{w->rect.left, w->rect.top};  // the desktop
  POINT p = ClientOrigin(w->parent);
  return POINT{p.x + w->rect.left, p.y + w->rect.top};
}

POINT ClientOrigin(const Window *w) {
  POINT p = WindowOrigin(w);
  RECT c = ClientInWindow(w);
  return POINT{p.x + c.left, p.y + c.top};
}

RECT ScreenRect(const Window *w) {
  POINT p = WindowOrigin(w);
  return RECT{p.x, p.y, p.x + (w->rect.right - w->rect.left), p.y + (w->rect.bottom - w->rect.top)};
}

RECT ClientScreenRect(const Window *w) {
  POINT o = WindowOrigin(w);
  RECT c = ClientInWindow(w);
  return RECT{o.x + c.left, o.y + c.top, o.x + c.right, o.y + c.bottom};
}

bool Visible(const Window *w) {
  for (; w; w = w->parent)
    if (!(w->style & WS_VISIBLE)) return false;
  return true;
}

}  // namespace vplat::wm

using namespace vplat::wm;

namespace {

std::vector<HWND> ChildHandles(const Window *w) {
  std::vector<HWND> out;
  for (Window *c : w->children) out.push_back(c->hwnd);
  return out;
}

// The deepest window under pt among parent's children; NULL if none.
HWND HitChildren(HWND parent, POINT pt) {
  Window *p = Get(parent);
  if (!p) return nullptr;
  for (HWND h : ChildHandles(p)) {
    Window *c = Get(h);
    if (!c || !(c->style & WS_VISIBLE)) continue;
    RECT r = ScreenRect(c);
    if (!PtInRect(&r, pt)) continue;
    LRESULT ht = SendW(h, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    if (ht == HTTRANSPARENT) continue;
    c = Get(h);
    if (!c) continue;
    if ((c->style & WS_DISABLED) && !IsTopLevel(c)) return parent;
    RECT client = ClientScreenRect(c);
    if (PtInRect(&client, pt)) {
      HWND deeper = HitChildren(h, pt);
      if (deeper) return deeper;
    }
    return h;
  }
  return nullptr;
}

}  // namespace

extern "C" {

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  RECT in = FrameInsets(style, exStyle);
  rect->left -= in.left;
  rect->top -= in.top + (menu ? kMenu : 0);
  rect->right += in.right;
  rect->bottom += in.bottom;
  return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
  return AdjustWindowRectEx(rect, style, menu, 0);
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
  Window *w = GetChecked(hwnd);
  if (!w || !rect) return FALSE;
  *rect = ScreenRect(w);
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
  Window *w = GetChecked(hwnd);
  if (!w || !rect) return FALSE;
  RECT c = ClientInWindow(w);
  *rect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT pt) {
  Window *w = GetChecked(hwnd);
  if (!w || !pt) return FALSE;
  POINT o = ClientOrigin(w);
  pt->x += o.x;
  pt->y += o.y;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT pt) {
  Window *w = GetChecked(hwnd);
  if (!w || !pt) return FALSE;
  POINT o = ClientOrigin(w);
  pt->x -= o.x;
  pt->y -= o.y;
  return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from) {
    Window *w = GetChecked(from);
    if (!w) return 0;
    a = ClientOrigin(w);
  }
  if (to) {
    Window *w = GetChecked(to);
    if (!w) return 0;
    b = ClientOrigin(w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; pts && i < count; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);  // 0 is a valid result; callers tell by the error
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WINAPI WindowFromPoint(POINT pt) { return HitChildren(Desktop()->hwnd, pt); }

HWND WINAPI ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
  Window *p = GetChecked(parent);
  if (!p) return nullptr;
  RECT c = ClientInWindow(p);
  RECT client{0, 0, c.right - c.left, c.bottom - c.top};
  if (!PtInRect(&client, pt)) return nullptr;
  for (Window *child : p->children) {
    if ((flags & CWP_SKIPINVISIBLE) && !(child->style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (child->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (child->exStyle & WS_EX_TRANSPARENT)) continue;
    if (PtInRect(&child->rect, pt)) return child->hwnd;
  }
  return parent;
}

HWND WINAPI ChildWindowFromPoint(HWND parent, POINT pt) {
  return ChildWindowFromPointEx(parent, pt, CWP_ALL);
}

BOOL WINAPI IsWindowVisible(HWND hwnd) {
  Window *w = Get(hwnd);
  return w && Visible(w);
}

}  // extern "C"
