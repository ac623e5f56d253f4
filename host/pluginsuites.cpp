// "SP Access Suite" and "AI Plugin Suite": what the host knows of a plug-in.
#include "AIPlugin.h"
#include "SPAccess.h"
#include "host.h"
#include "suites.h"

namespace vhost {

namespace {

Plugin *PluginOf(SPPluginRef ref) { return reinterpret_cast<Plugin *>(ref); }

ASErr GetPluginModule(SPPluginRef plugin, SPPlatformModule *module) {
  if (!plugin || !module) return kBadParameterErr;
  *module = PluginOf(plugin)->module;
  return kNoErr;
}

const SPAccessSuite kAccessSuite = {GetPluginModule};

ASErr GetPluginOptions(SPPluginRef plugin, ASInt32 *options) {
  if (!plugin || !options) return kBadParameterErr;
  if (ASErr failure =
          Host::Current() ? Host::Current()->TakeCallFailure("GetPluginOptions") : kNoErr) {
    return failure;
  }
  *options = PluginOf(plugin)->options;
  return kNoErr;
}

ASErr SetPluginOptions(SPPluginRef plugin, ASInt32 options) {
  if (!plugin) return kBadParameterErr;
  if (ASErr failure =
          Host::Current() ? Host::Current()->TakeCallFailure("SetPluginOptions") : kNoErr) {
    return failure;
  }
  PluginOf(plugin)->options = options;
  return kNoErr;
}

const AIPluginSuite kPluginSuite = {GetPluginOptions, SetPluginOptions};

}  // namespace

void RegisterBasicSuites(SuiteRegistry &registry) {
  registry.Add(kSPAccessSuite, kSPAccessSuiteVersion, &kAccessSuite);
  registry.Add(kAIPluginSuite, kAIPluginSuiteVersion, &kPluginSuite);
}

}  // namespace vhost
