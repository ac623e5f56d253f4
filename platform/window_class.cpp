// Window classes: a process-wide registry keyed by case-folded name, and
// the built-in class registrations controls hook into.
#include <vplatform/classes.h>

#include "text_convert.h"
#include "window_internal.h"

#include <cstring>
#include <map>

namespace vplat {
namespace {

struct Builtins {
  std::vector<ClassRegistrar> registrars;
  bool done = false;
};

Builtins &B() {
  static Builtins b;
  return b;
}

}  // namespace

void AddBuiltinClassRegistrar(ClassRegistrar fn) {
  B().registrars.push_back(fn);
  if (B().done) fn();
}

}  // namespace vplat

namespace vplat::wm {
namespace {

struct Classes {
  std::map<std::u16string, std::shared_ptr<Class>> byName;
  ATOM nextAtom = 0xC000;
};

Classes &K() {
  static Classes k;
  return k;
}

void EnsureBuiltins() {
  auto &b = B();
  if (b.done) return;
  b.done = true;  // before running: the registrars call RegisterClass
  for (size_t i = 0; i < b.registrars.size(); ++i) b.registrars[i]();
}

bool IsIntResource(const void *p) { return (reinterpret_cast<ULONG_PTR>(p) >> 16) == 0; }

// Shared body of the four registration calls, the strings already wide.
ATOM RegisterCommon(const WNDCLASSEXW &wc, std::u16string name, bool unicode, LPCSTR menuA) {
  EnsureBuiltins();
  if (name.empty() || !wc.lpfnWndProc || wc.cbClsExtra < 0 || wc.cbWndExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string folded = text::FoldCase(name);
  auto &k = K();
  if (k.byName.count(folded)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto c = std::make_shared<Class>();
  c->name = std::move(name);
  c->folded = folded;
  // "#nnnnn" names are integer atoms on Windows (the dialog class is #32770).
  if (c->name.size() > 1 && c->name[0] == u'#') {
    unsigned v = 0;
    bool digits = true;
    for (size_t i = 1; i < c->name.size(); ++i) {
      if (c->name[i] < u'0' || c->name[i] > u'9' || v > 0xFFFF)
        digits = false;
      else
        v = v * 10 + (c->name[i] - u'0');
    }
    if (digits && v > 0 && v <= 0xFFFF) c->atom = static_cast<ATOM>(v);
  }
  if (!c->atom) c->atom = k.nextAtom++;
  c->style = wc.style;
  c->proc = wc.lpfnWndProc;
  c->unicode = unicode;
  c->cbClsExtra = wc.cbClsExtra;
  c->cbWndExtra = wc.cbWndExtra;
  c->hInstance = wc.hInstance;
  c->hIcon = wc.hIcon;
  c->hIconSm = wc.hIconSm;
  c->hCursor = wc.hCursor;
  c->hbrBackground = wc.hbrBackground;
  c->clsExtra.assign(static_cast<size_t>(wc.cbClsExtra), 0);
  if (unicode ? wc.lpszMenuName != nullptr : menuA != nullptr) {
    c->hasMenuName = true;
    if (unicode ? IsIntResource(wc.lpszMenuName) : IsIntResource(menuA)) {
      c->menuOrdinal = unicode ? reinterpret_cast<ULONG_PTR>(wc.lpszMenuName)
                               : reinterpret_cast<ULONG_PTR>(menuA);
    } else if (unicode) {
      c->menuW = wc.lpszMenuName;
      c->menuA = text::ToAnsi(c->menuW);
    } else {
      c->menuA = menuA;
      c->menuW = text::FromAnsi(c->menuA);
    }
  }
  ATOM atom = c->atom;
  k.byName.emplace(folded, std::move(c));
  return atom;
}

WNDCLASSEXW Widen(UINT style, WNDPROC proc, int clsExtra, int wndExtra, HINSTANCE inst, HICON icon,
                  HCURSOR cursor, HBRUSH bg, HICON iconSm) {
  WNDCLASSEXW w{};
  w.cbSize = sizeof w;
  w.style = style;
  w.lpfnWndProc = proc;
  w.cbClsExtra = clsExtra;
  w.cbWndExtra = wndExtra;
  w.hInstance = inst;
  w.hIcon = icon;
  w.hCursor = cursor;
  w.hbrBackground = bg;
  w.hIconSm = iconSm;
  return w;
}

std::u16string NameA(LPCSTR s) {
  if (!s) return {};
  if (IsIntResource(s))
    return u"#" + text::FromAnsi(std::to_string(reinterpret_cast<ULONG_PTR>(s)));
  return text::FromAnsi(s);
}

std::u16string NameW(LPCWSTR s) {
  if (!s) return {};
  if (IsIntResource(s))
    return u"#" + text::FromAnsi(std::to_string(reinterpret_cast<ULONG_PTR>(s)));
  return s;
}

template <typename WC>
void FillInfo(const Class &c, WC *wc, bool unicode) {
  wc->style = c.style;
  wc->lpfnWndProc = ExportProc(c.proc, c.unicode, unicode);
  wc->cbClsExtra = c.cbClsExtra;
  wc->cbWndExtra = c.cbWndExtra;
  wc->hInstance = c.hInstance;
  wc->hIcon = c.hIcon;
  wc->hCursor = c.hCursor;
  wc->hbrBackground = c.hbrBackground;
}

}  // namespace

std::shared_ptr<Class> FindClass(std::u16string_view name) {
  EnsureBuiltins();
  auto &k = K();
  auto it = k.byName.find(text::FoldCase(name));
  return it == k.byName.end() ? nullptr : it->second;
}

std::shared_ptr<Class> FindClassByAtom(ATOM atom) {
  EnsureBuiltins();
  for (auto &[name, c] : K().byName)
    if (c->atom == atom) return c;
  return nullptr;
}

std::shared_ptr<Class> ResolveClassA(LPCSTR name) {
  if (!name) return nullptr;
  if (IsIntResource(name))
    return FindClassByAtom(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name)));
  return FindClass(text::FromAnsi(name));
}

std::shared_ptr<Class> ResolveClassW(LPCWSTR name) {
  if (!name) return nullptr;
  if (IsIntResource(name))
    return FindClassByAtom(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name)));
  return FindClass(name);
}

