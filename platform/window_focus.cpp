// Keyboard focus, activation, mouse capture and enabling.
#include "window_internal.h"

namespace vplat::wm {

FocusState &Focus() {
  static FocusState f;
  return f;
}

namespace {

bool InSubtree(HWND root, HWND h) {
  Window *r = Get(root), *w = Get(h);
  return r && w && (r == w || IsDescendant(r, w));
}

bool CanActivate(const Window *w, HWND leaving) {
  return w && w->hwnd != leaving && !w->destroying && (w->style & WS_VISIBLE) &&
         !(w->style & WS_DISABLED) && IsTopLevel(w);
}

}  // namespace

void Activate(HWND hwnd, bool byMouse) {
  FocusState &f = Focus();
  HWND old = f.active;
  if (old == hwnd) {
    if (Window *w = Get(hwnd)) BringToFront(w);
    return;
  }
  if (old && Get(old)) {
    SendW(old, WM_NCACTIVATE, FALSE, 0);
    Window *o = Get(old);
    SendW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, o && (o->style & WS_MINIMIZE) ? 1 : 0),
          reinterpret_cast<LPARAM>(hwnd));
  }
  // The focus does not stay in a window that is no longer active.
  if (f.focus && old && InSubtree(old, f.focus)) {
    HWND lost = f.focus;
    f.focus = nullptr;
    SendW(lost, WM_KILLFOCUS, 0, 0);
  }
  Window *w = Get(hwnd);
  f.active = w ? hwnd : nullptr;
  if (!w) return;
  BringToFront(w);
  SendW(hwnd, WM_NCACTIVATE, TRUE, 0);
  if (!(w = Get(hwnd))) return;
  SendW(hwnd, WM_ACTIVATE,
        MAKEWPARAM(byMouse ? WA_CLICKACTIVE : WA_ACTIVE, (w->style & WS_MINIMIZE) ? 1 : 0),
        reinterpret_cast<LPARAM>(old));
}

void LoseFocusAndActivation(HWND hwnd) {
  FocusState &f = Focus();
  if (f.capture && InSubtree(hwnd, f.capture)) {
    HWND lost = f.capture;
    f.capture = nullptr;
    SendW(lost, WM_CAPTURECHANGED, 0, 0);
  }
  if (f.focus && InSubtree(hwnd, f.focus)) {
    HWND lost = f.focus;
    f.focus = nullptr;
    SendW(lost, WM_KILLFOCUS, 0, 0);
  }
  if (f.active && f.active == hwnd) {
    Window *w = Get(hwnd);
    Window *next = nullptr;
    if (w && w->owner && CanActivate(Get(w->owner), hwnd)) next = Get(w->owner);
    if (!next)
      for (Window *c : Desktop()->children)
        if (CanActivate(c, hwnd)) {
          next = c;
          break;
        }
    Activate(next ? next->hwnd : nullptr, false);
  }
}

}  // namespace vplat::wm

using namespace vplat::wm;

extern "C" {

HWND WINAPI SetFocus(HWND hwnd) {
  FocusState &f = Focus();
  HWND old = f.focus;
  if (!hwnd) {
    if (old) {
      f.focus = nullptr;
      SendW(old, WM_KILLFOCUS, 0, 0);
    }
    return old;
  }
  Window *w = GetChecked(hwnd);
  if (!w || w == Desktop()) return nullptr;
  // Returns the focus as it was when called, even if activating the
  // window moved it on the way.
  Window *root = Root(w);
  if (f.active != root->hwnd) {
    Activate(root->hwnd, false);
    if (!Get(hwnd)) return nullptr;
  }
  HWND from = f.focus;
  if (from == hwnd) return old;
  f.focus = hwnd;
  if (from && Get(from)) SendW(from, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (f.focus == hwnd && Get(hwnd)) SendW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(from), 0);
  return old;
}

HWND WINAPI GetFocus(void) { return Focus().focus; }

HWND WINAPI SetActiveWindow(HWND hwnd) {
  HWND old = Focus().active;
  if (!hwnd) {
    Activate(nullptr, false);
    return old;
  }
  Window *w = GetChecked(hwnd);
  if (!w || w == Desktop()) return nullptr;
  w = Root(w);
  if (w->style & WS_DISABLED) return nullptr;
  Activate(w->hwnd, false);
  return old;
}

HWND WINAPI GetActiveWindow(void) { return Focus().active; }

BOOL WINAPI SetForegroundWindow(HWND hwnd) {
  Window *w = GetChecked(hwnd);
  if (!w || w == Desktop()) return FALSE;
  w = Root(w);
  if (w->style & WS_DISABLED) return FALSE;
  Activate(w->hwnd, false);
  return Focus().active == w->hwnd;
}

HWND WINAPI GetForegroundWindow(void) { return Focus().active; }

HWND WINAPI SetCapture(HWND hwnd) {
  FocusState &f = Focus();
  HWND old = f.capture;
  if (hwnd && !GetChecked(hwnd)) return nullptr;
  f.capture = hwnd;
  if (old && old != hwnd && Get(old))
    SendW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

HWND WINAPI GetCapture(void) { return Focus().capture; }

BOOL WINAPI ReleaseCapture(void) {
  FocusState &f = Focus();
  HWND old = f.capture;
  f.capture = nullptr;
  if (old && Get(old)) SendW(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
  Window *w = GetChecked(hwnd);
  if (!w) return FALSE;
  bool wasDisabled = (w->style & WS_DISABLED) != 0;
  if (enable && wasDisabled) {
    w->style &= ~static_cast<DWORD>(WS_DISABLED);
    SendW(hwnd, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    w->style |= WS_DISABLED;
    FocusState &f = Focus();
    if (f.focus && InSubtree(hwnd, f.focus)) SetFocus(nullptr);
    if (f.capture && InSubtree(hwnd, f.capture)) ReleaseCapture();
    if (Get(hwnd)) SendW(hwnd, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
  Window *w = Get(hwnd);
  return w && !(w->style & WS_DISABLED);
}

}  // extern "C"
