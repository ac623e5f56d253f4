// For tests: the modules built from the three resource scripts, each loaded
// once for the test program.
#ifndef VARDO_RESOURCES_TESTING_MODULES_H
#define VARDO_RESOURCES_TESTING_MODULES_H

#include <dlfcn.h>

#include <map>
#include <string>
#include <vector>

#include <windows.h>

#include "vplatform/modules.h"

namespace vardo::resources::testing {

inline HMODULE ScriptModule(const std::string &name) {
  static std::map<std::string, HMODULE> loaded;
  if (auto it = loaded.find(name); it != loaded.end()) return it->second;
  const std::string path = std::string(VARDO_RESOURCE_MODULES_DIR) + "/" + name + "_resources.so";
  void *dl = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  HMODULE module = dl == nullptr ? nullptr : vplat::ModuleHandleFromDlopen(dl);
  loaded[name] = module;
  return module;
}

inline const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// The bytes of a resource in Japanese, or nothing.
inline std::vector<std::uint8_t> ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name) {
  HRSRC found = FindResourceExA(module, type, name, kJapanese);
  if (found == nullptr) return {};
  const auto *p = static_cast<const std::uint8_t *>(LockResource(LoadResource(module, found)));
  return {p, p + SizeofResource(module, found)};
}

}  // namespace vardo::resources::testing

#endif
