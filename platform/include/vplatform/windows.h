// Automation queries over the window manager: read any window's text and
// state, find windows, pump the queue, and reset everything between tests.
// Text here is UTF-8. These work on any window, whatever its procedure's
// character set; text is read by sending WM_GETTEXT as GetWindowTextW does,
// so controls answer for themselves.
#ifndef VARDO_VPLATFORM_WINDOWS_H
#define VARDO_VPLATFORM_WINDOWS_H

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace vplat {

struct WindowState {
  HWND hwnd = nullptr;
  std::string text;       // WM_GETTEXT, as UTF-8
  std::string className;  // as registered
  int id = 0;             // GetDlgCtrlID (0 for top-level windows)
  DWORD style = 0;
  DWORD exStyle = 0;
  bool visible = false;   // IsWindowVisible: it and every ancestor
  bool enabled = false;   // IsWindowEnabled
  RECT rect{};            // window rectangle, screen coordinates
  RECT client{};          // client area, screen coordinates
  HWND parent = nullptr;  // parent of a child, NULL for top-level
  HWND owner = nullptr;   // owner of a top-level window
};

// State of a window; a WindowState with hwnd NULL if it is not a window.
VPLAT_API WindowState GetWindowState(HWND hwnd);
VPLAT_API std::string GetWindowTextUtf8(HWND hwnd);
// Sends WM_SETTEXT; false if not a window or the window refused.
VPLAT_API bool SetWindowTextUtf8(HWND hwnd, std::string_view text);
VPLAT_API std::string GetClassNameUtf8(HWND hwnd);

// Top-level windows front to back, hidden ones included.
VPLAT_API std::vector<HWND> TopLevelWindows();
// Direct children front to back (Z order; for dialogs, creation order).
VPLAT_API std::vector<HWND> ChildWindows(HWND parent);

// Depth-first searches, front to back, hidden windows included, over the
// descendants of root (NULL: every window). First match or NULL.
// Titles compare exactly; class names ignoring ASCII case.
VPLAT_API HWND FindWindowByTitle(std::string_view title, HWND root = nullptr);
VPLAT_API HWND FindWindowByClass(std::string_view className, HWND root = nullptr);
// A descendant of parent with the given control id.
VPLAT_API HWND FindChildById(HWND parent, int id);

// Takes, translates and dispatches every message waiting (WM_PAINT and due
// timers included) without advancing the clock; WM_QUIT is left in the
// queue. Returns the number dispatched.
VPLAT_API int PumpMessages();

// Back to a fresh process for the next test: destroys every window (each
// gets its WM_DESTROY / WM_NCDESTROY), unregisters every class (built-in
// classes register again on the next lookup), empties the queue and the
// quit request, drops timers, focus, activation and capture, resets input
// (vplat::ResetInput), the screen size and the clock (vplat::clock::Reset).
// Handles of destroyed windows stay invalid forever.
VPLAT_API void ResetWindowManager();

}  // namespace vplat

#endif
