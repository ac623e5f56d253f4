#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <string>

#include "moduleimage.h"
#include "vplatform/modules.h"

namespace vplat {
namespace detail {
namespace {

// The address the loader mapped the module's lowest loadable segment at,
// page-aligned: the same value dladdr reports as dli_fbase.
std::uintptr_t MappingStart(const dl_phdr_info &info) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  std::uintptr_t lowest = UINTPTR_MAX;
  for (int i = 0; i < info.dlpi_phnum; ++i) {
    const ElfW(Phdr) &ph = info.dlpi_phdr[i];
    if (ph.p_type == PT_LOAD && ph.p_vaddr < lowest) lowest = ph.p_vaddr;
  }
  if (lowest == UINTPTR_MAX) return 0;
  return info.dlpi_addr + (lowest & ~(page - 1));
}

struct VisitState {
  std::uintptr_t wanted;
  bool program;
  const std::function<void(const dl_phdr_info &)> *visit;
  bool found;
};

int VisitOne(dl_phdr_info *info, size_t, void *data) {
  auto *state = static_cast<VisitState *>(data);
  // dl_iterate_phdr reports the program first.
  if (state->program || MappingStart(*info) == state->wanted) {
    (*state->visit)(*info);
    state->found = true;
    return 1;
  }
  return 0;
}

}  // namespace

bool VisitModule(HMODULE module, const std::function<void(const dl_phdr_info &)> &visit) {
  VisitState state{reinterpret_cast<std::uintptr_t>(module), module == nullptr, &visit, false};
  dl_iterate_phdr(VisitOne, &state);
  return state.found;
}

}  // namespace detail

HMODULE ModuleHandleFromAddress(const void *address) {
  Dl_info info;
  if (address == nullptr || dladdr(address, &info) == 0) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

HMODULE ModuleHandleFromDlopen(void *dlHandle) {
  if (dlHandle == nullptr) return nullptr;
  link_map *map = nullptr;
  if (dlinfo(dlHandle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return nullptr;
  // The dynamic section lies inside the module's mapping, so dladdr on it
  // names the module.
  return ModuleHandleFromAddress(map->l_ld);
}

std::string ModuleFilePath(HMODULE module) {
  std::string path;
  bool isProgram = false;
  const bool found = detail::VisitModule(module, [&](const dl_phdr_info &info) {
    if (info.dlpi_name == nullptr || info.dlpi_name[0] == '\0') {
      isProgram = true;
    } else {
      path = info.dlpi_name;
    }
  });
  if (!found) return {};
  if (isProgram) {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n > 0) path.assign(buffer, static_cast<std::size_t>(n));
  }
  return path;
}

}  // namespace vplat
