// Inside the platform library: finding a loaded module's ELF image from its
// handle, and its resource directory within it.
#ifndef VARDO_PLATFORM_MODULEIMAGE_H
#define VARDO_PLATFORM_MODULEIMAGE_H

#include <link.h>

#include <cstdint>
#include <functional>

#include "win/types.h"
#include "vplatform/resourceformat.h"

namespace vplat::detail {

// Calls `visit` with the program-header record of the module whose handle is
// `module` (nullptr: the program) and returns true; false when no loaded
// module has that handle. The record is only valid during the call.
bool VisitModule(HMODULE module, const std::function<void(const dl_phdr_info &)> &visit);

// A module's resource directory, checked for consistency: every entry's
// name strings and data lie inside the descriptor.
struct ResourceDirectory {
  const std::uint8_t *base = nullptr;  // the note descriptor
  std::uint32_t size = 0;
  const rsrc::DirectoryEntry *entries = nullptr;
  std::uint32_t count = 0;
};

enum class DirectoryLookup { NoModule, NoResources, Found };

DirectoryLookup FindResourceDirectory(HMODULE module, ResourceDirectory *out);

}  // namespace vplat::detail

#endif
