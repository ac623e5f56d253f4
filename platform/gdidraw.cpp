// Lines, rectangles and the user32 rectangle helpers.
//
// Lines follow Bresenham's algorithm and, as on Windows, leave out their
// end point, so the segments of a closed path meet without touching any
// pixel twice; under R2_NOT a second drawing then restores the screen
// exactly. Pens of width 0 or 1 draw one pixel wide; wider pens stamp a
// square of that side on every point of the line, and every pixel a
// stamped call covers is mixed once. Dashed and dotted styles draw solid.
#include "dc.h"
#include "gdiobjects.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace vplat::gdi {
namespace {

// Visits each point of the line from (x0, y0) to (x1, y1), end excluded.
template <typename Visit>
void Bresenham(int x0, int y0, int x1, int y1, Visit visit) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    visit(x0, y0);
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

// Visits each pixel of the one-pixel border of [l, r) x [t, b) once.
template <typename Visit>
void Border(int l, int t, int r, int b, Visit visit) {
  if (r <= l || b <= t) return;
  for (int x = l; x < r; ++x) visit(x, t);
  if (b - 1 > t)
    for (int x = l; x < r; ++x) visit(x, b - 1);
  for (int y = t + 1; y < b - 1; ++y) {
    visit(l, y);
    if (r - 1 > l) visit(r - 1, y);
  }
}

// Collects what one drawing call strokes with the DC's pen and mixes each
// covered pixel once.
class Stroke {
 public:
  Stroke(Canvas &canvas, const DeviceContext &dc) : canvas_(canvas), rop2_(dc.rop2) {
    const GdiObject *pen = FindObject(dc.pen);
    if (pen && pen->pen.lopnStyle != PS_NULL) {
      visible_ = true;
      color_ = pen->pen.lopnColor;
      width_ = std::max<LONG>(1, pen->pen.lopnWidth.x);
    }
  }
  ~Stroke() {
    std::sort(wide_.begin(), wide_.end());
    wide_.erase(std::unique(wide_.begin(), wide_.end()), wide_.end());
    for (auto [y, x] : wide_) canvas_.Plot(x, y, color_, rop2_);
  }
  Stroke(const Stroke &) = delete;
  Stroke &operator=(const Stroke &) = delete;

  bool visible() const { return visible_; }

  void Point(int x, int y) {
    if (width_ == 1) {
      canvas_.Plot(x, y, color_, rop2_);
      return;
    }
    int from = -(width_ / 2);
    for (int oy = from; oy < from + width_; ++oy)
      for (int ox = from; ox < from + width_; ++ox) wide_.emplace_back(y + oy, x + ox);
  }

  void Line(int x0, int y0, int x1, int y1) {
    if (visible_) Bresenham(x0, y0, x1, y1, [this](int x, int y) { Point(x, y); });
  }

 private:
  Canvas &canvas_;
  int rop2_;
  bool visible_ = false;
  COLORREF color_ = 0;
  int width_ = 1;
  std::vector<std::pair<int, int>> wide_;
};

// The colour of a brush handle, or of a system colour index + 1 (FillRect
// accepts those). False for an unknown brush; *visible false for a null
// brush.
bool BrushColor(HBRUSH hbr, bool allowSysColor, COLORREF *color, bool *visible) {
  uintptr_t value = reinterpret_cast<uintptr_t>(hbr);
  if (allowSysColor && value >= 1 && value <= COLOR_MENUBAR + 1) {
    *color = GetSysColor(static_cast<int>(value - 1));
    *visible = true;
    return true;
  }
  const GdiObject *brush = FindObject(hbr);
  if (!brush || brush->type != OBJ_BRUSH) return false;
  *visible = brush->brush.lbStyle != BS_NULL;
  *color = brush->brush.lbColor;
  return true;
}

}  // namespace
}  // namespace vplat::gdi

using namespace vplat::gdi;

