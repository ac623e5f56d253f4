// The one pixel surface behind every device context (internal to the
// platform library).
#ifndef VARDO_PLATFORM_SCREENSURFACE_H
#define VARDO_PLATFORM_SCREENSURFACE_H

#include <windows.h>

#include <vector>

namespace vplat::gdi {

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // row-major, top row first, 0x00BBGGRR

  COLORREF &at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The screen surface, first re-created (black) if SM_CXSCREEN or
// SM_CYSCREEN no longer match its size.
Surface &Screen();

// Dots per inch for LOGPIXELSX/LOGPIXELSY.
int ScreenDpi();

}  // namespace vplat::gdi

#endif
