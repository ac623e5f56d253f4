// WideCharToMultiByte: argument checks, then the kernel of the code page.
#include <windows.h>

#include <climits>
#include <string>

#include "codepage_convert.h"

using namespace vplat::codepage;

namespace {

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// The default character for 932: '?' unless the caller gives one; a lead
// byte followed by a trail byte makes a double-byte default.
DefaultChar Cp932Default(LPCSTR given) {
  if (given == nullptr) return {{'?', 0}, 1};
  uint8_t first = static_cast<uint8_t>(given[0]);
  if (IsCp932Lead(first) && IsCp932Trail(static_cast<uint8_t>(given[1])))
    return {{first, static_cast<uint8_t>(given[1])}, 2};
  return {{first, 0}, 1};
}

}  // namespace

extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr,
                                          int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                                          LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
  if (lpWideCharStr == nullptr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
      (cbMultiByte > 0 && lpMultiByteStr == nullptr) ||
      static_cast<const void *>(lpWideCharStr) == static_cast<const void *>(lpMultiByteStr))
    return Fail(ERROR_INVALID_PARAMETER);
  UINT cp = Resolve(CodePage);
  if (cp == 0) return Fail(ERROR_INVALID_PARAMETER);
  if (cp == CP_UTF8) {
    if (dwFlags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) return Fail(ERROR_INVALID_FLAGS);
    if (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr)
      return Fail(ERROR_INVALID_PARAMETER);
  } else if (dwFlags & ~static_cast<DWORD>(WC_NO_BEST_FIT_CHARS)) {
    // WC_ERR_INVALID_CHARS is for UTF-8 only; composition (WC_COMPOSITECHECK
    // and the flags that go with it) is not supported.
    return Fail(ERROR_INVALID_FLAGS);
  }
  size_t n = cchWideChar == -1 ? std::char_traits<char16_t>::length(lpWideCharStr) + 1
                               : static_cast<size_t>(cchWideChar);
  uint8_t *dst = cbMultiByte ? reinterpret_cast<uint8_t *>(lpMultiByteStr) : nullptr;
  size_t cap = static_cast<size_t>(cbMultiByte);
  Result r = cp == CP_UTF8
                 ? Utf16ToUtf8(lpWideCharStr, n, dst, cap, (dwFlags & WC_ERR_INVALID_CHARS) != 0)
                 : Utf16ToCp932(lpWideCharStr, n, dst, cap, (dwFlags & WC_NO_BEST_FIT_CHARS) != 0,
                                Cp932Default(lpDefaultChar));
  switch (r.status) {
    case Status::kInvalidChar: return Fail(ERROR_NO_UNICODE_TRANSLATION);
    case Status::kBufferTooSmall: return Fail(ERROR_INSUFFICIENT_BUFFER);
    case Status::kOk: break;
  }
  // A size query can exceed what an int holds (three bytes a WCHAR).
  if (r.count > static_cast<size_t>(INT_MAX)) return Fail(ERROR_INSUFFICIENT_BUFFER);
  if (lpUsedDefaultChar) *lpUsedDefaultChar = r.usedDefault ? TRUE : FALSE;
  return static_cast<int>(r.count);
}
