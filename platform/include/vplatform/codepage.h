// Host-side knobs for the code-page conversions (not part of Win32).
#ifndef VARDO_VPLATFORM_CODEPAGE_H
#define VARDO_VPLATFORM_CODEPAGE_H

#include <win/types.h>

namespace vplat {

// Sets the process's ANSI code page, the one CP_ACP and CP_THREAD_ACP stand
// for and GetACP reports. Takes 932 (the default) or CP_UTF8 (65001).
// Returns false and leaves the code page unchanged for any other value.
VPLAT_API bool SetAnsiCodePage(UINT codePage);

}  // namespace vplat

#endif
