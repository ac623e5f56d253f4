#include "window_test_support.h"

using namespace wmtest;

namespace {

std::vector<HWND> Enumerated() {
  std::vector<HWND> out;
  EnumWindows(
      [](HWND h, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND> *>(l)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  return out;
}

}  // namespace

class ZOrder : public WindowTest {};

TEST_F(ZOrder, EnumWindowsFollowsZOrderWithTheTopmostBandFirst) {
  HWND a = Top(0, 0, 10, 10);
  HWND t1 = Top(0, 0, 10, 10, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
  HWND b = Top(0, 0, 10, 10);  // newest non-topmost: top of its band, under t1
  EXPECT_EQ(Enumerated(), (std::vector<HWND>{t1, b, a}));

  // HWND_TOP stays within the band; HWND_TOPMOST enters the topmost band.
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(Enumerated(), (std::vector<HWND>{t1, a, b}));
  SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(Enumerated(), (std::vector<HWND>{b, t1, a}));
  EXPECT_TRUE(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // HWND_NOTOPMOST: to the top of the normal band.
  SetWindowPos(t1, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(Enumerated(), (std::vector<HWND>{b, t1, a}));
  EXPECT_FALSE(GetWindowLongW(t1, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // HWND_BOTTOM ends topmost status.
  SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(Enumerated(), (std::vector<HWND>{t1, a, b}));
  EXPECT_FALSE(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // Behind a given window: into that window's band.
  SetWindowPos(t1, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(b, t1, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(Enumerated(), (std::vector<HWND>{t1, b, a}));
  EXPECT_TRUE(GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // Stopping early.
  int seen = 0;
  EXPECT_FALSE(EnumWindows([](HWND, LPARAM l) -> BOOL { return ++*reinterpret_cast<int *>(l) < 2; },
                           reinterpret_cast<LPARAM>(&seen)));
  EXPECT_EQ(seen, 2);
}

TEST_F(ZOrder, ActivationRaisesTheWindowWithTheWindowsItOwns) {
  HWND owner = Top(0, 0, 10, 10);
  HWND owned = Top(0, 0, 10, 10, WS_POPUP | WS_VISIBLE, 0, owner);
  HWND other = Top(0, 0, 10, 10);
  EXPECT_EQ(Enumerated(), (std::vector<HWND>{other, owned, owner}));
  EXPECT_EQ(GetActiveWindow(), other);
  SetActiveWindow(owner);
  EXPECT_EQ(Enumerated(), (std::vector<HWND>{owned, owner, other}));
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
}

TEST_F(ZOrder, ChildrenKeepCreationOrderAndGetWindowWalksIt) {
  HWND p = Top(0, 0, 100, 100);
  HWND c1 = Child(p, 1, 0, 0, 10, 10);
  HWND c2 = Child(p, 2, 0, 0, 10, 10);
  HWND c3 = Child(p, 3, 0, 0, 10, 10);
  EXPECT_EQ(GetWindow(p, GW_CHILD), c1);
  EXPECT_EQ(GetTopWindow(p), c1);
  EXPECT_EQ(GetWindow(c1, GW_HWNDNEXT), c2);
  EXPECT_EQ(GetWindow(c3, GW_HWNDPREV), c2);
  EXPECT_EQ(GetWindow(c2, GW_HWNDLAST), c3);
  EXPECT_EQ(GetWindow(c3, GW_HWNDNEXT), nullptr);
  SetWindowPos(c3, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(vplat::ChildWindows(p), (std::vector<HWND>{c3, c1, c2}));
  SetWindowPos(c3, c1, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(vplat::ChildWindows(p), (std::vector<HWND>{c1, c3, c2}));
  // Child windows have no topmost band: HWND_TOPMOST is just the front.
  SetWindowPos(c2, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(vplat::ChildWindows(p), (std::vector<HWND>{c2, c1, c3}));
  EXPECT_FALSE(GetWindowLongW(c2, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(ZOrder, EnumChildWindowsIsDepthFirstAndSurvivesDestruction) {
  HWND p = Top(0, 0, 100, 100);
  HWND c1 = Child(p, 1, 0, 0, 10, 10);
  HWND g1 = Child(c1, 11, 0, 0, 5, 5);
  HWND c2 = Child(p, 2, 0, 0, 10, 10);
  struct Ctx {
    std::vector<HWND> seen;
    HWND destroyOnFirst;
  } ctx{{}, c2};
  EnumChildWindows(
      p,
      [](HWND h, LPARAM l) -> BOOL {
        auto *c = reinterpret_cast<Ctx *>(l);
        c->seen.push_back(h);
        if (c->seen.size() == 1) DestroyWindow(c->destroyOnFirst);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  EXPECT_EQ(ctx.seen, (std::vector<HWND>{c1, g1}));  // c2 was gone before its turn
  EXPECT_TRUE(IsChild(p, g1));
  EXPECT_FALSE(IsChild(GetDesktopWindow(), p));
}
