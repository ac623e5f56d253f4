#include <vplatform/clock.h>
#include <vplatform/input.h>

#include "window_test_support.h"

using namespace wmtest;

class Input : public WindowTest {};

TEST_F(Input, MovesAndClicksGoToTheWindowUnderTheCursorInClientCoordinates) {
  HWND top = Top(100, 100, 300, 200, WS_POPUP | WS_VISIBLE | WS_BORDER);
  HWND child = Child(top, 1, 50, 40, 100, 50);
  vplat::PumpMessages();
  Trace().clear();
  vplat::MoveCursor(100 + 1 + 50 + 7, 100 + 1 + 40 + 9);  // border 1
  vplat::KeyDown(VK_CONTROL);
  vplat::PressButton();
  vplat::MoveCursor(120, 110);  // over the parent's client area
  vplat::ReleaseButton();
  vplat::PumpMessages();
  std::vector<std::tuple<HWND, Msg, WPARAM, LPARAM>> got;
  for (const Seen &s : Trace())
    if (s.msg >= WM_MOUSEFIRST && s.msg <= WM_MOUSELAST)
      got.push_back({s.hwnd, s.msg, s.wParam, s.lParam});
  std::vector<std::tuple<HWND, Msg, WPARAM, LPARAM>> want{
      {child, WM_MOUSEMOVE, 0, MAKELPARAM(7, 9)},
      {child, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(7, 9)},
      {top, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(19, 9)},
      {top, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(19, 9)},
  };
  EXPECT_EQ(got, want);
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 120);
  // Over the frame: non-client messages with the hit-test code.
  Trace().clear();
  vplat::MoveCursor(100, 150);
  vplat::PumpMessages();
  ASSERT_EQ(Messages(top, {WM_NCMOUSEMOVE}).size(), 1u);
  EXPECT_EQ(Trace().back().wParam, static_cast<WPARAM>(HTBORDER));
}

