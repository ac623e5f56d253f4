#include "window_test_support.h"

using namespace wmtest;

namespace {

// Two subclass levels, each tagging WM_USER's result, and each remembering
// the previous procedure it chains to.
WNDPROC gPrevOuter = nullptr, gPrevInner = nullptr;
std::vector<std::string> gCalls;

LRESULT CALLBACK InnerSubclass(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER) {
    gCalls.push_back("inner");
    return CallWindowProcW(gPrevInner, h, m, w, l) + 10;
  }
  return CallWindowProcW(gPrevInner, h, m, w, l);
}

LRESULT CALLBACK OuterSubclass(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER) {
    gCalls.push_back("outer");
    return CallWindowProcW(gPrevOuter, h, m, w, l) + 100;
  }
  return CallWindowProcW(gPrevOuter, h, m, w, l);
}

// An ANSI subclass on a Unicode window, as plug-in code subclasses
// windows it did not create: it must see ANSI text.
WNDPROC gPrevAnsi = nullptr;
std::string gAnsiSeen;

LRESULT CALLBACK AnsiSubclass(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SETTEXT) gAnsiSeen = reinterpret_cast<const char *>(l);
  return CallWindowProcA(gPrevAnsi, h, m, w, l);
}

}  // namespace

class WindowLong : public WindowTest {};

TEST_F(WindowLong, SubclassChainRunsNewestFirstAndUnwinds) {
  HWND h = Top(0, 0, 10, 10);
  gCalls.clear();
  gPrevInner = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InnerSubclass)));
  gPrevOuter = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterSubclass)));
  EXPECT_EQ(gPrevInner, TraceProc);
  EXPECT_EQ(gPrevOuter, InnerSubclass);
  Trace().clear();
  EXPECT_EQ(SendMessageW(h, WM_USER, 0, 0), 110);  // DefWindowProc gives 0
  EXPECT_EQ(gCalls, (std::vector<std::string>{"outer", "inner"}));
  EXPECT_EQ(Messages(h, {WM_USER}).size(), 1u);  // reached the class procedure once

  // Removing the outer level restores the inner chain.
  SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gPrevOuter));
  gCalls.clear();
  EXPECT_EQ(SendMessageW(h, WM_USER, 0, 0), 10);
  EXPECT_EQ(gCalls, std::vector<std::string>{"inner"});
}

TEST_F(WindowLong, AnsiSubclassOfUnicodeWindowSeesAnsiTextAndChainsBack) {
  HWND h = Top(0, 0, 10, 10);
  gPrevAnsi = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnsiSubclass)));
  // The W class procedure handed to an A caller is not directly callable.
  EXPECT_NE(gPrevAnsi, TraceProc);
  EXPECT_FALSE(IsWindowUnicode(h));
  EXPECT_TRUE(SetWindowTextW(h, u"from W"));
  EXPECT_EQ(gAnsiSeen, "from W");
  WCHAR buf[16];
  EXPECT_EQ(GetWindowTextW(h, buf, 16), 6);
  EXPECT_EQ(std::u16string(buf), u"from W");
  // Putting the W procedure back through the A call restores a W window.
  SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gPrevAnsi));
  EXPECT_TRUE(IsWindowUnicode(h));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)), TraceProc);
}

TEST_F(WindowLong, SlotsAndExtraBytes) {
  HWND owner = Top(0, 0, 10, 10);
  HWND h = Top(0, 0, 10, 10, WS_POPUP, 0, owner);
  HWND c = Child(h, 42, 0, 0, 1, 1);
  EXPECT_EQ(SetWindowLongPtrW(h, GWLP_USERDATA, 0x1234567890LL), 0);
  EXPECT_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), 0x1234567890LL);
  EXPECT_EQ(GetWindowLongPtrW(c, GWLP_ID), 42);
  EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrW(c, GWLP_HWNDPARENT)), h);
  EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrW(h, GWLP_HWNDPARENT)), owner);
  EXPECT_EQ(GetParent(h), owner);  // a popup's GetParent is its owner

  // The dialog slots of the 64-bit layout live in the extra bytes.
  EXPECT_EQ(DWLP_MSGRESULT, 0);
  EXPECT_EQ(DWLP_DLGPROC, 8);
  EXPECT_EQ(DWLP_USER, 16);
  SetWindowLongPtrW(h, DWLP_USER, -5);
  SetWindowLongPtrW(h, DWLP_MSGRESULT, 7);
  EXPECT_EQ(GetWindowLongPtrW(h, DWLP_USER), -5);
  EXPECT_EQ(GetWindowLongW(h, DWLP_MSGRESULT), 7);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrW(h, 32 - 4), 0);  // 8 bytes at 28 overrun 32
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  EXPECT_EQ(GetWindowLongW(h, 28), 0);  // 4 bytes fit
  EXPECT_EQ(GetWindowLongW(h, GWLP_WNDPROC), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));

  Trace().clear();
  LONG old = SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_BORDER));
  EXPECT_EQ(static_cast<DWORD>(old), static_cast<DWORD>(WS_POPUP));
  EXPECT_EQ(Messages(h, {WM_STYLECHANGING, WM_STYLECHANGED}),
            (std::vector<Msg>{WM_STYLECHANGING, WM_STYLECHANGED}));
  RECT rc;
  GetClientRect(h, &rc);
  EXPECT_EQ(rc.right, 8);  // the border now takes a pixel each side
  // The topmost band cannot be entered through the style slot.
  SetWindowLongW(h, GWL_EXSTYLE, WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
}
