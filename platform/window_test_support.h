// Test fixture for the window manager: a fresh window manager per test and
// a window class whose procedure records every message it gets.
#ifndef VARDO_PLATFORM_WINDOW_TEST_SUPPORT_H
#define VARDO_PLATFORM_WINDOW_TEST_SUPPORT_H

#include <vplatform/windows.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wmtest {

struct Seen {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

inline std::vector<Seen> &Trace() {
  static std::vector<Seen> t;
  return t;
}

inline LRESULT CALLBACK TraceProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  Trace().push_back({h, m, w, l});
  return DefWindowProcW(h, m, w, l);
}

// Messages from the trace that are in `only` (all if empty), as numbers.
inline std::vector<UINT> Messages(HWND h = nullptr, std::vector<UINT> only = {}) {
  std::vector<UINT> out;
  for (const Seen &s : Trace()) {
    if (h && s.hwnd != h) continue;
    if (!only.empty() && std::find(only.begin(), only.end(), s.msg) == only.end()) continue;
    out.push_back(s.msg);
  }
  return out;
}

inline const char16_t *kTraceClass = u"TraceWindow";

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vplat::ResetWindowManager();
    Trace().clear();
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TraceProc;
    wc.cbWndExtra = 32;
    wc.lpszClassName = kTraceClass;
    ASSERT_NE(RegisterClassW(&wc), 0);
  }
  void TearDown() override { vplat::ResetWindowManager(); }

  HWND Top(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE, DWORD ex = 0,
           HWND owner = nullptr, const char16_t *title = u"") {
    return CreateWindowExW(ex, kTraceClass, title, style, x, y, w, h, owner, nullptr, nullptr,
                           nullptr);
  }
  HWND Child(HWND parent, int id, int x, int y, int w, int h,
             DWORD style = WS_CHILD | WS_VISIBLE) {
    return CreateWindowExW(0, kTraceClass, u"", style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }
};

}  // namespace wmtest

#endif
