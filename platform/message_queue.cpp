// The UI thread's message queue: posting, peeking, waiting on the virtual
// clock, dispatching.
#include <vplatform/clock.h>

#include "text_convert.h"
#include "window_internal.h"

#include <deque>

namespace vplat::wm {
namespace {

struct Queued {
  MSG msg;
  bool unicodeChar;  // wParam of a character message is UTF-16
};

struct Queue {
  std::deque<Queued> posted;
  bool quit = false;
  int quitCode = 0;
  DWORD lastTime = 0;
  POINT lastPos{0, 0};
};

Queue &Q() {
  static Queue q;
  return q;
}

bool IsCharMessage(UINT m) {
  return m == WM_CHAR || m == WM_SYSCHAR || m == WM_DEADCHAR || m == WM_SYSDEADCHAR;
}

bool InRange(UINT m, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (m >= lo && m <= hi); }

bool Matches(const MSG &m, HWND filter, UINT lo, UINT hi) {
  if (filter == reinterpret_cast<HWND>(-1)) {
    if (m.hwnd) return false;
  } else if (filter && m.hwnd != filter) {
    return false;
  }
  return InRange(m.message, lo, hi);
}

MSG Make(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return MSG{hwnd, msg, wParam, lParam, GetTickCount(), CursorPos()};
}

// Takes (or reads) the queued message at index i for a caller of the given
// character set. A UTF-16 character message read by an ANSI caller becomes
// its ANSI bytes, the second of a double-byte character queued to be read
// next; ANSI bytes read by a Unicode caller are joined with the trail bytes
// queued right behind them.
MSG Take(size_t i, bool unicode, bool remove) {
  auto &p = Q().posted;
  Queued entry = p[i];
  MSG out = entry.msg;
  size_t end = i + 1;  // one past the entries this message consumes
  std::string rest;    // bytes still to deliver after this one
  if (IsCharMessage(out.message) && entry.unicodeChar && !unicode) {
    std::string bytes = text::ToAnsi(std::u16string(1, static_cast<char16_t>(out.wParam)));
    if (!bytes.empty()) {
      out.wParam = static_cast<unsigned char>(bytes[0]);
      rest = bytes.substr(1);
    }
  } else if (IsCharMessage(out.message) && !entry.unicodeChar && unicode) {
    std::string bytes(1, static_cast<char>(out.wParam & 0xFF));
    std::u16string ch;
    while (!text::AnsiCharComplete(bytes, &ch) && end < p.size() && bytes.size() < 4 &&
           p[end].msg.message == out.message && p[end].msg.hwnd == out.hwnd &&
           !p[end].unicodeChar) {
      bytes.push_back(static_cast<char>(p[end].msg.wParam & 0xFF));
      ++end;
    }
    if (ch.empty()) ch = text::FromAnsi(bytes);
    if (!ch.empty()) out.wParam = ch[0];
  }
  if (remove) {
    p.erase(p.begin() + static_cast<ptrdiff_t>(i), p.begin() + static_cast<ptrdiff_t>(end));
    for (size_t k = rest.size(); k-- > 0;) {
      Queued more{out, false};
      more.msg.wParam = static_cast<unsigned char>(rest[k]);
      p.push_front(more);
    }
  }
  return out;
}

BOOL Peek(MSG *out, HWND filter, UINT lo, UINT hi, UINT flags, bool unicode) {
  if (!out) return FALSE;
  const HWND threadOnly = reinterpret_cast<HWND>(-1);
  if (filter && filter != threadOnly && !GetChecked(filter)) return FALSE;
  Queue &q = Q();
  bool remove = (flags & PM_REMOVE) != 0;
  for (size_t i = 0; i < q.posted.size(); ++i) {
    if (!Matches(q.posted[i].msg, filter, lo, hi)) continue;
    *out = Take(i, unicode, remove);
    if (remove) NoteRetrieved(*out);
    q.lastTime = out->time;
    q.lastPos = out->pt;
    return TRUE;
  }
  if (q.quit) {
    *out = Make(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
    if (remove) q.quit = false;
    return TRUE;
  }
  if (filter != threadOnly && InRange(WM_PAINT, lo, hi)) {
    if (HWND h = FindWindowToPaint(filter)) {
      *out = Make(h, WM_PAINT, 0, 0);
      return TRUE;
    }
  }
  if (InRange(WM_TIMER, lo, hi) && TakeDueTimer(filter, remove, out)) return TRUE;
  return FALSE;
}

BOOL Wait(MSG *out, HWND filter, UINT lo, UINT hi, bool unicode) {
  if (!out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (filter && filter != reinterpret_cast<HWND>(-1) && !GetChecked(filter)) return -1;
  for (;;) {
    if (Peek(out, filter, lo, hi, PM_REMOVE, unicode)) return out->message != WM_QUIT;
    auto next = clock::NextEventTime();
    if (!next) {
      SetLastError(ERROR_TIMEOUT);
      return -1;
    }
    clock::AdvanceTo(*next);
  }
}

LRESULT Dispatch(const MSG *m, bool unicode) {
  if (!m) return 0;
  if (m->message == WM_TIMER && m->lParam) {
    reinterpret_cast<TIMERPROC>(m->lParam)(m->hwnd, WM_TIMER, m->wParam, GetTickCount());
    return 0;
  }
  if (!m->hwnd) return 0;
  if (!GetChecked(m->hwnd)) return 0;
  return Send(m->hwnd, m->message, m->wParam, m->lParam, unicode);
}

BOOL PostAny(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicode) {
  if (hwnd == HWND_BROADCAST) {
    for (Window *c : Desktop()->children) Post(c->hwnd, msg, wParam, lParam, unicode);
    return TRUE;
  }
  if (hwnd && !GetChecked(hwnd)) return FALSE;
  Post(hwnd, msg, wParam, lParam, unicode);
  return TRUE;
}

}  // namespace

void Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicodeChar, bool atFront) {
  Queued q{Make(hwnd, msg, wParam, lParam), unicodeChar};
  if (atFront)
    Q().posted.push_front(q);
  else
    Q().posted.push_back(q);
}

void PostMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto &p = Q().posted;
  if (!p.empty() && p.back().msg.message == WM_MOUSEMOVE && p.back().msg.hwnd == hwnd) {
    p.back().msg = Make(hwnd, WM_MOUSEMOVE, wParam, lParam);
    return;
  }
  Post(hwnd, WM_MOUSEMOVE, wParam, lParam, true);
}

void DropMessagesFor(HWND hwnd) {
  auto &p = Q().posted;
  std::erase_if(p, [&](const Queued &q) { return q.msg.hwnd == hwnd; });
}

void ResetQueue() { Q() = Queue{}; }

}  // namespace vplat::wm

