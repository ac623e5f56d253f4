// A plug-in that records the composition engine's notifications.
#include <windows.h>

#include "frame.h"
#include "testmodules.h"

namespace {

ReceiverGlobals *Globals() { return static_cast<ReceiverGlobals *>(gCurrentGlobals); }

ASErr Startup(void *message) {
  SPMessageData *m = static_cast<SPMessageData *>(message);
  *Globals() = ReceiverGlobals{};
  AINotifierHandle handle = nullptr;
  return sAINotifier->AddNotifier(m->self, "", kEngineNotification, &handle);
}

ASInt32 Integer(AIActionParamValueRef block, char a, char b, char c, char d) {
  ASInt32 value = -1;
  sAIActionManager->AIActionGetInteger(block, AS_FOURCC(a, b, c, d), &value);
  return value;
}

ASErr Notify(void *message) {
  AINotifierMessage *m = static_cast<AINotifierMessage *>(message);
  AIActionParamValueRef block = static_cast<AIActionParamValueRef>(m->notifyData);
  ReceiverGlobals *g = Globals();
  EngineCall call{-1, -1, -1, -1};
  if (block) {
    call.record = Integer(block, 'v', 'r', 'c', 'r');
    call.slot = Integer(block, 'v', 'r', 't', 'g');
    call.cset = Integer(block, 'c', 's', 'e', 't');
    ASBoolean link = 0;
    if (sAIActionManager->AIActionGetBoolean(block, AS_FOURCC('l', 'i', 'n', 'k'), &link) ==
        kNoErr) {
      call.link = link ? 1 : 0;
    }
  }
  if (g->count < kReceiverCallMax) g->calls[g->count] = call;
  ++g->count;
  return kNoErr;
}

}  // namespace

const FramePlugin gFramePlugin = {
    kFrameVardo,
    sizeof(ReceiverGlobals),
    {Startup, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, Notify, nullptr},
};
