// The progress window of a run: modeless, without owner, with an Abort
// button and an owner-drawn bar. Its state lives here, outside the
// sequencer's global record; everything runs on the UI thread.
#include <windows.h>

#include "sequencerhandlers.h"

namespace {

constexpr int kProgressDialog = 16207;
constexpr int kAbortButton = 2, kEmptyText = 3, kBar = 4;
constexpr COLORREF kBarColour = RGB(0x18, 0x49, 0x9D);

HWND gWindow;
LONG gPercent;
BOOL gAbort;
HINSTANCE gModule;

// Keeps the window's size; places it a tenth of the way across and down
// the host's main window, topmost.
void PlaceWindow(HWND window) {
  AIPlatformWindow main = nullptr;
  sAIContext->GetPlatformAppWindow(&main);
  RECT mainRect{}, own{};
  GetWindowRect(static_cast<HWND>(main), &mainRect);
  GetWindowRect(window, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  const int x = static_cast<int>(0.1 * (mainRect.right - width));
  const int y = static_cast<int>(0.1 * (mainRect.bottom - height));
  SetWindowPos(window, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
}

void DrawBar(const DRAWITEMSTRUCT *item) {
  RECT r = item->rcItem;
  FrameRect(item->hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&r, -1, -1);
  const int split = r.left + (r.right - r.left) * gPercent / 100;
  if (split > r.left) {
    RECT done = {r.left, r.top, split, r.bottom};
    HBRUSH brush = CreateSolidBrush(kBarColour);
    FillRect(item->hDC, &done, brush);
    DeleteObject(brush);
  }
  if (r.right > split) {
    RECT rest = {split, r.top, r.right, r.bottom};
    FillRect(item->hDC, &rest, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
}

INT_PTR CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      PlaceWindow(window);
      SetDlgItemTextA(window, kEmptyText, "");
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kAbortButton) gAbort = TRUE;
      return TRUE;
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
      if (item && item->CtlID == kBar) {
        DrawBar(item);
        return TRUE;
      }
      return FALSE;
    }
    default: return FALSE;
  }
}

}  // namespace

void SetProgressModule(HINSTANCE module) { gModule = module; }

void OpenProgressWindow(void) {
  gAbort = FALSE;
  gPercent = 0;
  gWindow =
      CreateDialogParamA(gModule, MAKEINTRESOURCEA(kProgressDialog), nullptr, ProgressProc, 0);
  if (gWindow) ShowWindow(gWindow, SW_SHOW);
}

void PumpProgressWindow(void) {
  if (!gWindow) return;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) gAbort = TRUE;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

BOOL ProgressAbortRequested(void) { return gAbort; }

void SetProgressPercent(LONG percent) {
  if (percent == gPercent) return;
  gPercent = percent;
  if (gWindow) InvalidateRect(GetDlgItem(gWindow, kBar), nullptr, FALSE);
}

void CloseProgressWindow(void) {
  if (!gWindow) return;
  DestroyWindow(gWindow);
  gWindow = nullptr;
}
