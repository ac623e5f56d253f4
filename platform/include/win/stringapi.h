/* Code-page conversions: MultiByteToWideChar, WideCharToMultiByte and the
 * code-page queries that go with them.
 *
 * Supported code pages: 932 (Microsoft's Shift-JIS, with the NEC and IBM
 * extensions), CP_UTF8 (65001), and the aliases CP_ACP / CP_THREAD_ACP (the
 * current ANSI code page: 932 unless the host chose 65001, see
 * vplatform/codepage.h) and CP_OEMCP (932). Any other code page fails with
 * ERROR_INVALID_PARAMETER, as an uninstalled one does on Windows.
 * Usable from C and C++. */
#ifndef VARDO_WIN_STRINGAPI_H
#define VARDO_WIN_STRINGAPI_H

#include "types.h"

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_MACCP 2
#define CP_THREAD_ACP 3
#define CP_SYMBOL 42
#define CP_UTF7 65000
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_COMPOSITE 0x00000002
#define MB_USEGLYPHCHARS 0x00000004
#define MB_ERR_INVALID_CHARS 0x00000008

#define WC_DISCARDNS 0x00000010
#define WC_SEPCHARS 0x00000020
#define WC_DEFAULTCHAR 0x00000040
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_COMPOSITECHECK 0x00000200
#define WC_NO_BEST_FIT_CHARS 0x00000400

#define MAX_LEADBYTES 12
#define MAX_DEFAULTCHAR 2

typedef struct _cpinfo {
  UINT MaxCharSize;
  BYTE DefaultChar[MAX_DEFAULTCHAR];
  BYTE LeadByte[MAX_LEADBYTES];
} CPINFO, *LPCPINFO;

VPLAT_EXTERN_C_BEGIN

/* Converts cbMultiByte bytes of lpMultiByteStr (-1: up to and including its
 * NUL, which is converted too) from CodePage to UTF-16.
 * cchWideChar == 0: writes nothing and returns the number of WCHARs needed.
 * Otherwise writes at most cchWideChar WCHARs to lpWideCharStr and returns
 * the number written. No terminator is added beyond a converted NUL.
 * Fails with 0 and GetLastError():
 *   ERROR_INVALID_PARAMETER    NULL input, cbMultiByte 0 or < -1, negative or
 *                              bufferless cchWideChar, input and output the
 *                              same buffer, unsupported code page;
 *   ERROR_INVALID_FLAGS        flags the code page does not take (UTF-8 takes
 *                              only MB_ERR_INVALID_CHARS; MB_COMPOSITE is not
 *                              supported);
 *   ERROR_INSUFFICIENT_BUFFER  the result does not fit: the characters that
 *                              fit have been written;
 *   ERROR_NO_UNICODE_TRANSLATION  MB_ERR_INVALID_CHARS and an undefined or
 *                              malformed sequence.
 * Without MB_ERR_INVALID_CHARS, a malformed UTF-8 sequence becomes U+FFFD and
 * an undefined 932 sequence U+30FB (docs/codepages.md). */
VPLAT_API int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                                         int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar);

/* Converts cchWideChar WCHARs of lpWideCharStr (-1: up to and including its
 * NUL) from UTF-16 to CodePage.
 * cbMultiByte == 0: writes nothing and returns the number of bytes needed.
 * Otherwise writes at most cbMultiByte bytes and returns the number written.
 * Code page 932: a character without a mapping becomes *lpDefaultChar (NULL:
 * '?'; a lead byte and its trail byte make a double-byte default) and sets
 * *lpUsedDefaultChar to TRUE when that pointer is given (FALSE otherwise);
 * characters with a best-fit mapping (U+00A5 to 0x5C, ...) take it unless
 * WC_NO_BEST_FIT_CHARS, which sends them to the default character too.
 * UTF-8: lpDefaultChar and lpUsedDefaultChar must be NULL; a lone surrogate
 * becomes U+FFFD, or fails the call under WC_ERR_INVALID_CHARS.
 * Fails with 0 and GetLastError() as MultiByteToWideChar does
 * (ERROR_INVALID_PARAMETER, ERROR_INVALID_FLAGS, ERROR_INSUFFICIENT_BUFFER,
 * ERROR_NO_UNICODE_TRANSLATION); the WC_COMPOSITECHECK family is not
 * supported (ERROR_INVALID_FLAGS). */
VPLAT_API int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr,
                                         int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                                         LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar);

/* The current ANSI code page (932 by default, or 65001) and the OEM code
 * page (always 932). */
VPLAT_API UINT WINAPI GetACP(void);
VPLAT_API UINT WINAPI GetOEMCP(void);

/* TRUE when TestChar can begin a double-byte character in CodePage (in the
 * ANSI code page for IsDBCSLeadByte). Lead bytes exist only in 932
 * (0x81-0x9F, 0xE0-0xFC). An unsupported code page gives FALSE and
 * ERROR_INVALID_PARAMETER. */
VPLAT_API BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar);
VPLAT_API BOOL WINAPI IsDBCSLeadByte(BYTE TestChar);

/* Fills *lpCPInfo for CodePage: 932 gives MaxCharSize 2, default '?', lead
 * ranges 0x81-0x9F and 0xE0-0xFC; UTF-8 gives MaxCharSize 4, default '?'.
 * Fails (FALSE, ERROR_INVALID_PARAMETER) for NULL or an unsupported page. */
VPLAT_API BOOL WINAPI GetCPInfo(UINT CodePage, LPCPINFO lpCPInfo);

VPLAT_EXTERN_C_END

#endif
