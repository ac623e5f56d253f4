// Which Linux folder the shell reports as the user's Documents folder
// (SHGetSpecialFolderLocation with CSIDL_PERSONAL, <shlobj.h>).
#ifndef VARDO_VPLATFORM_SHELL_H
#define VARDO_VPLATFORM_SHELL_H

#include <win/types.h>

#include <string>

namespace vplat {

// Names linuxDir (absolute, or relative to the current directory at lookup
// time) as the Documents folder. An empty string means the shell names no
// Documents folder, and the lookup fails. Until this is called the folder is
// $HOME/Documents, or none when HOME is unset or empty.
VPLAT_API void SetDocumentsFolder(std::string linuxDir);

// Back to the default: $HOME/Documents as HOME reads at lookup time.
VPLAT_API void ResetDocumentsFolder();

// The Linux folder the lookup will report now; empty when there is none.
VPLAT_API std::string DocumentsFolder();

}  // namespace vplat

#endif
