// Mouse and keyboard: the state automation sets, and the input messages it
// turns into.
#include <vplatform/clock.h>
#include <vplatform/input.h>
#include <vplatform/utf8.h>

#include "window_internal.h"

#include <cstdlib>

namespace vplat::wm {
namespace {

constexpr UINT kDefaultDoubleClickMs = 500;

struct LastClick {
  MouseButton button = MouseButton::Left;
  HWND hwnd = nullptr;
  clock::Micros time = 0;
  POINT pt{0, 0};
  bool valid = false;
};

struct Input {
  POINT cursor{0, 0};
  BYTE async[256] = {};  // now: 0x80 down, 0x01 toggled
  BYTE sync[256] = {};   // as of the last input message taken from the queue
  UINT doubleClickMs = kDefaultDoubleClickMs;
  LastClick last;
};

Input &I() {
  static Input in;
  return in;
}

int ButtonVk(MouseButton b) {
  return b == MouseButton::Left ? VK_LBUTTON : b == MouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

// Client message for a button: down, up, double click.
UINT ButtonMessage(MouseButton b, int what) {
  UINT base = b == MouseButton::Left    ? WM_LBUTTONDOWN
              : b == MouseButton::Right ? WM_RBUTTONDOWN
                                        : WM_MBUTTONDOWN;
  return base + static_cast<UINT>(what);
}

UINT NcButtonMessage(MouseButton b, int what) {
  UINT base = b == MouseButton::Left    ? WM_NCLBUTTONDOWN
              : b == MouseButton::Right ? WM_NCRBUTTONDOWN
                                        : 0x00A7;  // WM_NCMBUTTONDOWN
  return base + static_cast<UINT>(what);
}

// Where mouse input goes: the capture window, else the window under the
// cursor unless it belongs to a disabled top-level window.
HWND MouseTarget(LRESULT *hit) {
  Input &in = I();
  HWND capture = Focus().capture;
  if (capture && Get(capture)) {
    *hit = HTCLIENT;
    return capture;
  }
  HWND h = WindowFromPoint(in.cursor);
  Window *w = Get(h);
  if (!w || (Root(w)->style & WS_DISABLED)) return nullptr;
  *hit = SendW(h, WM_NCHITTEST, 0, MAKELPARAM(in.cursor.x, in.cursor.y));
  return Get(h) ? h : nullptr;
}

LPARAM ClientPoint(HWND h) {
  POINT p = I().cursor;
  ScreenToClient(h, &p);
  return MAKELPARAM(p.x, p.y);
}

// Scan codes of the US layout (set 1) and whether the key is extended.
struct Scan {
  BYTE code;
  bool extended;
};

Scan ScanFor(UINT vk) {
  static const char letters[] =
      "\x1E\x30\x2E\x20\x12\x21\x22\x23\x17\x24\x25\x26\x32\x31\x18\x19"
      "\x10\x13\x1F\x14\x16\x2F\x11\x2D\x15\x2C";
  if (vk >= 'A' && vk <= 'Z') return {static_cast<BYTE>(letters[vk - 'A']), false};
  if (vk >= '1' && vk <= '9') return {static_cast<BYTE>(0x02 + (vk - '1')), false};
  if (vk >= VK_F1 && vk <= VK_F10) return {static_cast<BYTE>(0x3B + (vk - VK_F1)), false};
  static const struct {
    UINT vk;
    BYTE code;
    bool ext;
  } table[] = {
      {'0', 0x0B, false},          {VK_ESCAPE, 0x01, false},     {VK_OEM_MINUS, 0x0C, false},
      {VK_OEM_PLUS, 0x0D, false},  {VK_BACK, 0x0E, false},       {VK_TAB, 0x0F, false},
      {VK_OEM_4, 0x1A, false},     {VK_OEM_6, 0x1B, false},      {VK_RETURN, 0x1C, false},
      {VK_CONTROL, 0x1D, false},   {VK_LCONTROL, 0x1D, false},   {VK_RCONTROL, 0x1D, true},
      {VK_OEM_1, 0x27, false},     {VK_OEM_7, 0x28, false},      {VK_OEM_3, 0x29, false},
      {VK_SHIFT, 0x2A, false},     {VK_LSHIFT, 0x2A, false},     {VK_OEM_5, 0x2B, false},
      {VK_OEM_COMMA, 0x33, false}, {VK_OEM_PERIOD, 0x34, false}, {VK_OEM_2, 0x35, false},
      {VK_RSHIFT, 0x36, false},    {VK_MULTIPLY, 0x37, false},   {VK_MENU, 0x38, false},
      {VK_LMENU, 0x38, false},     {VK_RMENU, 0x38, true},       {VK_SPACE, 0x39, false},
      {VK_CAPITAL, 0x3A, false},   {VK_NUMLOCK, 0x45, false},    {VK_SCROLL, 0x46, false},
      {VK_HOME, 0x47, true},       {VK_UP, 0x48, true},          {VK_PRIOR, 0x49, true},
      {VK_SUBTRACT, 0x4A, false},  {VK_LEFT, 0x4B, true},        {VK_RIGHT, 0x4D, true},
      {VK_ADD, 0x4E, false},       {VK_END, 0x4F, true},         {VK_DOWN, 0x50, true},
      {VK_NEXT, 0x51, true},       {VK_INSERT, 0x52, true},      {VK_DELETE, 0x53, true},
      {VK_F11, 0x57, false},       {VK_F12, 0x58, false},        {VK_NUMPAD7, 0x47, false},
      {VK_NUMPAD8, 0x48, false},   {VK_NUMPAD9, 0x49, false},    {VK_NUMPAD4, 0x4B, false},
      {VK_NUMPAD5, 0x4C, false},   {VK_NUMPAD6, 0x4D, false},    {VK_NUMPAD1, 0x4F, false},
      {VK_NUMPAD2, 0x50, false},   {VK_NUMPAD3, 0x51, false},    {VK_NUMPAD0, 0x52, false},
      {VK_DECIMAL, 0x53, false},   {VK_DIVIDE, 0x35, true},      {VK_LWIN, 0x5B, true},
      {VK_RWIN, 0x5C, true},       {VK_APPS, 0x5D, true},
  };
  for (const auto &t : table)
    if (t.vk == vk) return {t.code, t.ext};
  return {0, false};
}

// The generic code a left/right key is posted as.
UINT Generic(UINT vk) {
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

UINT LeftOf(UINT generic) {
  switch (generic) {
    case VK_SHIFT: return VK_LSHIFT;
    case VK_CONTROL: return VK_LCONTROL;
    case VK_MENU: return VK_LMENU;
    default: return generic;
  }
}

void SetDown(BYTE *state, UINT vk, bool down) {
  vk &= 0xFF;
  if (down) {
    if (!(state[vk] & 0x80)) state[vk] ^= 0x01;
    state[vk] |= 0x80;
  } else {
    state[vk] &= static_cast<BYTE>(~0x80);
  }
}

HWND KeyTarget() {
  FocusState &f = Focus();
  if (f.focus && Get(f.focus)) return f.focus;
  if (f.active && Get(f.active)) return f.active;
  return nullptr;
}

bool IsMouseVk(UINT vk) { return vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON; }

MouseButton ButtonOf(UINT vk) {
  return vk == VK_LBUTTON   ? MouseButton::Left
         : vk == VK_RBUTTON ? MouseButton::Right
                            : MouseButton::Middle;
}

void Key(UINT vk, bool down) {
  Input &in = I();
  UINT g = Generic(vk & 0xFF);
  bool wasDown = (in.async[g] & 0x80) != 0;
  SetDown(in.async, g, down);
  SetDown(in.async, vk == g ? LeftOf(g) : vk, down);
  bool alt = (in.async[VK_MENU] & 0x80) != 0 || (g == VK_MENU && !down && wasDown);
  bool ctrl = (in.async[VK_CONTROL] & 0x80) != 0;
  bool sys = (alt || g == VK_MENU) && !ctrl;
  Scan sc = ScanFor(vk);
  LPARAM lp = 1 | (static_cast<LPARAM>(sc.code) << 16) | (sc.extended ? (1L << 24) : 0) |
              (alt && g != VK_MENU ? (1L << 29) : 0);
  if (down && wasDown) lp |= 1L << 30;
  if (!down) lp |= (1L << 30) | (1L << 31);
  UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  HWND target = KeyTarget();
  if (target) {
    Post(target, msg, g, lp, true);
  } else {
    // Nobody to read it: the thread's key state follows at once.
    SetDown(in.sync, g, down);
  }
}

}  // namespace

POINT CursorPos() { return I().cursor; }

BYTE SyncKeyState(int vk) { return I().sync[vk & 0xFF]; }

WPARAM MouseKeyFlags() {
  const BYTE *a = I().async;
  WPARAM f = 0;
  if (a[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
  if (a[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
  if (a[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
  if (a[VK_SHIFT] & 0x80) f |= MK_SHIFT;
  if (a[VK_CONTROL] & 0x80) f |= MK_CONTROL;
  return f;
}

void NoteRetrieved(const MSG &m) {
  BYTE *s = I().sync;
  UINT vk = static_cast<UINT>(m.wParam & 0xFF);
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      SetDown(s, vk, true);
      SetDown(s, LeftOf(vk), true);
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      SetDown(s, vk, false);
      SetDown(s, LeftOf(vk), false);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: SetDown(s, VK_LBUTTON, true); break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: SetDown(s, VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK: SetDown(s, VK_RBUTTON, true); break;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP: SetDown(s, VK_RBUTTON, false); break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: SetDown(s, VK_MBUTTON, true); break;
    case WM_MBUTTONUP: SetDown(s, VK_MBUTTON, false); break;
    default: break;
  }
}

void ClampCursorToScreen() {
  SIZE s = ScreenSize();
  POINT &c = I().cursor;
  c.x = std::clamp<LONG>(c.x, 0, s.cx - 1);
  c.y = std::clamp<LONG>(c.y, 0, s.cy - 1);
}

}  // namespace vplat::wm

namespace vplat {

using namespace wm;

void MoveCursor(int x, int y) {
  Input &in = I();
  POINT old = in.cursor;
  in.cursor = POINT{x, y};
  ClampCursorToScreen();
  if (in.cursor.x == old.x && in.cursor.y == old.y) return;
  LRESULT hit = HTNOWHERE;
  HWND h = MouseTarget(&hit);
  if (!h) return;
  if (hit == HTCLIENT)
    PostMouseMove(h, MouseKeyFlags(), ClientPoint(h));
  else
    Post(h, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), MAKELPARAM(in.cursor.x, in.cursor.y), true);
}

void PressButton(MouseButton button) {
  Input &in = I();
  SetDown(in.async, ButtonVk(button), true);
  LRESULT hit = HTNOWHERE;
  HWND h = MouseTarget(&hit);
  if (!h) return;
  bool eat = false;
  if (!Focus().capture) {
    Window *root = Root(Get(h));
    if (root->hwnd != Focus().active && !(root->exStyle & WS_EX_NOACTIVATE)) {
      HWND rh = root->hwnd;
      LRESULT ma = SendW(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(rh),
                         MAKELPARAM(static_cast<WORD>(hit), ButtonMessage(button, 0)));
      if (ma != MA_NOACTIVATE && ma != MA_NOACTIVATEANDEAT && Get(rh)) Activate(rh, true);
      eat = ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT;
    }
    if (!Get(h)) return;
  }
  clock::Micros now = clock::Now();
  LastClick &last = in.last;
  bool client = hit == HTCLIENT;
  bool dbl = last.valid && last.button == button && last.hwnd == h &&
             now - last.time <= static_cast<clock::Micros>(in.doubleClickMs) * 1000 &&
             std::abs(in.cursor.x - last.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
             std::abs(in.cursor.y - last.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2 &&
             (!client || (Get(h)->cls->style & CS_DBLCLKS));
  if (dbl)
    last.valid = false;
  else
    last = LastClick{button, h, now, in.cursor, true};
  if (eat) return;
  int what = dbl ? 2 : 0;
  if (client)
    Post(h, ButtonMessage(button, what), MouseKeyFlags(), ClientPoint(h), true);
  else
    Post(h, NcButtonMessage(button, what), static_cast<WPARAM>(hit),
         MAKELPARAM(in.cursor.x, in.cursor.y), true);
}

void ReleaseButton(MouseButton button) {
  Input &in = I();
  SetDown(in.async, ButtonVk(button), false);
  LRESULT hit = HTNOWHERE;
  HWND h = MouseTarget(&hit);
  if (!h) return;
  if (hit == HTCLIENT)
    Post(h, ButtonMessage(button, 1), MouseKeyFlags(), ClientPoint(h), true);
  else
    Post(h, NcButtonMessage(button, 1), static_cast<WPARAM>(hit),
         MAKELPARAM(in.cursor.x, in.cursor.y), true);
}

void ClickAt(int x, int y, MouseButton button) {
  MoveCursor(x, y);
  PressButton(button);
  ReleaseButton(button);
}

void DoubleClickAt(int x, int y, MouseButton button) {
  ClickAt(x, y, button);
  ClickAt(x, y, button);
}

void ClickWindow(HWND hwnd, MouseButton button) {
  Window *w = Get(hwnd);
  if (!w) return;
  RECT c = ClientScreenRect(w);
  ClickAt((c.left + c.right) / 2, (c.top + c.bottom) / 2, button);
}

void KeyDown(UINT vk) {
  if (IsMouseVk(vk)) return PressButton(ButtonOf(vk));
  Key(vk, true);
}

void KeyUp(UINT vk) {
  if (IsMouseVk(vk)) return ReleaseButton(ButtonOf(vk));
  Key(vk, false);
}

void KeyStroke(UINT vk) {
  KeyDown(vk);
  KeyUp(vk);
}

void TypeText(std::string_view utf8) {
  HWND target = KeyTarget();
  if (!target) return;
  for (char16_t c : vplat::Utf16FromUtf8(utf8)) Post(target, WM_CHAR, c, 1, true);
}

bool IsKeyDown(UINT vk) { return (I().async[vk & 0xFF] & 0x80) != 0; }

void ResetInput() { I() = Input{}; }

}  // namespace vplat

extern "C" {

BOOL WINAPI GetCursorPos(LPPOINT pt) {
  if (!pt) return FALSE;
  *pt = vplat::wm::CursorPos();
  return TRUE;
}

BOOL WINAPI SetCursorPos(int x, int y) {
  vplat::MoveCursor(x, y);
  return TRUE;
}

SHORT WINAPI GetAsyncKeyState(int vk) {
  if (vk < 0 || vk > 0xFF) return 0;
  return (vplat::wm::I().async[vk] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

SHORT WINAPI GetKeyState(int vk) {
  if (vk < 0 || vk > 0xFF) return 0;
  BYTE s = vplat::wm::SyncKeyState(vk);
  return static_cast<SHORT>(((s & 0x80) ? 0xFF80 : 0) | (s & 0x01));
}

UINT WINAPI GetDoubleClickTime(void) { return vplat::wm::I().doubleClickMs; }

BOOL WINAPI SetDoubleClickTime(UINT ms) {
  vplat::wm::I().doubleClickMs = ms ? ms : 500;
  return TRUE;
}

}  // extern "C"
