#include "window_test_support.h"

using namespace wmtest;

class Focus : public WindowTest {};

TEST_F(Focus, SetFocusActivatesTheTopLevelWindowAndMovesTheFocusInOrder) {
  HWND a = Top(0, 0, 100, 100, WS_POPUP);  // hidden: not activated on creation
  HWND edit = Child(a, 1, 0, 0, 10, 10);
  HWND b = Top(0, 0, 100, 100);
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), b);
  Trace().clear();
  EXPECT_EQ(SetFocus(edit), b);
  std::vector<std::pair<HWND, Msg>> got;
  for (const Seen &s : Trace())
    if (s.msg == WM_ACTIVATE || s.msg == WM_SETFOCUS || s.msg == WM_KILLFOCUS)
      got.push_back({s.hwnd, s.msg});
  std::vector<std::pair<HWND, Msg>> want{
      {b, WM_ACTIVATE}, {b, WM_KILLFOCUS}, {a, WM_ACTIVATE},     // a's DefWindowProc focuses a,
      {a, WM_SETFOCUS}, {a, WM_KILLFOCUS}, {edit, WM_SETFOCUS},  // then the edit takes it
  };
  EXPECT_EQ(got, want);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(GetForegroundWindow(), a);
}

TEST_F(Focus, HidingOrDestroyingTheActiveWindowActivatesItsOwnerOrTheNextWindow) {
  HWND back = Top(0, 0, 100, 100);
  HWND owner = Top(0, 0, 100, 100);
  HWND front = Top(0, 0, 100, 100);
  HWND dialog = Top(0, 0, 50, 50, WS_POPUP | WS_VISIBLE, 0, owner);
  EXPECT_EQ(GetActiveWindow(), dialog);
  DestroyWindow(dialog);
  EXPECT_EQ(GetActiveWindow(), owner);  // not front, which is above it
  ShowWindow(owner, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), front);
  EnableWindow(back, FALSE);
  DestroyWindow(front);
  EXPECT_EQ(GetActiveWindow(), nullptr);  // back is disabled, owner hidden
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Focus, DisablingTakesTheFocusAndEnableReportsThePreviousState) {
  HWND top = Top(0, 0, 100, 100);
  HWND c = Child(top, 1, 0, 0, 10, 10);
  SetFocus(c);
  Trace().clear();
  EXPECT_FALSE(EnableWindow(top, FALSE));  // was enabled
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(Messages(c, {WM_KILLFOCUS}).size(), 1u);
  EXPECT_EQ(Messages(top, {WM_ENABLE}).size(), 1u);
  EXPECT_FALSE(IsWindowEnabled(top));
  EXPECT_TRUE(IsWindowEnabled(c));       // its own flag only
  EXPECT_TRUE(EnableWindow(top, TRUE));  // was disabled
  EXPECT_FALSE(EnableWindow(top, TRUE));
  EXPECT_EQ(Messages(top, {WM_ENABLE}).size(), 2u);
}

TEST_F(Focus, ShowWindowReportsVisibilityAndSendsShowWindowOnChangesOnly) {
  HWND h = Top(0, 0, 10, 10, WS_POPUP);
  HWND c = Child(h, 1, 0, 0, 5, 5);
  EXPECT_FALSE(IsWindowVisible(c));  // parent hidden
  Trace().clear();
  EXPECT_FALSE(ShowWindow(h, SW_SHOWNA));
  EXPECT_TRUE(IsWindowVisible(c));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_TRUE(ShowWindow(h, SW_SHOW));
  EXPECT_EQ(GetActiveWindow(), h);
  EXPECT_TRUE(ShowWindow(h, SW_HIDE));
  EXPECT_FALSE(ShowWindow(h, SW_HIDE));
  EXPECT_EQ(Messages(h, {WM_SHOWWINDOW}).size(), 2u);
}
