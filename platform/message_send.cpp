// Synchronous delivery: SendMessage, CallWindowProc and the procedure
// values handed out across character sets.
#include "window_internal.h"

#include <map>

namespace vplat::wm {
namespace {

// Procedures handed to a caller of the other character set are replaced by
// handles in the kernel half of the address space, where no user code can
// live: calling one directly faults instead of getting the wrong strings.
constexpr ULONG_PTR kProcHandleBase = 0xFFFFF00000000000ull;

struct ProcHandles {
  std::vector<std::pair<WNDPROC, bool>> byIndex;
  std::map<std::pair<WNDPROC, bool>, size_t> index;
};

ProcHandles &P() {
  static ProcHandles p;
  return p;
}

}  // namespace

WNDPROC ExportProc(WNDPROC proc, bool procUnicode, bool callerUnicode) {
  if (!proc || procUnicode == callerUnicode) return proc;
  auto &p = P();
  auto key = std::make_pair(proc, procUnicode);
  auto it = p.index.find(key);
  size_t i;
  if (it != p.index.end()) {
    i = it->second;
  } else {
    i = p.byIndex.size();
    p.byIndex.push_back(key);
    p.index.emplace(key, i);
  }
  return reinterpret_cast<WNDPROC>(kProcHandleBase + i);
}

void ImportProc(WNDPROC value, bool callerUnicode, WNDPROC *proc, bool *procUnicode) {
  ULONG_PTR v = reinterpret_cast<ULONG_PTR>(value);
  auto &p = P();
  if (v >= kProcHandleBase && v - kProcHandleBase < p.byIndex.size()) {
    *proc = p.byIndex[v - kProcHandleBase].first;
    *procUnicode = p.byIndex[v - kProcHandleBase].second;
    return;
  }
  *proc = value;
  *procUnicode = callerUnicode;
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicode) {
  Window *w = Get(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return CallProc(w->proc, w->unicode, unicode, hwnd, msg, wParam, lParam);
}

}  // namespace vplat::wm

using namespace vplat::wm;

static LRESULT SendAny(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicode) {
  if (hwnd == HWND_BROADCAST) {
    std::vector<HWND> top;
    for (Window *c : Desktop()->children) top.push_back(c->hwnd);
    for (HWND h : top) Send(h, msg, wParam, lParam, unicode);
    return 1;
  }
  return Send(hwnd, msg, wParam, lParam, unicode);
}

extern "C" {

LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendAny(hwnd, msg, wParam, lParam, false);
}

LRESULT WINAPI SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendAny(hwnd, msg, wParam, lParam, true);
}

LRESULT WINAPI CallWindowProcA(WNDPROC value, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc;
  bool unicode;
  ImportProc(value, false, &proc, &unicode);
  if (!proc) return 0;
  return CallProc(proc, unicode, false, hwnd, msg, wParam, lParam);
}

LRESULT WINAPI CallWindowProcW(WNDPROC value, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc;
  bool unicode;
  ImportProc(value, true, &proc, &unicode);
  if (!proc) return 0;
  return CallProc(proc, unicode, true, hwnd, msg, wParam, lParam);
}

BOOL WINAPI IsWindowUnicode(HWND hwnd) {
  Window *w = GetChecked(hwnd);
  return w && w->unicode;
}

}  // extern "C"
