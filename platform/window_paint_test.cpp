#include "window_internal.h"
#include "window_test_support.h"

using namespace wmtest;

class Paint : public WindowTest {};

TEST_F(Paint, UpdateRegionAccumulatesAndReachesChildrenOfNonClippingParents) {
  HWND p = Top(0, 0, 200, 200);
  HWND c = Child(p, 1, 50, 50, 100, 100);
  HWND clip = Top(300, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  HWND cc = Child(clip, 2, 50, 50, 100, 100);
  vplat::PumpMessages();
  RECT r;
  EXPECT_FALSE(GetUpdateRect(p, &r, FALSE));

  RECT a{0, 0, 60, 60}, b{10, 100, 20, 110};
  InvalidateRect(p, &a, FALSE);
  InvalidateRect(p, &b, TRUE);
  ASSERT_TRUE(GetUpdateRect(p, &r, FALSE));
  RECT want{0, 0, 60, 110};
  EXPECT_TRUE(EqualRect(&r, &want));
  ASSERT_TRUE(GetUpdateRect(c, &r, FALSE));  // the 10 x 10 overlap, in c's coordinates
  RECT wantChild{0, 0, 10, 10};
  EXPECT_TRUE(EqualRect(&r, &wantChild));

  InvalidateRect(clip, nullptr, FALSE);
  EXPECT_FALSE(GetUpdateRect(cc, &r, FALSE));
  ValidateRect(clip, nullptr);

  // BeginPaint's view: the rectangle and the erase request, then nothing.
  bool erase = false;
  ASSERT_TRUE(vplat::wm::TakeUpdate(p, &r, &erase));
  EXPECT_TRUE(erase);
  EXPECT_FALSE(GetUpdateRect(p, &r, FALSE));

  // Parents are painted before their children; hidden windows collect nothing.
  InvalidateRect(p, nullptr, FALSE);
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  EXPECT_EQ(m.hwnd, p);
  ShowWindow(p, SW_HIDE);
  InvalidateRect(p, nullptr, FALSE);
  ValidateRect(c, nullptr);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(Paint, ValidateSubtractsWhatLeavesARectangleAndUpdateWindowPaintsNow) {
  HWND h = Top(0, 0, 100, 100);
  vplat::PumpMessages();
  InvalidateRect(h, nullptr, FALSE);
  RECT top{0, 0, 100, 40}, middle{20, 50, 30, 60}, r;
  ValidateRect(h, &top);
  GetUpdateRect(h, &r, FALSE);
  RECT rest{0, 40, 100, 100};
  EXPECT_TRUE(EqualRect(&r, &rest));
  ValidateRect(h, &middle);  // a hole: the region stays as it was
  GetUpdateRect(h, &r, FALSE);
  EXPECT_TRUE(EqualRect(&r, &rest));
  Trace().clear();
  UpdateWindow(h);
  EXPECT_EQ(Messages(h, {WM_PAINT}).size(), 1u);  // sent, and DefWindowProc validated
  EXPECT_FALSE(GetUpdateRect(h, &r, FALSE));
  UpdateWindow(h);
  EXPECT_EQ(Messages(h, {WM_PAINT}).size(), 1u);
}

TEST_F(Paint, MovingAWindowRepaintsWhatItUncovered) {
  HWND back = Top(0, 0, 300, 300);
  HWND front = Top(0, 0, 100, 100);
  vplat::PumpMessages();
  MoveWindow(front, 200, 200, 100, 100, TRUE);
  RECT r;
  ASSERT_TRUE(GetUpdateRect(back, &r, FALSE));
  EXPECT_TRUE(PtInRect(&r, POINT{50, 50}));
  ASSERT_TRUE(GetUpdateRect(front, &r, FALSE));
}
