// Test fixture for the window manager: a fresh window manager per test and
// a window class whose procedure records every message it gets.
#ifndef VARDO_PLATFORM_WINDOW_TEST_SUPPORT_H
#define VARDO_PLATFORM_WINDOW_TEST_SUPPORT_H

#include <vplatform/windows.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace wmtest {

// The name of a window message ("WM_SIZE"); null for a number the table
// does not know.
inline const char *MessageName(UINT msg) {
  static const struct {
    UINT msg;
    const char *name;
  } kNames[] = {
#define M(name) {name, #name}
      M(WM_NULL),
      M(WM_CREATE),
      M(WM_DESTROY),
      M(WM_MOVE),
      M(WM_SIZE),
      M(WM_ACTIVATE),
      M(WM_SETFOCUS),
      M(WM_KILLFOCUS),
      M(WM_ENABLE),
      M(WM_SETREDRAW),
      M(WM_SETTEXT),
      M(WM_GETTEXT),
      M(WM_GETTEXTLENGTH),
      M(WM_PAINT),
      M(WM_CLOSE),
      M(WM_QUERYENDSESSION),
      M(WM_QUIT),
      M(WM_QUERYOPEN),
      M(WM_ERASEBKGND),
      M(WM_SYSCOLORCHANGE),
      M(WM_ENDSESSION),
      M(WM_SHOWWINDOW),
      M(WM_SETTINGCHANGE),
      M(WM_ACTIVATEAPP),
      M(WM_CANCELMODE),
      M(WM_SETCURSOR),
      M(WM_MOUSEACTIVATE),
      M(WM_CHILDACTIVATE),
      M(WM_GETMINMAXINFO),
      M(WM_NEXTDLGCTL),
      M(WM_DRAWITEM),
      M(WM_MEASUREITEM),
      M(WM_DELETEITEM),
      M(WM_VKEYTOITEM),
      M(WM_CHARTOITEM),
      M(WM_SETFONT),
      M(WM_GETFONT),
      M(WM_COMPAREITEM),
      M(WM_WINDOWPOSCHANGING),
      M(WM_WINDOWPOSCHANGED),
      M(WM_NOTIFY),
      M(WM_HELP),
      M(WM_NOTIFYFORMAT),
      M(WM_CONTEXTMENU),
      M(WM_STYLECHANGING),
      M(WM_STYLECHANGED),
      M(WM_GETICON),
      M(WM_SETICON),
      M(WM_NCCREATE),
      M(WM_NCDESTROY),
      M(WM_NCCALCSIZE),
      M(WM_NCHITTEST),
      M(WM_NCPAINT),
      M(WM_NCACTIVATE),
      M(WM_GETDLGCODE),
      M(WM_NCMOUSEMOVE),
      M(WM_NCLBUTTONDOWN),
      M(WM_NCLBUTTONUP),
      M(WM_NCLBUTTONDBLCLK),
      M(WM_NCRBUTTONDOWN),
      M(WM_NCRBUTTONUP),
      M(WM_NCRBUTTONDBLCLK),
      M(WM_KEYDOWN),
      M(WM_KEYUP),
      M(WM_CHAR),
      M(WM_DEADCHAR),
      M(WM_SYSKEYDOWN),
      M(WM_SYSKEYUP),
      M(WM_SYSCHAR),
      M(WM_SYSDEADCHAR),
      M(WM_UNICHAR),
      M(WM_INITDIALOG),
      M(WM_COMMAND),
      M(WM_SYSCOMMAND),
      M(WM_TIMER),
      M(WM_HSCROLL),
      M(WM_VSCROLL),
      M(WM_INITMENU),
      M(WM_INITMENUPOPUP),
      M(WM_MENUSELECT),
      M(WM_MENUCHAR),
      M(WM_ENTERIDLE),
      M(WM_CHANGEUISTATE),
      M(WM_UPDATEUISTATE),
      M(WM_QUERYUISTATE),
      M(WM_CTLCOLORMSGBOX),
      M(WM_CTLCOLOREDIT),
      M(WM_CTLCOLORLISTBOX),
      M(WM_CTLCOLORBTN),
      M(WM_CTLCOLORDLG),
      M(WM_CTLCOLORSCROLLBAR),
      M(WM_CTLCOLORSTATIC),
      M(WM_MOUSEMOVE),
      M(WM_LBUTTONDOWN),
      M(WM_LBUTTONUP),
      M(WM_LBUTTONDBLCLK),
      M(WM_RBUTTONDOWN),
      M(WM_RBUTTONUP),
      M(WM_RBUTTONDBLCLK),
      M(WM_MBUTTONDOWN),
      M(WM_MBUTTONUP),
      M(WM_MBUTTONDBLCLK),
      M(WM_MOUSEWHEEL),
      M(WM_MOUSEHWHEEL),
      M(WM_PARENTNOTIFY),
      M(WM_ENTERMENULOOP),
      M(WM_EXITMENULOOP),
      M(WM_SIZING),
      M(WM_CAPTURECHANGED),
      M(WM_MOVING),
      M(WM_ENTERSIZEMOVE),
      M(WM_EXITSIZEMOVE),
      M(WM_DROPFILES),
      M(WM_MOUSEHOVER),
      M(WM_MOUSELEAVE),
      M(WM_CUT),
      M(WM_COPY),
      M(WM_PASTE),
      M(WM_CLEAR),
      M(WM_UNDO),
      M(WM_PRINT),
      M(WM_PRINTCLIENT),
#undef M
  };
  for (const auto &entry : kNames)
    if (entry.msg == msg) return entry.name;
  return nullptr;
}

// A message number as traces hold it. It converts to and from UINT, so it
// compares and is built like one, but a failing expectation prints it by
// name: WM_USER+5, or the number when it has none.
struct Msg {
  UINT msg;
  Msg(UINT m = 0) : msg(m) {}
  operator UINT() const { return msg; }
};

inline void PrintTo(const Msg &m, std::ostream *os) {
  if (const char *name = MessageName(m)) {
    *os << name;
  } else if (m >= WM_USER && m < WM_APP) {
    *os << "WM_USER+" << (m - WM_USER);
  } else {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(m));
    *os << hex;
  }
}

struct Seen {
  HWND hwnd;
  Msg msg;
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

// Messages from the trace that are in `only` (all if empty), in order.
inline std::vector<Msg> Messages(HWND h = nullptr, std::vector<UINT> only = {}) {
  std::vector<Msg> out;
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
  HWND Child(HWND parent, int id, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE) {
    return CreateWindowExW(0, kTraceClass, u"", style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }
};

}  // namespace wmtest

#endif
