/* Basic Win32 types, as the plug-in code expects them on a 64-bit target.
 *
 * Sizes follow the LLP64 model of 64-bit Windows, not Linux's LP64: LONG and
 * DWORD are 32 bits, pointers and the *_PTR types 64 bits. WCHAR is a 16-bit
 * UTF-16 code unit (char16_t in C++), never wchar_t. Calling-convention
 * macros exist so that code reads as it does on Windows; they expand to
 * nothing here. Usable from C and C++. */
#ifndef VARDO_WIN_TYPES_H
#define VARDO_WIN_TYPES_H

#include <stddef.h>
#include <stdint.h>

#define WINAPI
#define CALLBACK
#define APIENTRY
#define WINAPIV
#define CONST const
#define VOID void

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned char UCHAR;
typedef char CHAR;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef uint16_t WORD;
typedef int32_t INT;
typedef uint32_t UINT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t DWORD;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef float FLOAT;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef size_t SIZE_T;
typedef void *LPVOID;
typedef const void *LPCVOID;
typedef BOOL *LPBOOL;
typedef DWORD *LPDWORD;
typedef BYTE *LPBYTE;
typedef LONG *LPLONG;
typedef int *LPINT;

#ifdef __cplusplus
typedef char16_t WCHAR;
#else
typedef uint16_t WCHAR;
#endif

typedef CHAR *LPSTR;
typedef const CHAR *LPCSTR;
typedef WCHAR *LPWSTR;
typedef const WCHAR *LPCWSTR;
typedef WCHAR *PWSTR;

typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef DWORD COLORREF;
typedef LONG HRESULT;

#define DECLARE_HANDLE(name) \
  struct name##__;           \
  typedef struct name##__ *name
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HINSTANCE);
DECLARE_HANDLE(HDC);
DECLARE_HANDLE(HMENU);
DECLARE_HANDLE(HICON);
DECLARE_HANDLE(HCURSOR);
DECLARE_HANDLE(HRSRC);
DECLARE_HANDLE(HPEN);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HFONT);
DECLARE_HANDLE(HBITMAP);
typedef void *HANDLE;
typedef void *HGDIOBJ;
typedef void *HGLOBAL;
typedef HINSTANCE HMODULE;
typedef int HFILE;

#define MAKEWORD(a, b) \
  ((WORD)(((BYTE)((DWORD_PTR)(a)&0xff)) | ((WORD)((BYTE)((DWORD_PTR)(b)&0xff))) << 8))
#define MAKELONG(a, b) \
  ((LONG)(((WORD)((DWORD_PTR)(a)&0xffff)) | ((DWORD)((WORD)((DWORD_PTR)(b)&0xffff))) << 16))
#define LOWORD(l) ((WORD)((DWORD_PTR)(l)&0xffff))
#define HIWORD(l) ((WORD)(((DWORD_PTR)(l) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)((DWORD_PTR)(w)&0xff))
#define HIBYTE(w) ((BYTE)(((DWORD_PTR)(w) >> 8) & 0xff))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

#define MAX_PATH 260

typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT, *PPOINT, *LPPOINT;
typedef struct tagSIZE {
  LONG cx;
  LONG cy;
} SIZE, *PSIZE, *LPSIZE;
typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT *LPCRECT;

/* The platform's own functions are exported with default visibility; the
 * plug-in modules hide everything of their own but PluginMain. */
#if defined(__GNUC__)
#define VPLAT_API __attribute__((visibility("default")))
#else
#define VPLAT_API
#endif

#ifdef __cplusplus
#define VPLAT_EXTERN_C_BEGIN extern "C" {
#define VPLAT_EXTERN_C_END }
#else
#define VPLAT_EXTERN_C_BEGIN
#define VPLAT_EXTERN_C_END
#endif

#endif
