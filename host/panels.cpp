// Panels and their flyout menus: each panel is a top-level platform window
// that the plug-in fills; the flyout menu and size changes come back through
// the handlers the plug-in registered, called outside PluginMain as the real
// host calls them.
#include <windows.h>

#include "AIPanel.h"
#include "host.h"
#include "suites.h"

namespace vhost {

namespace {

constexpr char16_t kPanelClass[] = u"VardoHostPanel";

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterPanelClass() {
  // Registering again fails harmlessly once the class exists.
  WNDCLASSW wc{};
  wc.lpfnWndProc = PanelWindowProc;
  wc.lpszClassName = kPanelClass;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassW(&wc);
}

Panel *PanelOf(AIPanelRef ref) { return reinterpret_cast<Panel *>(ref); }
FlyoutMenu *MenuOf(AIPanelFlyoutMenuRef ref) { return reinterpret_cast<FlyoutMenu *>(ref); }

ASErr Create(SPPluginRef plugin, const char *id, const ai_uchar16 *title, ASInt32,
             AISize minimumSize, ASBoolean resizable, AIPanelFlyoutMenuRef flyout, void *userData,
             AIPanelRef *panel) {
  Host *host = Host::Current();
  if (panel) *panel = nullptr;
  if (!host || !id || !panel) return kBadParameterErr;
  if (host->FindPanel(id)) return kBadParameterErr;
  if (ASErr failure = host->TakeCallFailure("CreatePanel")) return failure;
  RegisterPanelClass();
  auto entry = std::make_unique<Panel>();
  entry->plugin = reinterpret_cast<Plugin *>(plugin);
  entry->id = id;
  entry->flyout = MenuOf(flyout);
  entry->userData = userData;
  entry->minimumSize = minimumSize;
  DWORD style = WS_POPUP | WS_CAPTION | (resizable ? WS_THICKFRAME : 0);
  // Panels dock at the right of the screen, one below the other.
  int top = 60 + 260 * static_cast<int>(host->Panels().size());
  entry->window =
      CreateWindowExW(WS_EX_TOOLWINDOW, kPanelClass, title ? title : u"", style,
                      1920 - 40 - minimumSize.width - 200, top, minimumSize.width + 200,
                      minimumSize.height + 60, host->MainWindow(), nullptr, nullptr, nullptr);
  if (!entry->window) return kSPOutOfMemoryError;
  *panel = reinterpret_cast<AIPanelRef>(entry.get());
  host->Panels().push_back(std::move(entry));
  return kNoErr;
}

ASErr Destroy(AIPanelRef ref) {
  Host *host = Host::Current();
  if (!host || !ref) return kBadParameterErr;
  auto &panels = host->Panels();
  for (auto it = panels.begin(); it != panels.end(); ++it) {
    if (it->get() != PanelOf(ref)) continue;
    if (IsWindow((*it)->window)) DestroyWindow((*it)->window);
    panels.erase(it);
    return kNoErr;
  }
  return kBadParameterErr;
}

ASErr Show(AIPanelRef ref, ASBoolean show) {
  if (!ref) return kBadParameterErr;
  ShowWindow(PanelOf(ref)->window, show ? SW_SHOW : SW_HIDE);
  return kNoErr;
}

ASErr IsShown(AIPanelRef ref, ASBoolean *shown) {
  if (!ref || !shown) return kBadParameterErr;
  *shown = IsWindowVisible(PanelOf(ref)->window) ? 1 : 0;
  return kNoErr;
}

ASErr GetPlatformWindow(AIPanelRef ref, AIPlatformWindow *window) {
  if (!ref || !window) return kBadParameterErr;
  HWND hwnd = PanelOf(ref)->window;
  *window = IsWindow(hwnd) ? hwnd : nullptr;
  return *window ? kNoErr : kNoSuchObjectErr;
}

ASErr GetSize(AIPanelRef ref, AISize *size) {
  if (!ref || !size) return kBadParameterErr;
  RECT client{};
  if (!GetClientRect(PanelOf(ref)->window, &client)) return kNoSuchObjectErr;
  *size = AISize{client.right - client.left, client.bottom - client.top};
  return kNoErr;
}

ASErr SetFlyoutMenuPressedFunc(AIPanelRef ref, AIPanelFlyoutMenuHandler handler) {
  if (!ref) return kBadParameterErr;
  PanelOf(ref)->flyoutHandler = handler;
  return kNoErr;
}

ASErr SetSizeChangedFunc(AIPanelRef ref, AIPanelSizeChangedHandler handler) {
  if (!ref) return kBadParameterErr;
  PanelOf(ref)->sizeHandler = handler;
  return kNoErr;
}

const AIPanelSuite kPanelSuite = {Create,
                                  Destroy,
                                  Show,
                                  IsShown,
                                  GetPlatformWindow,
                                  GetSize,
                                  SetFlyoutMenuPressedFunc,
                                  SetSizeChangedFunc};

ASErr CreateMenu(AIPanelFlyoutMenuRef *menu) {
  if (!menu) return kBadParameterErr;
  *menu = reinterpret_cast<AIPanelFlyoutMenuRef>(new FlyoutMenu);
  return kNoErr;
}

ASErr DestroyMenu(AIPanelFlyoutMenuRef menu) {
  Host *host = Host::Current();
  if (host) {
    for (auto &panel : host->Panels()) {
      if (panel->flyout == MenuOf(menu)) panel->flyout = nullptr;
    }
  }
  delete MenuOf(menu);
  return kNoErr;
}

ASErr AppendItem(AIPanelFlyoutMenuRef menu, ASUInt32 itemId, const ai_uchar16 *text) {
  if (!menu) return kBadParameterErr;
  MenuOf(menu)->items.push_back({itemId, text ? std::u16string(text) : std::u16string(), false});
  return kNoErr;
}

ASErr AppendSeparator(AIPanelFlyoutMenuRef menu, ASUInt32 itemId) {
  if (!menu) return kBadParameterErr;
  MenuOf(menu)->items.push_back({itemId, std::u16string(), true});
  return kNoErr;
}

const AIPanelFlyoutMenuSuite kFlyoutSuite = {CreateMenu, DestroyMenu, AppendItem, AppendSeparator};

}  // namespace

void RegisterPanelSuites(SuiteRegistry &registry) {
  registry.Add(kAIPanelSuite, kAIPanelSuiteVersion, &kPanelSuite);
  registry.Add(kAIPanelFlyoutMenuSuite, kAIPanelFlyoutMenuSuiteVersion, &kFlyoutSuite);
}

Panel *Host::FindPanel(const std::string &id) {
  for (auto &panel : panels_) {
    if (panel->id == id) return panel.get();
  }
  return nullptr;
}

bool Host::ChooseFlyoutItem(const std::string &panelId, ASUInt32 itemId) {
  Panel *panel = FindPanel(panelId);
  if (!panel || !panel->flyout || !panel->flyoutHandler) return false;
  for (const FlyoutMenu::Item &item : panel->flyout->items) {
    if (item.id == itemId && !item.separator) {
      panel->flyoutHandler(reinterpret_cast<AIPanelRef>(panel), itemId);
      return true;
    }
  }
  return false;
}

bool Host::ResizePanel(const std::string &panelId, int width, int height) {
  Panel *panel = FindPanel(panelId);
  if (!panel) return false;
  RECT window{}, client{};
  GetWindowRect(panel->window, &window);
  GetClientRect(panel->window, &client);
  // The frame around the client area stays as it is.
  int frameW = (window.right - window.left) - client.right;
  int frameH = (window.bottom - window.top) - client.bottom;
  SetWindowPos(panel->window, nullptr, 0, 0, width + frameW, height + frameH,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (panel->sizeHandler) panel->sizeHandler(reinterpret_cast<AIPanelRef>(panel));
  return true;
}

}  // namespace vhost