extern "C" BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->position;
  dc->position = POINT{x, y};
  return TRUE;
}

extern "C" BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
  DeviceContext *dc = FindDc(hdc);
  if (!dc || !lppt) return FALSE;
  *lppt = dc->position;
  return TRUE;
}

extern "C" BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  DeviceContext *dc;
  Canvas canvas;
  if (!OpenCanvas(hdc, &dc, &canvas)) return FALSE;
  {
    Stroke stroke(canvas, *dc);
    stroke.Line(dc->position.x, dc->position.y, x, y);
  }
  dc->position = POINT{x, y};
  return TRUE;
}

extern "C" BOOL WINAPI Polyline(HDC hdc, const POINT *apt, int cpt) {
  DeviceContext *dc;
  Canvas canvas;
  if (!apt || cpt < 2 || !OpenCanvas(hdc, &dc, &canvas)) return FALSE;
  Stroke stroke(canvas, *dc);
  for (int i = 1; i < cpt; ++i) stroke.Line(apt[i - 1].x, apt[i - 1].y, apt[i].x, apt[i].y);
  return TRUE;
}

extern "C" BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext *dc;
  Canvas canvas;
  if (!OpenCanvas(hdc, &dc, &canvas)) return FALSE;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  COLORREF fill = 0;
  bool filled = false;
  BrushColor(static_cast<HBRUSH>(dc->brush), false, &fill, &filled);
  Stroke stroke(canvas, *dc);
  if (!stroke.visible()) {
    // Without an outline the inside keeps its place: one pixel less wide
    // and high than the outlined figure.
    if (filled) canvas.Fill(RECT{left, top, right - 1, bottom - 1}, fill, dc->rop2);
    return TRUE;
  }
  if (filled) canvas.Fill(RECT{left + 1, top + 1, right - 1, bottom - 1}, fill, dc->rop2);
  Border(left, top, right, bottom, [&stroke](int x, int y) { stroke.Point(x, y); });
  return TRUE;
}

extern "C" int WINAPI FillRect(HDC hDC, const RECT *lprc, HBRUSH hbr) {
  DeviceContext *dc;
  Canvas canvas;
  COLORREF color = 0;
  bool visible = false;
  if (!lprc || !OpenCanvas(hDC, &dc, &canvas) || !BrushColor(hbr, true, &color, &visible)) return 0;
  if (visible) canvas.Fill(*lprc, color, R2_COPYPEN);
  return 1;
}

extern "C" int WINAPI FrameRect(HDC hDC, const RECT *lprc, HBRUSH hbr) {
  DeviceContext *dc;
  Canvas canvas;
  COLORREF color = 0;
  bool visible = false;
  if (!lprc || !OpenCanvas(hDC, &dc, &canvas) || !BrushColor(hbr, false, &color, &visible))
    return 0;
  if (visible)
    Border(lprc->left, lprc->top, lprc->right, lprc->bottom,
           [&](int x, int y) { canvas.Plot(x, y, color, R2_COPYPEN); });
  return 1;
}

extern "C" BOOL WINAPI InvertRect(HDC hDC, const RECT *lprc) {
  DeviceContext *dc;
  Canvas canvas;
  if (!lprc || !OpenCanvas(hDC, &dc, &canvas)) return FALSE;
  canvas.Fill(*lprc, 0, R2_NOT);
  return TRUE;
}

extern "C" BOOL WINAPI DrawFocusRect(HDC hDC, const RECT *lprc) {
  DeviceContext *dc;
  Canvas canvas;
  if (!lprc || !OpenCanvas(hDC, &dc, &canvas)) return FALSE;
  // A checkerboard of inverted pixels, like the 50% grey pattern XORed on.
  Border(lprc->left, lprc->top, lprc->right, lprc->bottom, [&canvas](int x, int y) {
    if (((x + y) & 1) == 0) canvas.Plot(x, y, 0, R2_NOT);
  });
  return TRUE;
}
