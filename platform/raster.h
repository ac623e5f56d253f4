// Pixel writing for one drawing call (internal to the platform library):
// logical coordinates shifted onto the screen and clipped.
#ifndef VARDO_PLATFORM_RASTER_H
#define VARDO_PLATFORM_RASTER_H

#include "screensurface.h"

namespace vplat::gdi {

// The binary raster operation: the result of mixing pen colour and
// destination pixel under an R2_* mode.
COLORREF Mix(int rop2, COLORREF pen, COLORREF dst);

struct Canvas {
  Surface *surface = nullptr;
  int dx = 0;  // screen = logical + (dx, dy)
  int dy = 0;
  RECT clip{};  // screen coordinates, inside the surface; may be empty

  // One pixel at logical (x, y) under the mix mode; outside the clip it is
  // skipped.
  void Plot(int x, int y, COLORREF color, int rop2) {
    int sx = x + dx, sy = y + dy;
    if (sx < clip.left || sx >= clip.right || sy < clip.top || sy >= clip.bottom) return;
    COLORREF &p = surface->at(sx, sy);
    p = Mix(rop2, color, p);
  }

  // [left, right) x [top, bottom) in logical coordinates under the mix mode.
  void Fill(const RECT &logical, COLORREF color, int rop2);
};

}  // namespace vplat::gdi

#endif
