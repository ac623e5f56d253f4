// BeginPaint / EndPaint: the WM_PAINT bracket. The window manager keeps the
// update rectangle and the erase request; BeginPaint takes both at once
// (which validates the window), erases through WM_ERASEBKGND when asked,
// and hands out a client DC clipped to what was invalid.
#include "dc.h"
#include "window_internal.h"

using namespace vplat::gdi;

extern "C" HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  if (!lpPaint || !IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  RECT update{};
  bool erase = false;
  vplat::wm::TakeUpdate(hWnd, &update, &erase);
  HDC hdc = CreateDc(hWnd, DcArea::Client);
  if (!hdc) return nullptr;
  DeviceContext *dc = FindDc(hdc);
  dc->fromBeginPaint = true;
  dc->paintRect = update;
  *lpPaint = PAINTSTRUCT{};
  lpPaint->hdc = hdc;
  lpPaint->rcPaint = update;
  // fErase tells the caller the background is still to be erased: the
  // window's WM_ERASEBKGND answered 0.
  if (erase)
    lpPaint->fErase = SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
  return hdc;
}

extern "C" BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT *lpPaint) {
  if (!lpPaint) return TRUE;
  DeviceContext *dc = FindDc(lpPaint->hdc);
  if (dc && dc->fromBeginPaint) DestroyDc(lpPaint->hdc);
  return TRUE;
}
