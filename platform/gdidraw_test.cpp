#include "gdi_testing.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

class GdiDraw : public ScreenTest {};

// The drag feedback: a black width-0 pen under R2_NOT, each line drawn once
// to show it and once more to take it away.
class InvertingPen : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    PaintPattern();
    HBRUSH frame = CreateSolidBrush(RGB(250, 20, 30));
    RECT outline{40, 30, 200, 150};
    FrameRect(hdc, &outline, frame);
    DeleteObject(frame);
    pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    oldPen = SelectObject(hdc, pen);
    oldRop = SetROP2(hdc, R2_NOT);
  }
  void TearDown() override {
    SetROP2(hdc, oldRop);
    SelectObject(hdc, oldPen);
    DeleteObject(pen);
    ScreenTest::TearDown();
  }
  void Line(POINT a, POINT b) {
    MoveToEx(hdc, a.x, a.y, nullptr);
    LineTo(hdc, b.x, b.y);
  }
  HPEN pen = nullptr;
  HGDIOBJ oldPen = nullptr;
  int oldRop = 0;
};

TEST_F(InvertingPen, EachLineInvertsItsPixelsOnceAndASecondDrawingRestoresTheScreen) {
  struct Case {
    POINT from, to;
  } cases[] = {
      {{10, 10}, {100, 10}},     // horizontal, across the frame's left edge
      {{100, 20}, {100, 200}},   // vertical, across the frame's top and bottom
      {{5, 5}, {250, 190}},      // shallow diagonal
      {{300, 10}, {280, 230}},   // steep, right to left
      {{200, 150}, {40, 30}},    // the frame's diagonal, backwards
      {{-50, 100}, {400, 120}},  // clipped at both screen edges
      {{60, 60}, {60, 60}},      // a point: nothing
  };
  const std::vector<COLORREF> before = vplat::CopyScreenPixels();
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.from.x) + "," + std::to_string(c.from.y) + " -> " +
                 std::to_string(c.to.x) + "," + std::to_string(c.to.y));
    Line(c.from, c.to);
    std::vector<COLORREF> shown = vplat::CopyScreenPixels();
    int changed = 0;
    for (size_t i = 0; i < shown.size(); ++i)
      if (shown[i] != before[i]) {
        ++changed;
        ASSERT_EQ(shown[i], ~before[i] & 0xFFFFFF) << "pixel " << i;
      }
    // Without clipping a line covers max(|dx|, |dy|) pixels (its end left out).
    int expected = std::max(std::abs(c.to.x - c.from.x), std::abs(c.to.y - c.from.y));
    if (c.from.x >= 0 && c.to.x < kWidth)
      EXPECT_EQ(changed, expected);
    else
      EXPECT_GT(changed, 0);
    EXPECT_EQ(Px(c.to.x, c.to.y), c.to.x < kWidth ? before[c.to.y * kWidth + c.to.x] : CLR_INVALID)
        << "end point drawn";
    Line(c.from, c.to);
    ASSERT_EQ(vplat::CopyScreenPixels(), before);
  }
}

TEST_F(InvertingPen, DragSequenceAndHighlightOutlineLeaveNoTrace) {
  const uint64_t before = vplat::ScreenChecksum();
  const POINT start{50, 60};
  POINT last = start;
  const POINT cursor[] = {{53, 64}, {70, 90}, {120, 95}, {119, 180}, {30, 200}, {31, 201}};
  Line(start, last);  // the empty first line, as a drag loop draws it
  for (POINT p : cursor) {
    Line(start, last);  // erase
    Line(start, p);     // draw
    last = p;
  }
  Line(start, last);

  // A highlight outline as a closed path: each corner is drawn by exactly one
  // segment, so the whole border is inverted once.
  const POINT outline[] = {{40, 30}, {200, 30}, {200, 150}, {40, 150}, {40, 30}};
  const std::vector<COLORREF> plain = vplat::CopyScreenPixels();
  ASSERT_TRUE(Polyline(hdc, outline, 5));
  std::vector<COLORREF> shown = vplat::CopyScreenPixels();
  int changed = 0;
  for (size_t i = 0; i < shown.size(); ++i) changed += shown[i] != plain[i];
  EXPECT_EQ(changed, 2 * (160 + 120));
  EXPECT_EQ(Px(40, 30), ~plain[30 * kWidth + 40] & 0xFFFFFF);
  EXPECT_EQ(Px(200, 150), ~plain[150 * kWidth + 200] & 0xFFFFFF);
  ASSERT_TRUE(Polyline(hdc, outline, 5));
  EXPECT_EQ(vplat::ScreenChecksum(), before);
}

