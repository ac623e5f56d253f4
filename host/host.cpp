#include "host.h"

#include <dlfcn.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "SuiteList.h"
#include "suites.h"
#include "vplatform/clock.h"
#include "vplatform/modules.h"
#include "vplatform/pipl.h"

namespace vhost {

namespace {

Host *gCurrent = nullptr;

// Suites of the list that no plug-in calls: present, so that acquiring them
// succeeds, but without operations.
const void *const kEmptyTable[64] = {};

ASErr AcquireSuite(const char *name, ASInt32 version, const void **suite) {
  return gCurrent ? gCurrent->Suites().Acquire(name, version, suite) : kSPSuiteNotFoundError;
}

ASErr ReleaseSuite(const char *name, ASInt32 version) {
  return gCurrent ? gCurrent->Suites().Release(name, version) : kSPSuiteNotFoundError;
}

ASBoolean IsEqual(const char *a, const char *b) { return a && b && std::strcmp(a, b) == 0; }

ASErr AllocateBlock(size_t size, void **block) {
  *block = nullptr;
  if (gCurrent && gCurrent->TakeAllocationFailure()) return kSPOutOfMemoryError;
  *block = std::calloc(1, size ? size : 1);
  return *block ? kNoErr : kSPOutOfMemoryError;
}

ASErr FreeBlock(void *block) {
  std::free(block);
  return kNoErr;
}

SPBasicSuite gBasic = {AcquireSuite, ReleaseSuite, IsEqual, AllocateBlock, FreeBlock};

bool TakeCountdown(int &countdown) {
  if (countdown <= 0) return false;
  return --countdown == 0;
}

}  // namespace

Host::Host() {
  gCurrent = this;
  RegisterSuites();
  RegisterDocumentActions(*this);
  for (const char *group : {"Tool Palettes", "Place Document", "Window", "File", "Edit"}) {
    menuGroups_.push_back(group);
  }
  // A medium-dark theme and an unscaled interface, as a fresh install has.
  theme_[{1, 0}] = AIUIThemeColor{1.0, 0.325, 0.325, 0.325};
  theme_[{1, 1}] = AIUIThemeColor{1.0, 0.882, 0.882, 0.882};
  realPrefs_["UIPreferences/appScaleFactor"] = 1.0;
}

Host::~Host() {
  ShutdownPlugins();
  for (auto &panel : panels_) {
    if (IsWindow(panel->window)) DestroyWindow(panel->window);
  }
  panels_.clear();
  if (mainWindow_ && IsWindow(mainWindow_)) DestroyWindow(mainWindow_);
  if (gCurrent == this) gCurrent = nullptr;
}

Host *Host::Current() { return gCurrent; }

SPBasicSuite *Host::BasicSuite() { return &gBasic; }

bool Host::TakeAllocationFailure() { return TakeCountdown(allocationCountdown_); }
bool Host::TakeParamBlockFailure() { return TakeCountdown(paramBlockCountdown_); }

void Host::RegisterSuites() {
  // Every suite of the list first, empty; the implemented ones replace
  // their entry.
#define ADD_EMPTY(name, version, a, b, c) registry_.Add(name, version, kEmptyTable);
  VARDO_HOST_SUITES(ADD_EMPTY)
#undef ADD_EMPTY
  RegisterBasicSuites(registry_);
  RegisterEventSuites(registry_);
  RegisterActionSuites(registry_);
  RegisterUserSuites(registry_);
  RegisterPanelSuites(registry_);
  RegisterContextSuites(registry_);
  RegisterDocumentSuites(registry_);
  RegisterEngineSuites(registry_);
}

bool Host::OpenLibrary(Plugin &plugin, std::string *error) {
  plugin.library = dlopen(plugin.path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!plugin.library) {
    *error = std::string("cannot load: ") + dlerror();
    return false;
  }
  plugin.main = reinterpret_cast<SPPluginMainProc>(dlsym(plugin.library, kSPPluginMainName));
  if (!plugin.main) {
    *error = "exports no PluginMain";
    dlclose(plugin.library);
    plugin.library = nullptr;
    return false;
  }
  plugin.module = vplat::ModuleHandleFromAddress(reinterpret_cast<const void *>(plugin.main));
  return true;
}

Plugin *Host::LoadPlugin(const std::string &path, std::string *error) {
  auto plugin = std::make_unique<Plugin>();
  plugin->path = path;
  std::string why;
  if (!OpenLibrary(*plugin, &why)) {
    *error = path + ": " + why;
    return nullptr;
  }
  auto refuse = [&](const std::string &reason) -> Plugin * {
    *error = path + ": " + reason;
    dlclose(plugin->library);
    return nullptr;
  };
  HMODULE module = static_cast<HMODULE>(plugin->module);
  HRSRC found = FindResourceA(module, "PLUGIN", "PIPL");
  if (!found) return refuse("carries no plug-in property list");
  const void *bytes = LockResource(LoadResource(module, found));
  DWORD size = SizeofResource(module, found);
  vplat::Pipl pipl;
  std::string parseError;
  if (!bytes || !vplat::ParsePipl(bytes, size, &pipl, &parseError)) {
    return refuse("malformed property list: " + parseError);
  }
  const uint32_t adbe = vplat::FourCC("ADBE");
  const vplat::PiplProperty *kind = pipl.Find(adbe, vplat::FourCC("kind"));
  const vplat::PiplProperty *ivrs = pipl.Find(adbe, vplat::FourCC("ivrs"));
  const vplat::PiplProperty *pinm = pipl.Find(adbe, vplat::FourCC("pinm"));
  auto word = [](const vplat::PiplProperty *p) {
    return (uint32_t(p->data[0]) << 24) | (uint32_t(p->data[1]) << 16) |
           (uint32_t(p->data[2]) << 8) | uint32_t(p->data[3]);
  };
  if (pipl.versionMajor != 1 || pipl.versionMinor != 0) {
    return refuse("property list version " + std::to_string(pipl.versionMajor) + "." +
                  std::to_string(pipl.versionMinor) + " is not 1.0");
  }
  if (!kind || kind->length != 4 || word(kind) != vplat::FourCC("SPEA")) {
    return refuse("property list does not declare the kind SPEA");
  }
  if (!ivrs || ivrs->length != 4 || word(ivrs) != 2) {
    return refuse("property list does not declare interface version 2");
  }
  std::string_view name = pinm ? vplat::PiplPropertyText(*pinm) : std::string_view{};
  if (name.empty()) return refuse("property list names no plug-in");
  plugin->name = std::string(name);
  plugins_.push_back(std::move(plugin));
  return plugins_.back().get();
}

int Host::LoadPluginsFrom(const std::string &dir, std::vector<std::string> *errors) {
  std::vector<std::string> paths;
  std::error_code ec;
  for (const auto &entry : std::filesystem::directory_iterator(dir, ec)) {
    if (entry.path().extension() == ".aip") paths.push_back(entry.path().string());
  }
  if (ec && errors) errors->push_back(dir + ": " + ec.message());
  std::sort(paths.begin(), paths.end());
  int loaded = 0;
  for (const std::string &path : paths) {
    std::string error;
    if (LoadPlugin(path, &error)) {
      ++loaded;
    } else if (errors) {
      errors->push_back(error);
    }
  }
  return loaded;
}

Plugin *Host::FindPlugin(const std::string &name) {
  for (auto &p : plugins_) {
    if (p->name == name) return p.get();
  }
  return nullptr;
}

ASErr Host::Send(Plugin &plugin, const char *caller, const char *selector, SPMessageData *message) {
  if (!plugin.main) return kBadParameterErr;
  message->SPCheck = kSPValidSPMessageData;
  message->self = reinterpret_cast<SPPluginRef>(&plugin);
  message->globals = plugin.globals;
  message->basic = &gBasic;
  ASErr status = plugin.main(caller, selector, message);
  plugin.globals = message->globals;
  return status;
}

void Host::StartPlugins() {
  for (auto &plugin : plugins_) {
    SPMessageData message{};
    plugin->startupStatus =
        Send(*plugin, kSPInterfaceCaller, kSPInterfaceStartupSelector, &message);
    plugin->started = plugin->startupStatus == kNoErr;
  }
  Notify(kAIApplicationStartedNotifier, nullptr);
}

void Host::ShutdownPlugins() {
  for (auto it = plugins_.rbegin(); it != plugins_.rend(); ++it) {
    Plugin &plugin = **it;
    if (plugin.main && plugin.globals) {
      SPMessageData message{};
      Send(plugin, kSPInterfaceCaller, kSPInterfaceShutdownSelector, &message);
    }
  }
  // Registrations die with their plug-ins.
  menuItems_.clear();
  timers_.clear();
  notifiers_.clear();
  actions_.clear();
  for (auto it = plugins_.rbegin(); it != plugins_.rend(); ++it) {
    if ((*it)->library) dlclose((*it)->library);
  }
  plugins_.clear();
}

ASErr Host::UnloadPlugin(Plugin &plugin) {
  SPMessageData message{};
  ASErr status = Send(plugin, kSPAccessCaller, kSPAccessUnloadSelector, &message);
  if (plugin.library) dlclose(plugin.library);
  plugin.library = nullptr;
  plugin.main = nullptr;
  return status;
}

ASErr Host::ReloadPlugin(Plugin &plugin, std::string *error) {
  if (!plugin.library && !OpenLibrary(plugin, error)) return kBadParameterErr;
  SPMessageData message{};
  return Send(plugin, kSPAccessCaller, kSPAccessReloadSelector, &message);
}

bool Host::GetRealPreference(const std::string &name, double *value) const {
  auto it = realPrefs_.find(name);
  if (it == realPrefs_.end()) return false;
  *value = it->second;
  return true;
}

bool Host::GetThemeColor(ASInt32 name, ASInt32 type, AIUIThemeColor *color) const {
  auto it = theme_.find({name, type});
  if (it == theme_.end()) return false;
  *color = it->second;
  return true;
}

void Host::AddAlert(Alert::Kind kind, const std::string &utf8) {
  alerts_.push_back(Alert{kind, utf8});
  if (alertObserver_) alertObserver_(alerts_.back());
}

}  // namespace vhost