using namespace vplat::wm;

extern "C" {

BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return PostAny(hwnd, msg, wParam, lParam, false);
}

BOOL WINAPI PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return PostAny(hwnd, msg, wParam, lParam, true);
}

VOID WINAPI PostQuitMessage(int exitCode) {
  Q().quit = true;
  Q().quitCode = exitCode;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT lo, UINT hi, UINT flags) {
  return Peek(msg, hwnd, lo, hi, flags, false);
}

BOOL WINAPI PeekMessageW(LPMSG msg, HWND hwnd, UINT lo, UINT hi, UINT flags) {
  return Peek(msg, hwnd, lo, hi, flags, true);
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT lo, UINT hi) {
  return Wait(msg, hwnd, lo, hi, false);
}

BOOL WINAPI GetMessageW(LPMSG msg, HWND hwnd, UINT lo, UINT hi) {
  return Wait(msg, hwnd, lo, hi, true);
}

BOOL WINAPI WaitMessage(void) {
  MSG m;
  for (;;) {
    if (Peek(&m, nullptr, 0, 0, PM_NOREMOVE, true)) return TRUE;
    auto next = vplat::clock::NextEventTime();
    if (!next) {
      SetLastError(ERROR_TIMEOUT);
      return FALSE;
    }
    vplat::clock::AdvanceTo(*next);
  }
}

LRESULT WINAPI DispatchMessageA(const MSG *msg) { return Dispatch(msg, false); }
LRESULT WINAPI DispatchMessageW(const MSG *msg) { return Dispatch(msg, true); }

LONG WINAPI GetMessageTime(void) { return static_cast<LONG>(Q().lastTime); }

DWORD WINAPI GetMessagePos(void) {
  return static_cast<DWORD>(MAKELONG(Q().lastPos.x, Q().lastPos.y));
}

}  // extern "C"
