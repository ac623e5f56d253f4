// Handle table of the live windows and the desktop window.
#include "window_internal.h"

#include <unordered_map>

namespace vplat::wm {
namespace {

struct Registry {
  std::unordered_map<uintptr_t, std::unique_ptr<Window>> windows;
  // Handles count up and are never reused, so a stale handle stays
  // invalid for the life of the process. Even values above the special
  // HWND_ constants.
  uintptr_t next = 0x10020;
  Window *desktop = nullptr;
};

Registry &R() {
  static Registry r;
  return r;
}

}  // namespace

Window *Get(HWND hwnd) {
  auto &w = R().windows;
  auto it = w.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == w.end() ? nullptr : it->second.get();
}

Window *GetChecked(HWND hwnd) {
  Window *w = Get(hwnd);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

HWND NewHandle() {
  uintptr_t h = R().next;
  R().next += 2;
  return reinterpret_cast<HWND>(h);
}

void Register(std::unique_ptr<Window> w) {
  uintptr_t key = reinterpret_cast<uintptr_t>(w->hwnd);
  R().windows.emplace(key, std::move(w));
}

void Forget(HWND hwnd) { R().windows.erase(reinterpret_cast<uintptr_t>(hwnd)); }

Window *Desktop() {
  Registry &r = R();
  if (!r.desktop) {
    auto w = std::make_unique<Window>();
    w->hwnd = NewHandle();
    w->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_POPUP;
    auto cls = std::make_shared<Class>();
    cls->name = u"#32769";
    cls->folded = cls->name;
    cls->atom = 32769;
    cls->proc = DefWindowProcW;
    cls->unicode = true;
    w->cls = cls;
    w->proc = DefWindowProcW;
    w->unicode = true;
    SIZE s = ScreenSize();
    w->rect = RECT{0, 0, s.cx, s.cy};
    r.desktop = w.get();
    Register(std::move(w));
  }
  return r.desktop;
}

bool IsTopLevel(const Window *w) { return w->parent == Desktop(); }

Window *Root(Window *w) {
  Window *d = Desktop();
  while (w && w->parent && w->parent != d) w = w->parent;
  return w;
}

bool IsDescendant(const Window *ancestor, const Window *w) {
  for (const Window *p = w ? w->parent : nullptr; p; p = p->parent)
    if (p == ancestor) return true;
  return false;
}

static void Collect(const Window *w, std::vector<HWND> &out) {
  for (Window *c : w->children) {
    out.push_back(c->hwnd);
    Collect(c, out);
  }
}

std::vector<HWND> Descendants(const Window *w) {
  std::vector<HWND> out;
  Collect(w, out);
  return out;
}

}  // namespace vplat::wm
