// Shared fixture for the control and dialog tests: a fresh window manager,
// a visible top-level window at a known place on the screen that records
// what its controls tell it, and helpers to click inside a control.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <vplatform/clock.h>
#include <vplatform/dialogs.h>
#include <vplatform/input.h>
#include <vplatform/windows.h>

#include <string>
#include <vector>

namespace vplat::testing {

// What a parent received from its children.
struct Received {
  UINT msg = 0;
  int id = 0;
  UINT code = 0;  // WM_COMMAND notification code, WM_NOTIFY code
  HWND from = nullptr;
  NMITEMACTIVATE activate{};  // copied for NM_CLICK / NM_DBLCLK / LVN_ITEMACTIVATE
  NMLISTVIEW listView{};      // copied for the NMLISTVIEW notifications
  DRAWITEMSTRUCT draw{};      // copied for WM_DRAWITEM
  bool leftDown = false;      // GetAsyncKeyState(VK_LBUTTON) when it arrived
  std::string fromText;       // WM_COMMAND: the sender's text when it arrived
};

class ControlsTest : public ::testing::Test {
 protected:
  static constexpr int kParentX = 100, kParentY = 50;
  static constexpr int kParentW = 800, kParentH = 600;

  void SetUp() override {
    vplat::ResetWindowManager();
    vplat::dialogs::Reset();
    current_ = this;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ParentProc;
    wc.lpszClassName = u"ControlsTestParent";
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, u"ControlsTestParent", u"parent", WS_POPUP | WS_VISIBLE, kParentX,
                             kParentY, kParentW, kParentH, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
  }
  void TearDown() override {
    vplat::ResetWindowManager();
    vplat::dialogs::Reset();
    current_ = nullptr;
  }

  HWND Child(LPCWSTR cls, DWORD style, int x, int y, int w, int h, int id, LPCWSTR text = u"") {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }

  // Screen point of a client point of hwnd.
  static POINT Screen(HWND hwnd, POINT client) {
    ClientToScreen(hwnd, &client);
    return client;
  }

  // Notifications of one code (WM_COMMAND code or WM_NOTIFY code).
  std::vector<Received> Got(UINT msg, UINT code) const {
    std::vector<Received> out;
    for (const Received &r : received)
      if (r.msg == msg && r.code == code) out.push_back(r);
    return out;
  }
  std::vector<UINT> Codes(UINT msg) const {
    std::vector<UINT> out;
    for (const Received &r : received)
      if (r.msg == msg) out.push_back(r.code);
    return out;
  }

  HWND parent = nullptr;
  std::vector<Received> received;
  // Brush the parent returns for WM_CTLCOLOR*; NULL leaves the default.
  HBRUSH ctlColorBrush = nullptr;
  // Answer to LVN_ITEMCHANGING (TRUE refuses the change).
  LRESULT refuseItemChanging = FALSE;

 private:
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ControlsTest *t = current_;
    if (!t) return DefWindowProcW(hwnd, msg, wParam, lParam);
    Received r;
    r.msg = msg;
    r.leftDown = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    switch (msg) {
      case WM_COMMAND:
        r.id = LOWORD(wParam);
        r.code = HIWORD(wParam);
        r.from = reinterpret_cast<HWND>(lParam);
        if (r.from) r.fromText = vplat::GetWindowTextUtf8(r.from);
        t->received.push_back(r);
        return 0;
      case WM_NOTIFY: {
        auto *hdr = reinterpret_cast<NMHDR *>(lParam);
        r.id = static_cast<int>(hdr->idFrom);
        r.code = hdr->code;
        r.from = hdr->hwndFrom;
        if (hdr->code == NM_CLICK || hdr->code == NM_DBLCLK || hdr->code == NM_RCLICK ||
            hdr->code == LVN_ITEMACTIVATE)
          r.activate = *reinterpret_cast<NMITEMACTIVATE *>(lParam);
        if (hdr->code == LVN_BEGINDRAG || hdr->code == LVN_ITEMCHANGED ||
            hdr->code == LVN_ITEMCHANGING || hdr->code == LVN_DELETEITEM ||
            hdr->code == LVN_INSERTITEM || hdr->code == LVN_DELETEALLITEMS)
          r.listView = *reinterpret_cast<NMLISTVIEW *>(lParam);
        t->received.push_back(r);
        return hdr->code == LVN_ITEMCHANGING ? t->refuseItemChanging : 0;
      }
      case WM_DRAWITEM:
        r.id = static_cast<int>(wParam);
        r.draw = *reinterpret_cast<DRAWITEMSTRUCT *>(lParam);
        r.from = r.draw.hwndItem;
        t->received.push_back(r);
        return TRUE;
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORBTN:
        r.from = reinterpret_cast<HWND>(lParam);
        r.id = GetDlgCtrlID(r.from);
        t->received.push_back(r);
        return reinterpret_cast<LRESULT>(t->ctlColorBrush);
      default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
  }

  static inline ControlsTest *current_ = nullptr;
};

}  // namespace vplat::testing
