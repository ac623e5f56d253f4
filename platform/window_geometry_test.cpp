#include "window_test_support.h"

using namespace wmtest;

class Geometry : public WindowTest {};

TEST_F(Geometry, FrameStylesReserveFixedMetrics) {
  struct {
    const char *name;
    DWORD style, ex;
    RECT client;  // of a 200 x 100 window
  } cases[] = {
      {"bare popup", WS_POPUP, 0, {0, 0, 200, 100}},
      {"border", WS_POPUP | WS_BORDER, 0, {0, 0, 198, 98}},
      {"dialog frame", WS_POPUP | WS_DLGFRAME, 0, {0, 0, 194, 94}},
      {"caption", WS_POPUP | WS_CAPTION, 0, {0, 0, 194, 75}},
      {"sizing frame and caption", WS_POPUP | WS_CAPTION | WS_THICKFRAME, 0, {0, 0, 192, 73}},
      {"modal frame", WS_POPUP, WS_EX_DLGMODALFRAME, {0, 0, 194, 94}},
      {"client edge on border", WS_POPUP | WS_BORDER, WS_EX_CLIENTEDGE, {0, 0, 194, 94}},
      {"static edge", WS_POPUP, WS_EX_STATICEDGE, {0, 0, 198, 98}},
      {"scroll bars take nothing", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, {0, 0, 200, 100}},
      {"overlapped always has a caption", WS_OVERLAPPED, 0, {0, 0, 194, 75}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    HWND h = Top(10, 20, 200, 100, c.style, c.ex);
    RECT r;
    GetClientRect(h, &r);
    EXPECT_TRUE(EqualRect(&r, &c.client)) << r.right << "x" << r.bottom;
    // AdjustWindowRectEx gives the window back from the client area.
    DWORD style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
    AdjustWindowRectEx(&r, style, FALSE, c.ex);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);
    DestroyWindow(h);
  }
}

TEST_F(Geometry, CoordinatesMapThroughNestedClientAreas) {
  HWND top = Top(100, 50, 400, 300, WS_POPUP | WS_VISIBLE | WS_CAPTION);  // frame 3, caption 19
  HWND child = Child(top, 1, 10, 20, 100, 100, WS_CHILD | WS_VISIBLE | WS_BORDER);
  HWND inner = Child(child, 2, 5, 6, 10, 10);
  RECT r;
  GetWindowRect(inner, &r);
  // 100+3+10+1+5, 50+22+20+1+6
  EXPECT_EQ(r.left, 119);
  EXPECT_EQ(r.top, 99);
  POINT p{0, 0};
  ClientToScreen(inner, &p);
  EXPECT_EQ(p.x, 119);
  ScreenToClient(top, &p);
  EXPECT_EQ(p.x, 16);
  EXPECT_EQ(p.y, 27);
  POINT pts[2] = {{0, 0}, {1, 1}};
  int offs = MapWindowPoints(inner, top, pts, 2);
  EXPECT_EQ(pts[1].x, 17);
  EXPECT_EQ(static_cast<short>(LOWORD(offs)), 16);
  EXPECT_EQ(static_cast<short>(HIWORD(offs)), 27);
  POINT back{16, 27};
  MapWindowPoints(top, nullptr, &back, 1);  // to the screen
  EXPECT_EQ(back.x, 119);
  // Moving the parent moves the descendants on screen.
  MoveWindow(top, 0, 0, 400, 300, TRUE);
  GetWindowRect(inner, &r);
  EXPECT_EQ(r.left, 19);
}

TEST_F(Geometry, HitTestingSkipsHiddenTransparentAndDisabledWindows) {
  static const LRESULT kTransparent = HTTRANSPARENT;
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    return m == WM_NCHITTEST ? kTransparent : DefWindowProcW(h, m, w, l);
  };
  wc.lpszClassName = u"SeeThrough";
  ASSERT_TRUE(RegisterClassW(&wc));
  HWND back = Top(0, 0, 500, 500);
  HWND front = Top(0, 0, 100, 100);
  HWND hidden = Child(back, 1, 200, 200, 50, 50, WS_CHILD);
  HWND label = CreateWindowExW(0, u"SeeThrough", u"", WS_CHILD | WS_VISIBLE, 300, 300, 50, 50, back,
                               nullptr, nullptr, nullptr);
  HWND under = Child(back, 3, 300, 300, 50, 50);
  HWND off = Child(back, 4, 400, 400, 50, 50, WS_CHILD | WS_VISIBLE | WS_DISABLED);
  struct {
    POINT pt;
    HWND want;
  } cases[] = {
      {{50, 50}, front},   {{150, 150}, back}, {{210, 210}, back},
      {{310, 310}, under}, {{410, 410}, back}, {{600, 600}, nullptr},
  };
  for (const auto &c : cases) EXPECT_EQ(WindowFromPoint(c.pt), c.want) << c.pt.x << "," << c.pt.y;
  // ChildWindowFromPoint takes everything unless told to skip.
  EXPECT_EQ(ChildWindowFromPoint(back, POINT{210, 210}), hidden);
  EXPECT_EQ(ChildWindowFromPointEx(back, POINT{210, 210}, CWP_SKIPINVISIBLE), back);
  EXPECT_EQ(ChildWindowFromPoint(back, POINT{310, 310}), label);
  EXPECT_EQ(ChildWindowFromPointEx(back, POINT{410, 410}, CWP_SKIPDISABLED), back);
  EXPECT_EQ(ChildWindowFromPoint(back, POINT{410, 410}), off);
  EXPECT_EQ(ChildWindowFromPoint(back, POINT{-1, 0}), nullptr);
}

TEST_F(Geometry, SetWindowPosSendsSizeAndMoveOnlyForWhatChanged) {
  HWND h = Top(0, 0, 100, 100);
  const std::vector<UINT> watch{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE};
  Trace().clear();
  SetWindowPos(h, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Messages(h, watch),
            (std::vector<Msg>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
  Trace().clear();
  SetWindowPos(h, nullptr, 0, 0, 50, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Messages(h, watch),
            (std::vector<Msg>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE}));
  EXPECT_EQ(Trace().back().lParam, MAKELPARAM(50, 60));
  Trace().clear();
  SetWindowPos(h, nullptr, 10, 10, 50, 60, SWP_NOZORDER | SWP_NOACTIVATE);  // no change
  EXPECT_EQ(Messages(h, watch), (std::vector<Msg>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));

  // WM_WINDOWPOSCHANGING may rewrite the request.
  static WNDPROC prev;
  prev = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      h, GWLP_WNDPROC,
      reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS *>(lp)->cx = 77;
        return CallWindowProcW(prev, w, m, wp, lp);
      })));
  MoveWindow(h, 0, 0, 500, 500, TRUE);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right, 77);
  EXPECT_EQ(r.bottom, 500);

  ShowWindow(h, SW_MAXIMIZE);
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right, 77);  // the procedure still clamps the width
  EXPECT_TRUE(IsZoomed(h));
  ShowWindow(h, SW_RESTORE);
  GetWindowRect(h, &r);
  EXPECT_EQ(r.bottom, 500);
  EXPECT_FALSE(IsZoomed(h));
}
