// What a code page is made of: lead bytes and CPINFO.
#include <windows.h>

#include <cstring>

#include "codepage_convert.h"

using vplat::codepage::IsCp932Lead;
using vplat::codepage::Resolve;

extern "C" BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
  UINT cp = Resolve(CodePage);
  if (cp == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return cp == 932 && IsCp932Lead(TestChar);
}

extern "C" BOOL WINAPI IsDBCSLeadByte(BYTE TestChar) { return IsDBCSLeadByteEx(CP_ACP, TestChar); }

extern "C" BOOL WINAPI GetCPInfo(UINT CodePage, LPCPINFO lpCPInfo) {
  UINT cp = Resolve(CodePage);
  if (cp == 0 || lpCPInfo == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::memset(lpCPInfo, 0, sizeof *lpCPInfo);
  lpCPInfo->DefaultChar[0] = '?';
  if (cp == 932) {
    static const BYTE kLeadRanges[] = {0x81, 0x9F, 0xE0, 0xFC};
    lpCPInfo->MaxCharSize = 2;
    std::memcpy(lpCPInfo->LeadByte, kLeadRanges, sizeof kLeadRanges);
  } else {
    lpCPInfo->MaxCharSize = 4;
  }
  return TRUE;
}
