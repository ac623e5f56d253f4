#include <vplatform/input.h>

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

// Text through the ANSI code page (932 unless the host picks UTF-8):
// 日本 is 93 FA 96 7B, テスト is 83 65 83 58 83 67, あ is 82 A0.
TEST_F(WindowText, ShiftJisRoundTripsAndIsNeverCutInsideACharacter) {
  ASSERT_EQ(GetACP(), 932u);
  HWND ansi = AnsiWindow("\x93\xfa\x96\x7b");
  HWND wide = Top(0, 0, 10, 10);
  WCHAR w[16];
  char a[16];
  EXPECT_EQ(GetWindowTextLengthW(ansi), 2);
  EXPECT_EQ(GetWindowTextLengthA(ansi), 4);
  EXPECT_EQ(GetWindowTextW(ansi, w, 16), 2);
  EXPECT_EQ(std::u16string(w), u"\u65E5\u672C");
  EXPECT_EQ(GetWindowTextA(ansi, a, 4), 2);  // room for 3 bytes: only 日 fits whole
  EXPECT_STREQ(a, "\x93\xfa");

  SetWindowTextA(wide, "\x83\x65\x83\x58\x83\x67");
  EXPECT_EQ(GetWindowTextLengthW(wide), 3);
  EXPECT_EQ(GetWindowTextLengthA(wide), 6);
  EXPECT_EQ(GetWindowTextA(wide, a, 16), 6);
  EXPECT_STREQ(a, "\x83\x65\x83\x58\x83\x67");
  EXPECT_EQ(vplat::GetWindowTextUtf8(wide), "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88");
  char title[16] = {};
  GetClassNameA(ansi, title, sizeof title);
  EXPECT_STREQ(title, "AnsiWindow");
}

TEST_F(WindowText, CharactersCrossBetweenCharacterSets) {
  static std::vector<WPARAM> ansiChars, wideChars;
  ansiChars.clear();
  wideChars.clear();
  WNDCLASSA ca{};
  ca.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_CHAR) ansiChars.push_back(w);
    return DefWindowProcA(h, m, w, l);
  };
  ca.lpszClassName = "AnsiChars";
  ASSERT_TRUE(RegisterClassA(&ca));
  WNDCLASSW cw{};
  cw.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_CHAR) wideChars.push_back(w);
    return DefWindowProcW(h, m, w, l);
  };
  cw.lpszClassName = u"WideChars";
  ASSERT_TRUE(RegisterClassW(&cw));
  HWND ha = CreateWindowExA(0, "AnsiChars", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                            nullptr, nullptr, nullptr);
  HWND hw = CreateWindowExW(0, u"WideChars", u"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                            nullptr, nullptr, nullptr);
  // Typed あ read by an ANSI pump: lead byte, then trail byte.
  SetFocus(ha);
  vplat::TypeText("\xE3\x81\x82");
  MSG m;
  std::vector<WPARAM> taken;
  while (PeekMessageA(&m, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE)) {
    taken.push_back(m.wParam);
    DispatchMessageA(&m);
  }
  EXPECT_EQ(taken, (std::vector<WPARAM>{0x82, 0xA0}));
  EXPECT_EQ(ansiChars, (std::vector<WPARAM>{0x82, 0xA0}));
  // Bytes posted by ANSI code to a Unicode window arrive as one character,
  // through a W pump or by sending them one at a time.
  PostMessageA(hw, WM_CHAR, 0x82, 0);
  PostMessageA(hw, WM_CHAR, 0xA0, 0);
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
  EXPECT_EQ(m.wParam, 0x3042u);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
  SendMessageA(hw, WM_CHAR, 0x82, 0);
  EXPECT_TRUE(wideChars.empty());  // half a character is held back
  SendMessageA(hw, WM_CHAR, 0xA0, 0);
  EXPECT_EQ(wideChars, std::vector<WPARAM>{0x3042});
}

// "ListBox" stands for any standard control class: the platform converts
// the string messages of those classes by class name.
TEST_F(WindowText, ListStringMessagesAreConvertedForTheirClass) {
  static std::vector<std::u16string> items;
  items.clear();
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    switch (m) {
      case 0x0180:  // LB_ADDSTRING
        items.emplace_back(reinterpret_cast<LPCWSTR>(l));
        return static_cast<LRESULT>(items.size() - 1);
      case 0x018A:  // LB_GETTEXTLEN
        return w < items.size() ? static_cast<LRESULT>(items[w].size()) : -1;
      case 0x0189: {  // LB_GETTEXT
        if (w >= items.size()) return -1;
        auto *out = reinterpret_cast<LPWSTR>(l);
        std::copy(items[w].begin(), items[w].end(), out);
        out[items[w].size()] = 0;
        return static_cast<LRESULT>(items[w].size());
      }
      default: return DefWindowProcW(h, m, w, l);
    }
  };
  wc.lpszClassName = u"ListBox";
  ASSERT_TRUE(RegisterClassW(&wc));
  HWND list = CreateWindowExW(0, u"ListBox", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                              nullptr);
  EXPECT_EQ(SendMessageA(list, 0x0180, 0, reinterpret_cast<LPARAM>("\x93\xfa\x96\x7b")), 0);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0], u"\u65E5\u672C");
  EXPECT_EQ(SendMessageA(list, 0x018A, 0, 0), 4);  // length in bytes for an ANSI caller
  char buf[8] = {};
  EXPECT_EQ(SendMessageA(list, 0x0189, 0, reinterpret_cast<LPARAM>(buf)), 4);
  EXPECT_STREQ(buf, "\x93\xfa\x96\x7b");
  EXPECT_EQ(SendMessageA(list, 0x018A, 5, 0), -1);  // no such item: the error passes through
}
