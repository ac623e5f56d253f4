// Relations between windows: parents, owners, siblings, enumeration and
// lookup by class and title.
#include "text_convert.h"
#include "window_internal.h"

#include <algorithm>

using namespace vplat::wm;
namespace text = vplat::text;

namespace {

std::vector<HWND> Handles(const std::vector<Window *> &v) {
  std::vector<HWND> out;
  out.reserve(v.size());
  for (Window *w : v) out.push_back(w->hwnd);
  return out;
}

// Class and title filters of FindWindow; an unregistered class name
// matches nothing.
struct Match {
  bool anyClass = true;
  std::shared_ptr<Class> cls;
  bool anyTitle = true;
  std::u16string title;  // folded

  bool operator()(const Window *w) const {
    if (!anyClass && w->cls != cls) return false;
    return anyTitle || text::FoldCase(w->text) == title;
  }
};

HWND Find(HWND parent, HWND after, const Match &m) {
  Window *p = parent ? GetChecked(parent) : Desktop();
  if (!p) return nullptr;
  auto &v = p->children;
  auto it = v.begin();
  if (after) {
    Window *a = Get(after);
    it = std::find(v.begin(), v.end(), a);
    if (it == v.end()) return nullptr;
    ++it;
  }
  for (; it != v.end(); ++it)
    if (m(*it)) return (*it)->hwnd;
  return nullptr;
}

Match MatchA(LPCSTR cls, LPCSTR title) {
  Match m;
  if (cls) {
    m.anyClass = false;
    m.cls = ResolveClassA(cls);
  }
  if (title) {
    m.anyTitle = false;
    m.title = text::FoldCase(text::FromAnsi(title));
  }
  return m;
}

Match MatchW(LPCWSTR cls, LPCWSTR title) {
  Match m;
  if (cls) {
    m.anyClass = false;
    m.cls = ResolveClassW(cls);
  }
  if (title) {
    m.anyTitle = false;
    m.title = text::FoldCase(title);
  }
  return m;
}

}  // namespace

extern "C" {

HWND WINAPI GetParent(HWND hwnd) {
  Window *w = GetChecked(hwnd);
  if (!w || w == Desktop()) return nullptr;
  if (!IsTopLevel(w)) return w->parent->hwnd;
  return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND WINAPI SetParent(HWND hwnd, HWND newParent) {
  Window *w = GetChecked(hwnd);
  if (!w || w == Desktop()) return nullptr;
  Window *np = newParent ? GetChecked(newParent) : Desktop();
  if (!np) return nullptr;
  if (np == w || IsDescendant(w, np)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HWND old = w->parent->hwnd;
  bool visible = Visible(w);
  RECT oldScreen = ScreenRect(w);
  Unlink(w);
  if (np != Desktop())
    w->owner = nullptr;
  else
    w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
  LinkFront(np, w);
  if (visible) InvalidateScreenArea(oldScreen);
  Invalidate(w, nullptr, true);
  return old;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT flags) {
  Window *w = GetChecked(hwnd);
  if (!w || w == Desktop()) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->parent->hwnd;
    case GA_ROOT: return Root(w)->hwnd;
    case GA_ROOTOWNER: {
      Window *r = Root(w);
      for (int i = 0; i < 64 && r->owner && Get(r->owner); ++i) r = Get(r->owner);
      return r->hwnd;
    }
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

HWND WINAPI GetWindow(HWND hwnd, UINT cmd) {
  Window *w = GetChecked(hwnd);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->hwnd;
  if (cmd == GW_OWNER) return IsTopLevel(w) ? w->owner : nullptr;
  if (cmd == GW_ENABLEDPOPUP) {
    for (Window *c : Desktop()->children)
      if (c->owner == hwnd && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED)) return c->hwnd;
    return nullptr;
  }
  if (!w->parent) return nullptr;  // the desktop has no siblings
  auto &v = w->parent->children;
  auto it = std::find(v.begin(), v.end(), w);
  switch (cmd) {
    case GW_HWNDFIRST: return v.front()->hwnd;
    case GW_HWNDLAST: return v.back()->hwnd;
    case GW_HWNDNEXT: return (it + 1) != v.end() ? (*(it + 1))->hwnd : nullptr;
    case GW_HWNDPREV: return it != v.begin() ? (*(it - 1))->hwnd : nullptr;
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

HWND WINAPI GetTopWindow(HWND hwnd) {
  Window *w = hwnd ? GetChecked(hwnd) : Desktop();
  if (!w || w->children.empty()) return nullptr;
  return w->children.front()->hwnd;
}

HWND WINAPI GetDesktopWindow(void) { return Desktop()->hwnd; }

BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
  Window *p = Get(parent), *w = Get(hwnd);
  if (!p || !w) return FALSE;
  // Only child links count: a top-level window is not the desktop's child.
  for (; w && !IsTopLevel(w) && w->parent; w = w->parent)
    if (w->parent == p) return TRUE;
  return FALSE;
}

BOOL WINAPI EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  for (HWND h : Handles(Desktop()->children))
    if (Get(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  if (!parent) return EnumWindows(proc, lParam);
  Window *p = GetChecked(parent);
  if (!p || !proc) return FALSE;
  for (HWND h : Descendants(p))
    if (Get(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

HWND WINAPI FindWindowA(LPCSTR cls, LPCSTR title) {
  return Find(nullptr, nullptr, MatchA(cls, title));
}
HWND WINAPI FindWindowW(LPCWSTR cls, LPCWSTR title) {
  return Find(nullptr, nullptr, MatchW(cls, title));
}
HWND WINAPI FindWindowExA(HWND parent, HWND after, LPCSTR cls, LPCSTR title) {
  return Find(parent, after, MatchA(cls, title));
}
HWND WINAPI FindWindowExW(HWND parent, HWND after, LPCWSTR cls, LPCWSTR title) {
  return Find(parent, after, MatchW(cls, title));
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
  Window *w = GetChecked(hwnd);
  if (!w || IsTopLevel(w) || w == Desktop()) return 0;
  return static_cast<int>(w->id);
}

}  // extern "C"
