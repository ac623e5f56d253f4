// A plug-in that sends Vardo its compose-range request and value lookup
// when a test asks it to.
#include <windows.h>

#include <cstring>

#include "frame.h"
#include "vardo/notificationtext.h"
#include "testmodules.h"

namespace {

struct SenderGlobals {
  int32_t unused;
};

constexpr ActionParamKeyID Key(char a, char b, char c, char d) {
  return static_cast<ActionParamKeyID>(AS_FOURCC(a, b, c, d));
}

ASErr Startup(void *message) {
  SPMessageData *m = static_cast<SPMessageData *>(message);
  AINotifierHandle handle = nullptr;
  return sAINotifier->AddNotifier(m->self, "", kSenderNotification, &handle);
}

void SetText(AIActionParamValueRef block, ActionParamKeyID key, const char *text, bool encode) {
  static char buffer[3 * kSenderTextMax + 1];
  std::strncpy(buffer, text, kSenderTextMax);
  buffer[kSenderTextMax] = '\0';
  if (encode) EncodeNotificationText(buffer, sizeof buffer);
  sAIActionManager->AIActionSetString(block, key, buffer);
}

void Send(SenderRequest *r) {
  AIActionParamValueRef block = nullptr;
  if (sAIActionManager->AINewActionParamValue(&block) != kNoErr) return;
  if (r->kind == kSendComposeRange) {
    if (r->hasFirst) sAIActionManager->AIActionSetInteger(block, Key('f', 'r', 'r', 'c'), r->first);
    if (r->hasLast) sAIActionManager->AIActionSetInteger(block, Key('t', 'o', 'r', 'c'), r->last);
    sAIActionManager->AIActionSetInteger(block, Key('f', 'n', 'r', 'c'), r->initialComposed);
    if (r->hasPath) SetText(block, Key('c', 's', 'v', 'p'), r->path, r->encode);
    sAINotifier->Notify("9475-2407-6658-9330-9846-6542", block);
    r->hasComposed = sAIActionManager->AIActionGetInteger(block, Key('f', 'n', 'r', 'c'),
                                                          &r->composed) == kNoErr;
  } else if (r->kind == kSendLookup) {
    if (r->hasRecord)
      sAIActionManager->AIActionSetInteger(block, Key('v', 'r', 'c', 'r'), r->record);
    if (r->hasName) SetText(block, Key('v', 'r', 'e', 'l'), r->name, r->encode);
    sAINotifier->Notify("9475-2407-6658-9330-9846-3586", block);
    r->hasValue = sAIActionManager->AIActionGetString(block, Key('v', 'r', 'v', 'l'), r->value,
                                                      sizeof r->value) == kNoErr;
    if (r->hasValue) DecodeNotificationText(r->value, sizeof r->value);
  }
  sAIActionManager->AIDeleteActionParamValue(block);
}

ASErr Notify(void *message) {
  AINotifierMessage *m = static_cast<AINotifierMessage *>(message);
  if (m->notifyData) Send(static_cast<SenderRequest *>(m->notifyData));
  return kNoErr;
}

}  // namespace

const FramePlugin gFramePlugin = {
    kFrameVardo,
    sizeof(SenderGlobals),
    {Startup, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, Notify, nullptr},
};