TEST_F(Input, DoubleClickNeedsTheClassStyleTheTimeAndTheDistance) {
  WNDCLASSW plain{};
  plain.lpfnWndProc = TraceProc;
  plain.lpszClassName = u"NoDblClk";
  ASSERT_TRUE(RegisterClassW(&plain));
  HWND dbl = Top(0, 0, 100, 100);  // the trace class has CS_DBLCLKS
  HWND single = CreateWindowExW(0, u"NoDblClk", u"", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100,
                                nullptr, nullptr, nullptr, nullptr);
  struct Case {
    const char *name;
    HWND hwnd;
    int x2;           // second click's x (first at window x + 10)
    unsigned waitMs;  // between the clicks
    UINT second;
  } cases[] = {
      {"quick, same place", dbl, 10, 100, WM_LBUTTONDBLCLK},
      {"two pixels away", dbl, 12, 0, WM_LBUTTONDBLCLK},
      {"three pixels away", dbl, 13, 0, WM_LBUTTONDOWN},
      {"exactly the double-click time", dbl, 10, 500, WM_LBUTTONDBLCLK},
      {"too slow", dbl, 10, 501, WM_LBUTTONDOWN},
      {"class without CS_DBLCLKS", single, 10, 0, WM_LBUTTONDOWN},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    RECT r;
    GetWindowRect(c.hwnd, &r);
    vplat::ClickAt(r.left + 10, 50);
    Sleep(c.waitMs);
    vplat::ClickAt(r.left + c.x2, 50);
    Trace().clear();
    vplat::PumpMessages();
    auto downs = Messages(c.hwnd, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0], static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(downs[1], c.second);
    Sleep(1000);  // the next case starts afresh
  }
  // A third quick click after a double click is a plain press again.
  vplat::DoubleClickAt(10, 10);
  vplat::ClickAt(10, 10);
  Trace().clear();
  vplat::PumpMessages();
  EXPECT_EQ(Messages(dbl, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
            (std::vector<Msg>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
}

TEST_F(Input, PressActivatesAndADisabledOwnerGetsNothing) {
  HWND owner = Top(0, 0, 400, 400);
  HWND dialog = Top(50, 50, 100, 100, WS_POPUP | WS_VISIBLE, 0, owner);
  EnableWindow(owner, FALSE);  // as a modal dialog does
  vplat::PumpMessages();
  Trace().clear();
  vplat::ClickAt(300, 300);  // on the owner
  vplat::PumpMessages();
  EXPECT_TRUE(Messages(owner, {WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
  EXPECT_EQ(GetActiveWindow(), dialog);
  EnableWindow(owner, TRUE);
  HWND other = Top(500, 0, 100, 100);
  EXPECT_EQ(GetActiveWindow(), other);
  vplat::ClickAt(300, 300);
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_EQ(GetFocus(), owner);  // DefWindowProc's WM_ACTIVATE
  vplat::PumpMessages();
  EXPECT_EQ(Messages(owner, {WM_LBUTTONDOWN}).size(), 1u);
}

// The shape of a drag loop: read the cursor, stop once the left button is
// up, else sleep 50 ms; moves and the release are scheduled on the clock.
TEST_F(Input, ScheduledMovesAndReleaseEndADragLoopDeterministically) {
  HWND w = Top(0, 0, 800, 600);
  vplat::MoveCursor(100, 100);
  vplat::PressButton();
  namespace clk = vplat::clock;
  clk::Schedule(120'000, [] { vplat::MoveCursor(130, 100); });
  clk::Schedule(220'000, [] { vplat::MoveCursor(180, 140); });
  clk::Schedule(260'000, [] { vplat::ReleaseButton(); });
  std::vector<std::pair<DWORD, LONG>> samples;
  for (int guard = 0; guard < 100; ++guard) {
    POINT p;
    GetCursorPos(&p);
    samples.push_back({GetTickCount(), p.x});
    if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000)) break;
    Sleep(50);
  }
  std::vector<std::pair<DWORD, LONG>> want{{0, 100},   {50, 100},  {100, 100}, {150, 130},
                                           {200, 130}, {250, 180}, {300, 180}};
  EXPECT_EQ(samples, want);
  // The loop dispatched nothing; the input waits in the queue, and
  // GetKeyState follows it only as it is taken.
  EXPECT_EQ(GetKeyState(VK_LBUTTON) & 0x8000, 0);
  Trace().clear();
  MSG m;
  std::vector<std::pair<Msg, bool>> taken;  // message, left button down per GetKeyState
  while (PeekMessageW(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    EXPECT_EQ(m.hwnd, w);
    taken.push_back({m.message, (GetKeyState(VK_LBUTTON) & 0x8000) != 0});
    DispatchMessageW(&m);
  }
  EXPECT_EQ(taken, (std::vector<std::pair<Msg, bool>>{{WM_MOUSEMOVE, false},
                                                      {WM_LBUTTONDOWN, true},
                                                      {WM_MOUSEMOVE, true},
                                                      {WM_LBUTTONUP, false}}));
  EXPECT_EQ(GetKeyState(VK_LBUTTON) & 1, 1);  // toggled by the one press
  // The two moves made while nobody read the queue were coalesced into the
  // last position.
  for (const Seen &s : Trace())
    if (s.msg == WM_MOUSEMOVE && (s.wParam & MK_LBUTTON)) {
      EXPECT_EQ(s.lParam, MAKELPARAM(180, 140));
    }
}

TEST_F(Input, KeyStateAndScreenSize) {
  vplat::KeyDown(VK_CAPITAL);
  vplat::KeyUp(VK_CAPITAL);
  EXPECT_EQ(GetAsyncKeyState(VK_CAPITAL), 0);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);  // no window: state follows at once
  vplat::KeyDown(VK_RSHIFT);
  EXPECT_NE(GetAsyncKeyState(VK_SHIFT), 0);
  EXPECT_NE(GetAsyncKeyState(VK_RSHIFT), 0);
  EXPECT_EQ(GetAsyncKeyState(VK_LSHIFT), 0);
  vplat::SetScreenSize(640, 480);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
  RECT d;
  GetWindowRect(GetDesktopWindow(), &d);
  EXPECT_EQ(d.bottom, 480);
  SetCursorPos(5000, -3);
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 639);
  EXPECT_EQ(p.y, 0);
}