TEST_F(InvertingPen, WidePenInvertsEveryCoveredPixelOnce) {
  HPEN wide = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
  SelectObject(hdc, wide);
  const std::vector<COLORREF> before = vplat::CopyScreenPixels();
  Line({20, 20}, {120, 70});
  // Overlapping 3x3 stamps along a diagonal would invert their shared
  // pixels back if each stamp were drawn on its own.
  for (int x = 22; x < 119; x += 2) {  // the points the line passes exactly
    int y = 20 + (x - 20) / 2;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        ASSERT_NE(Px(x + dx, y + dy), before[(y + dy) * kWidth + x + dx])
            << x + dx << "," << y + dy;
  }
  Line({20, 20}, {120, 70});
  EXPECT_EQ(vplat::CopyScreenPixels(), before);
  SelectObject(hdc, pen);
  DeleteObject(wide);
}

TEST_F(GdiDraw, MixModesCombinePenAndScreenBitwise) {
  const COLORREF dst = RGB(0x12, 0x34, 0x56);
  const COLORREF penColor = RGB(0xF0, 0x0F, 0xAA);
  struct Case {
    int rop;
    COLORREF expected;
  } cases[] = {
      {R2_BLACK, 0x000000},      {R2_NOTMERGEPEN, 0x01C00D}, {R2_MASKNOTPEN, 0x543002},
      {R2_NOTCOPYPEN, 0x55F00F}, {R2_MASKPENNOT, 0xA80BE0},  {R2_NOT, 0xA9CBED},
      {R2_XORPEN, 0xFC3BE2},     {R2_NOTMASKPEN, 0xFDFBEF},  {R2_MASKPEN, 0x020410},
      {R2_NOTXORPEN, 0x03C41D},  {R2_NOP, 0x563412},         {R2_MERGENOTPEN, 0x57F41F},
      {R2_COPYPEN, 0xAA0FF0},    {R2_MERGEPENNOT, 0xABCFFD}, {R2_MERGEPEN, 0xFE3FF2},
      {R2_WHITE, 0xFFFFFF},
  };
  HPEN pen = CreatePen(PS_SOLID, 1, penColor);
  HGDIOBJ old = SelectObject(hdc, pen);
  for (const Case &c : cases) {
    vplat::ClearScreen(dst);
    const int previous = GetROP2(hdc);
    ASSERT_EQ(SetROP2(hdc, c.rop), previous);
    EXPECT_EQ(GetROP2(hdc), c.rop);
    MoveToEx(hdc, 5, 5, nullptr);
    LineTo(hdc, 7, 5);
    EXPECT_EQ(Px(5, 5), c.expected) << "rop " << c.rop;
    EXPECT_EQ(Px(6, 5), c.expected) << "rop " << c.rop;
    EXPECT_EQ(Px(7, 5), dst) << "rop " << c.rop;
  }
  EXPECT_EQ(SetROP2(hdc, 0), 0);
  EXPECT_EQ(SetROP2(hdc, 17), 0);
  EXPECT_EQ(GetROP2(hdc), R2_WHITE);
  SelectObject(hdc, old);
  DeleteObject(pen);
}

