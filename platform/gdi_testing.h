// Shared fixture for the GDI tests: a small screen, cleared, and a screen
// DC that is released afterwards.
#ifndef VARDO_PLATFORM_GDI_TESTING_H
#define VARDO_PLATFORM_GDI_TESTING_H

#include <windows.h>
#include <vplatform/input.h>
#include <vplatform/screen.h>

#include <gtest/gtest.h>

#include <vector>

class ScreenTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 240;

  void SetUp() override {
    vplat::SetScreenSize(kWidth, kHeight);
    vplat::SetScreenDpi(96);
    vplat::ClearScreen(RGB(0, 0, 0));
    hdc = GetDC(nullptr);
    ASSERT_NE(hdc, nullptr);
  }
  void TearDown() override {
    if (hdc) ReleaseDC(nullptr, hdc);
  }

  // A background with many colours, so that an inversion or a copy of the
  // wrong colour shows up wherever it lands.
  void PaintPattern() {
    for (int y = 0; y < kHeight; y += 8)
      for (int x = 0; x < kWidth; x += 8) {
        HBRUSH brush = CreateSolidBrush(RGB(x * 7 % 256, y * 5 % 256, (x + y) * 3 % 256));
        RECT r{x, y, x + 8, y + 8};
        FillRect(hdc, &r, brush);
        DeleteObject(brush);
      }
  }

  static COLORREF Px(int x, int y) { return vplat::GetScreenPixel(x, y); }

  HDC hdc = nullptr;
};

#endif
