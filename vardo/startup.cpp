// Start-up, shut-down and the menu item of the data-merge plug-in.
#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "vardo/recordtable/recordtable.h"
#include "vardohandlers.h"

namespace {

// Below this many desktop pixels the host's scale preference is not used:
// the panel would not fit a small screen scaled up.
constexpr double kScaledDesktopPixels = 1300000.0;

void SetStartValues(VardoGlobals *g) {
  std::memset(g, 0, sizeof *g);
  g->pendingCommand = 0;
  g->placeLinkImage = 1;
}

double HostScale() {
  AIReal scale = 1;
  if (sAIPreference->GetRealPreference(nullptr, "UIPreferences/appScaleFactor", &scale) != kNoErr) {
    scale = 1;
  }
  if (scale < 1) return 1;
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  const double pixels = static_cast<double>(desktop.right - desktop.left) *
                        static_cast<double>(desktop.bottom - desktop.top);
  if (std::fabs(pixels) < kScaledDesktopPixels) return 1;
  return scale;
}

double DpiScale() {
  HWND desktop = GetDesktopWindow();
  HDC dc = GetDC(desktop);
  const double scale = GetDeviceCaps(dc, LOGPIXELSX) / 96.0;
  ReleaseDC(desktop, dc);
  return scale;
}

}  // namespace

ASErr OnStartup(void *message) {
  SPMessageData *m = static_cast<SPMessageData *>(message);
  ASInt32 options = 0;
  ASErr status = sAIPlugin->GetPluginOptions(m->self, &options);
  if (status != kNoErr) return status;
  status = sAIPlugin->SetPluginOptions(m->self, options | 2);
  if (status != kNoErr) return status;

  VardoGlobals *g = Globals();
  SetStartValues(g);
  g->hostScale = HostScale();
  g->dpiScale = DpiScale();
  g->pluginRef = m->self;

  status = sAIMenu->AddMenuItem(g->pluginRef, "VARDO2_INFO_GROUP", "Tool Palettes", u"Vardo",
                                kMenuItemWantsUpdateOption, &g->panelMenuItem);
  if (status != kNoErr) return status;
  status = sAITimer->AddTimer(g->pluginRef, "AVARDO2_TIMER", 12, &g->timerHandle);
  if (status != kNoErr) return status;
  AINotifierHandle started = nullptr;
  status = sAINotifier->AddNotifier(g->pluginRef, "Vardo App Started Notifier",
                                    "AI Application Started Notifier", &started);
  if (status != kNoErr) return status;
  status = sAINotifier->AddNotifier(g->pluginRef, "", "9475-2407-6658-9330-9846-6542",
                                    &g->composeNotifier);
  if (status != kNoErr) return status;
  status = sAINotifier->AddNotifier(g->pluginRef, "", "9475-2407-6658-9330-9846-3586",
                                    &g->lookupNotifier);
  if (status != kNoErr) return status;

  AIActionParamTypeRef type = nullptr;
  if (sAIActionManager->AINewActionParamType(&type) == kNoErr && type) {
    sAIActionManager->RegisterActionEvent("VARDO2_COMPOSE_INSIDECMD",
                                          "Vardo2 Compose Inside Objects Command", 1, 0, nullptr,
                                          g->pluginRef, nullptr, type);
    sAIActionManager->AIDeleteActionParamType(type);
  }
  return kNoErr;
}

ASErr OnShutdown(void *) {
  VardoGlobals *g = Globals();
  DestroyDataPanel();
  // The table's buffers belong to this module; a host that unloads it would
  // otherwise lose them.
  ClearRecordTable();
  if (g->dropTargets.bounds) {
    std::free(g->dropTargets.bounds);
    g->dropTargets.bounds = nullptr;
  }
  g->dropTargets.count = 0;
  return kNoErr;
}

ASErr OnMenuGo(void *message) {
  VardoGlobals *g = Globals();
  AIMenuMessage *m = static_cast<AIMenuMessage *>(message);
  if (m->menuItem != g->panelMenuItem || !g->panel) return kNoErr;
  ASBoolean shown = 0;
  sAIPanel->IsShown(g->panel, &shown);
  sAIPanel->Show(g->panel, shown ? 0 : 1);
  return kNoErr;
}

ASErr OnMenuUpdate(void *) {
  VardoGlobals *g = Globals();
  if (!g->panel) return kNoErr;
  ASBoolean shown = 0;
  sAIPanel->IsShown(g->panel, &shown);
  sAIMenu->CheckItem(g->panelMenuItem, shown);
  return kNoErr;
}