void UnregisterAllClasses() {
  K().byName.clear();
  B().done = false;
}

bool ClassIs(const Window *w, std::u16string_view folded) {
  return w && w->cls && w->cls->folded == folded;
}

}  // namespace vplat::wm

using namespace vplat::wm;
using vplat::text::FromAnsi;

extern "C" {

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW *wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return RegisterCommon(*wc, NameW(wc->lpszClassName), true, nullptr);
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA *wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXA)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXW w = Widen(wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance,
                        wc->hIcon, wc->hCursor, wc->hbrBackground, wc->hIconSm);
  return RegisterCommon(w, NameA(wc->lpszClassName), false, wc->lpszMenuName);
}

ATOM WINAPI RegisterClassW(const WNDCLASSW *wc) {
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXW w = Widen(wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance,
                        wc->hIcon, wc->hCursor, wc->hbrBackground, nullptr);
  w.lpszMenuName = wc->lpszMenuName;
  return RegisterCommon(w, NameW(wc->lpszClassName), true, nullptr);
}

ATOM WINAPI RegisterClassA(const WNDCLASSA *wc) {
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXW w = Widen(wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance,
                        wc->hIcon, wc->hCursor, wc->hbrBackground, nullptr);
  return RegisterCommon(w, NameA(wc->lpszClassName), false, wc->lpszMenuName);
}

static BOOL Unregister(std::shared_ptr<Class> c) {
  if (!c) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (c->windowCount > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  K().byName.erase(c->folded);
  return TRUE;
}

BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE) { return Unregister(ResolveClassA(name)); }
BOOL WINAPI UnregisterClassW(LPCWSTR name, HINSTANCE) { return Unregister(ResolveClassW(name)); }

