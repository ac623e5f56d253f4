// The action manager: parameter blocks, registered actions played back into
// their plug-ins, the host's own actions, and undo names.
#include <windows.h>

#include "AIActionManager.h"
#include "AIUndo.h"
#include "host.h"
#include "suites.h"
#include "text.h"

namespace vhost {

namespace {

ParamBlock *BlockOf(AIActionParamValueRef ref) { return reinterpret_cast<ParamBlock *>(ref); }

ASErr NewParamType(AIActionParamTypeRef *type) {
  // Parameter types carry nothing the plug-ins look at; any non-null token
  // that can be deleted will do.
  if (!type) return kBadParameterErr;
  *type = nullptr;
  Host *host = Host::Current();
  if (ASErr failure = host ? host->TakeCallFailure("AINewActionParamType") : kNoErr) return failure;
  *type = reinterpret_cast<AIActionParamTypeRef>(new int(0));
  return kNoErr;
}

ASErr DeleteParamType(AIActionParamTypeRef type) {
  delete reinterpret_cast<int *>(type);
  return kNoErr;
}

ASErr RegisterActionEvent(const char *eventName, const char *localizedName, ASInt32, ASInt32,
                          void *, SPPluginRef plugin, void *, AIActionParamTypeRef) {
  Host *host = Host::Current();
  if (!host || !eventName) return kBadParameterErr;
  if (ASErr failure = host->TakeCallFailure("RegisterActionEvent")) return failure;
  for (auto &a : host->Actions()) {
    if (a->name == eventName) return kBadParameterErr;
  }
  auto action = std::make_unique<Action>();
  action->plugin = reinterpret_cast<Plugin *>(plugin);
  action->name = eventName;
  action->localizedName = localizedName ? localizedName : "";
  host->Actions().push_back(std::move(action));
  return kNoErr;
}

ASErr NewParamValue(AIActionParamValueRef *value) {
  Host *host = Host::Current();
  if (!value) return kBadParameterErr;
  *value = nullptr;
  if (host && host->TakeParamBlockFailure()) return kSPOutOfMemoryError;
  *value = reinterpret_cast<AIActionParamValueRef>(new ParamBlock);
  return kNoErr;
}

ASErr DeleteParamValue(AIActionParamValueRef value) {
  delete BlockOf(value);
  return kNoErr;
}

template <typename T>
const T *Find(AIActionParamValueRef value, ActionParamKeyID key) {
  if (!value) return nullptr;
  auto &values = BlockOf(value)->values;
  auto it = values.find(key);
  return it == values.end() ? nullptr : std::get_if<T>(&it->second);
}

ASErr GetInteger(AIActionParamValueRef value, ActionParamKeyID key, ASInt32 *result) {
  const ASInt32 *v = Find<ASInt32>(value, key);
  if (!v || !result) return kNoSuchObjectErr;
  *result = *v;
  return kNoErr;
}

ASErr SetInteger(AIActionParamValueRef value, ActionParamKeyID key, ASInt32 number) {
  if (!value) return kBadParameterErr;
  BlockOf(value)->values[key] = number;
  return kNoErr;
}

ASErr GetBoolean(AIActionParamValueRef value, ActionParamKeyID key, ASBoolean *result) {
  const bool *v = Find<bool>(value, key);
  if (!v || !result) return kNoSuchObjectErr;
  *result = *v;
  return kNoErr;
}

ASErr SetBoolean(AIActionParamValueRef value, ActionParamKeyID key, ASBoolean flag) {
  if (!value) return kBadParameterErr;
  BlockOf(value)->values[key] = flag != 0;
  return kNoErr;
}

ASErr GetString(AIActionParamValueRef value, ActionParamKeyID key, char *buffer, size_t size) {
  const std::string *v = Find<std::string>(value, key);
  if (!v || !buffer) return kNoSuchObjectErr;
  if (v->size() + 1 > size) return kBadParameterErr;
  std::copy(v->begin(), v->end(), buffer);
  buffer[v->size()] = '\0';
  return kNoErr;
}

ASErr SetString(AIActionParamValueRef value, ActionParamKeyID key, const char *text) {
  if (!value || !text) return kBadParameterErr;
  BlockOf(value)->values[key] = std::string(text);
  return kNoErr;
}

ASErr PlayActionEvent(const char *eventName, ASInt32 dialogStatus,
                      AIActionParamValueRef parameters) {
  Host *host = Host::Current();
  if (!host || !eventName) return kBadParameterErr;
  return host->PlayAction(eventName, dialogStatus, BlockOf(parameters));
}

const AIActionManagerSuite kActionManagerSuite = {
    NewParamType,     DeleteParamType, RegisterActionEvent, NewParamValue,
    DeleteParamValue, GetInteger,      SetInteger,          GetBoolean,
    SetBoolean,       GetString,       SetString,           PlayActionEvent,
};

ASErr SetUndoText(const ai_uchar16 *undoText, const ai_uchar16 *redoText) {
  Host *host = Host::Current();
  if (!host) return kBadParameterErr;
  host->UndoHistory().push_back({Utf8FromUtf16(undoText), Utf8FromUtf16(redoText)});
  return kNoErr;
}

const AIUndoSuite kUndoSuite = {SetUndoText};

}  // namespace

void RegisterActionSuites(SuiteRegistry &registry) {
  registry.Add(kAIActionManagerSuite, kAIActionManagerSuiteVersion, &kActionManagerSuite);
  registry.Add(kAIUndoSuite, kAIUndoSuiteVersion, &kUndoSuite);
}

void Host::AddHostAction(const std::string &name, std::function<ASErr(ParamBlock *)> run) {
  hostActions_[name] = std::move(run);
}

ASErr Host::PlayAction(const char *name, ASInt32 dialogStatus, ParamBlock *params) {
  auto own = hostActions_.find(name);
  if (own != hostActions_.end()) return own->second(params);
  for (size_t i = 0; i < actions_.size(); ++i) {
    Action *action = actions_[i].get();
    if (action->name != name || !action->plugin) continue;
    DoActionMessage message{};
    message.eventName = action->name.c_str();
    message.dialogStatus = dialogStatus;
    message.param = reinterpret_cast<AIActionParamValueRef>(params);
    return Send(*action->plugin, kActionCaller, kDoActionSelector, &message.d);
  }
  return kNoSuchObjectErr;
}

}  // namespace vhost
