// The screen surface and its automation API.
#include "screensurface.h"

#include <vplatform/screen.h>

#include "png.h"

#include <cerrno>
#include <cstdio>

namespace vplat::gdi {
namespace {

Surface screen;
int dpi = 96;

}  // namespace

Surface &Screen() {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width != screen.width || height != screen.height) {
    screen.width = width;
    screen.height = height;
    screen.pixels.assign(static_cast<size_t>(width) * height, 0);
  }
  return screen;
}

int ScreenDpi() { return dpi; }

}  // namespace vplat::gdi

namespace vplat {

bool SetScreenDpi(int value) {
  if (value < 1) return false;
  gdi::dpi = value;
  return true;
}

int GetScreenDpi() { return gdi::dpi; }

COLORREF GetScreenPixel(int x, int y) {
  gdi::Surface &s = gdi::Screen();
  if (x < 0 || y < 0 || x >= s.width || y >= s.height) return CLR_INVALID;
  return s.at(x, y);
}

std::vector<COLORREF> CopyScreenPixels() { return gdi::Screen().pixels; }

uint64_t ScreenChecksum() {
  const gdi::Surface &s = gdi::Screen();
  uint64_t hash = 0xcbf29ce484222325ull;
  auto mix = [&hash](uint32_t word) {
    for (int i = 0; i < 4; ++i) {
      hash ^= (word >> (8 * i)) & 0xFF;
      hash *= 0x100000001b3ull;
    }
  };
  mix(static_cast<uint32_t>(s.width));
  mix(static_cast<uint32_t>(s.height));
  for (COLORREF p : s.pixels) mix(p);
  return hash;
}

void ClearScreen(COLORREF color) {
  gdi::Surface &s = gdi::Screen();
  s.pixels.assign(s.pixels.size(), color & 0x00FFFFFF);
}

bool SaveScreenPng(const std::string &path) {
  const gdi::Surface &s = gdi::Screen();
  if (s.width == 0 || s.height == 0) {  // PNG has no empty images
    errno = EINVAL;
    return false;
  }
  std::vector<uint8_t> bytes = png::Encode(s.width, s.height, s.pixels.data());
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  if (!ok) {
    int saved = errno;
    std::remove(path.c_str());
    errno = saved;
  }
  return ok;
}

}  // namespace vplat
