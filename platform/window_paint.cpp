// Update regions: one rectangle per window (the union of what was
// invalidated) and an erase flag, consumed by BeginPaint / ValidateRect.
#include "window_internal.h"

namespace vplat::wm {
namespace {

RECT ClientBox(const Window *w) {
  RECT c = ClientInWindow(w);
  return RECT{0, 0, c.right - c.left, c.bottom - c.top};
}

// Adds r (client coordinates, already clipped) to w's own update region.
void AddUpdate(Window *w, const RECT &r, bool erase) {
  RECT u;
  UnionRect(&u, &w->update, &r);
  w->update = u;
  if (erase) w->erase = true;
}

// r is in w's client coordinates. A parent that does not clip its
// children paints under them, so they are invalidated over r too.
void InvalidateChildrenUnder(Window *w, const RECT &r, bool erase) {
  if (w->style & WS_CLIPCHILDREN) return;
  for (Window *c : w->children) {
    if (!(c->style & WS_VISIBLE)) continue;
    RECT over;
    if (!IntersectRect(&over, &r, &c->rect)) continue;
    RECT ci = ClientInWindow(c);
    OffsetRect(&over, -(c->rect.left + ci.left), -(c->rect.top + ci.top));
    Invalidate(c, &over, erase);
  }
}

void InvalidateArea(Window *w, const RECT &screen) {
  if (!(w->style & WS_VISIBLE)) return;
  RECT cs = ClientScreenRect(w), over;
  if (IntersectRect(&over, &screen, &cs)) {
    OffsetRect(&over, -cs.left, -cs.top);
    AddUpdate(w, over, true);
  }
  for (Window *c : w->children) InvalidateArea(c, screen);
}

bool NeedsPaint(const Window *w) { return !IsRectEmpty(&w->update) && Visible(w); }

HWND FirstToPaint(const Window *w) {
  for (Window *c : w->children) {
    if (!(c->style & WS_VISIBLE)) continue;
    if (NeedsPaint(c)) return c->hwnd;
    if (HWND h = FirstToPaint(c)) return h;
  }
  return nullptr;
}

void PaintNow(HWND hwnd) {
  Window *w = Get(hwnd);
  if (!w) return;
  if (NeedsPaint(w)) SendW(hwnd, WM_PAINT, 0, 0);
  if (!(w = Get(hwnd))) return;
  std::vector<HWND> kids;
  for (Window *c : w->children) kids.push_back(c->hwnd);
  for (HWND k : kids) PaintNow(k);
}

}  // namespace

void Invalidate(Window *w, const RECT *rect, bool erase) {
  if (!Visible(w)) return;
  RECT box = ClientBox(w), r;
  if (rect) {
    if (!IntersectRect(&r, rect, &box)) return;
  } else {
    r = box;
    if (IsRectEmpty(&r)) return;
  }
  AddUpdate(w, r, erase);
  InvalidateChildrenUnder(w, r, erase);
}

void InvalidateScreenArea(const RECT &screen) {
  for (Window *c : Desktop()->children) InvalidateArea(c, screen);
}

HWND FindWindowToPaint(HWND filter) {
  if (filter) {
    Window *w = Get(filter);
    return w && NeedsPaint(w) ? filter : nullptr;
  }
  return FirstToPaint(Desktop());
}

bool TakeUpdate(HWND hwnd, RECT *update, bool *erase) {
  Window *w = Get(hwnd);
  if (!w) return false;
  bool any = !IsRectEmpty(&w->update);
  if (update) *update = any ? w->update : RECT{0, 0, 0, 0};
  if (erase) *erase = any && w->erase;
  w->update = RECT{0, 0, 0, 0};
  w->erase = false;
  return any;
}

}  // namespace vplat::wm

using namespace vplat::wm;

extern "C" {

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT *rect, BOOL erase) {
  if (!hwnd) {
    for (Window *c : Desktop()->children) Invalidate(c, nullptr, erase);
    return TRUE;
  }
  Window *w = GetChecked(hwnd);
  if (!w) return FALSE;
  Invalidate(w, rect, erase);
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT *rect) {
  if (!hwnd) return TRUE;
  Window *w = GetChecked(hwnd);
  if (!w) return FALSE;
  if (!rect) {
    w->update = RECT{0, 0, 0, 0};
    w->erase = false;
    return TRUE;
  }
  // The region is one rectangle: take away what leaves a rectangle.
  RECT rest;
  SubtractRect(&rest, &w->update, rect);
  w->update = IsRectEmpty(&rest) ? RECT{0, 0, 0, 0} : rest;
  if (IsRectEmpty(&w->update)) w->erase = false;
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
  Window *w = GetChecked(hwnd);
  if (!w) return FALSE;
  bool any = !IsRectEmpty(&w->update);
  if (rect) *rect = any ? w->update : RECT{0, 0, 0, 0};
  return any;
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
  if (!GetChecked(hwnd)) return FALSE;
  PaintNow(hwnd);
  return TRUE;
}

}  // extern "C"
