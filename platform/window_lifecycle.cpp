// Creating and destroying windows.
#include "text_convert.h"
#include "window_internal.h"

namespace vplat::wm {
namespace {

// Default placement of an overlapped window given CW_USEDEFAULT: the
// top-left corner of the screen, half the screen's size.
void ApplyDefaults(DWORD style, bool topLevel, int &x, int &y, int &cx, int &cy) {
  bool overlapped = topLevel && !(style & WS_POPUP);
  if (x == CW_USEDEFAULT) {
    x = 0;
    y = 0;
  }
  if (y == CW_USEDEFAULT) y = 0;
  if (cx == CW_USEDEFAULT) {
    SIZE s = ScreenSize();
    cx = overlapped ? s.cx / 2 : 0;
    cy = overlapped ? s.cy / 2 : 0;
  }
  if (cy == CW_USEDEFAULT) cy = 0;
  if (cx < 0) cx = 0;
  if (cy < 0) cy = 0;
}

HWND Create(DWORD exStyle, std::shared_ptr<Class> cls, const void *className,
            const void *windowName, DWORD style, int x, int y, int cx, int cy, HWND hWndParent,
            HMENU hMenu, HINSTANCE hInstance, LPVOID param, bool unicode) {
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (hWndParent == HWND_MESSAGE) hWndParent = nullptr;
  Window *parent = Desktop();
  HWND owner = nullptr;
  if (style & WS_CHILD) {
    if (!hWndParent) {
      SetLastError(ERROR_TLW_WITH_WSCHILD);
      return nullptr;
    }
    parent = GetChecked(hWndParent);
    if (!parent) return nullptr;
  } else if (hWndParent) {
    Window *o = GetChecked(hWndParent);
    if (!o) return nullptr;
    if (o != Desktop()) owner = Root(o)->hwnd;
  }
  bool topLevel = parent == Desktop();
  ApplyDefaults(style, topLevel, x, y, cx, cy);
  // Overlapped windows always have a caption and clip their siblings.
  if (topLevel && !(style & (WS_POPUP | WS_CHILD))) style |= WS_CAPTION | WS_CLIPSIBLINGS;

  auto w = std::make_unique<Window>();
  HWND hwnd = NewHandle();
  w->hwnd = hwnd;
  w->cls = cls;
  w->owner = owner;
  w->style = style & ~static_cast<DWORD>(WS_VISIBLE);
  w->exStyle = topLevel ? exStyle : (exStyle & ~static_cast<DWORD>(WS_EX_TOPMOST));
  w->rect = RECT{x, y, x + cx, y + cy};
  w->proc = cls->proc;
  w->unicode = cls->unicode;
  w->hInstance = hInstance;
  w->id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(hMenu) : 0;
  w->extra.assign(static_cast<size_t>(cls->cbWndExtra), 0);
  cls->windowCount++;
  Window *raw = w.get();
  Register(std::move(w));
  if (topLevel)
    LinkFront(parent, raw);
  else
    LinkBack(parent, raw);

  // The creation record in the caller's character set; Send converts.
  union {
    CREATESTRUCTA a;
    CREATESTRUCTW w;
  } cs{};
  cs.w.lpCreateParams = param;
  cs.w.hInstance = hInstance;
  cs.w.hMenu = hMenu;
  cs.w.hwndParent = hWndParent;
  cs.w.cx = cx;
  cs.w.cy = cy;
  cs.w.x = x;
  cs.w.y = y;
  cs.w.style = static_cast<LONG>(style);
  cs.w.dwExStyle = exStyle;
  cs.w.lpszName = static_cast<LPCWSTR>(windowName);
  cs.w.lpszClass = static_cast<LPCWSTR>(className);
  LPARAM csp = reinterpret_cast<LPARAM>(&cs);

  if (!Send(hwnd, WM_NCCREATE, 0, csp, unicode)) {
    if (Get(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  if (!Get(hwnd)) return nullptr;
  if (Send(hwnd, WM_CREATE, 0, csp, unicode) == -1) {
    if (Get(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  Window *me = Get(hwnd);
  if (!me) return nullptr;
  RECT c = ClientInWindow(me);
  POINT origin{me->rect.left + c.left, me->rect.top + c.top};
  SendW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
  SendW(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
  me = Get(hwnd);
  if (me && !topLevel && !(me->exStyle & WS_EX_NOPARENTNOTIFY))
    SendW(me->parent->hwnd, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, me->id),
          reinterpret_cast<LPARAM>(hwnd));
  if (!Get(hwnd)) return nullptr;
  if (style & WS_VISIBLE) ShowWindow(hwnd, (exStyle & WS_EX_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  return Get(hwnd) ? hwnd : nullptr;
}

void SendDestroy(HWND hwnd) {
  Window *w = Get(hwnd);
  if (!w || w->destroySent) return;
  w->destroying = true;
  w->destroySent = true;
  SendW(hwnd, WM_DESTROY, 0, 0);
  w = Get(hwnd);
  if (!w) return;
  std::vector<HWND> kids;
  for (Window *c : w->children) kids.push_back(c->hwnd);
  for (HWND k : kids) SendDestroy(k);
}

void Free(HWND hwnd) {
  Window *w = Get(hwnd);
  if (!w) return;
  if (!w->destroySent) SendDestroy(hwnd);  // created during the parent's WM_DESTROY
  w = Get(hwnd);
  if (!w) return;
  std::vector<HWND> kids;
  for (Window *c : w->children) kids.push_back(c->hwnd);
  for (HWND k : kids) Free(k);
  SendW(hwnd, WM_NCDESTROY, 0, 0);
  w = Get(hwnd);
  if (!w) return;
  // Children made during WM_NCDESTROY would be orphans: free them too.
  while (!w->children.empty()) {
    HWND k = w->children.front()->hwnd;
    Free(k);
    if (Get(k)) Unlink(Get(k));
    w = Get(hwnd);
  }
  DropMessagesFor(hwnd);
  KillTimersFor(hwnd);
  FocusState &f = Focus();
  if (f.focus == hwnd) f.focus = nullptr;
  if (f.capture == hwnd) f.capture = nullptr;
  if (f.active == hwnd) f.active = nullptr;
  Unlink(w);
  w->cls->windowCount--;
  Forget(hwnd);
}

}  // namespace

void DestroyAllWindows() {
  for (int round = 0; round < 100 && !Desktop()->children.empty(); ++round) {
    std::vector<HWND> top;
    for (Window *c : Desktop()->children) top.push_back(c->hwnd);
    for (HWND h : top) DestroyWindow(h);
  }
}

}  // namespace vplat::wm

using namespace vplat::wm;

extern "C" {

HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  return Create(exStyle, ResolveClassW(className), className, windowName, style, x, y, width,
                height, parent, menu, instance, param, true);
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  return Create(exStyle, ResolveClassA(className), className, windowName, style, x, y, width,
                height, parent, menu, instance, param, false);
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
  Window *w = GetChecked(hwnd);
  if (!w) return FALSE;
  if (w == Desktop()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (w->destroying) return TRUE;
  w->destroying = true;
  if (!IsTopLevel(w) && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
    SendW(w->parent->hwnd, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, w->id),
          reinterpret_cast<LPARAM>(hwnd));
  w = Get(hwnd);
  if (w && (w->style & WS_VISIBLE))
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (Get(hwnd)) LoseFocusAndActivation(hwnd);
  // Owned windows go first.
  if ((w = Get(hwnd)) && IsTopLevel(w)) {
    std::vector<HWND> owned;
    for (Window *c : Desktop()->children)
      if (c->owner == hwnd) owned.push_back(c->hwnd);
    for (HWND o : owned) DestroyWindow(o);
  }
  SendDestroy(hwnd);
  Free(hwnd);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND hwnd) { return Get(hwnd) != nullptr; }

}  // extern "C"
