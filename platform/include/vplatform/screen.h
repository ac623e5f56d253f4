// The headless screen, seen from automation: the pixels every device context
// draws into, for tests to inspect and for debugging pictures.
//
// The screen is one surface of SM_CXSCREEN x SM_CYSCREEN pixels (set with
// vplat::SetScreenSize). It starts black and is re-created, black, whenever
// the screen size changes. Pixels are COLORREF values (0x00BBGGRR, as RGB()
// builds them), row by row from the top.
#ifndef VARDO_VPLATFORM_SCREEN_H
#define VARDO_VPLATFORM_SCREEN_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vplat {

// Dots per inch reported by GetDeviceCaps(LOGPIXELSX/LOGPIXELSY); 96 until
// set. Returns false and keeps the old value when dpi < 1.
VPLAT_API bool SetScreenDpi(int dpi);
VPLAT_API int GetScreenDpi();

// The pixel at screen (x, y), or CLR_INVALID outside the screen.
VPLAT_API COLORREF GetScreenPixel(int x, int y);

// A copy of every pixel, width * height values, top row first.
VPLAT_API std::vector<COLORREF> CopyScreenPixels();

// A 64-bit FNV-1a hash of the screen size and every pixel: equal screens
// give equal sums, so a test can compare states without keeping copies.
VPLAT_API uint64_t ScreenChecksum();

// Paints the whole screen one colour (black by default).
VPLAT_API void ClearScreen(COLORREF color = 0);

// Writes the screen as an 8-bit RGB PNG file (uncompressed deflate blocks,
// so large but simple). Returns false when the file cannot be written
// (errno tells why); a partly written file is removed.
VPLAT_API bool SaveScreenPng(const std::string &path);

// Pens, brushes and fonts made and not yet freed (stock and system-colour
// objects left out), and device contexts not yet released: what a test
// checks to see that code left no GDI object behind.
VPLAT_API size_t LiveGdiObjectCount();
VPLAT_API size_t LiveDcCount();

}  // namespace vplat

#endif
