// Raster operations on the screen surface.
#include "raster.h"

#include <algorithm>

namespace vplat::gdi {

COLORREF Mix(int rop2, COLORREF pen, COLORREF dst) {
  COLORREF r;
  switch (rop2) {
    case R2_BLACK: r = 0; break;
    case R2_NOTMERGEPEN: r = ~(dst | pen); break;
    case R2_MASKNOTPEN: r = dst & ~pen; break;
    case R2_NOTCOPYPEN: r = ~pen; break;
    case R2_MASKPENNOT: r = pen & ~dst; break;
    case R2_NOT: r = ~dst; break;
    case R2_XORPEN: r = dst ^ pen; break;
    case R2_NOTMASKPEN: r = ~(dst & pen); break;
    case R2_MASKPEN: r = dst & pen; break;
    case R2_NOTXORPEN: r = ~(dst ^ pen); break;
    case R2_NOP: r = dst; break;
    case R2_MERGENOTPEN: r = dst | ~pen; break;
    case R2_COPYPEN: r = pen; break;
    case R2_MERGEPENNOT: r = pen | ~dst; break;
    case R2_MERGEPEN: r = dst | pen; break;
    case R2_WHITE: r = 0xFFFFFF; break;
    default: r = dst; break;
  }
  return r & 0x00FFFFFF;
}

void Canvas::Fill(const RECT &logical, COLORREF color, int rop2) {
  int left = std::max<int>(logical.left + dx, clip.left);
  int right = std::min<int>(logical.right + dx, clip.right);
  int top = std::max<int>(logical.top + dy, clip.top);
  int bottom = std::min<int>(logical.bottom + dy, clip.bottom);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      COLORREF &p = surface->at(x, y);
      p = Mix(rop2, color, p);
    }
}

}  // namespace vplat::gdi
