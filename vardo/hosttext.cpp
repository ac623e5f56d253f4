// Menu and undo texts are kept in Shift-JIS, as the plug-in always had them,
// and handed to the host as UTF-16.
#include <windows.h>

#include "vardohandlers.h"

void ShiftJisToUtf16(const char *text, ai_uchar16 *out, int size) {
  if (size <= 0) return;
  const int n = MultiByteToWideChar(932, 0, text, -1, reinterpret_cast<LPWSTR>(out), size);
  if (n <= 0) out[0] = 0;
}
