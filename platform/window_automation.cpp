// Automation queries over windows, the message pump for tests, and the
// reset between tests.
#include <vplatform/clock.h>
#include <vplatform/input.h>
#include <vplatform/utf8.h>
#include <vplatform/windows.h>

#include "text_convert.h"
#include "window_internal.h"

namespace vplat {

using namespace wm;

namespace {

std::vector<HWND> Handles(const std::vector<Window *> &v) {
  std::vector<HWND> out;
  for (Window *w : v) out.push_back(w->hwnd);
  return out;
}

template <typename Pred>
HWND FindDepthFirst(HWND root, Pred pred) {
  Window *r = root ? Get(root) : Desktop();
  if (!r) return nullptr;
  for (HWND h : Descendants(r))
    if (Get(h) && pred(h)) return h;
  return nullptr;
}

}  // namespace

std::string GetWindowTextUtf8(HWND hwnd) {
  if (!Get(hwnd)) return {};
  LRESULT len = SendW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  if (len <= 0) return {};
  std::u16string buf(static_cast<size_t>(len) + 1, u'\0');
  LRESULT got = SendW(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  buf.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, len)));
  return vplat::Utf8FromUtf16(buf);
}

bool SetWindowTextUtf8(HWND hwnd, std::string_view s) {
  if (!Get(hwnd)) return false;
  std::u16string w = vplat::Utf16FromUtf8(s);
  return SendW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str())) != 0;
}

std::string GetClassNameUtf8(HWND hwnd) {
  Window *w = Get(hwnd);
  return w ? vplat::Utf8FromUtf16(w->cls->name) : std::string();
}

WindowState GetWindowState(HWND hwnd) {
  WindowState s;
  Window *w = Get(hwnd);
  if (!w) return s;
  s.text = GetWindowTextUtf8(hwnd);
  if (!(w = Get(hwnd))) return WindowState{};
  s.hwnd = hwnd;
  s.className = vplat::Utf8FromUtf16(w->cls->name);
  s.id = GetDlgCtrlID(hwnd);
  s.style = w->style;
  s.exStyle = w->exStyle;
  s.visible = Visible(w);
  s.enabled = !(w->style & WS_DISABLED);
  s.rect = ScreenRect(w);
  s.client = ClientScreenRect(w);
  s.parent = w->parent && !IsTopLevel(w) ? w->parent->hwnd : nullptr;
  s.owner = w->owner;
  return s;
}

std::vector<HWND> TopLevelWindows() { return Handles(Desktop()->children); }

std::vector<HWND> ChildWindows(HWND parent) {
  Window *p = Get(parent);
  return p ? Handles(p->children) : std::vector<HWND>{};
}

HWND FindWindowByTitle(std::string_view title, HWND root) {
  std::string t(title);
  return FindDepthFirst(root, [&](HWND h) { return GetWindowTextUtf8(h) == t; });
}

HWND FindWindowByClass(std::string_view className, HWND root) {
  std::u16string folded = text::FoldCase(vplat::Utf16FromUtf8(className));
  return FindDepthFirst(root, [&](HWND h) { return ClassIs(Get(h), folded); });
}

HWND FindChildById(HWND parent, int id) {
  if (!Get(parent)) return nullptr;
  return FindDepthFirst(parent, [&](HWND h) {
    Window *w = Get(h);
    return !IsTopLevel(w) && w->id == id;
  });
}

int PumpMessages() {
  int n = 0;
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
    ++n;
    // A window that leaves its update region invalid would be painted
    // forever (as on Windows); a pump for tests stops there instead.
    if (m.message == WM_PAINT) {
      RECT r;
      if (Get(m.hwnd) && GetUpdateRect(m.hwnd, &r, FALSE)) break;
    }
  }
  return n;
}

void ResetWindowManager() {
  DestroyAllWindows();
  ResetQueue();
  ResetTimers();
  Focus() = FocusState{};
  ResetInput();
  UnregisterAllClasses();
  SetScreenSize(1920, 1080);
  clock::Reset();
}

}  // namespace vplat
