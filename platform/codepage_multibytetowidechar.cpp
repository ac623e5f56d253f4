// MultiByteToWideChar: argument checks, then the kernel of the code page.
#include <windows.h>

#include <cstring>

#include "codepage_convert.h"

using namespace vplat::codepage;

extern "C" int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                                          int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar) {
  if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
      (cchWideChar > 0 && lpWideCharStr == nullptr) ||
      static_cast<const void *>(lpMultiByteStr) == static_cast<const void *>(lpWideCharStr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  UINT cp = Resolve(CodePage);
  if (cp == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // UTF-8 takes MB_ERR_INVALID_CHARS only. Decomposing (MB_COMPOSITE) is not
  // supported; MB_USEGLYPHCHARS changes nothing, 932 having no glyph table.
  DWORD allowed = cp == CP_UTF8 ? MB_ERR_INVALID_CHARS
                                : MB_PRECOMPOSED | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
  if (dwFlags & ~allowed) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  size_t n = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
  const uint8_t *src = reinterpret_cast<const uint8_t *>(lpMultiByteStr);
  char16_t *dst = cchWideChar ? lpWideCharStr : nullptr;
  bool strict = (dwFlags & MB_ERR_INVALID_CHARS) != 0;
  Result r = cp == CP_UTF8 ? Utf8ToUtf16(src, n, dst, static_cast<size_t>(cchWideChar), strict)
                           : Cp932ToUtf16(src, n, dst, static_cast<size_t>(cchWideChar), strict);
  switch (r.status) {
    case Status::kInvalidChar: SetLastError(ERROR_NO_UNICODE_TRANSLATION); return 0;
    case Status::kBufferTooSmall: SetLastError(ERROR_INSUFFICIENT_BUFFER); return 0;
    case Status::kOk: break;
  }
  return static_cast<int>(r.count);  // at most one WCHAR per input byte
}