TEST_F(GdiDraw, LineToLeavesOutItsEndAndMovesThePosition) {
  HPEN pen = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
  SelectObject(hdc, pen);
  POINT previous{-1, -1};
  ASSERT_TRUE(MoveToEx(hdc, 10, 10, &previous));
  EXPECT_EQ(previous.x, 0);
  EXPECT_EQ(previous.y, 0);
  ASSERT_TRUE(LineTo(hdc, 15, 10));
  ASSERT_TRUE(LineTo(hdc, 15, 13));
  ASSERT_TRUE(LineTo(hdc, 12, 16));
  const COLORREF white = RGB(255, 255, 255);
  for (int x = 10; x < 15; ++x) EXPECT_EQ(Px(x, 10), white) << x;
  for (int y = 10; y < 13; ++y) EXPECT_EQ(Px(15, y), white) << y;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Px(15 - i, 13 + i), white) << i;
  EXPECT_EQ(Px(12, 16), 0u);
  EXPECT_EQ(Px(9, 10), 0u);
  EXPECT_EQ(Px(16, 10), 0u);
  POINT now{};
  ASSERT_TRUE(GetCurrentPositionEx(hdc, &now));
  EXPECT_EQ(now.x, 12);
  EXPECT_EQ(now.y, 16);
  SelectObject(hdc, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
}

TEST_F(GdiDraw, FillRectAndFrameRectCoverLeftTopInclusiveRightBottomExclusive) {
  PaintPattern();
  const std::vector<COLORREF> before = vplat::CopyScreenPixels();
  const COLORREF red = RGB(255, 0, 0);
  HBRUSH brush = CreateSolidBrush(red);
  SetROP2(hdc, R2_NOT);  // both ignore the mix mode
  RECT fill{10, 20, 15, 23};
  RECT frame{30, 30, 36, 34};
  ASSERT_NE(FillRect(hdc, &fill, brush), 0);
  ASSERT_NE(FrameRect(hdc, &frame, brush), 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      bool inFill = x >= 10 && x < 15 && y >= 20 && y < 23;
      bool onFrame =
          x >= 30 && x < 36 && y >= 30 && y < 34 && (x == 30 || x == 35 || y == 30 || y == 33);
      COLORREF expected = (inFill || onFrame) ? red : before[y * kWidth + x];
      ASSERT_EQ(Px(x, y), expected) << x << "," << y;
    }

  // A system colour index + 1 works as a brush for FillRect.
  RECT sys{50, 50, 52, 52};
  ASSERT_NE(FillRect(hdc, &sys, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1)), 0);
  EXPECT_EQ(Px(51, 51), GetSysColor(COLOR_HIGHLIGHT));

  // Empty and inverted rectangles and the null brush draw nothing.
  const uint64_t sum = vplat::ScreenChecksum();
  RECT empty{60, 60, 60, 70}, inverted{70, 70, 65, 75}, some{80, 80, 90, 90};
  EXPECT_NE(FillRect(hdc, &empty, brush), 0);
  EXPECT_NE(FillRect(hdc, &inverted, brush), 0);
  EXPECT_NE(FrameRect(hdc, &empty, brush), 0);
  EXPECT_NE(FillRect(hdc, &some, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
  EXPECT_EQ(vplat::ScreenChecksum(), sum);
  EXPECT_EQ(FillRect(hdc, &some, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_PEN))), 0);
  DeleteObject(brush);
}

