// The ANSI code page: process-wide state set by the host, and the aliases
// that stand for it.
#include <vplatform/codepage.h>
#include <windows.h>

#include "codepage_convert.h"

namespace {
UINT ansiCodePage = 932;
}

namespace vplat {

bool SetAnsiCodePage(UINT codePage) {
  if (codePage != 932 && codePage != CP_UTF8) return false;
  ansiCodePage = codePage;
  return true;
}

namespace codepage {

UINT Resolve(UINT codePage) {
  switch (codePage) {
    case CP_ACP:
    case CP_THREAD_ACP: return ansiCodePage;
    case CP_OEMCP:
    case 932: return 932;
    case CP_UTF8: return CP_UTF8;
    default: return 0;
  }
}

}  // namespace codepage
}  // namespace vplat

extern "C" UINT WINAPI GetACP(void) { return ansiCodePage; }
extern "C" UINT WINAPI GetOEMCP(void) { return 932; }
