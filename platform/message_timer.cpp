// SetTimer / KillTimer on the virtual clock. A timer that comes due is
// marked; the queue hands out one WM_TIMER per due timer when nothing else
// is waiting, as Windows does.
#include <vplatform/clock.h>

#include "window_internal.h"

#include <algorithm>

namespace vplat::wm {
namespace {

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  clock::EventId event = 0;
  bool due = false;
  std::uint64_t dueOrder = 0;  // which came due first
};

struct Timers {
  std::vector<Timer> list;
  UINT_PTR nextThreadId = 1;
  std::uint64_t order = 0;
};

Timers &T() {
  static Timers t;
  return t;
}

Timer *FindTimer(HWND hwnd, UINT_PTR id) {
  for (Timer &t : T().list)
    if (t.hwnd == hwnd && t.id == id) return &t;
  return nullptr;
}

void Arm(Timer &t) {
  HWND hwnd = t.hwnd;
  UINT_PTR id = t.id;
  t.event = clock::Schedule(static_cast<clock::Micros>(t.elapse) * 1000, [hwnd, id] {
    Timer *me = FindTimer(hwnd, id);
    if (!me) return;
    if (!me->due) {
      me->due = true;
      me->dueOrder = ++T().order;
    }
    Arm(*me);
  });
}

void Remove(std::vector<Timer>::iterator it) {
  clock::Cancel(it->event);
  T().list.erase(it);
}

}  // namespace

bool TakeDueTimer(HWND filter, bool remove, MSG *out) {
  Timer *best = nullptr;
  for (Timer &t : T().list) {
    if (!t.due) continue;
    if (filter == reinterpret_cast<HWND>(-1) ? t.hwnd != nullptr : filter && t.hwnd != filter)
      continue;
    if (!best || t.dueOrder < best->dueOrder) best = &t;
  }
  if (!best) return false;
  *out = MSG{best->hwnd,     WM_TIMER,   best->id, reinterpret_cast<LPARAM>(best->proc),
             GetTickCount(), CursorPos()};
  if (remove) best->due = false;
  return true;
}

void KillTimersFor(HWND hwnd) {
  auto &l = T().list;
  for (auto it = l.begin(); it != l.end();) {
    if (it->hwnd == hwnd) {
      clock::Cancel(it->event);
      it = l.erase(it);
    } else {
      ++it;
    }
  }
}

void ResetTimers() {
  for (Timer &t : T().list) clock::Cancel(t.event);
  T() = Timers{};
}

}  // namespace vplat::wm

using namespace vplat::wm;

extern "C" {

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  if (hwnd && !GetChecked(hwnd)) return 0;
  elapseMs = std::clamp<UINT>(elapseMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  if (!hwnd && (id == 0 || !FindTimer(nullptr, id))) id = T().nextThreadId++;
  if (Timer *old = FindTimer(hwnd, id)) {
    vplat::clock::Cancel(old->event);
    old->elapse = elapseMs;
    old->proc = proc;
    old->due = false;
    Arm(*old);
  } else {
    T().list.push_back(Timer{hwnd, id, elapseMs, proc});
    Arm(T().list.back());
  }
  return hwnd ? (id ? id : 1) : id;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
  auto &l = T().list;
  auto it = std::find_if(l.begin(), l.end(),
                         [&](const Timer &t) { return t.hwnd == hwnd && t.id == id; });
  if (it == l.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Remove(it);
  return TRUE;
}

}  // extern "C"
