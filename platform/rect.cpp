// Rectangle helpers. A rectangle holds its left and top edges but not its
// right and bottom ones.
#include <windows.h>

#include <algorithm>

extern "C" {

BOOL WINAPI SetRect(LPRECT r, int left, int top, int right, int bottom) {
  if (!r) return FALSE;
  *r = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }

BOOL WINAPI CopyRect(LPRECT dst, const RECT *src) {
  if (!dst || !src) return FALSE;
  *dst = *src;
  return TRUE;
}

BOOL WINAPI InflateRect(LPRECT r, int dx, int dy) {
  if (!r) return FALSE;
  r->left -= dx;
  r->top -= dy;
  r->right += dx;
  r->bottom += dy;
  return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT r, int dx, int dy) {
  if (!r) return FALSE;
  r->left += dx;
  r->right += dx;
  r->top += dy;
  r->bottom += dy;
  return TRUE;
}

BOOL WINAPI PtInRect(const RECT *r, POINT pt) {
  if (!r) return FALSE;
  return pt.x >= r->left && pt.x < r->right && pt.y >= r->top && pt.y < r->bottom;
}

BOOL WINAPI IsRectEmpty(const RECT *r) {
  if (!r) return TRUE;
  return r->right <= r->left || r->bottom <= r->top;
}

BOOL WINAPI EqualRect(const RECT *a, const RECT *b) {
  if (!a || !b) return FALSE;
  return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL WINAPI IntersectRect(LPRECT dst, const RECT *a, const RECT *b) {
  if (!dst || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&r)) {
    *dst = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *dst = r;
  return TRUE;
}

BOOL WINAPI UnionRect(LPRECT dst, const RECT *a, const RECT *b) {
  if (!dst || !a || !b) return FALSE;
  bool ea = IsRectEmpty(a), eb = IsRectEmpty(b);
  if (ea && eb) {
    *dst = RECT{0, 0, 0, 0};
    return FALSE;
  }
  if (ea) {
    *dst = *b;
  } else if (eb) {
    *dst = *a;
  } else {
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
  }
  return TRUE;
}

BOOL WINAPI SubtractRect(LPRECT dst, const RECT *a, const RECT *b) {
  if (!dst || !a || !b) return FALSE;
  RECT r = *a;
  RECT in;
  if (IntersectRect(&in, a, b)) {
    // Only when b spans a whole side of a is the rest still a rectangle.
    bool fullWidth = in.left == a->left && in.right == a->right;
    bool fullHeight = in.top == a->top && in.bottom == a->bottom;
    if (fullWidth && fullHeight) {
      r = RECT{0, 0, 0, 0};
    } else if (fullWidth) {
      if (in.top == a->top)
        r.top = in.bottom;
      else if (in.bottom == a->bottom)
        r.bottom = in.top;
    } else if (fullHeight) {
      if (in.left == a->left)
        r.left = in.right;
      else if (in.right == a->right)
        r.right = in.left;
    }
  }
  *dst = r;
  return !IsRectEmpty(dst);
}

}  // extern "C"
