// Window text calls: thin wrappers over the text messages, so that a
// control that keeps its own text answers for itself.
#include "window_internal.h"

using namespace vplat::wm;

extern "C" {

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!GetChecked(hwnd)) return FALSE;
  return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

BOOL WINAPI SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!GetChecked(hwnd)) return FALSE;
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int count) {
  if (buffer && count > 0) buffer[0] = 0;
  if (!GetChecked(hwnd) || !buffer || count <= 0) return 0;
  return static_cast<int>(
      SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextW(HWND hwnd, LPWSTR buffer, int count) {
  if (buffer && count > 0) buffer[0] = 0;
  if (!GetChecked(hwnd) || !buffer || count <= 0) return 0;
  return static_cast<int>(
      SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
  if (!GetChecked(hwnd)) return 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

int WINAPI GetWindowTextLengthW(HWND hwnd) {
  if (!GetChecked(hwnd)) return 0;
  return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

}  // extern "C"