TEST_F(GdiDraw, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
  const COLORREF penColor = RGB(0, 255, 0), fill = RGB(0, 0, 255);
  HPEN pen = CreatePen(PS_SOLID, 1, penColor);
  HBRUSH brush = CreateSolidBrush(fill);
  SelectObject(hdc, pen);
  SelectObject(hdc, brush);
  ASSERT_TRUE(Rectangle(hdc, 10, 10, 20, 16));
  EXPECT_EQ(Px(10, 10), penColor);
  EXPECT_EQ(Px(19, 15), penColor);
  EXPECT_EQ(Px(19, 12), penColor);
  EXPECT_EQ(Px(11, 11), fill);
  EXPECT_EQ(Px(18, 14), fill);
  EXPECT_EQ(Px(20, 12), 0u);
  EXPECT_EQ(Px(15, 16), 0u);

  // A null pen leaves the outline out and the inside one pixel short of it.
  SelectObject(hdc, GetStockObject(NULL_PEN));
  ASSERT_TRUE(Rectangle(hdc, 30, 10, 40, 16));
  EXPECT_EQ(Px(30, 10), fill);
  EXPECT_EQ(Px(38, 14), fill);
  EXPECT_EQ(Px(39, 12), 0u);
  EXPECT_EQ(Px(35, 15), 0u);

  // A null brush leaves the inside alone.
  SelectObject(hdc, pen);
  SelectObject(hdc, GetStockObject(NULL_BRUSH));
  ASSERT_TRUE(Rectangle(hdc, 50, 10, 60, 16));
  EXPECT_EQ(Px(50, 10), penColor);
  EXPECT_EQ(Px(55, 12), 0u);

  SelectObject(hdc, GetStockObject(BLACK_PEN));
  SelectObject(hdc, GetStockObject(WHITE_BRUSH));
  DeleteObject(pen);
  DeleteObject(brush);
}

TEST_F(GdiDraw, InvertRectAndDrawFocusRectUndoThemselves) {
  PaintPattern();
  const std::vector<COLORREF> before = vplat::CopyScreenPixels();
  RECT r{20, 20, 31, 27};
  ASSERT_TRUE(InvertRect(hdc, &r));
  EXPECT_EQ(Px(20, 20), ~before[20 * kWidth + 20] & 0xFFFFFF);
  EXPECT_EQ(Px(30, 26), ~before[26 * kWidth + 30] & 0xFFFFFF);
  EXPECT_EQ(Px(31, 26), before[26 * kWidth + 31]);
  ASSERT_TRUE(InvertRect(hdc, &r));
  EXPECT_EQ(vplat::CopyScreenPixels(), before);

  ASSERT_TRUE(DrawFocusRect(hdc, &r));
  std::vector<COLORREF> shown = vplat::CopyScreenPixels();
  int changed = 0;
  for (size_t i = 0; i < shown.size(); ++i) changed += shown[i] != before[i];
  EXPECT_EQ(changed, (2 * (11 + 7) - 4) / 2);  // every other border pixel
  EXPECT_EQ(Px(25, 23), before[23 * kWidth + 25]);
  ASSERT_TRUE(DrawFocusRect(hdc, &r));
  EXPECT_EQ(vplat::CopyScreenPixels(), before);
}

TEST_F(GdiDraw, ViewportOriginShiftsLogicalCoordinates) {
  POINT old{-1, -1};
  ASSERT_TRUE(SetViewportOrgEx(hdc, 5, 7, &old));
  EXPECT_EQ(old.x, 0);
  EXPECT_EQ(old.y, 0);
  RECT r{0, 0, 1, 1};
  FillRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(Px(5, 7), RGB(255, 255, 255));
  EXPECT_EQ(Px(0, 0), 0u);
  POINT now{};
  ASSERT_TRUE(GetViewportOrgEx(hdc, &now));
  EXPECT_EQ(now.x, 5);
  EXPECT_EQ(now.y, 7);
}

TEST_F(GdiDraw, UnknownDcFailsWithoutDrawing) {
  HDC bogus = reinterpret_cast<HDC>(0x1234);
  RECT r{0, 0, 10, 10};
  const uint64_t sum = vplat::ScreenChecksum();
  EXPECT_FALSE(LineTo(bogus, 5, 5));
  EXPECT_EQ(FillRect(bogus, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 0);
  EXPECT_FALSE(Rectangle(bogus, 0, 0, 5, 5));
  EXPECT_FALSE(InvertRect(bogus, &r));
  EXPECT_EQ(SetROP2(bogus, R2_NOT), 0);
  EXPECT_EQ(SetTextColor(bogus, 0), CLR_INVALID);
  EXPECT_EQ(vplat::ScreenChecksum(), sum);
  EXPECT_EQ(ReleaseDC(nullptr, bogus), 0);
}

}  // namespace
