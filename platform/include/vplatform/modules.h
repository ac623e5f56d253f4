// Module handles of loaded shared objects.
//
// A module handle (HMODULE / HINSTANCE) is the address at which the module's
// file is mapped (dladdr's dli_fbase). That is what the resource functions
// and DialogBoxParam take, and what a module can find for itself from the
// address of any of its own functions or data.
#ifndef VARDO_VPLATFORM_MODULES_H
#define VARDO_VPLATFORM_MODULES_H

#include <string>

#include "../win/types.h"

namespace vplat {

// The handle of the loaded module (shared object or the program) whose
// mapping contains `address`; nullptr when no module does.
VPLAT_API HMODULE ModuleHandleFromAddress(const void *address);

// The handle of a module opened with dlopen, from the handle dlopen returned;
// nullptr when dlHandle is null or not a dlopen handle dlinfo accepts.
VPLAT_API HMODULE ModuleHandleFromDlopen(void *dlHandle);

// The module's file path as the dynamic loader knows it (for the program,
// /proc/self/exe resolved). nullptr stands for the program. Empty when the
// handle is no loaded module.
VPLAT_API std::string ModuleFilePath(HMODULE module);

}  // namespace vplat

#endif
