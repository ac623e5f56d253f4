// Finding the window that shows the document, for the drag and drop of the
// data panel: the host names no such window, so it is found on the screen.
#include <windows.h>

#include <cstring>

#include "vardohandlers.h"

namespace {

// Of the windows around the probe point, this many of the largest are kept.
constexpr int kCandidateMax = 32;

struct Candidates {
  HWND windows[kCandidateMax];
  LONG sizes[kCandidateMax];  // width + height
  int count;
};

// Largest first; equal sizes keep the order found.
void Keep(Candidates *list, HWND window, LONG size) {
  int at = 0;
  while (at < list->count && list->sizes[at] >= size) ++at;
  if (at >= kCandidateMax) return;
  const int last = list->count < kCandidateMax ? list->count : kCandidateMax - 1;
  for (int i = last; i > at; --i) {
    list->windows[i] = list->windows[i - 1];
    list->sizes[i] = list->sizes[i - 1];
  }
  list->windows[at] = window;
  list->sizes[at] = size;
  if (list->count < kCandidateMax) ++list->count;
}

void Examine(HWND window, POINT probe, Candidates *list) {
  RECT r{};
  if (!GetWindowRect(window, &r) || !IsWindowVisible(window)) return;
  if (!(r.left < probe.x && probe.x < r.right && r.top < probe.y && probe.y < r.bottom)) return;
  Keep(list, window, (r.right - r.left) + (r.bottom - r.top));
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    Examine(child, probe, list);
  }
}

BOOL CALLBACK FindFrame(HWND window, LPARAM found) {
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  if (std::strstr(title, " @ ")) {
    *reinterpret_cast<HWND *>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindDocumentWindow(void) {
  HWND frame = nullptr;
  EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&frame));
  if (!frame) return nullptr;
  POINT probe{};
  RECT r{};
  if (GetWindowRect(frame, &r)) {
    probe.x = r.left + (r.right - r.left) / 3;
    probe.y = r.top + (r.bottom - r.top) / 3;
  }
  Candidates list{};
  Examine(frame, probe, &list);
  return list.count > 0 ? list.windows[list.count - 1] : nullptr;
}
