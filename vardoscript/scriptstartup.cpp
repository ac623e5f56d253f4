// Start-up, shut-down, the application-started notification and the menu
// item that shows and hides the script panel.
#include <cmath>
#include <cstring>

#include "vardoscript/scripthandlers.h"
#include "vardoscript/vardoscriptglobals.h"

namespace {

// The host's scale factor; interfaces on small desktops are not scaled.
double HostScale() {
  AIReal scale = 1;
  if (sAIPreference->GetRealPreference(nullptr, "UIPreferences/appScaleFactor", &scale) != kNoErr)
    return 1;
  if (scale < 1) return 1;
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  const double pixels =
      static_cast<double>(desktop.right - desktop.left) * (desktop.bottom - desktop.top);
  if (std::fabs(pixels) < 1300000) return 1;
  return scale;
}

double DpiScale() {
  HWND desktop = GetDesktopWindow();
  HDC dc = GetDC(desktop);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(desktop, dc);
  return dpi / 96.0;
}

}  // namespace

ASErr OnScriptStartup(void *message) {
  SPMessageData *data = static_cast<SPMessageData *>(message);
  // Cleared first, so that shut-down finds nothing to destroy whichever
  // step fails.
  VardoScriptGlobals *g = Globals();
  std::memset(g, 0, sizeof *g);
  ASInt32 pluginOptions = 0;
  ASErr status = sAIPlugin->GetPluginOptions(data->self, &pluginOptions);
  if (status == kNoErr) status = sAIPlugin->SetPluginOptions(data->self, pluginOptions | 0x2);
  if (status != kNoErr) return status;

  g->hostScale = HostScale();
  g->dpiScale = DpiScale();
  SetDefaultScriptOptions(&g->options);
  ReadPreferences(&SCRIPT_OPTIONS_FILE, &g->options);

  status = sAIMenu->AddMenuItem(data->self, "VARDO_INFO_GROUP", "Tool Palettes", u"VardoScript",
                                kMenuItemWantsUpdateOption, &g->panelMenuItem);
  if (status == kNoErr)
    status = sAITimer->AddTimer(data->self, "AVARDO4_TIMER", 30, &g->timerHandle);
  AINotifierHandle notifier = nullptr;
  if (status == kNoErr) {
    status = sAINotifier->AddNotifier(data->self, "VardoScript App Started Notifier",
                                      kAIApplicationStartedNotifier, &notifier);
  }
  return status;
}

ASErr OnScriptShutdown(void *) {
  DestroyScriptPanel();
  return kNoErr;
}

ASErr OnScriptNotify(void *message) {
  AINotifierMessage *notify = static_cast<AINotifierMessage *>(message);
  if (notify->type && std::strcmp(notify->type, kAIApplicationStartedNotifier) == 0) {
    Globals()->savedBasicSuite = notify->d.basic;
    CreateScriptPanel(notify->d.self);
  }
  return kNoErr;
}

ASErr OnScriptMenuGo(void *message) {
  AIMenuMessage *menu = static_cast<AIMenuMessage *>(message);
  VardoScriptGlobals *g = Globals();
  if (menu->menuItem != g->panelMenuItem || !g->panel) return kNoErr;
  ASBoolean shown = 0;
  sAIPanel->IsShown(g->panel, &shown);
  sAIPanel->Show(g->panel, !shown);
  return kNoErr;
}

ASErr OnScriptMenuUpdate(void *) {
  VardoScriptGlobals *g = Globals();
  if (!g->panel) return kNoErr;
  ASBoolean shown = 0;
  sAIPanel->IsShown(g->panel, &shown);
  sAIMenu->CheckItem(g->panelMenuItem, shown);
  return kNoErr;
}
