// The script panel: its creation, its window (subclassed for the theme's
// colours, holding one multi-line edit control), its size changes and its
// end.
#include "vardoscript/scriptcommands.h"
#include "vardoscript/scripthandlers.h"
#include "vardoscript/vardoscriptglobals.h"

namespace {

BYTE ColourByte(AIReal value) { return static_cast<BYTE>(static_cast<int>(255 * value)); }

COLORREF ColourOf(const AIUIThemeColor &colour) {
  return RGB(ColourByte(colour.red), ColourByte(colour.green), ColourByte(colour.blue));
}

// The edit control fills the client area less 5 pixels on every side and a
// strip kept free at the bottom.
RECT EditRect(int width, int height) {
  const VardoScriptGlobals *g = Globals();
  const int strip = static_cast<int>(g->hostScale * g->dpiScale * 18 + 0.5);
  return RECT{5, 5, width - 10, height - strip - 5};  // left, top, width, height
}

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  VardoScriptGlobals *g = Globals();
  // The edit control's notifications go no further than here.
  if (message == WM_COMMAND) return 0;
  if (message == WM_CTLCOLORSTATIC && g->backgroundBrush) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourOf(g->textColour));
    return reinterpret_cast<LRESULT>(g->backgroundBrush);
  }
  return CallWindowProcW(g->previousWindowProc, window, message, wParam, lParam);
}

void SetUpPanelWindow(HWND window) {
  VardoScriptGlobals *g = Globals();
  sAIUITheme->GetUIThemeColor(1, 0, &g->backgroundColour);
  sAIUITheme->GetUIThemeColor(1, 1, &g->textColour);
  if (g->backgroundBrush) DeleteObject(g->backgroundBrush);
  g->backgroundBrush = CreateSolidBrush(ColourOf(g->backgroundColour));

  g->previousWindowProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PanelWindowProc)));

  if (g->editFont) DeleteObject(g->editFont);
  HDC dc = GetDC(window);
  const int height = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(window, dc);
  g->editFont = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, u"system");

  RECT client{};
  GetClientRect(window, &client);
  const RECT r = EditRect(client.right - client.left, client.bottom - client.top);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  HWND edit = CreateWindowExW(
      0, u"EDIT", u"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN, r.left,
      r.top, r.right, r.bottom, window,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(PANEL_EDIT_ID)), instance, nullptr);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(g->editFont), TRUE);
}

void OnPanelSizeChanged(AIPanelRef) {
  VardoScriptGlobals *g = Globals();
  AcquireSuites(g->savedBasicSuite);
  AISize size{};
  AIPlatformWindow window = nullptr;
  if (g->panel && sAIPanel->GetSize(g->panel, &size) == kNoErr &&
      sAIPanel->GetPlatformWindow(g->panel, &window) == kNoErr) {
    const RECT r = EditRect(size.width, size.height);
    SetWindowPos(GetDlgItem(static_cast<HWND>(window), PANEL_EDIT_ID), nullptr, 0, 0, r.right,
                 r.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ReleaseSuites(g->savedBasicSuite);
}

}  // namespace

void CreateScriptPanel(SPPluginRef plugin) {
  VardoScriptGlobals *g = Globals();
  SPPlatformModule module = nullptr;
  sSPAccess->GetPluginModule(plugin, &module);
  g->pluginModule = static_cast<HINSTANCE>(module);

  const AISize minimum{static_cast<ASInt32>(400 / g->hostScale + 0.5),
                       static_cast<ASInt32>(188 / g->hostScale + 0.5)};
  if (!g->flyoutMenu && sAIPanelFlyoutMenu->Create(&g->flyoutMenu) == kNoErr) {
    sAIPanelFlyoutMenu->AppendItem(g->flyoutMenu, SCRIPT_COMMAND_IMAGE_TAG, u"画像タグの挿入...");
    sAIPanelFlyoutMenu->AppendItem(g->flyoutMenu, SCRIPT_COMMAND_BARCODE_TAG,
                                   u"バーコードタグの挿入...");
  }
  if (sAIPanel->Create(plugin, "VARDOSCR_INFO_PANEL", u"VardoScript", 1, minimum, true,
                       g->flyoutMenu, nullptr, &g->panel) != kNoErr) {
    g->panel = nullptr;
    return;
  }
  sAIPanel->SetFlyoutMenuPressedFunc(g->panel, RunScriptCommand);
  AIPlatformWindow window = nullptr;
  sAIPanel->GetPlatformWindow(g->panel, &window);
  if (window) SetUpPanelWindow(static_cast<HWND>(window));
  sAIPanel->Show(g->panel, true);
  sAIPanel->SetSizeChangedFunc(g->panel, OnPanelSizeChanged);
  OnPanelSizeChanged(g->panel);
}

void DestroyScriptPanel() {
  VardoScriptGlobals *g = Globals();
  if (g->panel) {
    AIPlatformWindow window = nullptr;
    sAIPanel->GetPlatformWindow(g->panel, &window);
    if (window) {
      if (g->previousWindowProc) {
        SetWindowLongPtrW(static_cast<HWND>(window), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(g->previousWindowProc));
      }
      DestroyWindow(static_cast<HWND>(window));
    }
    sAIPanel->Destroy(g->panel);
    g->panel = nullptr;
    if (g->backgroundBrush) DeleteObject(g->backgroundBrush);
    if (g->editFont) DeleteObject(g->editFont);
    g->backgroundBrush = nullptr;
    g->editFont = nullptr;
  }
  if (g->flyoutMenu) {
    sAIPanelFlyoutMenu->Destroy(g->flyoutMenu);
    g->flyoutMenu = nullptr;
  }
}
