#include "window_test_support.h"

using namespace wmtest;

namespace {

LRESULT CALLBACK AnsiProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

}  // namespace

class WindowText : public WindowTest {
 protected:
  HWND AnsiWindow(const char *title) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = AnsiProc;
    wc.lpszClassName = "AnsiWindow";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "AnsiWindow", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           nullptr, nullptr);
  }
};

TEST_F(WindowText, CreationTextAndTruncation) {
  HWND h = Top(0, 0, 10, 10, WS_POPUP, 0, nullptr, u"Hello");
  WCHAR w[16];
  EXPECT_EQ(GetWindowTextLengthW(h), 5);
  EXPECT_EQ(GetWindowTextW(h, w, 3), 2);  // count includes the terminator
  EXPECT_EQ(std::u16string(w), u"He");
  EXPECT_EQ(GetWindowTextW(h, w, 0), 0);
  // A surrogate pair is never split.
  SetWindowTextW(h, u"a\U0001F600");
  EXPECT_EQ(GetWindowTextLengthW(h), 3);
  EXPECT_EQ(GetWindowTextW(h, w, 3), 1);
  EXPECT_EQ(std::u16string(w), u"a");
  char a[4] = "xyz";
  EXPECT_EQ(GetWindowTextA(reinterpret_cast<HWND>(0x1234), a, 4), 0);
  EXPECT_EQ(a[0], 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowText, AsciiRoundTripsThroughBothCharacterSets) {
  HWND ansi = AnsiWindow("plain");
  HWND wide = Top(0, 0, 10, 10);
  ASSERT_TRUE(ansi && wide);
  char a[16];
  WCHAR w[16];
  EXPECT_EQ(GetWindowTextW(ansi, w, 16), 5);
  EXPECT_EQ(std::u16string(w), u"plain");
  SetWindowTextA(wide, "from A");
  EXPECT_EQ(GetWindowTextA(wide, a, 16), 6);
  EXPECT_STREQ(a, "from A");
  EXPECT_EQ(vplat::GetWindowTextUtf8(ansi), "plain");
}
