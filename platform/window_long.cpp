// Per-window data slots: GetWindowLongPtr / SetWindowLongPtr and the
// 32-bit forms.
#include "window_internal.h"

#include <cstring>

using namespace vplat::wm;

namespace {

LONG_PTR ExtraBytes(Window *w, int index, size_t size, bool set, LONG_PTR value) {
  if (index < 0 || static_cast<size_t>(index) + size > w->extra.size()) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  unsigned char *at = w->extra.data() + index;
  LONG_PTR old;
  if (size == sizeof(LONG_PTR)) {
    std::memcpy(&old, at, sizeof old);
    if (set) std::memcpy(at, &value, sizeof value);
  } else {
    LONG o32;
    std::memcpy(&o32, at, sizeof o32);
    old = o32;
    if (set) {
      LONG v32 = static_cast<LONG>(value);
      std::memcpy(at, &v32, sizeof v32);
    }
  }
  return old;
}

LONG_PTR SetStyle(HWND hwnd, int which, DWORD value) {
  Window *w = Get(hwnd);
  DWORD old = which == GWL_STYLE ? w->style : w->exStyle;
  STYLESTRUCT ss{old, value};
  SendW(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(&ss));
  if (!(w = Get(hwnd))) return static_cast<LONG>(old);
  if (which == GWL_STYLE) {
    w->style = ss.styleNew;
  } else {
    // The topmost band changes only through SetWindowPos.
    w->exStyle = (ss.styleNew & ~static_cast<DWORD>(WS_EX_TOPMOST)) |
                 (w->exStyle & static_cast<DWORD>(WS_EX_TOPMOST));
  }
  ss.styleOld = old;
  SendW(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(&ss));
  return static_cast<LONG>(old);
}

LONG_PTR Slot(HWND hwnd, int index, bool set, LONG_PTR value, bool unicode, size_t size) {
  Window *w = GetChecked(hwnd);
  if (!w) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWLP_WNDPROC:
      old = reinterpret_cast<LONG_PTR>(ExportProc(w->proc, w->unicode, unicode));
      if (set) ImportProc(reinterpret_cast<WNDPROC>(value), unicode, &w->proc, &w->unicode);
      return old;
    case GWLP_HINSTANCE:
      old = reinterpret_cast<LONG_PTR>(w->hInstance);
      if (set) w->hInstance = reinterpret_cast<HINSTANCE>(value);
      return old;
    case GWLP_HWNDPARENT:
      if (!IsTopLevel(w)) return reinterpret_cast<LONG_PTR>(w->parent->hwnd);
      old = reinterpret_cast<LONG_PTR>(w->owner);
      if (set) {
        Window *o = value ? Get(reinterpret_cast<HWND>(value)) : nullptr;
        w->owner = o && o != Desktop() ? Root(o)->hwnd : nullptr;
      }
      return old;
    case GWLP_ID:
      old = w->id;
      if (set) w->id = value;
      return old;
    case GWLP_USERDATA:
      old = w->userData;
      if (set) w->userData = value;
      return old;
    case GWL_STYLE:
    case GWL_EXSTYLE:
      if (set) return SetStyle(hwnd, index, static_cast<DWORD>(value));
      return static_cast<LONG>(index == GWL_STYLE ? w->style : w->exStyle);
    default: return ExtraBytes(w, index, size, set, value);
  }
}

// The 32-bit forms cannot hold the pointer-sized slots.
bool PointerOnly(int index) {
  return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT;
}

}  // namespace

extern "C" {

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) {
  return Slot(hwnd, index, false, 0, false, sizeof(LONG_PTR));
}
LONG_PTR WINAPI GetWindowLongPtrW(HWND hwnd, int index) {
  return Slot(hwnd, index, false, 0, true, sizeof(LONG_PTR));
}
LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  return Slot(hwnd, index, true, value, false, sizeof(LONG_PTR));
}
LONG_PTR WINAPI SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  return Slot(hwnd, index, true, value, true, sizeof(LONG_PTR));
}

static LONG Slot32(HWND hwnd, int index, bool set, LONG value, bool unicode) {
  if (PointerOnly(index)) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  return static_cast<LONG>(Slot(hwnd, index, set, value, unicode, sizeof(LONG)));
}

LONG WINAPI GetWindowLongA(HWND hwnd, int index) { return Slot32(hwnd, index, false, 0, false); }
LONG WINAPI GetWindowLongW(HWND hwnd, int index) { return Slot32(hwnd, index, false, 0, true); }
LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) {
  return Slot32(hwnd, index, true, value, false);
}
LONG WINAPI SetWindowLongW(HWND hwnd, int index, LONG value) {
  return Slot32(hwnd, index, true, value, true);
}

}  // extern "C"
