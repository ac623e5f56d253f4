#include <windows.h>

#include <cstdio>

#include "frame.h"

void ReportError(ASErr status, const char *caller, const char *selector) {
  if (status == kNoErr || status == 1 || status == kSPSuiteNotFoundError ||
      status == kCanceledErr) {
    return;
  }
  if (sAIUser == nullptr) return;
  // The four bytes as they lie in memory on a little-endian machine: least
  // significant first, so 'ABCD' reads "DCBA".
  const unsigned value = static_cast<unsigned>(status);
  const char chars[5] = {static_cast<char>(value & 0xff), static_cast<char>((value >> 8) & 0xff),
                         static_cast<char>((value >> 16) & 0xff), static_cast<char>(value >> 24),
                         0};
  char text[1024];
  std::snprintf(text, sizeof text, "Error=%x, %s (caller : %s, selector : %s)", value, chars,
                caller, selector);
  WCHAR wide[1024];
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 1024) > 0) sAIUser->ErrorAlert(wide);
}
