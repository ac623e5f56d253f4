// A plug-in module for the frame's tests: its handlers return what the test
// asks for, and its window procedure brackets suites the way panel
// callbacks do.
#include <windows.h>

#include "frame.h"
#include "probe.h"

namespace {

struct ProbeGlobals {
  SPBasicSuite *savedBasicSuite;
  HWND window;
};

ProbeGlobals *Globals() { return static_cast<ProbeGlobals *>(gCurrentGlobals); }

// Runs outside PluginMain when the test sends it a message directly, and
// inside it when a handler does.
LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) {
    ProbeGlobals *g = Globals();
    AcquireSuites(g->savedBasicSuite);
    LRESULT artHeld = sAIArt != nullptr;
    ReleaseSuites(g->savedBasicSuite);
    return artHeld;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

ASErr Startup(void *message) {
  ProbeGlobals *g = Globals();
  g->savedBasicSuite = static_cast<SPMessageData *>(message)->basic;
  WNDCLASSA wc{};
  wc.lpfnWndProc = ProbeWindowProc;
  wc.lpszClassName = "FrameProbeWindow";
  RegisterClassA(&wc);
  g->window = CreateWindowExA(0, "FrameProbeWindow", "frame probe", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr, nullptr, nullptr);
  return kNoErr;
}

ASErr Shutdown(void *) {
  DestroyWindow(Globals()->window);
  return AS_FOURCC('F', 'A', 'I', 'L');
}

// The notification's data says what to return and whether to run the window
// procedure first, from inside this call.
ASErr Notify(void *message) {
  auto *m = static_cast<AINotifierMessage *>(message);
  auto *request = static_cast<ProbeRequest *>(m->notifyData);
  if (request == nullptr) return kNoErr;
  if (request->sendToWindow) request->windowAnswer = SendMessageA(Globals()->window, WM_USER, 0, 0);
  if (request->leakBracket) AcquireSuites(static_cast<SPMessageData *>(message)->basic);
  request->ran = 1;
  return request->status;
}

ASErr ReturnStatusOfMenu(void *message) {
  // The menu handle carries the status to return.
  return static_cast<ASErr>(reinterpret_cast<intptr_t>(static_cast<AIMenuMessage *>(message)->menuItem));
}

}  // namespace

const FramePlugin gFramePlugin = {
    kFrameVardo,
    sizeof(ProbeGlobals),
    {Startup, Shutdown, nullptr, nullptr, nullptr, ReturnStatusOfMenu, nullptr, nullptr, Notify,
     nullptr},
};