BOOL WINAPI GetClassInfoExW(HINSTANCE, LPCWSTR name, WNDCLASSEXW *wc) {
  auto c = ResolveClassW(name);
  if (!c || !wc) {
    SetLastError(c ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  FillInfo(*c, wc, true);
  wc->hIconSm = c->hIconSm;
  wc->lpszClassName = name;
  wc->lpszMenuName = !c->hasMenuName  ? nullptr
                     : c->menuOrdinal ? reinterpret_cast<LPCWSTR>(c->menuOrdinal)
                                      : c->menuW.c_str();
  return c->atom;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE, LPCSTR name, WNDCLASSEXA *wc) {
  auto c = ResolveClassA(name);
  if (!c || !wc) {
    SetLastError(c ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  FillInfo(*c, wc, false);
  wc->hIconSm = c->hIconSm;
  wc->lpszClassName = name;
  wc->lpszMenuName = !c->hasMenuName  ? nullptr
                     : c->menuOrdinal ? reinterpret_cast<LPCSTR>(c->menuOrdinal)
                                      : c->menuA.c_str();
  return c->atom;
}

BOOL WINAPI GetClassInfoW(HINSTANCE inst, LPCWSTR name, WNDCLASSW *wc) {
  WNDCLASSEXW ex{};
  ex.cbSize = sizeof ex;
  if (!wc || !GetClassInfoExW(inst, name, &ex)) return FALSE;
  *wc = WNDCLASSW{ex.style, ex.lpfnWndProc, ex.cbClsExtra,    ex.cbWndExtra,   ex.hInstance,
                  ex.hIcon, ex.hCursor,     ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
  return TRUE;
}

BOOL WINAPI GetClassInfoA(HINSTANCE inst, LPCSTR name, WNDCLASSA *wc) {
  WNDCLASSEXA ex{};
  ex.cbSize = sizeof ex;
  if (!wc || !GetClassInfoExA(inst, name, &ex)) return FALSE;
  *wc = WNDCLASSA{ex.style, ex.lpfnWndProc, ex.cbClsExtra,    ex.cbWndExtra,   ex.hInstance,
                  ex.hIcon, ex.hCursor,     ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
  return TRUE;
}

int WINAPI GetClassNameW(HWND hwnd, LPWSTR buffer, int count) {
  Window *w = GetChecked(hwnd);
  if (!w) return 0;
  return vplat::text::CopyOut(w->cls->name, buffer, count);
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR buffer, int count) {
  Window *w = GetChecked(hwnd);
  if (!w) return 0;
  return vplat::text::CopyOutAnsi(w->cls->name, buffer, count);
}

static bool ExtraSlot(Class &c, int index, size_t size, unsigned char **at) {
  if (index < 0 || static_cast<size_t>(index) + size > c.clsExtra.size()) {
    SetLastError(ERROR_INVALID_INDEX);
    return false;
  }
  *at = c.clsExtra.data() + index;
  return true;
}

static ULONG_PTR ClassLong(HWND hwnd, int index, bool set, LONG_PTR value, bool unicode) {
  Window *w = GetChecked(hwnd);
  if (!w) return 0;
  Class &c = *w->cls;
  ULONG_PTR old = 0;
  switch (index) {
    case GCLP_WNDPROC: {
      old = reinterpret_cast<ULONG_PTR>(ExportProc(c.proc, c.unicode, unicode));
      if (set) ImportProc(reinterpret_cast<WNDPROC>(value), unicode, &c.proc, &c.unicode);
      return old;
    }
    case GCLP_HBRBACKGROUND:
      old = reinterpret_cast<ULONG_PTR>(c.hbrBackground);
      if (set) c.hbrBackground = reinterpret_cast<HBRUSH>(value);
      return old;
    case GCLP_HCURSOR:
      old = reinterpret_cast<ULONG_PTR>(c.hCursor);
      if (set) c.hCursor = reinterpret_cast<HCURSOR>(value);
      return old;
    case GCLP_HICON:
      old = reinterpret_cast<ULONG_PTR>(c.hIcon);
      if (set) c.hIcon = reinterpret_cast<HICON>(value);
      return old;
    case GCLP_HICONSM:
      old = reinterpret_cast<ULONG_PTR>(c.hIconSm);
      if (set) c.hIconSm = reinterpret_cast<HICON>(value);
      return old;
    case GCLP_HMODULE:
      old = reinterpret_cast<ULONG_PTR>(c.hInstance);
      if (set) c.hInstance = reinterpret_cast<HINSTANCE>(value);
      return old;
    case GCL_STYLE:
      old = c.style;
      if (set) c.style = static_cast<UINT>(value);
      return old;
    case GCL_CBWNDEXTRA:
      if (set) break;
      return static_cast<ULONG_PTR>(c.cbWndExtra);
    case GCL_CBCLSEXTRA:
      if (set) break;
      return static_cast<ULONG_PTR>(c.cbClsExtra);
    case GCW_ATOM:
      if (set) break;
      return c.atom;
    case GCLP_MENUNAME:
      if (set) break;
      if (!c.hasMenuName) return 0;
      if (c.menuOrdinal) return c.menuOrdinal;
      return unicode ? reinterpret_cast<ULONG_PTR>(c.menuW.c_str())
                     : reinterpret_cast<ULONG_PTR>(c.menuA.c_str());
    default: {
      unsigned char *at;
      if (!ExtraSlot(c, index, sizeof(LONG_PTR), &at)) return 0;
      std::memcpy(&old, at, sizeof old);
      if (set) std::memcpy(at, &value, sizeof value);
      return old;
    }
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hwnd, int index) {
  return ClassLong(hwnd, index, false, 0, false);
}
ULONG_PTR WINAPI GetClassLongPtrW(HWND hwnd, int index) {
  return ClassLong(hwnd, index, false, 0, true);
}
ULONG_PTR WINAPI SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  return ClassLong(hwnd, index, true, value, false);
}
ULONG_PTR WINAPI SetClassLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  return ClassLong(hwnd, index, true, value, true);
}

}  // extern "C"
