// The composition engine's module entry: registers for the engine
// notification at start-up and fills the slot each notification names.
// Runs without the plug-ins' frame: the suites the script-tag code calls
// through are acquired around every call (standalonesuites.h), the
// engine's own beside them.
#include <cstring>

#include "AIActionManager.h"
#include "AINotifier.h"
#include "SPMessages.h"
#include "VardoEngine.h"
#include "compose.h"
#include "frame/suites.h"
#include "standalonesuites.h"

#define ENGINE_NOTIFIER "6884-3066-1648-3395-5359-9068-E/G"

namespace {

// The engine's one global record.
struct EngineGlobals {
  AINotifierHandle notifier = nullptr;
  EngineSuites suites;
  int depth = 0;  // calls into the module under way (a send may re-enter)
};
EngineGlobals gEngine;

const ActionParamKeyID kRecordKey = AS_FOURCC('v', 'r', 'c', 'r');
const ActionParamKeyID kSlotKey = AS_FOURCC('v', 'r', 't', 'g');
const ActionParamKeyID kLinkKey = AS_FOURCC('l', 'i', 'n', 'k');

struct SuiteRow {
  const char *name;
  ASInt32 version;
  const void **pointer;
};

ASErr AcquireEngineSuites(SPBasicSuite *basic) {
  const SuiteRow rows[] = {
      {kAINotifierSuite, kAINotifierSuiteVersion,
       reinterpret_cast<const void **>(&gEngine.suites.notifier)},
      {kAIActionManagerSuite, kAIActionManagerSuiteVersion,
       reinterpret_cast<const void **>(&gEngine.suites.actions)},
      {kVardoEngineSuite, kVardoEngineSuiteVersion,
       reinterpret_cast<const void **>(&gEngine.suites.engine)},
  };
  ASErr first = AcquireScriptTagSuites(basic);
  for (const SuiteRow &row : rows) {
    const ASErr status = basic->AcquireSuite(row.name, row.version, row.pointer);
    if (status != kNoErr) {
      *row.pointer = nullptr;
      if (first == kNoErr) first = status;
    }
  }
  return first;
}

void ReleaseEngineSuites(SPBasicSuite *basic) {
  if (gEngine.suites.notifier) basic->ReleaseSuite(kAINotifierSuite, kAINotifierSuiteVersion);
  if (gEngine.suites.actions)
    basic->ReleaseSuite(kAIActionManagerSuite, kAIActionManagerSuiteVersion);
  if (gEngine.suites.engine) basic->ReleaseSuite(kVardoEngineSuite, kVardoEngineSuiteVersion);
  gEngine.suites = EngineSuites{};
  ReleaseScriptTagSuites(basic);
}

ASErr OnStartup(SPMessageData *message) {
  return gEngine.suites.notifier->AddNotifier(message->self, "Vardo Engine", ENGINE_NOTIFIER,
                                              &gEngine.notifier);
}

ASErr OnNotify(AINotifierMessage *message) {
  if (message->notifier != gEngine.notifier || !message->notifyData) return kNoErr;
  const AIActionManagerSuite *actions = gEngine.suites.actions;
  auto block = static_cast<AIActionParamValueRef>(message->notifyData);
  ASInt32 record = 0, slot = 0;
  ASBoolean link = true;
  if (actions->AIActionGetInteger(block, kRecordKey, &record) != kNoErr ||
      actions->AIActionGetInteger(block, kSlotKey, &slot) != kNoErr) {
    return kNoErr;
  }
  actions->AIActionGetBoolean(block, kLinkKey, &link);
  try {
    ComposeSlot(gEngine.suites, record, static_cast<ASUInt32>(slot), link != 0);
  } catch (const ATE::Exception &e) {
    return e.error;  // a text-engine failure ends this slot; the send goes on
  }
  return kNoErr;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) ASErr PluginMain(const char *caller,
                                                                   const char *selector,
                                                                   void *message) {
  auto *data = static_cast<SPMessageData *>(message);
  if (!data || !data->basic) return kBadParameterErr;
  // Access messages come without a bracket; there is nothing to do.
  if (std::strcmp(caller, kSPAccessCaller) == 0) return kNoErr;
  if (gEngine.depth == 0 &&
      (AcquireEngineSuites(data->basic) != kNoErr || !gEngine.suites.engine)) {
    ReleaseEngineSuites(data->basic);
    return kSPSuiteNotFoundError;
  }
  ++gEngine.depth;
  ASErr status = kNoErr;
  if (std::strcmp(caller, kSPInterfaceCaller) == 0 &&
      std::strcmp(selector, kSPInterfaceStartupSelector) == 0) {
    status = OnStartup(data);
  } else if (std::strcmp(caller, kCallerAINotify) == 0 &&
             std::strcmp(selector, kSelectorAINotify) == 0) {
    status = OnNotify(static_cast<AINotifierMessage *>(message));
  }
  if (--gEngine.depth == 0) ReleaseEngineSuites(data->basic);
  return status;
}
