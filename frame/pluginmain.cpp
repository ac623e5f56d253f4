#include "frame.h"

void *gCurrentGlobals;

void ResetSuiteNesting();

namespace {

ASErr Run(FrameHandler handler, void *message) { return handler ? handler(message) : kNoErr; }

bool Is(SPBasicSuite *basic, const char *a, const char *b) { return basic->IsEqual(a, b) != 0; }

ASErr Startup(SPMessageData *message) {
  void *block = nullptr;
  ASErr status = message->basic->AllocateBlock(gFramePlugin.globalsSize, &block);
  gCurrentGlobals = block;
  message->globals = block;
  if (status != kNoErr) return status;
  return Run(gFramePlugin.handlers.OnStartup, message);
}

ASErr Shutdown(SPMessageData *message) {
  Run(gFramePlugin.handlers.OnShutdown, message);
  message->basic->FreeBlock(gCurrentGlobals);
  gCurrentGlobals = nullptr;
  message->globals = nullptr;
  return kNoErr;
}

ASErr Route(const char *caller, const char *selector, SPMessageData *message) {
  SPBasicSuite *basic = message->basic;
  const FrameHandlers &h = gFramePlugin.handlers;
  if (Is(basic, caller, kSPInterfaceCaller)) {
    if (Is(basic, selector, kSPInterfaceStartupSelector)) return Startup(message);
    if (Is(basic, selector, kSPInterfaceAboutSelector)) return Run(h.OnAbout, message);
    if (Is(basic, selector, kSPInterfaceShutdownSelector)) return Shutdown(message);
    return kNoErr;
  }
  struct Route {
    const char *caller, *selector;
    FrameHandler handler;
  };
  const Route routes[] = {
      {kCallerAIMenu, kSelectorAIGoMenuItem, h.OnMenuGo},
      {kCallerAIMenu, kSelectorAIUpdateMenuItem, h.OnMenuUpdate},
      {kCallerAITimer, kSelectorAIGoTimer, h.OnTimer},
      {kCallerAINotify, kSelectorAINotify, h.OnNotify},
      {kActionCaller, kDoActionSelector, h.OnDoAction},
  };
  for (const Route &r : routes) {
    if (r.handler && Is(basic, caller, r.caller) && Is(basic, selector, r.selector)) {
      return r.handler(message);
    }
  }
  return kNoErr;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) ASErr PluginMain(const char *caller,
                                                                   const char *selector,
                                                                   void *message) {
  SPMessageData *data = static_cast<SPMessageData *>(message);
  SPBasicSuite *basic = data->basic;
  sSPBasic = basic;
  gCurrentGlobals = data->globals;

  if (basic->IsEqual(caller, kSPAccessCaller)) {
    ASErr status = kNoErr;
    if (basic->IsEqual(selector, kSPAccessUnloadSelector)) {
      if (data->globals) status = Run(gFramePlugin.handlers.OnUnload, data);
      data->globals = gCurrentGlobals;
    } else if (basic->IsEqual(selector, kSPAccessReloadSelector)) {
      if (data->globals) status = Run(gFramePlugin.handlers.OnReload, data);
      gCurrentGlobals = data->globals;
      ResetSuiteNesting();
    }
    return status;
  }

  ASErr status = AcquireSuites(basic);
  if (status == kNoErr) status = Route(caller, selector, data);
  ReportError(status, caller, selector);
  ReleaseSuites(basic);
  return status;
}
