// Z order: each parent keeps its children front to back; among top-level
// windows the topmost band (WS_EX_TOPMOST) always precedes the rest.
#include "window_internal.h"

#include <algorithm>

namespace vplat::wm {
namespace {

bool Topmost(const Window *w) { return IsTopLevel(w) && (w->exStyle & WS_EX_TOPMOST); }

// Index of the first non-topmost top-level window.
size_t BandSplit(const Window *parent) {
  size_t i = 0;
  while (i < parent->children.size() && Topmost(parent->children[i])) ++i;
  return i;
}

}  // namespace

void Unlink(Window *w) {
  if (!w->parent) return;
  auto &v = w->parent->children;
  v.erase(std::remove(v.begin(), v.end(), w), v.end());
}

void LinkFront(Window *parent, Window *w) {
  w->parent = parent;
  auto &v = parent->children;
  size_t at = (parent == Desktop() && !(w->exStyle & WS_EX_TOPMOST)) ? BandSplit(parent) : 0;
  v.insert(v.begin() + static_cast<ptrdiff_t>(at), w);
}

void LinkBack(Window *parent, Window *w) {
  w->parent = parent;
  auto &v = parent->children;
  if (parent == Desktop() && (w->exStyle & WS_EX_TOPMOST))
    v.insert(v.begin() + static_cast<ptrdiff_t>(BandSplit(parent)), w);
  else
    v.push_back(w);
}

void PlaceInZOrder(Window *w, HWND insertAfter) {
  Window *parent = w->parent;
  if (!parent) return;
  bool top = IsTopLevel(w);
  if (insertAfter == HWND_TOP) {
    Unlink(w);
    LinkFront(parent, w);
  } else if (insertAfter == HWND_BOTTOM) {
    w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
    Unlink(w);
    parent->children.push_back(w);
  } else if (insertAfter == HWND_TOPMOST) {
    if (top) w->exStyle |= WS_EX_TOPMOST;
    Unlink(w);
    parent->children.insert(parent->children.begin(), w);
  } else if (insertAfter == HWND_NOTOPMOST) {
    if (!top || !(w->exStyle & WS_EX_TOPMOST)) return;
    w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
    Unlink(w);
    LinkFront(parent, w);
  } else {
    Window *a = Get(insertAfter);
    if (!a || a == w || a->parent != parent) return;
    // Behind a window means in its band.
    if (top) {
      if (a->exStyle & WS_EX_TOPMOST)
        w->exStyle |= WS_EX_TOPMOST;
      else
        w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
    }
    Unlink(w);
    auto &v = parent->children;
    auto it = std::find(v.begin(), v.end(), a);
    v.insert(it + 1, w);
  }
}

namespace {

// Owned windows stay in front of their owner, in their own order, and
// their owned windows in front of them.
void RaiseOwned(Window *w, int depth) {
  if (depth > 16) return;  // an owner cycle made through GWLP_HWNDPARENT
  auto &v = w->parent->children;
  std::vector<Window *> owned;
  for (Window *c : v)
    if (c->owner == w->hwnd && Topmost(c) == Topmost(w)) owned.push_back(c);
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
    Unlink(*it);
    (*it)->parent = w->parent;
    v.insert(std::find(v.begin(), v.end(), w), *it);
  }
  for (Window *o : owned) RaiseOwned(o, depth + 1);
}

}  // namespace

void BringToFront(Window *w) {
  PlaceInZOrder(w, HWND_TOP);
  if (IsTopLevel(w)) RaiseOwned(w, 0);
}

}  // namespace vplat::wm
