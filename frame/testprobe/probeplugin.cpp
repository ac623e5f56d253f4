// A plug-in module for the frame's and the host's tests: its handlers
// return what the test asks for and count what they receive, and its window
// procedure brackets suites the way panel callbacks do.
#include <windows.h>

#include "frame.h"
#include "probe.h"

namespace {

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
  *g = ProbeGlobals{};
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
  DestroyWindow(static_cast<HWND>(Globals()->window));
  return AS_FOURCC('F', 'A', 'I', 'L');
}

// The notification's data says what to return and whether to run the window
// procedure first, from inside this call.
ASErr Notify(void *message) {
  auto *m = static_cast<AINotifierMessage *>(message);
  auto *request = static_cast<ProbeRequest *>(m->notifyData);
  if (request == nullptr) return kNoErr;
  if (request->sendToWindow) {
    request->windowAnswer = SendMessageA(static_cast<HWND>(Globals()->window), WM_USER, 0, 0);
  }
  if (request->leakBracket) AcquireSuites(static_cast<SPMessageData *>(message)->basic);
  ++request->ran;
  return request->status;
}

ASErr MenuGo(void *message) {
  ProbeGlobals *g = Globals();
  ++g->menuGoMessages;
  g->lastMenuItem = static_cast<AIMenuMessage *>(message)->menuItem;
  return g->menuStatus;
}

ASErr MenuUpdate(void *) {
  ++Globals()->menuUpdateMessages;
  return kNoErr;
}

ASErr Timer(void *) {
  ++Globals()->timerMessages;
  return kNoErr;
}

ASErr DoAction(void *message) {
  ProbeGlobals *g = Globals();
  ++g->actionMessages;
  auto *m = static_cast<DoActionMessage *>(message);
  g->lastActionInteger = -1;
  if (m->param)
    sAIActionManager->AIActionGetInteger(m->param, kProbeActionKey, &g->lastActionInteger);
  sAIUndo->SetUndoText(u"Probe undo", u"Probe redo");
  return kNoErr;
}

}  // namespace

const FramePlugin gFramePlugin = {
    kFrameVardo,
    sizeof(ProbeGlobals),
    {Startup, Shutdown, nullptr, nullptr, nullptr, MenuGo, MenuUpdate, Timer, Notify, DoAction},
};
